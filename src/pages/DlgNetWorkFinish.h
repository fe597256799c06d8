#pragma once
// Page: network summary and apply.
#include "pages/WizardPage.h"

namespace orv {

class CDlgNetWorkFinish : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgNetWorkFinish(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv
