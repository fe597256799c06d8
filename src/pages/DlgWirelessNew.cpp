#include "pages/DlgWirelessNew.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgWirelessNew::CDlgWirelessNew(QWidget* host) : CWizardPage(res::kDlgWirelessNew, host) {}

bool CDlgWirelessNew::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgWirelessNEW"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgWirelessNEW.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgWirelessNEW.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgWirelessNEW.Next"));
    return true;
}

void CDlgWirelessNew::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
