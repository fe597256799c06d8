#include "app/OrvantaDlg.h"

#include <QEventLoop>
#include <QImage>
#include <QPixmap>

#include "app/PageFactory.h"
#include "app/PageFlow.h"
#include "pages/WizardPage.h"
#include "platform/qt/PostedMessage.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

namespace {

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        const res::IconImage image = res::DrawProgramIcon(size);
        QImage picture(size, size, QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                picture.setPixel(x, y, image.argb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(size)) + static_cast<std::size_t>(x)]);
        icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

} // namespace

COrvantaDlg::COrvantaDlg() : QWidget(nullptr), m_hIcon(ProgramIcon())
{
    setWindowTitle(QStringLiteral("Orvanta"));
    setWindowIcon(m_hIcon);
}

COrvantaDlg::~COrvantaDlg()
{
    // The page goes first: it may still refer to the engine and settings.
    DestroyCurrentPage();
}

void COrvantaDlg::DestroyCurrentPage()
{
    delete m_pCurPage;
    m_pCurPage = nullptr;
    // What the page asked for dies with it.
    m_deferredNav.clear();
}

void COrvantaDlg::WatchPage(CWizardPage* page)
{
    connect(page, &CPageWindow::BecameIdle, this, &COrvantaDlg::RunDeferredNavigation, Qt::QueuedConnection);
}

void COrvantaDlg::RunDeferredNavigation()
{
    while (!m_deferredNav.empty() && m_pCurPage && !m_pCurPage->Busy()) {
        const CWizardPage* before = m_pCurPage;
        const int code = m_deferredNav.front();
        m_deferredNav.erase(m_deferredNav.begin());
        OnNavigate(code);
        if (m_pCurPage != before)
            return; // a new page: the rest was asked of the old one
    }
}

bool COrvantaDlg::OnInitDialog()
{
    hide();
    auto* page = static_cast<CWizardPage*>(NewPage(kPageListCam, this));
    if (!page || !page->Create()) {
        delete page;
        return false;
    }
    page->setWindowIcon(m_hIcon);
    m_pCurPage = page;
    m_nPageState = kPageListCam;
    page->SetEngine(&m_Engine);
    page->StartListPage(&m_Settings);
    WatchPage(page);

    // Centred on the part of the screen windows may use, on the screen the
    // user is working on.
    const QRect area = ScreenArea();
    const QSize size = page->size();
    page->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
    page->show();
    page->raise();
    return true;
}

int COrvantaDlg::DoModal()
{
    if (!OnInitDialog())
        return IDCANCEL;
    if (!m_bEnded) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }
    return m_nResult;
}

void COrvantaDlg::EndDialog(int result)
{
    m_nResult = result;
    m_bEnded = true;
    if (m_loop)
        m_loop->exit(result);
}

bool COrvantaDlg::event(QEvent* e)
{
    if (e->type() == PostedMessageEvent::EventType()) {
        const auto* msg = static_cast<PostedMessageEvent*>(e);
        if (msg->Msg() == WM_PAGE_NAV) {
            // A page that is gone asks for nothing any more.
            const auto* from = reinterpret_cast<const CWizardPage*>(msg->LParam());
            if (from != nullptr && from != m_pCurPage)
                return true;
            // A busy page (a handler, box or camera step of its own still
            // running) is not replaced under itself: its request waits.
            if (m_pCurPage && m_pCurPage->Busy()) {
                m_deferredNav.push_back(static_cast<int>(msg->WParam()));
                return true;
            }
            OnNavigate(static_cast<int>(msg->WParam()));
            return true;
        }
        if (msg->Msg() == WM_COMMAND_MSG && LowWord(msg->WParam()) == IDOK) {
            EndDialog(IDOK);
            return true;
        }
    }
    return QWidget::event(e);
}

int COrvantaDlg::OnNavigate(int code)
{
    FlowHost host;
    host.wpsResult = m_nWpsResult;
    if (m_pCurPage && (m_nPageState == kPageWpsDirect || m_nPageState == kPageWpsFollow))
        host.pageWpsResult = m_pCurPage->WpsResult();

    const FlowDecision d = DecideNavigation(m_nPageState, code, m_Settings, host);
    if (d.action == FlowAction::Ignore)
        return 0;
    if (d.action == FlowAction::Exit) {
        DestroyCurrentPage();
        PostMessage(this, WM_COMMAND_MSG, IDOK, 0);
        return 0;
    }

    if (d.before.hostWpsResult)
        m_nWpsResult = *d.before.hostWpsResult;
    if (d.before.wpsChosen)
        m_Settings.WpsChosen = *d.before.wpsChosen;

    CWizardPage* page = NewPage(d.page, this);
    if (!page || !page->Create()) {
        delete page;
        return 0;
    }
    page->setWindowIcon(m_hIcon);
    if (d.afterCreate.hostWpsResult)
        m_nWpsResult = *d.afterCreate.hostWpsResult;
    if (d.afterCreate.wpsChosen)
        m_Settings.WpsChosen = *d.afterCreate.wpsChosen;

    const PageInfo* info = d.info ? d.info : FindPageInfo(d.page);
    if (info && info->directMode >= 0)
        page->SetDirectMode(info->directMode);
    if (info && info->givesEngine)
        page->SetEngine(&m_Engine);
    if (d.page == kPageListCam)
        page->StartListPage(&m_Settings);
    else if (info && info->givesSettings)
        page->InitFromSettings(&m_Settings);
    if (d.presetPageWpsResult)
        page->SetWpsResult(d.pageWpsResult);

    WatchPage(page);
    ShowPage(page, d.page);
    return 0;
}

void COrvantaDlg::ShowPage(CWizardPage* page, int32_t code)
{
    if (m_pCurPage)
        page->move(m_pCurPage->pos());
    page->show();
    page->raise();
    DestroyCurrentPage();
    m_pCurPage = page;
    m_nPageState = code;
}

} // namespace orv
