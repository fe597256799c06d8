#pragma once
// Page: camera list: search, pick, web page, WPS, About.
#include "pages/WizardPage.h"

namespace orv {

class CDlgListCam : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgListCam(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv
