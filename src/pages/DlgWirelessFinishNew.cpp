#include "pages/DlgWirelessFinishNew.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgWirelessFinishNew::CDlgWirelessFinishNew(QWidget* host) : CWizardPage(res::kDlgWirelessFinishNew, host) {}

bool CDlgWirelessFinishNew::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgWirelessFinishNEW"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgWirelessFinishNEW.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgWirelessFinishNEW.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgWirelessFinishNEW.Next"));
    return true;
}

void CDlgWirelessFinishNew::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
