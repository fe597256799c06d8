#include "pages/DlgWireless.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgWireless::CDlgWireless(QWidget* host) : CWizardPage(res::kDlgWireless, host) {}

bool CDlgWireless::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgWireless"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgWireless.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgWireless.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgWireless.Next"));
    return true;
}

void CDlgWireless::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
