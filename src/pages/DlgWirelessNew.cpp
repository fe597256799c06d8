#include "pages/DlgWirelessNew.h"

#include "app/PageFlow.h"
#include "pages/WirelessChecks.h"
#include "pages/WirelessLogic.h"
#include "pages/WirelessPageCommon.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

namespace {

void Refill(CComboBox* combo, const ItemList& items)
{
    if (!combo)
        return;
    combo->clear();
    for (const ListItem& item : items)
        combo->addItem(QString::fromStdU16String(item.text), item.data);
}

ItemList ItemsOf(const CComboBox* combo)
{
    ItemList items;
    for (int i = 0; combo && i < combo->count(); ++i)
        items.push_back({combo->itemText(i).toStdU16String(), combo->itemData(i).toInt()});
    return items;
}

int32_t SelectedData(const CComboBox* combo)
{
    return combo && combo->GetCurSel() >= 0 ? combo->currentData().toInt() : 0;
}

} // namespace

CDlgWirelessNew::CDlgWirelessNew(QWidget* host) : CWizardPage(res::kDlgWirelessNew, host) {}

bool CDlgWirelessNew::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgWirelessNEW"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgWirelessNEW.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgWirelessNEW.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgWirelessNEW.Next"));
    AddEdit(QStringLiteral("DlgWirelessNEW.SSID"), IDC_SSID);
    AddEdit(QStringLiteral("DlgWirelessNEW.KEY"), IDC_KEY);
    AddComboBox(QStringLiteral("DlgWirelessNEW.CHANNEL"), IDC_CHANNEL);
    AddRadio(QStringLiteral("DlgWirelessNEW.WLanON"), IDC_WLANON, QStringLiteral("Enable"));
    AddRadio(QStringLiteral("DlgWirelessNEW.WLanOFF"), IDC_WLANOFF, QStringLiteral("Disable"));
    AddComboBox(QStringLiteral("DlgWirelessNEW.Authentication"), IDC_AUTH);
    AddComboBox(QStringLiteral("DlgWirelessNEW.Encryption"), IDC_ENC);
    AddRadio(QStringLiteral("DlgWirelessNEW.Infrastructure"), IDC_INFRA, QStringLiteral("Infrastructure"));
    AddRadio(QStringLiteral("DlgWirelessNEW.Adhoc"), IDC_ADHOC, QStringLiteral("Adhoc"));

    m_pSsid = FindCtrlAs<CEdit>(IDC_SSID);
    m_pKey = FindCtrlAs<CEdit>(IDC_KEY);
    m_pChannel = FindCtrlAs<CComboBox>(IDC_CHANNEL);
    m_pAuth = FindCtrlAs<CComboBox>(IDC_AUTH);
    m_pEnc = FindCtrlAs<CComboBox>(IDC_ENC);
    m_pWlanOn = FindCtrlAs<CRadioButton>(IDC_WLANON);
    m_pWlanOff = FindCtrlAs<CRadioButton>(IDC_WLANOFF);
    m_pInfra = FindCtrlAs<CRadioButton>(IDC_INFRA);
    m_pAdhoc = FindCtrlAs<CRadioButton>(IDC_ADHOC);
    return true;
}

void CDlgWirelessNew::InitFromSettings(WizardSettings* settings)
{
    CWizardPage::InitFromSettings(settings);
    if (!m_pSettings)
        return;
    WizardSettings& s = *m_pSettings;
    for (int id : {IDC_SSID, IDC_KEY, IDC_CHANNEL, IDC_WLANON, IDC_WLANOFF, IDC_AUTH, IDC_ENC, IDC_INFRA, IDC_ADHOC})
        ApplyUiFont(id);

    ShowWlan();
    ShowMode();
    ShowSsid(m_pSsid, s);
    m_nOtherAuth = 0;
    SelectAuth(s.AuthType);
    m_nOtherEnc = 0;
    ApplySelectEnc(s.EncryptionType);

    m_pWepSlot = WepSlot(s, s.DefaultKeyIndex);
    if (s.EncryptionType != 0) {
        if (s.EncryptionType <= 1)
            m_strKey = m_pWepSlot ? std::u16string(m_pWepSlot, WLen(m_pWepSlot, 64)) : std::u16string();
        else
            m_strKey = std::u16string(s.PassKey, WLen(s.PassKey, sizeof(s.PassKey) / sizeof(s.PassKey[0])));
        ShowKey(m_strKey);
    }
    EnableKeyByChoice();
}

bool CDlgWirelessNew::WlanOn() const
{
    return WlanOnNewer(m_pSettings->WirelessEnableText);
}

void CDlgWirelessNew::ShowWlan()
{
    const bool on = WlanOn();
    SetCheck(m_pWlanOn, on);
    SetCheck(m_pWlanOff, !on);
    for (QWidget* w : {static_cast<QWidget*>(m_pSsid), static_cast<QWidget*>(m_pChannel),
                       static_cast<QWidget*>(m_pAuth), static_cast<QWidget*>(m_pEnc),
                       static_cast<QWidget*>(m_pInfra), static_cast<QWidget*>(m_pAdhoc)})
        SetEnabled(w, on);
}

void CDlgWirelessNew::EnableKeyByChoice()
{
    SetEnabled(m_pKey, WlanOn() && SelectedData(m_pEnc) != 0);
}

// Channel list, mode radios and authentication list for the current mode.
void CDlgWirelessNew::ShowMode()
{
    const WizardSettings& s = *m_pSettings;
    const bool adhoc = s.WirelessMode != 0;
    const ItemList channels = NewerChannelList(adhoc, s.ChannelRange);
    Refill(m_pChannel, channels);
    if (m_pChannel) {
        // A channel the list does not hold (such as 0, "auto", from
        // infrastructure) would go to the camera as no channel at all:
        // the first channel offered stands in.
        const int32_t index = adhoc ? IndexOfData(channels, s.Channel) : 0;
        m_pChannel->SetCurSel(index < 0 ? 0 : index);
    }
    SetCheck(m_pAdhoc, adhoc);
    SetCheck(m_pInfra, !adhoc);
    Refill(m_pAuth, FillAuthList(adhoc, s.AuthenticationText));
}

void CDlgWirelessNew::SelectAuth(int32_t auth)
{
    if (m_pAuth)
        m_pAuth->SetCurSel(IndexOfData(ItemsOf(m_pAuth), auth));
    Refill(m_pEnc, FillEncList(m_pSettings->AuthType, m_pSettings->EncryptionText));
}

void CDlgWirelessNew::ApplySelectEnc(int32_t enc)
{
    const KeyEditState st = SelectEnc(ItemsOf(m_pEnc), enc, WlanOn(), m_strKey);
    if (m_pEnc)
        m_pEnc->SetCurSel(st.selected);
    if (st.cleared) {
        m_bKeyArmed = 0;
        ShowKey(std::u16string());
        if (st.disable)
            SetEnabled(m_pKey, false);
        return;
    }
    if (st.enable)
        SetEnabled(m_pKey, true);
    if (st.limit && m_pKey)
        m_pKey->SetLimitText(st.limit);
    ShowKey(m_strKey);
}

// Setting the text always counts as one change of the edit, even when the
// text stays the same, so a page-made change never swallows the next
// keystroke.
void CDlgWirelessNew::ShowKey(const std::u16string& text)
{
    if (!m_pKey)
        return;
    const QString q = QString::fromStdU16String(text);
    if (m_pKey->text() == q)
        OnKeyChanged();
    else
        m_pKey->setText(q);
}

void CDlgWirelessNew::OnWlan(bool on)
{
    WCopy(m_pSettings->WirelessEnableText, on ? u"1" : u"0");
    ShowWlan();
    EnableKeyByChoice();
}

void CDlgWirelessNew::OnMode(bool adhoc)
{
    WizardSettings& s = *m_pSettings;
    // Clicking the mode already chosen changes nothing: swapping would hand
    // this mode the other mode's choices.
    if ((s.WirelessMode != 0) == adhoc) {
        SetCheck(adhoc ? m_pAdhoc : m_pInfra, true);
        return;
    }
    s.WirelessMode = adhoc ? 1 : 0;
    ShowMode();
    SwapModeChoices(s, m_nOtherAuth, m_nOtherEnc);
    SelectAuth(s.AuthType);
    ApplySelectEnc(s.EncryptionType);
}

void CDlgWirelessNew::OnAuthChanged()
{
    WizardSettings& s = *m_pSettings;
    if (!m_pAuth || m_pAuth->GetCurSel() < 0)
        return;
    s.AuthType = m_pAuth->currentData().toInt();
    SelectAuth(s.AuthType);
    s.EncryptionType = KeepOrFirstEnc(ItemsOf(m_pEnc), s.EncryptionType);
    ApplySelectEnc(s.EncryptionType);
}

void CDlgWirelessNew::OnEncChanged()
{
    if (!m_pEnc || m_pEnc->GetCurSel() < 0)
        return;
    m_pSettings->EncryptionType = m_pEnc->currentData().toInt();
    ApplySelectEnc(m_pSettings->EncryptionType);
}

void CDlgWirelessNew::OnKeyChanged()
{
    if (m_bKeyArmed)
        m_strKey = m_pKey ? m_pKey->text().toStdU16String() : std::u16string();
    else
        m_bKeyArmed = 1;
}

void CDlgWirelessNew::OnNext()
{
    WirelessNewEntries entries;
    if (m_pSsid)
        entries.ssid = m_pSsid->text().toStdU16String();
    entries.channelData = SelectedData(m_pChannel);
    if (m_pKey)
        entries.key = m_pKey->text().toStdU16String();
    const PageCheck check = ApplyWirelessNewNext(entries, *m_pSettings);
    FinishNext(*this, check, m_pSsid, entries.ssid);
}

void CDlgWirelessNew::OnCommand(int id, int code)
{
    if (!m_pSettings && id != IDC_EXIT && id != IDC_BACK)
        return;
    switch (id) {
    case IDC_NEXT:
        OnNext();
        break;
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
    case IDC_AUTH:
        if (code == CBN_SELCHANGE)
            OnAuthChanged();
        break;
    case IDC_ENC:
        if (code == CBN_SELCHANGE)
            OnEncChanged();
        break;
    case IDC_CHANNEL:
        if (code == CBN_SELCHANGE && m_pSettings->WirelessMode != 0)
            m_pSettings->Channel = SelectedData(m_pChannel);
        break;
    case IDC_KEY:
        if (code == EN_CHANGE)
            OnKeyChanged();
        break;
    default:
        CWizardPage::OnCommand(id, code);
        break;
    }
}

} // namespace orv
