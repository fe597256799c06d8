// The list page's rows and pick: filling rows from the found cameras, taking
// a pick from the selected row, and handing the pick to the settings block.
#include <QAbstractItemModel>

#include "pages/DlgListCam.h"
#include "platform/qt/ListCtrl.h"

namespace orv {

namespace {

bool Has(const std::u16string& text, std::u16string_view part)
{
    return text.find(part) != std::u16string::npos;
}

} // namespace

std::u16string CDlgListCam::ColumnText(const std::u16string& title, const RowTexts& row)
{
    // "IP" first: a title naming both MAC and IP shows the address.
    if (Has(title, u"IP"))
        return row.ip;
    if (Has(title, u"MAC"))
        return row.mac;
    if (Has(title, u"Model"))
        return row.model;
    if (Has(title, u"Name"))
        return row.name;
    // A column the rules do not name stays empty rather than repeating its
    // neighbour's text.
    return {};
}

void CDlgListCam::AppendNewRows()
{
    if (!m_pEngine)
        return;
    // A burst of thousands of replies is shown over a few ticks, so no tick
    // keeps the user-interface thread long.
    const int32_t total = std::min(m_pEngine->CountRecords(), m_nShown + kRowsPerTick);
    const int32_t fresh = total - m_nShown;
    // Rows exist only through column 0: without its title nothing is listed.
    if (fresh <= 0 || !m_pList || m_szColumnTitle[0].empty()) {
        m_nShown = std::max(m_nShown, total);
        return;
    }
    // The whole batch goes in at the top in one step; the camera that
    // answered last ends up in row 0, as one insert per camera would leave it.
    m_pList->setUpdatesEnabled(false);
    m_pList->model()->insertRows(0, fresh);
    for (int32_t j = 0; j < fresh; ++j) {
        const int32_t i = m_nShown + j;
        const int row = fresh - 1 - j;
        m_pEngine->SelectRecord(i);
        RowTexts texts;
        texts.model = m_pEngine->GetSelModel();
        texts.ip = m_pEngine->GetSelIpText();
        texts.mac = m_pEngine->GetSelMacText();
        texts.name = m_pEngine->GetSelName();
        for (int c = 0; c < kMaxColumns && c < m_pList->columnCount(); ++c) {
            const std::u16string& title = m_szColumnTitle[static_cast<std::size_t>(c)];
            if (title.empty())
                continue;
            m_pList->setItem(row, c,
                new QTableWidgetItem(QString::fromStdU16String(ColumnText(title, texts))));
        }
    }
    m_pList->setUpdatesEnabled(true);
    m_nShown = total;
}

void CDlgListCam::OnItemChanged()
{
    if (!m_pList || !m_pEngine)
        return;
    int macColumn = 0;
    for (int c = 0; c < kMaxColumns; ++c)
        if (Has(m_szColumnTitle[static_cast<std::size_t>(c)], u"MAC"))
            macColumn = c;
    const std::vector<int> rows = m_pList->SelectedRows();
    if (rows.empty())
        return;
    const std::u16string text = m_pList->GetItemText(rows.back(), macColumn).toStdU16String();
    const int32_t count = m_pEngine->CountRecords();
    for (int32_t i = 0; i < count; ++i) {
        m_pEngine->SelectRecord(i);
        if (m_pEngine->GetSelMacText() != text)
            continue;
        m_nSelKind = 2;
        m_strSelIP = m_pEngine->GetSelIpText();
        m_nLinkPort = m_pEngine->GetSelWebPort();
        m_nSelRecord = i;
        if (m_pBtn.back() && m_pSettings && m_pSettings->WpsShow == 1)
            ShowWpsButton(Has(m_pEngine->GetSelModel(), u"Q47"));
    }
}

int CDlgListCam::PrepareSelected()
{
    // The pick is cleared by every search, so it always names a listed
    // record; the check keeps a stale index from reading past the list.
    if (!m_pEngine || !m_pSettings || m_nSelRecord < 0 || m_nSelRecord >= m_pEngine->CountRecords())
        return 0;
    const int r = Session().PrepareSelected(m_nSelRecord);
    m_pSettings->Kind = m_nSelKind;
    return r;
}

void CDlgListCam::ResetSettings()
{
    if (!m_pSettings)
        return;
    WizardSettings& s = *m_pSettings;
    for (wchar* text : {s.CameraName, s.MacText, s.AdminID, s.AdminPwd, s.NewID, s.NewPwd, s.ConfirmPwd,
             s.CameraIP, s.SubnetMask, s.Gateway, s.PrimaryDNS, s.SecondaryDNS, s.ESSID, s.WEPKey1, s.WEPKey2,
             s.WEPKey3, s.WEPKey4, s.PassKey})
        text[0] = 0;
    s.Kind = s.Family = s.WebPort = s.WlanEnabled = s.WpsChosen = 0;
    for (int32_t& code : s.Capabilities)
        code = 0;
    s.WpsShow = s.OnlyWirelessNew = 0;

    const CProfileFile& ini = Profile();
    if (!s.UiFont.Created) {
        FontDescription font;
        WCopy(font.FaceName, 32, ini.GetString(u"Main.Font", u"Font_Style", u"Arial").c_str());
        font.Height = ini.GetInt(u"Main.Font", u"Font_Size", 14);
        int weight = ini.GetInt(u"Main.Font", u"Font_Weight", 4);
        if (weight < 0 || weight > 9)
            weight = 4;
        font.Weight = weight * 100;
        font.Created = true;
        s.UiFont = font;
    }
    s.WpsShow = ini.GetInt(u"Main.Page", u"WPS_Show", 0);
    s.OnlyWirelessNew = ini.GetInt(u"Main.Page", u"ONLY_WIRELLESSNEW", 0);
}

} // namespace orv
