#include "pages/DlgNetWork.h"

#include "app/PageFlow.h"
#include "pages/NetworkChecks.h"
#include "pages/SummaryPage.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"
#include "skin/PicButton.h"
#include "skin/PicText.h"

namespace orv {

namespace {

// Edits and their labels, in creation order.
constexpr int kEditIds[5] = {CDlgNetWork::kIdIpAddr, CDlgNetWork::kIdSubMask, CDlgNetWork::kIdGateway,
                             CDlgNetWork::kIdPriDns, CDlgNetWork::kIdSecDns};
constexpr int kLabelIds[5] = {1304, 1305, 1306, 1307, 1308};
const char* const kEditNames[5] = {"IPADDR", "SUBMASK", "GATEWAY", "PRIDNS", "SECDNS"};

QString Section(const char* control)
{
    return QStringLiteral("DlgNetWork.") + QLatin1String(control);
}

} // namespace

CDlgNetWork::CDlgNetWork(QWidget* host) : CWizardPage(res::kDlgNetWork, host) {}

bool CDlgNetWork::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgNetWork"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, Section("Exit"));
    AddPicButton(IDC_BACK, Section("Back"));
    AddPicButton(IDC_NEXT, Section("Next"));
    for (int i = 0; i < 5; ++i) {
        AddPicText(Section("LAB") + QLatin1String(kEditNames[i]), kLabelIds[i], 1, 0);
        m_pLabel[i] = FindCtrlAs<CPicText>(kLabelIds[i]);
    }
    for (int i = 0; i < 5; ++i) {
        AddEdit(Section(kEditNames[i]), kEditIds[i]);
        m_pEdit[i] = FindCtrlAs<CEdit>(kEditIds[i]);
    }
    AddRadio(Section("DHCPON"), kIdDhcpOn, QStringLiteral("enable"));
    AddRadio(Section("DHCPOFF"), kIdDhcpOff, QStringLiteral("disable"));
    m_pDhcpOn = FindCtrlAs<CRadioButton>(kIdDhcpOn);
    m_pDhcpOff = FindCtrlAs<CRadioButton>(kIdDhcpOff);
    if (m_pDhcpOn)
        m_pDhcpOn->SetCheck(1);
    if (m_pDhcpOff)
        m_pDhcpOff->SetCheck(0);
    return true;
}

void CDlgNetWork::InitFromSettings(WizardSettings* settings)
{
    CWizardPage::InitFromSettings(settings);
    if (!m_pSettings)
        return;
    const bool dhcp = m_pSettings->DhcpEnabled == 1;
    if (m_pDhcpOn)
        m_pDhcpOn->SetCheck(dhcp ? 1 : 0);
    if (m_pDhcpOff)
        m_pDhcpOff->SetCheck(dhcp ? 0 : 1);
    ShowFixedAddress(!dhcp);
    for (int id : kEditIds)
        ApplyUiFont(id);
    ApplyUiFont(kIdDhcpOn);
    ApplyUiFont(kIdDhcpOff);
    for (int id : kLabelIds)
        ApplyUiFontToText(*this, id);
}

void CDlgNetWork::ShowFixedAddress(bool fixed)
{
    const wchar* values[5] = {};
    if (m_pSettings) {
        const WizardSettings& s = *m_pSettings;
        const wchar* const fields[5] = {s.CameraIP, s.SubnetMask, s.Gateway, s.PrimaryDNS, s.SecondaryDNS};
        std::copy(std::begin(fields), std::end(fields), values);
    }
    for (int i = 0; i < 5; ++i) {
        if (!m_pEdit[i])
            continue;
        m_pEdit[i]->setEnabled(fixed);
        m_pEdit[i]->setText(fixed && values[i] ? FieldText(values[i], 64) : QString());
    }
}

void CDlgNetWork::OnCommand(int id, int code)
{
    switch (id) {
    case kIdDhcpOn:
        if (m_pDhcpOff)
            m_pDhcpOff->SetCheck(0);
        ShowFixedAddress(false);
        return;
    case kIdDhcpOff:
        if (m_pDhcpOn)
            m_pDhcpOn->SetCheck(0);
        ShowFixedAddress(true);
        return;
    case IDC_NEXT:
        OnNext();
        return;
    default:
        CWizardPage::OnCommand(id, code);
    }
}

void CDlgNetWork::OnNext()
{
    if (!m_pSettings)
        return;
    CWaitCursor wait;
    NetworkEntries typed;
    std::u16string* const texts[5] = {&typed.address, &typed.mask, &typed.gateway, &typed.primaryDns,
                                      &typed.secondaryDns};
    for (int i = 0; i < 5; ++i)
        if (m_pEdit[i])
            *texts[i] = m_pEdit[i]->text().toStdU16String();
    const bool dhcpOn = m_pDhcpOn && m_pDhcpOn->GetCheck() == 1;
    const int32_t message = ApplyNetworkEntries(dhcpOn, typed, *m_pSettings);
    if (message != 0) {
        const int field = message - kMsgBadAddress;
        if (field >= 0 && field < 5 && m_pEdit[field])
            m_pEdit[field]->setFocus();
        ShowMessage(message, MB_ICONEXCLAMATION);
        return;
    }
    // Shown disabled until the host replaces the page, so a second press
    // cannot post Next twice. When the host keeps the page (a wireless
    // camera that reports no wireless settings), the buttons come back
    // instead of leaving the user with nothing to press.
    SetFooterDisabled(true);
    PostNavigation(kNavNext);
    PostMessage(this, kMsgNextKept, 0, 0);
}

void CDlgNetWork::OnMessage(unsigned msg, intptr_t wParam, intptr_t lParam)
{
    if (msg == kMsgNextKept)
        SetFooterDisabled(false);
    else
        CWizardPage::OnMessage(msg, wParam, lParam);
}

void CDlgNetWork::SetFooterDisabled(bool disabled)
{
    for (int id : {IDC_EXIT, IDC_BACK, IDC_NEXT}) {
        if (auto* button = FindCtrlAs<CPicButton>(id)) {
            button->m_bDisabled = disabled ? 1 : 0;
            button->DrawState();
        }
    }
}

} // namespace orv
