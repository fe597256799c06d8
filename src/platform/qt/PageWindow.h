#pragma once
// A wizard page window: a frameless top-level window that is dragged by any
// point of its surface that is not a control, reports its close box as the
// Exit navigation, receives commands from its controls by control id, and has
// window timers by id. The host that receives the page's navigation messages
// is the page's QObject parent (or the object given to SetHost).
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
    void SendCommand(int id, int code = 0) { OnCommand(id, code); }
    void SendNotify(int id, int code) { OnNotify(id, code); }

    // Window timers: setting an id that runs already restarts it with the
    // new period. Each expiry calls OnTimer(id).
    void SetTimer(int id, int periodMs);
    void KillTimer(int id);
    bool HasTimer(int id) const { return m_timers.count(id) != 0; }

    // Mouse capture for the page (released by ReleaseCapture or on
    // destruction).
    void SetCapture();
    void ReleaseCapture();

    // Whether pressing the surface drags the page (off for pages that do not
    // answer the hit test as a caption).
    void SetDragBySurface(bool on) { m_dragBySurface = on; }

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
    QPoint m_dragOffset;
};

} // namespace orv
