#include "pages/DlgNetWorkFinish.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgNetWorkFinish::CDlgNetWorkFinish(QWidget* host) : CWizardPage(res::kDlgNetWorkFinish, host) {}

bool CDlgNetWorkFinish::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgNetWorkFinish"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgNetWorkFinish.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgNetWorkFinish.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgNetWorkFinish.Next"));
    return true;
}

void CDlgNetWorkFinish::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
