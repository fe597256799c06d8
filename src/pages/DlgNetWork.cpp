#include "pages/DlgNetWork.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgNetWork::CDlgNetWork(QWidget* host) : CWizardPage(res::kDlgNetWork, host) {}

bool CDlgNetWork::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgNetWork"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgNetWork.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgNetWork.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgNetWork.Next"));
    return true;
}

void CDlgNetWork::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
