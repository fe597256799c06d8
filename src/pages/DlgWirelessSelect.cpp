#include "pages/DlgWirelessSelect.h"

#include "app/PageFlow.h"
#include "platform/qt/StdControls.h"
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
    AddRadio(QStringLiteral("DlgWirelessSele.WPS"), IDC_WPS, QStringLiteral("WPS"));
    AddRadio(QStringLiteral("DlgWirelessSele.Wireless"), IDC_STANDARD, QStringLiteral("Standard wireless settings"));
    m_pWps = FindCtrlAs<CRadioButton>(IDC_WPS);
    m_pStandard = FindCtrlAs<CRadioButton>(IDC_STANDARD);
    return true;
}

void CDlgWirelessSelect::InitFromSettings(WizardSettings* settings)
{
    CWizardPage::InitFromSettings(settings);
    ApplyUiFont(IDC_WPS);
    ApplyUiFont(IDC_STANDARD);
    ShowChoice(m_pSettings && m_pSettings->WpsChosen == 1);
}

void CDlgWirelessSelect::ShowChoice(bool wps)
{
    if (m_pWps)
        m_pWps->SetCheck(wps ? 1 : 0);
    if (m_pStandard)
        m_pStandard->SetCheck(wps ? 0 : 1);
}

void CDlgWirelessSelect::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_WPS:
    case IDC_STANDARD:
        if (code == BN_CLICKED && m_pSettings) {
            m_pSettings->WpsChosen = id == IDC_WPS ? 1 : 0;
            ShowChoice(id == IDC_WPS);
        }
        break;
    case IDC_NEXT:
        PostNavigation(kNavNext);
        break;
    default:
        CWizardPage::OnCommand(id, code);
        break;
    }
}

} // namespace orv
