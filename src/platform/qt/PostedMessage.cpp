#include "platform/qt/PostedMessage.h"

#include "platform/qt/WinDefs.h"

#include <QCoreApplication>

namespace orv {

QEvent::Type PostedMessageEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool PostMessage(QObject* target, unsigned msg, intptr_t wParam, intptr_t lParam)
{
    if (target == nullptr)
        return false;
    QCoreApplication::postEvent(target, new PostedMessageEvent(msg, wParam, lParam));
    return true;
}

bool PostCommand(QObject* target, int id, int code, const QObject* from)
{
    const intptr_t wParam = (id & 0xFFFF) | (static_cast<intptr_t>(code & 0xFFFF) << 16);
    return PostMessage(target, WM_COMMAND_MSG, wParam, reinterpret_cast<intptr_t>(from));
}

} // namespace orv
