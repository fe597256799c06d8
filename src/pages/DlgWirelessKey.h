#pragma once
// Page: WEP keys.
#include "pages/WizardPage.h"

namespace orv {

class CDlgWirelessKey : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgWirelessKey(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv
