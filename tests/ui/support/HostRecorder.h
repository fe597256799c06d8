#pragma once
// Stands in for the page's host: records every message posted to it.
#include "platform/qt/PostedMessage.h"

#include <QCoreApplication>
#include <QWidget>

#include <vector>

namespace orv::test {

struct RecordedMessage {
    unsigned msg;
    intptr_t wParam;
    intptr_t lParam;
};

class HostRecorder : public QWidget {
public:
    std::vector<RecordedMessage> messages;

    // Delivers what is queued, then returns the record.
    const std::vector<RecordedMessage>& Drain()
    {
        QCoreApplication::sendPostedEvents();
        return messages;
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == PostedMessageEvent::EventType()) {
            const auto* m = static_cast<PostedMessageEvent*>(e);
            messages.push_back({m->Msg(), m->WParam(), m->LParam()});
            return true;
        }
        return QWidget::event(e);
    }
};

} // namespace orv::test
