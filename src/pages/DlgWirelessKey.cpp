#include "pages/DlgWirelessKey.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgWirelessKey::CDlgWirelessKey(QWidget* host) : CWizardPage(res::kDlgWirelessKey, host) {}

bool CDlgWirelessKey::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgWirelessKey"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgWirelessKey.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgWirelessKey.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgWirelessKey.Next"));
    return true;
}

void CDlgWirelessKey::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
