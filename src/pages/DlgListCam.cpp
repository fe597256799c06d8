#include "pages/DlgListCam.h"

#include <QElapsedTimer>

#include "app/PageFlow.h"
#include "platform/qt/ListCtrl.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"
#include "skin/PicButton.h"
#include "skin/core/BuiltinMessages.h"

namespace orv {

namespace {

constexpr char16_t kListSection[] = u"DlgListCam.ListCtrl";
constexpr uint32_t kStyleWithHeader = 0x50000001;
constexpr uint32_t kStyleNoHeader = 0x50004005;
// m_pBtn: 1001, then 1003 onwards.
constexpr int kFirstButton = 1003;

QString Q(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

} // namespace

CDlgListCam::CDlgListCam(QWidget* host) : CWizardPage(res::kDlgListCam, host) {}

CDlgListCam::~CDlgListCam()
{
    // The search worker may still be running: it writes only into the
    // engine, which outlives the page, so nothing here waits for it.
    KillTimer(kSearchTimer);
    ReleaseCapture();
    ShowWaitCursor(false);
}

bool CDlgListCam::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgListCam"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgListCam.Exit"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgListCam.Next"));
    AddPicButton(kIdSearch, QStringLiteral("DlgListCam.Search"));
    AddPicButton(kIdLink, QStringLiteral("DlgListCam.Link"));
    AddPicButton(kIdAbout, QStringLiteral("DlgListCam.MAbout"));
    AddPicButton(kIdWps, QStringLiteral("DlgListCam.WPS"));

    const CProfileFile& ini = Profile();
    m_listFont = QFont(Q(ini.GetString(kListSection, u"Font_Style", u"Arial")));
    const int size = ini.GetInt(kListSection, u"Font_Size", 14);
    if (size > 0)
        m_listFont.setPixelSize(size);

    const bool header = ini.GetInt(kListSection, u"header_enable", 0) != 0;
    AddListCtrl(header ? kStyleWithHeader : kStyleNoHeader);
    m_pList = FindCtrlAs<CListCtrl>(kIdList);
    if (m_pList) {
        m_pList->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        m_pList->setFont(m_listFont);
    }
    ReadColumns();

    m_strSelIP.clear();
    m_nLinkPort = 80;

    m_pBtn[0] = FindCtrl(IDC_EXIT);
    for (std::size_t i = 1; i < m_pBtn.size(); ++i)
        m_pBtn[i] = FindCtrl(kFirstButton + static_cast<int>(i) - 1);
    ShowWpsButton(false);
    return true;
}

void CDlgListCam::ReadColumns()
{
    const CProfileFile& ini = Profile();
    for (auto& title : m_szColumnTitle)
        title.clear();
    const int count = ini.GetInt(kListSection, u"count", 0);
    for (int n = 0; n < count; ++n) {
        const std::u16string prefix = U16(std::to_string(n));
        const std::u16string title = ini.GetString(kListSection, prefix + u".column", u"");
        const int width = ini.GetInt(kListSection, prefix + u".width", 0);
        int index = ini.GetInt(kListSection, prefix + u".index", -1);
        if (index == -1)
            index = n;
        if (index < 0)
            continue;
        if (m_pList)
            m_pList->InsertColumn(index, Q(title), width);
        // Titles past the table cannot be shown as rows are filled by title.
        if (index < kMaxColumns)
            m_szColumnTitle[static_cast<std::size_t>(index)] = title;
    }
}

void CDlgListCam::StartListPage(WizardSettings* settings)
{
    m_pSettings = settings;
    OnSearch();
    ResetSettings();
}

void CDlgListCam::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_EXIT:
    case kIdExitAlt:
        PostNavigation(kNavExit);
        return;
    case IDC_NEXT:
    case kIdNextAlt:
        OnNext();
        return;
    case kIdSearch:
        OnSearch();
        return;
    case kIdLink:
        OnLink();
        return;
    case kIdUnused:
        PostNavigation(1527);
        return;
    case kIdAbout:
        PostNavigation(kNavAbout);
        return;
    case kIdWps:
        OnWps();
        return;
    default:
        (void)code;
        return;
    }
}

void CDlgListCam::OnNotify(int id, int code)
{
    if (id == kIdList && code == LVN_ITEMCHANGED)
        OnItemChanged();
}

void CDlgListCam::OnSearch()
{
    // The search empties the engine's list: a pick from before must not
    // point into it any more.
    ClearPick();
    m_nShown = 0;
    m_nLongestTickNs = 0;
    if (m_pEngine)
        m_pEngine->StartSearch();
    SetTimer(kSearchTimer, kTickMs);
    if (m_pList) {
        m_pList->DeleteAllItems();
        m_pList->setEnabled(false);
    }
    SetControlsEnabled(false);
    ShowWpsButton(false);
}

void CDlgListCam::OnTimer(int id)
{
    ShowWaitCursor(true);
    if (!m_bCaptured) {
        SetCapture();
        m_bCaptured = true;
    }
    if (id != kSearchTimer)
        return;
    QElapsedTimer clock;
    clock.start();
    bool searching = false;
    if (m_pEngine) {
        std::lock_guard lock(m_pEngine->m_csDone);
        if ((m_pEngine->m_nDone & 15u) == 15u)
            m_pEngine->m_bSearching = 0;
        searching = m_pEngine->m_bSearching == 1;
    }
    AppendNewRows();
    if (!searching && (!m_pEngine || m_nShown >= m_pEngine->CountRecords()))
        FinishSearch();
    m_nLongestTickNs = std::max(m_nLongestTickNs, clock.nsecsElapsed());
}

void CDlgListCam::FinishSearch()
{
    KillTimer(kSearchTimer);
    if (m_pList)
        m_pList->setEnabled(true);
    SetControlsEnabled(true);
    ReleaseCapture();
    m_bCaptured = false;
    ShowWaitCursor(false);
    if (m_pEngine && m_pEngine->CountRecords() > 0 && m_pList && m_pList->GetItemCount() > 0) {
        m_pList->SetItemSelected(0, true);
        m_pList->setFocus();
    }
    // A search that found nothing says why that may be, once: the timer that
    // led here is stopped, so the next word comes only with the next search.
    if (m_pEngine && m_pEngine->CountRecords() == 0)
        ShowMessage(kMsgNoCameraFound, MB_OK | MB_ICONINFORMATION);
}

void CDlgListCam::SetControlsEnabled(bool on)
{
    // 1011 (WPS) is shown or hidden by the pick instead.
    for (std::size_t i = 0; i + 1 < m_pBtn.size(); ++i) {
        QWidget* w = m_pBtn[i];
        if (!w)
            continue;
        if (auto* pic = dynamic_cast<CPicButton*>(w)) {
            pic->m_bDisabled = on ? 0 : 1;
            pic->DrawState();
        } else {
            w->setEnabled(on);
        }
    }
}

void CDlgListCam::ShowWpsButton(bool show)
{
    if (QWidget* wps = m_pBtn.back())
        wps->setVisible(show);
}

void CDlgListCam::ClearPick()
{
    m_strSelIP.clear();
    m_nSelKind = 0;
    m_nSelRecord = 0;
    m_nLinkPort = 80;
}

void CDlgListCam::OnLink()
{
    if (m_strSelIP.empty())
        return;
    const std::u16string url = u"http://" + m_strSelIP + u":" + U16(std::to_string(m_nLinkPort));
    OpenUrl(url);
}

void CDlgListCam::OnNext()
{
    if (m_strSelIP.empty())
        return;
    CWaitCursor wait;
    if (RunCameraStep([this] { return PrepareSelected(); }) == -1)
        PostNavigation(kNavNext);
}

void CDlgListCam::OnWps()
{
    if (m_strSelIP.empty())
        return;
    CWaitCursor wait;
    if (RunCameraStep([this] { return PrepareSelected(); }) != -1)
        return;
    m_pSettings->AdminID[0] = 0;
    m_pSettings->AdminPwd[0] = 0;
    PostNavigation(kNavWps);
}

} // namespace orv
