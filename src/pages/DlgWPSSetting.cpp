#include "pages/DlgWPSSetting.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgWPSSetting::CDlgWPSSetting(QWidget* host) : CWizardPage(res::kDlgWpsSetting, host) {}

bool CDlgWPSSetting::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgWPSSET"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgWPSSET.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgWPSSET.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgWPSSET.Next"));
    return true;
}

void CDlgWPSSetting::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
