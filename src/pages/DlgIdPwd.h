#pragma once
// Page: administrator ID and password, new password.
#include "pages/WizardPage.h"

namespace orv {

class CDlgIdPwd : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgIdPwd(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv
