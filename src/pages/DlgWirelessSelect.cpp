#include "pages/DlgWirelessSelect.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgWirelessSelect::CDlgWirelessSelect(QWidget* host) : CWizardPage(res::kDlgWirelessSelect, host) {}

bool CDlgWirelessSelect::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgWirelessSele"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgWirelessSele.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgWirelessSele.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgWirelessSele.Next"));
    return true;
}

void CDlgWirelessSelect::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
