#include "pages/DlgIdPwd.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgIdPwd::CDlgIdPwd(QWidget* host) : CWizardPage(res::kDlgIdPwd, host) {}

bool CDlgIdPwd::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgIdPwd"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgIdPwd.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgIdPwd.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgIdPwd.Next"));
    return true;
}

void CDlgIdPwd::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
