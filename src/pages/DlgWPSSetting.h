#pragma once
// Page: WPS pairing by push button or PIN.
#include "pages/WizardPage.h"

namespace orv {

class CDlgWPSSetting : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgWPSSetting(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv
