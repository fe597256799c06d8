#pragma once
// Page: DHCP or a fixed address.
#include "pages/WizardPage.h"

namespace orv {

class CDlgNetWork : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgNetWork(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv
