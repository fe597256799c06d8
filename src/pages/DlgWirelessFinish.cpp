#include "pages/DlgWirelessFinish.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgWirelessFinish::CDlgWirelessFinish(QWidget* host) : CWizardPage(res::kDlgWirelessFinish, host) {}

bool CDlgWirelessFinish::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgWirelessFinish"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgWirelessFinish.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgWirelessFinish.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgWirelessFinish.Next"));
    return true;
}

void CDlgWirelessFinish::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
