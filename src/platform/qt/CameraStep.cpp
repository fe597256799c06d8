#include "platform/qt/CameraStep.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

#include "platform/qt/PageWindow.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WaitOverlay.h"

namespace orv {

int RunCameraStep(CPageWindow* page, const std::function<int()>& step, const std::function<void()>& cancel,
    const CameraStepTexts& texts)
{
    CPageWindow::BusyScope busy(page);
    QEventLoop loop;
    std::atomic<bool> done{false};
    int result = 0;
    std::thread worker([&] {
        result = step();
        done.store(true);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    QPointer<CWaitOverlay> overlay;
    bool arrowForCancel = false;
    QTimer overlayTimer;
    overlayTimer.setSingleShot(true);
    if (page != nullptr) {
        QObject::connect(&overlayTimer, &QTimer::timeout, page, [&] {
            if (done.load())
                return;
            overlay = new CWaitOverlay(page, texts.waiting, texts.cancel, cancel);
            page->SetBusyInputTarget(overlay);
            overlay->show();
            overlay->raise();
            overlay->CancelButton()->setFocus();
            // The wait cursor becomes the arrow with the busy sign, so Cancel
            // looks like something to click.
            if (QGuiApplication::overrideCursor() != nullptr) {
                QGuiApplication::changeOverrideCursor(QCursor(Qt::BusyCursor));
                arrowForCancel = true;
            }
        });
        overlayTimer.start(kOverlayDelayMs);
    }
    if (!done.load())
        loop.exec();
    worker.join();
    overlayTimer.stop();
    if (page != nullptr)
        page->SetBusyInputTarget(nullptr);
    delete overlay.data();
    if (arrowForCancel && QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
    return result;
}

void PausePage(CPageWindow* page, int ms)
{
    CPageWindow::BusyScope busy(page);
    WaitMs(ms);
}

} // namespace orv
