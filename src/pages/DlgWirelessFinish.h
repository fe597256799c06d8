#pragma once
// Page: wireless summary and apply.
#include "pages/WizardPage.h"

namespace orv {

class CDlgWirelessFinish : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgWirelessFinish(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv
