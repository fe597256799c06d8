#include "pages/DlgWireless.h"

#include "app/PageFlow.h"
#include "pages/WirelessChecks.h"
#include "pages/WirelessLogic.h"
#include "pages/WirelessPageCommon.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

namespace {

QString Q(const std::u16string& s) { return QString::fromStdU16String(s); }

} // namespace

CDlgWireless::CDlgWireless(QWidget* host) : CWizardPage(res::kDlgWireless, host) {}

bool CDlgWireless::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgWireless"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgWireless.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgWireless.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgWireless.Next"));
    AddEdit(QStringLiteral("DlgWireless.SSID"), IDC_SSID);
    AddComboBox(QStringLiteral("DlgWireless.CHANNEL"), IDC_CHANNEL);
    AddRadio(QStringLiteral("DlgWireless.WLanON"), IDC_WLANON, QStringLiteral("Enable"));
    AddRadio(QStringLiteral("DlgWireless.WLanOFF"), IDC_WLANOFF, QStringLiteral("Disable"));
    AddComboBox(QStringLiteral("DlgWireless.SecurityMode"), IDC_SECURITY);
    AddRadio(QStringLiteral("DlgWireless.Infrastructure"), IDC_INFRA, QStringLiteral("Infrastructure"));
    AddRadio(QStringLiteral("DlgWireless.Adhoc"), IDC_ADHOC, QStringLiteral("Adhoc"));
    AddRadio(QStringLiteral("DlgWireless.Open"), IDC_OPEN, QStringLiteral("Open"));
    AddRadio(QStringLiteral("DlgWireless.Shared"), IDC_SHARED, QStringLiteral("Shared"));
    AddRadio(QStringLiteral("DlgWireless.Both"), IDC_BOTH, QStringLiteral("Both"));

    m_pSsid = FindCtrlAs<CEdit>(IDC_SSID);
    m_pChannel = FindCtrlAs<CComboBox>(IDC_CHANNEL);
    m_pSecurity = FindCtrlAs<CComboBox>(IDC_SECURITY);
    m_pWlanOn = FindCtrlAs<CRadioButton>(IDC_WLANON);
    m_pWlanOff = FindCtrlAs<CRadioButton>(IDC_WLANOFF);
    m_pInfra = FindCtrlAs<CRadioButton>(IDC_INFRA);
    m_pAdhoc = FindCtrlAs<CRadioButton>(IDC_ADHOC);
    m_pAuth[0] = FindCtrlAs<CRadioButton>(IDC_OPEN);
    m_pAuth[1] = FindCtrlAs<CRadioButton>(IDC_SHARED);
    m_pAuth[2] = FindCtrlAs<CRadioButton>(IDC_BOTH);
    return true;
}

void CDlgWireless::InitFromSettings(WizardSettings* settings)
{
    CWizardPage::InitFromSettings(settings);
    if (!m_pSettings)
        return;
    WizardSettings& s = *m_pSettings;
    for (int id : {IDC_SSID, IDC_CHANNEL, IDC_WLANON, IDC_WLANOFF, IDC_SECURITY, IDC_INFRA, IDC_ADHOC, IDC_OPEN,
                   IDC_SHARED, IDC_BOTH})
        ApplyUiFont(id);

    const bool adhoc = s.WirelessMode != 0;
    // Items the skin gives the channel list stay ahead of the camera's channels.
    if (m_pChannel) {
        for (const ListItem& item : FillChannelList(s.ChannelRange))
            m_pChannel->addItem(Q(item.text), item.data);
        ItemList shown;
        for (int i = 0; i < m_pChannel->count(); ++i)
            shown.push_back({m_pChannel->itemText(i).toStdU16String(), 0});
        m_pChannel->SetCurSel(ChannelIndexFor(shown, s.Channel));
    }
    FillSecurity(adhoc);
    ShowSsid(m_pSsid, s);
    if (m_pSecurity)
        m_pSecurity->SetCurSel(SecurityIndexOnInit(s.EncryptionType));

    SetCheck(m_pAdhoc, adhoc);
    SetCheck(m_pInfra, !adhoc);
    SetEnabled(m_pChannel, adhoc);

    m_nWepAuth = 0;
    ApplyAuthRadios();

    const bool on = WlanOnByNumber(s.WirelessEnableText);
    SetCheck(m_pWlanOn, on);
    SetCheck(m_pWlanOff, !on);
    if (!on)
        EnableSettings(false);
}

void CDlgWireless::FillSecurity(bool adhoc)
{
    if (!m_pSecurity)
        return;
    m_pSecurity->clear();
    for (const ListItem& item : FillSecurityList(adhoc, m_pSettings->EncryptionText, m_pSettings->AuthenticationText))
        m_pSecurity->addItem(Q(item.text), item.data);
    m_pSecurity->SetCurSel(0);
}

void CDlgWireless::ApplyAuthRadios()
{
    const AuthRadios r = orv::ApplyAuthRadios(*m_pSettings, m_nWepAuth);
    if (!r.apply)
        return;
    for (int k = 0; k < 3; ++k) {
        SetCheck(m_pAuth[k], r.checked == k);
        SetEnabled(m_pAuth[k], r.enabled);
    }
}

// Everything but the two on/off radios; the channel only counts in ad-hoc.
void CDlgWireless::EnableSettings(bool on)
{
    SetEnabled(m_pSsid, on);
    SetEnabled(m_pSecurity, on);
    SetEnabled(m_pInfra, on);
    SetEnabled(m_pAdhoc, on);
    SetEnabled(m_pChannel, on && m_pSettings->WirelessMode != 0);
    if (!on) {
        for (CRadioButton* r : m_pAuth)
            SetEnabled(r, false);
    }
}

void CDlgWireless::OnWlan(bool on)
{
    wchar* text = m_pSettings->WirelessEnableText;
    if (text[0] == 0)
        WCopy(m_pSettings->WirelessEnableText, on ? u"1" : u"0");
    else
        text[0] = on ? u'1' : u'0';
    SetCheck(on ? m_pWlanOff : m_pWlanOn, false);
    EnableSettings(on);
    if (on)
        ApplyAuthRadios();
}

void CDlgWireless::OnMode(bool adhoc)
{
    m_pSettings->WirelessMode = adhoc ? 1 : 0;
    SetCheck(adhoc ? m_pInfra : m_pAdhoc, false);
    SetEnabled(m_pChannel, adhoc);
    FillSecurity(adhoc);
    if (m_pSecurity)
        m_pSecurity->SetCurSel(SecurityIndexAfterModeClick(m_pSettings->EncryptionType, adhoc));
}

void CDlgWireless::OnAuthRadio(int auth)
{
    m_pSettings->AuthType = auth;
    m_nWepAuth = auth;
    for (int k = 0; k < 3; ++k)
        SetCheck(m_pAuth[k], k == auth);
}

void CDlgWireless::OnSecurityChanged()
{
    if (!m_pSecurity || m_pSecurity->GetCurSel() < 0)
        return;
    ApplySecurityChoice(m_pSecurity->currentData().toInt(), m_nWepAuth, *m_pSettings);
    ApplyAuthRadios();
}

void CDlgWireless::OnNext()
{
    WirelessEntries entries;
    if (m_pSsid)
        entries.ssid = m_pSsid->text().toStdU16String();
    if (m_pChannel)
        entries.channelText = m_pChannel->currentText().toStdU16String();
    if (m_pSecurity)
        entries.securityText = m_pSecurity->currentText().toStdU16String();
    const PageCheck check = ApplyWirelessNext(entries, *m_pSettings);
    FinishNext(*this, check, m_pSsid, entries.ssid);
}

void CDlgWireless::OnCommand(int id, int code)
{
    if (id == IDC_NEXT) {
        if (m_pSettings)
            OnNext();
        return;
    }
    if (!m_pSettings) {
        CWizardPage::OnCommand(id, code);
        return;
    }
    switch (id) {
    case IDC_WLANON:
    case IDC_WLANOFF:
        if (code == BN_CLICKED)
            OnWlan(id == IDC_WLANON);
        break;
    case IDC_INFRA:
    case IDC_ADHOC:
        if (code == BN_CLICKED)
            OnMode(id == IDC_ADHOC);
        break;
    case IDC_OPEN:
    case IDC_SHARED:
    case IDC_BOTH:
        if (code == BN_CLICKED)
            OnAuthRadio(id - IDC_OPEN);
        break;
    case IDC_SECURITY:
        if (code == CBN_SELCHANGE)
            OnSecurityChanged();
        break;
    default:
        CWizardPage::OnCommand(id, code);
        break;
    }
}

} // namespace orv
