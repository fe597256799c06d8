// Clicks that reach the WPS page while it is not listening, with real
// message boxes on real X11 windows: two Exit clicks queued during a pairing
// open one question, not one inside the other, and answering it leaves the
// program cleanly; Back and Next clicked during the pause after "could not
// join" are dropped instead of opening a box under which the page is
// replaced. The camera is simulated in a namespace lab; its pairing never
// finishes by itself.
#include "ui/support/UiTestMain.h"

#include <unistd.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <map>
#include <memory>
#include <set>

#include "app/OrvantaDlg.h"
#include "pages/DlgListCam.h"
#include "pages/DlgWPSSetting.h"
#include "platform/qt/PostedMessage.h"
#include "platform/qt/WinDefs.h"
#include "support/NetnsLab.h"
#include "support/WizardDriver.h"

using namespace orv;
using orvtest::BoxMode;
using orvtest::NetnsLab;
using orvtest::ScopedNetns;
using orvtest::WizardDriver;
using Wps = CDlgWPSSetting;

namespace {

constexpr const char* kMac = "02.00.00.00.0e.01";

// Watches the program's message boxes as a user sees them and answers the
// top one with `button` once it has been open for a moment (long enough for
// anything queued to reach the page meanwhile).
class BoxAnswerer {
public:
    explicit BoxAnswerer(QMessageBox::StandardButton button) : m_button(button)
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Look(); });
        m_timer.start();
    }

    int MostOpenAtOnce() const { return m_mostOpen; }
    std::vector<QString> Texts() const { return m_texts; }
    std::function<void()> afterAnswer;

private:
    void Look()
    {
        int open = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            ++open;
            if (m_seen.insert(box).second) {
                m_texts.push_back(box->text());
                m_openedAt[box] = m_clock.elapsed();
            }
        }
        m_mostOpen = std::max(m_mostOpen, open);
        auto* top = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!top || !top->isVisible() || m_clock.elapsed() - m_openedAt[top] < 400)
            return;
        if (QAbstractButton* b = top->button(m_button)) {
            b->click();
            if (afterAnswer)
                QTimer::singleShot(0, afterAnswer);
        }
    }

    QMessageBox::StandardButton m_button;
    QTimer m_timer;
    QElapsedTimer m_clock = [] { QElapsedTimer c; c.start(); return c; }();
    std::set<QMessageBox*> m_seen;
    std::map<QMessageBox*, qint64> m_openedAt;
    std::vector<QString> m_texts;
    int m_mostOpen = 0;
};

class WpsBoxes : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        lab = orvtest::OneCameraLab("mac=02:00:00:00:0e:01,model=Q47-W,name=Gate,ip=198.18.1.50,wifi=1,wlan=1,"
                                    "id=admin,pwd=secret,wpspolls=100000");
        ASSERT_TRUE(lab->Ok()) << lab->Error();
    }

    // List page -> WPS page (direct), credentials typed.
    static Wps* ToWpsPage(WizardDriver& w)
    {
        EXPECT_TRUE(w.WaitSearchDone());
        EXPECT_TRUE(w.PickCamera(QString::fromLatin1(kMac)));
        EXPECT_TRUE(w.Click(CDlgListCam::kIdWps));
        EXPECT_TRUE(w.WaitForPage(kPageWpsDirect));
        auto* page = dynamic_cast<Wps*>(w.Page());
        if (!page)
            return nullptr;
        EXPECT_TRUE(w.SetText(Wps::kIdAdmId, QStringLiteral("admin")));
        EXPECT_TRUE(w.SetText(Wps::kIdAdmPwd, QStringLiteral("secret")));
        return page;
    }

    std::unique_ptr<NetnsLab> lab;
};

TEST_F(WpsBoxes, TwoQueuedExitClicksDuringAPairingAskOnceAndLeaveCleanly)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    COrvantaDlg host;
    WizardDriver w(host, BoxMode::Real);
    BoxAnswerer boxes(QMessageBox::Yes);
    w.Run([&] {
        Wps* page = ToWpsPage(w);
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(w.Click(Wps::kIdButPbcPush));
        ASSERT_TRUE(page->Running());
        // Two clicks on Exit that were waiting in the queue together.
        QWidget* exit = w.Ctrl(IDC_EXIT);
        PostCommand(page, IDC_EXIT, 0, exit);
        PostCommand(page, IDC_EXIT, 0, exit);
        ASSERT_TRUE(WizardDriver::WaitUntil([&] { return host.Ended(); }, 10000));
    });
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(boxes.MostOpenAtOnce(), 1);
    EXPECT_EQ(boxes.Texts().size(), 1u);
}

TEST_F(WpsBoxes, BackAndNextDuringThePauseAfterAFailedPairingAreDropped)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    COrvantaDlg host;
    WizardDriver w(host, BoxMode::Real);
    BoxAnswerer boxes(QMessageBox::Ok);
    w.Run([&] {
        // The page's clock is moved on instead of waiting two minutes.
        std::atomic<uint32_t> now{1000};
        Wps* page = ToWpsPage(w);
        ASSERT_NE(page, nullptr);
        page->SetTickClock([&now] { return now.load(); });
        ASSERT_TRUE(w.Click(Wps::kIdButPbcPush));
        ASSERT_TRUE(page->Running());
        QPointer<Wps> alive(page);
        // The user clicks Back, then Next, while the page pauses after
        // "could not join".
        bool posted = false;
        boxes.afterAnswer = [&] {
            QTimer::singleShot(500, [&] {
                if (!alive)
                    return;
                PostCommand(alive, IDC_BACK, 0, nullptr);
                PostCommand(alive, IDC_NEXT, 0, nullptr);
                posted = true;
            });
        };
        now += 130000; // the two-minute window is over at the next tick
        ASSERT_TRUE(WizardDriver::WaitUntil([&] { return posted; }, 10000));
        QTest::qWait(3000);
        ASSERT_TRUE(alive);
        EXPECT_EQ(w.PageCode(), kPageWpsDirect);
        EXPECT_FALSE(page->Running());
        EXPECT_FALSE(page->Busy());
        page->SendCommand(IDC_EXIT);
        ASSERT_TRUE(WizardDriver::WaitUntil([&] { return host.Ended(); }, 5000));
    });
    EXPECT_EQ(boxes.MostOpenAtOnce(), 1);
    ASSERT_EQ(boxes.Texts().size(), 1u); // "could not join" only
    EXPECT_TRUE(boxes.Texts()[0].contains(QStringLiteral("could not join")));
}

} // namespace
