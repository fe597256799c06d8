#include "pages/SummaryPage.h"

#include "app/PageFlow.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "skin/PicText.h"

namespace orv {

namespace {

struct Ctrl {
    int id;
    const char* name;
};

constexpr int kIdAdmId = 1101, kIdAdmPwd = 1102;
constexpr int kIdAddress[5] = {1106, 1107, 1108, 1109, 1110};
constexpr int kIdWireless = 1207, kIdSsid = 1113, kIdChannel = 1114;
constexpr int kIdKeys[5] = {1115, 1116, 1117, 1118, 1119}; // KEY1..KEY4, PKEY
constexpr int kIdAuth = 1401, kIdEncrypt = 1402, kIdKey = 1115;

const Ctrl kCommonEdits[] = {{kIdAdmId, "ADMID"},       {kIdAdmPwd, "ADMPWD"}, {1106, "IPADDR"},
                             {1107, "SUBMASK"},         {1108, "GATEWAY"},     {1109, "PRIDNS"},
                             {1110, "SECDNS"}};
const Ctrl kWirelessEdits[] = {{kIdWireless, "Wireless"}, {kIdSsid, "SSID"}, {kIdChannel, "CHANNEL"}};
const Ctrl kOlderEdits[] = {{1115, "KEY1"}, {1116, "KEY2"}, {1117, "KEY3"}, {1118, "KEY4"}, {1119, "PKEY"}};
const Ctrl kNewerEdits[] = {{kIdAuth, "AUTH"}, {kIdEncrypt, "ENCRYPT"}, {kIdKey, "KEY"}};

const Ctrl kCommonTexts[] = {{1309, "LABADMID"},   {1310, "LABADMPWD"}, {1304, "LABIPADDR"}, {1305, "LABSUBMASK"},
                             {1306, "LABGATEWAY"}, {1307, "LABPRIDNS"}, {1308, "LABSECDNS"}};
const Ctrl kWirelessTexts[] = {{1311, "LABWireless"}, {1312, "LABSSID"}, {1313, "LABCHANNEL"}};
const Ctrl kOlderTexts[] = {{1314, "LABKEY1"}, {1315, "LABKEY2"}, {1316, "LABKEY3"}, {1317, "LABKEY4"},
                            {1318, "LABPKEY"}};
const Ctrl kNewerTexts[] = {{1315, "LABAUTH"}, {1316, "LABENCRYPT"}, {1314, "LABKEY1"}};

const char* SkinPageName(SummaryPage kind)
{
    switch (kind) {
    case SummaryPage::NetWork: return "DlgNetWorkFinish";
    case SummaryPage::Wireless: return "DlgWirelessFinish";
    default: return "DlgWirelessFinishNEW";
    }
}

// Calls `f` for every edit (edits == true) or text of the page, in creation
// order.
template <class F>
void ForEachCtrl(SummaryPage kind, bool edits, F f)
{
    auto each = [&](const auto& table) {
        for (const Ctrl& c : table)
            f(c);
    };
    each(edits ? kCommonEdits : kCommonTexts);
    if (kind == SummaryPage::NetWork)
        return;
    each(edits ? kWirelessEdits : kWirelessTexts);
    if (kind == SummaryPage::Wireless)
        each(edits ? kOlderEdits : kOlderTexts);
    else
        each(edits ? kNewerEdits : kNewerTexts);
}

} // namespace

QString FieldText(const wchar* field, std::size_t cap)
{
    return QString::fromUtf16(field, static_cast<qsizetype>(WLen(field, cap)));
}

void ApplyUiFontToText(CWizardPage& page, int id)
{
    const WizardSettings* s = page.Settings();
    if (!s || !s->UiFont.Created)
        return;
    if (auto* text = page.FindCtrlAs<CPicText>(id)) {
        text->SelectFont(MakeUiFont(s->UiFont));
        text->Redraw();
    }
}

CSummaryPage::CSummaryPage(int templateId, SummaryPage kind, QWidget* host)
    : CWizardPage(templateId, host), m_kind(kind)
{
}

bool CSummaryPage::OnInitDialog()
{
    const QString page = QLatin1String(SkinPageName(m_kind));
    const QString prefix = page + QLatin1Char('.');
    SetupSkinPaths(page);
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_BACK, prefix + QStringLiteral("Back"));
    AddPicButton(IDC_NEXT, prefix + QStringLiteral("Next"));
    // The older wireless summary has no way out but back or on.
    if (m_kind != SummaryPage::Wireless)
        AddPicButton(IDC_EXIT, prefix + QStringLiteral("Exit"));
    ForEachCtrl(m_kind, true, [&](const Ctrl& c) { AddEdit(prefix + QLatin1String(c.name), c.id); });
    ForEachCtrl(m_kind, false, [&](const Ctrl& c) { AddPicText(prefix + QLatin1String(c.name), c.id, 1, 0); });
    return true;
}

void CSummaryPage::SetEditText(int id, const QString& text)
{
    if (auto* edit = FindCtrlAs<CEdit>(id))
        edit->setText(text);
}

QString CSummaryPage::EditText(int id) const
{
    const auto* edit = FindCtrlAs<CEdit>(id);
    return edit ? edit->text() : QString();
}

void CSummaryPage::InitFromSettings(WizardSettings* settings)
{
    CWizardPage::InitFromSettings(settings);
    if (!m_pSettings)
        return;
    const WizardSettings& s = *m_pSettings;
    const auto address = SummaryAddressTexts(s, m_kind);
    for (int i = 0; i < 5; ++i)
        SetEditText(kIdAddress[i], QString::fromStdU16String(address[static_cast<std::size_t>(i)]));
    SetEditText(kIdAdmId, FieldText(s.AdminID, std::size(s.AdminID)));
    SetEditText(kIdAdmPwd, QString::fromStdU16String(SummaryPasswordText(s)));
    if (m_kind != SummaryPage::NetWork) {
        SetEditText(kIdWireless, QString::fromStdU16String(SummaryWirelessText(s)));
        SetEditText(kIdSsid, FieldText(s.ESSID, std::size(s.ESSID)));
        SetEditText(kIdChannel, QString::fromStdU16String(SummaryChannelText(s, m_kind)));
    }
    if (m_kind == SummaryPage::Wireless) {
        const wchar* const keys[5] = {s.WEPKey1, s.WEPKey2, s.WEPKey3, s.WEPKey4, s.PassKey};
        const std::size_t caps[5] = {std::size(s.WEPKey1), std::size(s.WEPKey2), std::size(s.WEPKey3),
                                     std::size(s.WEPKey4), std::size(s.PassKey)};
        for (int i = 0; i < 5; ++i)
            SetEditText(kIdKeys[i], FieldText(keys[i], caps[i]));
    } else if (m_kind == SummaryPage::WirelessNew) {
        SetEditText(kIdAuth, QString::fromStdU16String(SummaryAuthText(s.AuthType)));
        SetEditText(kIdEncrypt, QString::fromStdU16String(SummaryEncryptText(s.EncryptionType)));
        SetEditText(kIdKey, QString::fromStdU16String(SummaryKeyText(s)));
    }
    ForEachCtrl(m_kind, true, [&](const Ctrl& c) { ApplyUiFont(c.id); });
    ForEachCtrl(m_kind, false, [&](const Ctrl& c) { ApplyUiFontToText(*this, c.id); });
}

void CSummaryPage::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        ApplyToCamera();
    else
        CWizardPage::OnCommand(id, code);
}

int CSummaryPage::ApplyToCamera()
{
    if (!m_pSettings || !m_pEngine)
        return kPageFailed;
    CWaitCursor wait;
    WizardSettings& s = *m_pSettings;
    if (m_kind == SummaryPage::NetWork) {
        // Whatever the address edits hold now is what the camera gets.
        wchar* const fields[5] = {s.CameraIP, s.SubnetMask, s.Gateway, s.PrimaryDNS, s.SecondaryDNS};
        for (int i = 0; i < 5; ++i)
            WCopy(fields[i], 64, EditText(kIdAddress[i]).toStdU16String());
    }
    CameraSession& session = Session();
    // The camera's waits are slept by the step's worker; the page stays busy
    // meanwhile.
    session.m_Sleep = [this](int ms) { SleepForCamera(ms); };
    session.m_bKeepTransportResult = m_kind == SummaryPage::WirelessNew;
    const bool wireless = m_kind != SummaryPage::NetWork;
    const int result = RunCameraStep([&session, wireless] { return session.ApplySettings(wireless); });
    if (result == -1) {
        PostNavigation(kNavNext);
        return -1;
    }
    const int32_t message = SummaryResultMessage(m_kind, result, session.m_nMsgCode);
    if (message != 0)
        ShowMessage(message, MB_ICONEXCLAMATION);
    else
        AfxMessageBox(SummaryGenericText(static_cast<uint32_t>(result)), MB_OK, this);
    return result;
}

} // namespace orv
