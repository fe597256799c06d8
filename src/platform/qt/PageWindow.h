#pragma once
// A wizard page window: a frameless top-level window that is dragged by any
// point of its surface that is not a control, reports its close box as the
// Exit navigation, receives commands from its controls by control id, and has
// window timers by id. The host that receives the page's navigation messages
// is the page's QObject parent (or the object given to SetHost).
//
// A page is busy while one of its handlers, message boxes or camera steps
// runs. While it is busy, user input to it is held back (dropped, never
// queued for later), commands posted to it are dropped, its timers do not
// fire and its host does not act on its navigation until it is idle again:
// a page is never destroyed under a handler of its own, and nothing runs
// inside an open box.
#include "platform/qt/PostedMessage.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <map>

namespace orv {

class CPageWindow : public QWidget {
    Q_OBJECT
public:
    explicit CPageWindow(QWidget* host = nullptr);
    ~CPageWindow() override;

    // Receiver of the page's navigation messages (default: the parent).
    void SetHost(QObject* host) { m_host = host; }
    QObject* Host() const { return m_host; }

    // Posts WM_PAGE_NAV (code, this page) to the host.
    bool PostNavigation(int code);
    // Delivers a command now, as a control sends it (push buttons, edits,
    // drop-down lists); picture controls post theirs instead.
    void SendCommand(int id, int code = 0);
    void SendNotify(int id, int code);

    // Window timers: setting an id that runs already restarts it with the
    // new period. Each expiry calls OnTimer(id), except while the page is
    // busy (that expiry is skipped).
    void SetTimer(int id, int periodMs);
    void KillTimer(int id);
    bool HasTimer(int id) const { return m_timers.count(id) != 0; }

    // Mouse capture for the page: until ReleaseCapture (or destruction) every
    // mouse button on the page and its controls is taken by the page itself
    // and does nothing. The capture is the program's own; other programs on
    // the desktop keep their mouse.
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const { return m_captured; }

    // Whether pressing the surface drags the page (off for pages that do not
    // answer the hit test as a caption).
    void SetDragBySurface(bool on) { m_dragBySurface = on; }

    // Busy state (see above). BusyScope holds it for its lifetime.
    bool Busy() const { return m_nBusy > 0; }
    class BusyScope {
    public:
        explicit BusyScope(CPageWindow* page);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        QPointer<CPageWindow> m_page;
    };
    // The one child that still takes input while the page is busy (the
    // wait overlay with its Cancel button); null for none.
    void SetBusyInputTarget(QWidget* w) { m_busyInputTarget = w; }
    QWidget* BusyInputTarget() const { return m_busyInputTarget; }

    // The page window `w` belongs to, or null.
    static CPageWindow* PageOf(QObject* w);

signals:
    // The page has become idle after being busy.
    void BecameIdle();

protected:
    // Commands: id of the control, notification code (0 for clicks).
    virtual void OnCommand(int id, int code) { (void)id; (void)code; }
    virtual void OnNotify(int id, int code) { (void)id; (void)code; }
    virtual void OnTimer(int id) { (void)id; }
    // Any other posted message.
    virtual void OnMessage(unsigned msg, intptr_t wParam, intptr_t lParam)
    {
        (void)msg; (void)wParam; (void)lParam;
    }

    bool event(QEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPointer<QObject> m_host;
    std::map<int, int> m_timers; // our id -> Qt timer id
    bool m_dragBySurface = true;
    bool m_dragging = false;
    bool m_captured = false;
    int m_nBusy = 0;
    QPointer<QWidget> m_busyInputTarget;
    QPoint m_dragOffset;
};

} // namespace orv
