#include "platform/qt/PageWindow.h"

#include "platform/qt/InputHold.h"
#include "platform/qt/WinDefs.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QWindow>

namespace orv {

CPageWindow::CPageWindow(QWidget* host)
    : QWidget(host, Qt::Window | Qt::FramelessWindowHint), m_host(host)
{
    InstallInputHold();
}

CPageWindow::~CPageWindow()
{
    ReleaseCapture();
}

CPageWindow::BusyScope::BusyScope(CPageWindow* page) : m_page(page)
{
    if (page)
        ++page->m_nBusy;
}

CPageWindow::BusyScope::~BusyScope()
{
    if (!m_page)
        return;
    if (--m_page->m_nBusy == 0)
        emit m_page->BecameIdle();
}

CPageWindow* CPageWindow::PageOf(QObject* w)
{
    if (w == nullptr || !w->isWidgetType())
        return nullptr;
    return qobject_cast<CPageWindow*>(static_cast<QWidget*>(w)->window());
}

void CPageWindow::SendCommand(int id, int code)
{
    // Controls the page changes from its own handlers notify it at once, so
    // a busy page still hears them.
    BusyScope busy(this);
    OnCommand(id, code);
}

void CPageWindow::SendNotify(int id, int code)
{
    BusyScope busy(this);
    OnNotify(id, code);
}

bool CPageWindow::PostNavigation(int code)
{
    return PostMessage(m_host, WM_PAGE_NAV, code, reinterpret_cast<intptr_t>(this));
}

void CPageWindow::SetTimer(int id, int periodMs)
{
    KillTimer(id);
    const int qtId = startTimer(periodMs < 0 ? 0 : periodMs);
    if (qtId != 0)
        m_timers[id] = qtId;
}

void CPageWindow::KillTimer(int id)
{
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return;
    killTimer(it->second);
    m_timers.erase(it);
}

void CPageWindow::timerEvent(QTimerEvent* e)
{
    for (const auto& [id, qtId] : m_timers)
        if (qtId == e->timerId()) {
            // A tick that finds the page busy is skipped, so a timer never
            // starts a second step inside the first or inside a box.
            if (Busy())
                return;
            BusyScope busy(this);
            OnTimer(id);
            return;
        }
    QWidget::timerEvent(e);
}

// No pointer grab: on X11 that would lock the mouse of every program on the
// desktop. The input filter keeps the buttons from the page instead.
void CPageWindow::SetCapture()
{
    m_captured = true;
}

void CPageWindow::ReleaseCapture()
{
    m_captured = false;
}

bool CPageWindow::event(QEvent* e)
{
    if (e->type() != PostedMessageEvent::EventType())
        return QWidget::event(e);
    const auto* m = static_cast<PostedMessageEvent*>(e);
    if (m->Msg() == WM_COMMAND_MSG) {
        // A click that reached the queue while the page was busy (or a box of
        // its own was open) is dropped: run now it would act on a page that
        // has moved on, or open a second box inside the first.
        if (Busy())
            return true;
        BusyScope busy(this);
        OnCommand(LowWord(m->WParam()), HighWord(m->WParam()));
    } else {
        BusyScope busy(this);
        OnMessage(m->Msg(), m->WParam(), m->LParam());
    }
    return true;
}

// The close box (or the window manager's close) means Exit: the host decides
// and destroys the page; the page itself stays.
void CPageWindow::closeEvent(QCloseEvent* e)
{
    e->ignore();
    PostNavigation(kNavExit);
}

void CPageWindow::mousePressEvent(QMouseEvent* e)
{
    if (!m_dragBySurface || e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    // Prefer the window system's own move; fall back to moving by hand.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = e->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CPageWindow::mouseMoveEvent(QMouseEvent* e)
{
    if (m_dragging && (e->buttons() & Qt::LeftButton))
        move(e->globalPosition().toPoint() - m_dragOffset);
    else
        QWidget::mouseMoveEvent(e);
}

void CPageWindow::mouseReleaseEvent(QMouseEvent* e)
{
    if (m_dragging && e->button() == Qt::LeftButton)
        m_dragging = false;
    else
        QWidget::mouseReleaseEvent(e);
}

} // namespace orv
