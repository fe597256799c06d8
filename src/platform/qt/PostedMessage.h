#pragma once
// Posted messages with the system's meaning: the message waits in the event
// queue and reaches its target after the current handler has returned (a
// message to an object that is gone by then is dropped).
#include <QEvent>
#include <QObject>

#include <cstdint>

namespace orv {

class PostedMessageEvent : public QEvent {
public:
    static QEvent::Type EventType();
    PostedMessageEvent(unsigned msg, intptr_t wParam, intptr_t lParam)
        : QEvent(EventType()), m_msg(msg), m_wParam(wParam), m_lParam(lParam) {}
    unsigned Msg() const { return m_msg; }
    intptr_t WParam() const { return m_wParam; }
    intptr_t LParam() const { return m_lParam; }

private:
    unsigned m_msg;
    intptr_t m_wParam;
    intptr_t m_lParam;
};

// False (nothing queued) for a null target.
bool PostMessage(QObject* target, unsigned msg, intptr_t wParam, intptr_t lParam);

// A command as a control posts it: wParam = id | (code << 16), lParam = the
// control.
bool PostCommand(QObject* target, int id, int code, const QObject* from);

inline int LowWord(intptr_t w) { return static_cast<int>(w & 0xFFFF); }
inline int HighWord(intptr_t w) { return static_cast<int>(static_cast<int16_t>((w >> 16) & 0xFFFF)); }

} // namespace orv
