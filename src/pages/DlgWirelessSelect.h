#pragma once
// Page: WPS or standard wireless set-up.
#include "pages/WizardPage.h"

namespace orv {

class CDlgWirelessSelect : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgWirelessSelect(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv
