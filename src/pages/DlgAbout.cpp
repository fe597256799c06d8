#include "pages/DlgAbout.h"

#include "app/PageFlow.h"
#include "platform/qt/WinDefs.h"
#include "skin/PicText.h"

namespace orv {

CDlgAbout::CDlgAbout(QWidget* host) : CWizardPage(res::kDlgAbout, host)
{
    // The about page is not dragged by its surface.
    SetDragBySurface(false);
}

bool CDlgAbout::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgAbout"));
    CPicDialog::OnInitDialog();
    AddPicText(QStringLiteral("DlgAbout.Project"), kIdProject, 1, 0);
    AddPicText(QStringLiteral("DlgAbout.Ver"), kIdVer, 1, 0);
    AddPicText(QStringLiteral("DlgAbout.Creat"), kIdCreat, 1, 0);
    AddPicButton(IDC_NEXT, QStringLiteral("DlgAbout.Next"));
    if (auto* ver = FindCtrlAs<CPicText>(kIdVer))
        ver->SetText(VersionText(res::GetProgramVersion()));
    return true;
}

QString CDlgAbout::VersionText(const res::ProgramVersion& version) const
{
    const std::u16string caption = Profile().GetString(u"DlgAbout.Ver", u"caption", u"");
    if (!caption.empty())
        return QString::fromStdU16String(caption);
    return QString::fromStdU16String(res::FormatVersionText(version));
}

void CDlgAbout::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        PostNavigation(kNavNext);
    else
        CWizardPage::OnCommand(id, code);
}

} // namespace orv
