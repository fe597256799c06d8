// The user-interface thread while a login waits on a camera that never
// answers (3 tries of a third of the given seconds each; default 30 s in
// all): the longest time the event loop was away, measured by a 1 ms timer.
// Two runs:
//   - the login called on the user-interface thread (what the ID and
//     password page did before its camera steps moved to a worker);
//   - the page's own Next, as the user presses it now.
// The "camera" is a loopback port nobody answers on: nothing leaves the
// machine. Target: no gap over 50 ms during the wait.
//   ui_camera_wait_bench [seconds]
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "core/operations_fixture.h"
#include "pages/DlgIdPwd.h"
#include "pages/WizardPage.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "template/CameraSession.h"

using namespace orv;

namespace {

struct Figures {
    double longestGapMs = 0;
    double totalMs = 0;
};

// Runs `work` with a 1 ms timer beside it and returns the longest pause
// between two of its firings (the first firing after `work` counts too).
Figures Probe(const std::function<void()>& work)
{
    Figures f;
    QElapsedTimer gap, total;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        f.longestGapMs = std::max(f.longestGapMs, gap.nsecsElapsed() / 1e6);
        gap.restart();
    });
    probe.start(1);
    QCoreApplication::processEvents();
    gap.start();
    total.start();
    work();
    f.totalMs = total.nsecsElapsed() / 1e6;
    QElapsedTimer after;
    after.start();
    while (after.elapsed() < 20)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const int seconds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 30;

    MessageBoxHook boxes; // the no-answer message is recorded, not shown
    CCamEngine engine;
    WizardSettings settings;
    opstest::AimAtLoopback(engine, opstest::FreeUdpPort(), seconds / 3);
    WCopy(settings.MacText, u"02.00.00.00.00.01");
    WCopy(settings.CameraIP, u"192.168.0.20");
    settings.AdapterIndex = -1;
    settings.Kind = 2;

    CDlgIdPwd page;
    page.Create();
    page.SetEngine(&engine);
    page.InitFromSettings(&settings);
    page.show();
    if (auto* pwd = page.FindCtrlAs<CEdit>(CDlgIdPwd::kIdAdmPwd))
        pwd->setText(QStringLiteral("secret"));

    std::printf("login on a silent camera, %d s of waiting (3 tries)\n", seconds);
    const Figures before = Probe([&] {
        CameraSession session(engine, settings, CWizardPage::TemplateFolder());
        session.CheckLogin(u"admin", u"secret");
    });
    std::printf("on the user-interface thread: longest loop gap %9.1f ms, total %8.1f ms\n", before.longestGapMs,
        before.totalMs);
    const Figures after = Probe([&] { page.SendCommand(IDC_NEXT); });
    std::printf("the page's Next now:          longest loop gap %9.1f ms, total %8.1f ms  (target <= 50)\n",
        after.longestGapMs, after.totalMs);
    std::printf("messages shown: %zu\n", boxes.Calls().size());
    return 0;
}
