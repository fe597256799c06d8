#pragma once
// Page: about the program.
#include "pages/WizardPage.h"

namespace orv {

class CDlgAbout : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgAbout(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv
