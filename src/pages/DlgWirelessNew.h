#pragma once
// Page: wireless settings (newer form).
#include "pages/WizardPage.h"

namespace orv {

class CDlgWirelessNew : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgWirelessNew(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv
