#include "pages/DlgListCam.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgListCam::CDlgListCam(QWidget* host) : CWizardPage(res::kDlgListCam, host) {}

bool CDlgListCam::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgListCam"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgListCam.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgListCam.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgListCam.Next"));
    return true;
}

void CDlgListCam::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
