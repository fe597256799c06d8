// A camera that never answers, met on real X11 windows: while the login
// waits for it the page keeps answering the desktop's pings, after two
// seconds it offers a way out, and Cancel (or Escape) ends the wait as "the
// camera did not answer" without another request going out. The camera is a
// simulated one in a namespace lab that ignores every request after the
// search; its state file lists the requests it saw.
#include "ui/support/UiTestMain.h"

#include <unistd.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "app/OrvantaDlg.h"
#include "pages/DlgIdPwd.h"
#include "pages/DlgListCam.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WaitOverlay.h"
#include "platform/qt/WinDefs.h"
#include "support/NetnsLab.h"
#include "support/WizardDriver.h"
#include "support/X11Probe.h"

using namespace orv;
using orvtest::NetnsLab;
using orvtest::ScopedNetns;
using orvtest::WizardDriver;
using orvtest::X11Probe;

namespace {

constexpr const char* kMac = "02.00.00.00.0d.01";
// The installed skin's message 2000 (no answer) and 3003 (the overlay).
constexpr const char* kNoAnswer = "The camera did not answer.";

CWaitOverlay* Overlay(QWidget* page)
{
    return page ? page->findChild<CWaitOverlay*>() : nullptr;
}

class CameraWait : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        state = "/tmp/orvanta-x11-" + std::to_string(getpid()) + "-silent.state";
        lab = orvtest::OneCameraLab("mac=02:00:00:00:0d:01,model=K81-X,name=Porch,ip=198.18.1.50,id=admin,pwd=secret,"
                                    "drop=1000,state=" + state);
        ASSERT_TRUE(lab->Ok()) << lab->Error();
    }
    void TearDown() override
    {
        lab.reset();
        if (!state.empty())
            unlink(state.c_str());
    }

    // Search, pick the silent camera, reach the ID and password page and
    // type the password; then press Next with `whileWaiting` run from the
    // event loop one second into the login. Returns when the login step has
    // ended (the page shows its message).
    void LoginWith(WizardDriver& w, const std::function<void()>& whileWaiting)
    {
        ASSERT_TRUE(w.WaitSearchDone());
        ASSERT_TRUE(w.PickCamera(QString::fromLatin1(kMac)));
        ASSERT_TRUE(w.Click(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageIdPwd)) << w.BoxTexts();
        ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmPwd, QStringLiteral("secret")));
        QTimer::singleShot(1000, w.Page(), whileWaiting);
        clock.start();
        ASSERT_TRUE(w.Click(IDC_NEXT));
        stepMs = clock.elapsed();
    }

    std::unique_ptr<NetnsLab> lab;
    std::string state;
    QElapsedTimer clock;
    qint64 stepMs = 0;
};

TEST_F(CameraWait, PageAnswersTheDesktopWhileTheCameraIsSilentAndEscapeEndsTheWait)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    COrvantaDlg host;
    WizardDriver w(host);
    w.Run([&] {
        std::string pingMs;
        bool overlayShown = false;
        bool pressedEscape = false;
        LoginWith(w, [&] {
            QWidget* page = w.Page();
            X11Probe probe;
            probe.Start("ping_probe.py", {QString::number(page->winId()), QStringLiteral("1000")});
            probe.Wait(5000);
            pingMs = probe.Output() + probe.Errors();
            // The way out shows after two seconds of waiting.
            WizardDriver::WaitUntil([&] { return Overlay(page) && Overlay(page)->isVisible(); }, 3000);
            overlayShown = Overlay(page) && Overlay(page)->isVisible();
            if (!overlayShown)
                return;
            // Escape where the keyboard focus was left on the page.
            QTest::keyClick(w.Ctrl(CDlgIdPwd::kIdAdmPwd), Qt::Key_Escape);
            pressedEscape = true;
        });
        if (HasFatalFailure())
            return;
        ASSERT_FALSE(pingMs.empty());
        const int ms = std::stoi(pingMs);
        std::printf("ping answered in %d ms while the login waited\n", ms);
        EXPECT_GE(ms, 0) << "no answer to the desktop's ping within 1 s";
        EXPECT_LT(ms, 1000);
        EXPECT_TRUE(overlayShown);
        EXPECT_TRUE(pressedEscape);
        EXPECT_LT(stepMs, 5000) << "Escape did not end the wait";
        ASSERT_FALSE(w.Boxes().Calls().empty());
        EXPECT_NE(Utf8(w.Boxes().Calls().back().text).find(kNoAnswer), std::string::npos) << w.BoxTexts();
        EXPECT_FALSE(w.Boxes().Calls().back().waitCursor);
        EXPECT_EQ(Overlay(w.Page()), nullptr);
        EXPECT_EQ(w.PageCode(), kPageIdPwd);
    });
}

TEST_F(CameraWait, CancelEndsTheLoginAsNoAnswerAndSendsNothingMore)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    COrvantaDlg host;
    WizardDriver w(host);
    w.Run([&] {
        QString overlayText;
        bool clicked = false;
        LoginWith(w, [&] {
            QWidget* page = w.Page();
            WizardDriver::WaitUntil([&] { return Overlay(page) && Overlay(page)->isVisible(); }, 3000);
            CWaitOverlay* overlay = Overlay(page);
            if (!overlay)
                return;
            if (auto* label = overlay->findChild<QLabel*>())
                overlayText = label->text();
            QTest::mouseClick(overlay->CancelButton(), Qt::LeftButton);
            clicked = true;
        });
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(clicked) << "no wait overlay appeared";
        EXPECT_TRUE(overlayText.contains(QStringLiteral("camera"))) << overlayText.toStdString();
        // Cancelled about two seconds in: well before the second try (ten
        // seconds in) would have gone out.
        EXPECT_LT(stepMs, 5000);
        ASSERT_FALSE(w.Boxes().Calls().empty());
        EXPECT_NE(Utf8(w.Boxes().Calls().back().text).find(kNoAnswer), std::string::npos) << w.BoxTexts();
        // Whatever was still to come of the step never left.
        QTest::qWait(1500);
        const std::vector<std::string> seen = orvtest::SeenRequests(state);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].substr(0, seen[0].find(':')), "163"); // Verification, first try only
        // The page is usable again: the next Next sends again.
        EXPECT_EQ(w.PageCode(), kPageIdPwd);
        EXPECT_FALSE(w.Page()->Busy());
    });
}

} // namespace
