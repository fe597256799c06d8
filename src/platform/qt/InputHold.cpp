#include "platform/qt/InputHold.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "platform/qt/PageWindow.h"

namespace orv {

namespace {

bool IsMouseButton(QEvent::Type t)
{
    return t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease || t == QEvent::MouseButtonDblClick;
}

bool IsOtherInput(QEvent::Type t)
{
    switch (t) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

bool Inside(const QWidget* w, const QWidget* container)
{
    for (; w != nullptr; w = w->parentWidget())
        if (w == container)
            return true;
    return false;
}

class InputHoldFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* e) override { return InputHeldBack(receiver, e); }
};

} // namespace

bool InputHeldBack(QObject* receiver, QEvent* e)
{
    const QEvent::Type t = e->type();
    const bool button = IsMouseButton(t);
    if (!button && !IsOtherInput(t))
        return false;
    if (!receiver->isWidgetType())
        return false;
    CPageWindow* page = CPageWindow::PageOf(receiver);
    if (page == nullptr)
        return false;
    if (page->Busy()) {
        QWidget* target = page->BusyInputTarget();
        if (Inside(static_cast<QWidget*>(receiver), target))
            return false;
        // Escape means Cancel wherever the keyboard focus was left.
        if (target != nullptr && t == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
            QCoreApplication::sendEvent(target, e);
        return true;
    }
    return button && page->HasCapture();
}

void InstallInputHold()
{
    static QPointer<QObject> filter;
    if (filter != nullptr || qApp == nullptr)
        return;
    filter = new InputHoldFilter(qApp);
    qApp->installEventFilter(filter);
}

} // namespace orv
