#include "pages/DlgWirelessKey.h"

#include "app/PageFlow.h"
#include "pages/WirelessChecks.h"
#include "pages/WirelessLogic.h"
#include "pages/WirelessPageCommon.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

namespace {

// Items the skin gives these lists stay ahead of the camera's entries.
void AppendItems(CComboBox* combo, const ItemList& items, int select)
{
    if (!combo)
        return;
    for (const ListItem& item : items)
        combo->addItem(QString::fromStdU16String(item.text), item.data);
    combo->SetCurSel(select);
}

QString Text(const wchar* field, std::size_t cap)
{
    return QString::fromStdU16String(std::u16string(field, WLen(field, cap)));
}

std::u16string TextOf(const QWidget* w)
{
    if (const auto* combo = dynamic_cast<const CComboBox*>(w))
        return combo->currentText().toStdU16String();
    if (const auto* edit = dynamic_cast<const CEdit*>(w))
        return edit->text().toStdU16String();
    return {};
}

} // namespace

CDlgWirelessKey::CDlgWirelessKey(QWidget* host) : CWizardPage(res::kDlgWirelessKey, host) {}

bool CDlgWirelessKey::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgWirelessKey"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgWirelessKey.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgWirelessKey.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgWirelessKey.Next"));
    AddComboBox(QStringLiteral("DlgWirelessKey.KEYLEN"), IDC_KEYLEN);
    AddComboBox(QStringLiteral("DlgWirelessKey.KEYFORMAT"), IDC_KEYFORMAT);
    AddComboBox(QStringLiteral("DlgWirelessKey.DEFKEY"), IDC_DEFKEY);
    for (int k = 0; k < 4; ++k)
        AddEdit(QStringLiteral("DlgWirelessKey.KEY%1").arg(k + 1), IDC_KEY1 + k);
    AddEdit(QStringLiteral("DlgWirelessKey.PKEY"), IDC_PKEY);

    m_pKeyLen = FindCtrlAs<CComboBox>(IDC_KEYLEN);
    m_pKeyFormat = FindCtrlAs<CComboBox>(IDC_KEYFORMAT);
    m_pDefKey = FindCtrlAs<CComboBox>(IDC_DEFKEY);
    for (int k = 0; k < 4; ++k)
        m_pKey[k] = FindCtrlAs<CEdit>(IDC_KEY1 + k);
    m_pPassKey = FindCtrlAs<CEdit>(IDC_PKEY);
    return true;
}

void CDlgWirelessKey::InitFromSettings(WizardSettings* settings)
{
    CWizardPage::InitFromSettings(settings);
    if (!m_pSettings)
        return;
    WizardSettings& s = *m_pSettings;
    for (int id : {IDC_KEYLEN, IDC_KEYFORMAT, IDC_DEFKEY, IDC_KEY1, IDC_KEY1 + 1, IDC_KEY1 + 2, IDC_KEY1 + 3, IDC_PKEY})
        ApplyUiFont(id);

    AppendItems(m_pKeyLen, FillKeyLenList(s.WEPKeyLenText), s.KeyLength);
    AppendItems(m_pKeyFormat, FillKeyFormatList(s.WEPKeyFormatText), s.KeyFormat);
    AppendItems(m_pDefKey, FillDefKeyList(s.WEPdefaultKeyText), s.DefaultKeyIndex);
    for (int k = 0; k < 4; ++k) {
        if (m_pKey[k])
            m_pKey[k]->setText(Text(WepSlot(s, k), 64));
    }
    if (m_pPassKey)
        m_pPassKey->setText(Text(s.PassKey, sizeof(s.PassKey) / sizeof(s.PassKey[0])));
    EnableByState();
}

void CDlgWirelessKey::EnableByState()
{
    const WizardSettings& s = *m_pSettings;
    const bool on = WlanOnByNumber(s.WirelessEnableText);
    if (on && s.EncryptionType != 0 && s.EncryptionType != 1 && s.EncryptionType != 4)
        return; // a type this page has no keys for: left as created
    const bool wep = on && s.EncryptionType == 1;
    const bool wpa = on && s.EncryptionType == 4;
    for (QWidget* w : {static_cast<QWidget*>(m_pKeyLen), static_cast<QWidget*>(m_pKeyFormat),
                       static_cast<QWidget*>(m_pDefKey)})
        SetEnabled(w, wep);
    for (CEdit* edit : m_pKey)
        SetEnabled(edit, wep);
    SetEnabled(m_pPassKey, wpa);
}

void CDlgWirelessKey::FocusAndSelect(int id)
{
    if (auto* edit = FindCtrlAs<CEdit>(id)) {
        edit->setFocus();
        edit->selectAll();
    }
}

void CDlgWirelessKey::OnDefaultKeyChanged()
{
    const int32_t slot = FindSlot(kDefKeyNames, TextOf(m_pDefKey));
    if (slot >= 0 && slot < 4)
        FocusAndSelect(IDC_KEY1 + slot);
}

void CDlgWirelessKey::OnNext()
{
    WirelessKeyEntries entries;
    entries.keyLenText = TextOf(m_pKeyLen);
    entries.keyFormatText = TextOf(m_pKeyFormat);
    entries.defKeyText = TextOf(m_pDefKey);
    for (int k = 0; k < 4; ++k)
        entries.keys[k] = TextOf(m_pKey[k]);
    entries.passKey = TextOf(m_pPassKey);
    const PageCheck check = ApplyWirelessKeyNext(entries, *m_pSettings);
    if (!check.proceed) {
        if (check.message)
            ShowMessage(check.message, MB_ICONEXCLAMATION);
        if (check.focusId)
            FocusAndSelect(check.focusId);
        return;
    }
    PostNavigation(kNavNext);
}

void CDlgWirelessKey::OnCommand(int id, int code)
{
    if (id == IDC_NEXT) {
        if (m_pSettings)
            OnNext();
    } else if (id == IDC_DEFKEY) {
        if (code == CBN_SELCHANGE)
            OnDefaultKeyChanged();
    } else {
        CWizardPage::OnCommand(id, code);
    }
}

} // namespace orv
