#include "pages/DlgAbout.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgAbout::CDlgAbout(QWidget* host) : CWizardPage(res::kDlgAbout, host) {}

bool CDlgAbout::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgAbout"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgAbout.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgAbout.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgAbout.Next"));
    return true;
}

void CDlgAbout::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
