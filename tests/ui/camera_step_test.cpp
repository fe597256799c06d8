// The busy page: while a handler, box or camera step of a page runs, clicks
// queued for it are dropped, its timers skip, user input to it is held back,
// and a camera step runs on a worker thread while the page keeps running,
// offering a way out after two seconds.
#include "ui/support/UiTestMain.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

#include "platform/qt/CameraStep.h"
#include "platform/qt/PageWindow.h"
#include "platform/qt/PostedMessage.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WaitOverlay.h"
#include "platform/qt/WinDefs.h"

using namespace orv;

namespace {

class Page : public CPageWindow {
public:
    Page()
    {
        resize(400, 300);
        edit = new QLineEdit(this);
        edit->setGeometry(10, 10, 100, 20);
    }
    std::vector<int> commands;
    std::vector<int> ticks;
    std::function<void(int)> onCommand;
    QLineEdit* edit;

protected:
    void OnCommand(int id, int) override
    {
        commands.push_back(id);
        if (onCommand)
            onCommand(id);
    }
    void OnTimer(int id) override { ticks.push_back(id); }
};

const CameraStepTexts kTexts{QStringLiteral("Waiting for the camera"), QStringLiteral("Give up")};

CWaitOverlay* Overlay(QWidget* page)
{
    return page->findChild<CWaitOverlay*>();
}

} // namespace

TEST(BusyPage, CommandsQueuedWhileBusyAreDroppedAndNestedOnesDoNotRun)
{
    Page page;
    // The first click's handler runs a nested loop (as a box does); the
    // second click, queued behind it, must not run inside it.
    page.onCommand = [&](int id) {
        if (id == 1)
            QTest::qWait(50);
    };
    PostCommand(&page, 1, 0, nullptr);
    PostCommand(&page, 2, 0, nullptr);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(page.commands, std::vector<int>{1});
    // Idle again: the next click runs.
    PostCommand(&page, 3, 0, nullptr);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(page.commands, (std::vector<int>{1, 3}));
    // Controls the page changes itself still notify it while it is busy.
    page.onCommand = [&](int id) {
        if (id == 4)
            page.SendCommand(5);
    };
    page.SendCommand(4);
    EXPECT_EQ(page.commands, (std::vector<int>{1, 3, 4, 5}));
}

TEST(BusyPage, TimerTicksWhileBusyAreSkippedAndInputIsHeldBack)
{
    Page page;
    page.show();
    int idle = 0;
    QObject::connect(&page, &CPageWindow::BecameIdle, [&] { ++idle; });
    page.SetTimer(7, 10);
    {
        CPageWindow::BusyScope busy(&page);
        QTest::qWait(80);
        EXPECT_TRUE(page.ticks.empty());
        page.edit->setFocus();
        QTest::keyClicks(page.edit, QStringLiteral("abc"));
        QTest::mouseClick(page.edit, Qt::LeftButton);
        EXPECT_TRUE(page.edit->text().isEmpty());
    }
    EXPECT_EQ(idle, 1);
    QTest::qWait(60);
    EXPECT_FALSE(page.ticks.empty());
    QTest::keyClicks(page.edit, QStringLiteral("abc"));
    EXPECT_EQ(page.edit->text(), QStringLiteral("abc"));
    page.KillTimer(7);

    // The capture keeps mouse buttons from the page's controls, not keys.
    page.SetCapture();
    QTest::mouseDClick(page.edit, Qt::LeftButton);
    EXPECT_FALSE(page.edit->hasSelectedText());
    QTest::keyClicks(page.edit, QStringLiteral("d"));
    EXPECT_EQ(page.edit->text(), QStringLiteral("abcd"));
    page.ReleaseCapture();
    QTest::mouseDClick(page.edit, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_TRUE(page.edit->hasSelectedText());
}

TEST(CameraStep, RunsOnAWorkerWhileThePageKeepsRunning)
{
    Page page;
    page.show();
    int ticksDuringStep = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticksDuringStep; });
    ticker.start(10);
    std::thread::id worker;
    bool busyInside = false;
    const int r = RunCameraStep(&page, [&] {
        worker = std::this_thread::get_id();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return 42;
    }, {}, kTexts);
    busyInside = ticksDuringStep > 0;
    EXPECT_EQ(r, 42);
    EXPECT_NE(worker, std::this_thread::get_id());
    EXPECT_TRUE(busyInside) << "the event loop did not run during the step";
    EXPECT_FALSE(page.Busy());
    EXPECT_EQ(Overlay(&page), nullptr); // short steps show no overlay

    // A page posting navigation or receiving clicks during the step: the
    // clicks are dropped.
    RunCameraStep(&page, [&] {
        PostCommand(&page, 9, 0, nullptr);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return 0;
    }, {}, kTexts);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(page.commands.empty());
}

TEST(CameraStep, OverlayAfterTwoSecondsAndCancelEndsTheStep)
{
    Page page;
    page.show();
    std::atomic<bool> cancelled{false};
    int cancels = 0;
    QString text, caption;
    bool overlayTookInput = false;
    QTimer::singleShot(kOverlayDelayMs + 300, [&] {
        CWaitOverlay* o = Overlay(&page);
        if (!o)
            return;
        text = o->findChild<QLabel*>()->text();
        caption = o->CancelButton()->text();
        // The page's own controls take nothing; the overlay does.
        QTest::keyClicks(page.edit, QStringLiteral("x"));
        QTest::mouseClick(o->CancelButton(), Qt::LeftButton);
        QTest::mouseClick(o->CancelButton(), Qt::LeftButton);
        overlayTookInput = o->Cancelled();
    });
    QElapsedTimer clock;
    clock.start();
    const int r = RunCameraStep(&page, [&] {
        for (int i = 0; i < 200 && !cancelled; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return cancelled ? 3 : -1;
    }, [&] { ++cancels; cancelled = true; }, kTexts);
    EXPECT_EQ(r, 3);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(overlayTookInput);
    EXPECT_EQ(text, kTexts.waiting);
    EXPECT_EQ(caption, kTexts.cancel);
    EXPECT_TRUE(page.edit->text().isEmpty());
    EXPECT_LT(clock.elapsed(), kOverlayDelayMs + 1500);
    EXPECT_EQ(Overlay(&page), nullptr);
    EXPECT_EQ(page.BusyInputTarget(), nullptr);
}

TEST(CameraStep, EscapeOnThePageCancelsWhileTheOverlayShows)
{
    Page page;
    page.show();
    std::atomic<bool> cancelled{false};
    QTimer::singleShot(kOverlayDelayMs + 200, [&] { QTest::keyClick(page.edit, Qt::Key_Escape); });
    RunCameraStep(&page, [&] {
        for (int i = 0; i < 200 && !cancelled; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return 0;
    }, [&] { cancelled = true; }, kTexts);
    EXPECT_TRUE(cancelled);
}

TEST(CameraStep, PauseKeepsThePageBusyWithoutBlocking)
{
    Page page;
    page.show();
    bool busyDuring = false;
    QTimer::singleShot(50, [&] {
        busyDuring = page.Busy();
        PostCommand(&page, 1, 0, nullptr);
    });
    QElapsedTimer clock;
    clock.start();
    PausePage(&page, 200);
    EXPECT_GE(clock.elapsed(), 190);
    EXPECT_TRUE(busyDuring);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(page.commands.empty());
}
