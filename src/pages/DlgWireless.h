#pragma once
// Page: wireless settings (older form).
#include "pages/WizardPage.h"

namespace orv {

class CDlgWireless : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgWireless(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv
