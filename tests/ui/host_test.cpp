#include "ui/support/UiTestMain.h"

#include "app/OrvantaApp.h"
#include "app/OrvantaDlg.h"
#include "pages/DlgAbout.h"
#include "pages/DlgListCam.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/PostedMessage.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WinDefs.h"
#include "support/WizardDriver.h"
#include "ui/support/TempSkin.h"

#include <QTest>

using namespace orv;
using namespace orv::test;
using orvtest::FeedCameras;
using orvtest::WizardDriver;

namespace {

class HostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.WritePicture(QStringLiteral("Image/list.png"), 640, 480);
        skin.WritePicture(QStringLiteral("Image/about.png"), 300, 200);
        skin.WriteIni("[DlgListCam]\nbackground=list.png\n[DlgAbout]\nbackground=about.png\n"
                      "[DlgListCam.ListCtrl]\ncount=1\n0.column=Model\n");
        // The host's searches find nothing and send nothing.
        FeedCameras(host.m_Engine, {});
    }
    void Nav(int code) { PostMessage(&host, WM_PAGE_NAV, code, 0); }

    TempSkin skin;
    COrvantaDlg host;
};

} // namespace

TEST_F(HostTest, HiddenHostCentredListPageLaterPagesInPlace)
{
    WizardDriver w(host);
    const int rc = w.Run([&] {
        ASSERT_TRUE(w.WaitForPage(kPageListCam));
        EXPECT_FALSE(host.isVisible());
        EXPECT_EQ(host.windowTitle(), "Orvanta");
        auto* list = dynamic_cast<CDlgListCam*>(w.Page());
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->pos(), QPoint(192, 144)); // (1024 - 640) / 2, (768 - 480) / 2
        EXPECT_EQ(list->Engine(), &host.m_Engine);
        EXPECT_EQ(list->Settings(), &host.m_Settings);
        ASSERT_TRUE(w.WaitSearchDone());

        // The user dragged the page; the next page opens there.
        list->move(40, 50);
        Nav(kNavAbout);
        ASSERT_TRUE(w.WaitForPage(kPageAbout));
        EXPECT_EQ(w.Page()->pos(), QPoint(40, 50));
        EXPECT_EQ(w.Page()->size(), QSize(300, 200));
        Nav(kNavBack); // nothing on the about page
        Nav(1527);
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(w.PageCode(), kPageAbout);
        Nav(kNavNext);
        ASSERT_TRUE(w.WaitForPage(kPageListCam));
        EXPECT_EQ(w.Page()->pos(), QPoint(40, 50));
        ASSERT_TRUE(w.WaitSearchDone());
        EXPECT_EQ(QApplication::topLevelWidgets().count(w.Page()), 1);
        EXPECT_FALSE(host.isVisible());
    });
    EXPECT_EQ(rc, IDOK);
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.CurrentPage(), nullptr);
}

// On a desktop with panels and several screens the first page is centred on
// the usable part of the screen the user works on, not across screens.
TEST_F(HostTest, FirstPageCentredOnTheUsableAreaOfItsScreen)
{
    OverrideScreenArea(QRect(1280, 24, 1024, 744)); // a second screen below a panel
    WizardDriver w(host);
    w.Run([&] {
        ASSERT_TRUE(w.WaitForPage(kPageListCam));
        EXPECT_EQ(w.Page()->pos(), QPoint(1280 + 192, 24 + 132));
    });
    OverrideScreenArea(QRect());
}

// A page is never replaced under a handler, box or camera step of its own:
// what it asks for meanwhile waits until it is idle. A request from a page
// that is gone is dropped.
TEST_F(HostTest, NavigationWaitsForABusyPageAndStaleRequestsAreDropped)
{
    WizardDriver w(host);
    w.Run([&] {
        ASSERT_TRUE(w.WaitForPage(kPageListCam));
        ASSERT_TRUE(w.WaitSearchDone());
        CWizardPage* list = w.Page();
        {
            CPageWindow::BusyScope busy(list);
            list->PostNavigation(kNavAbout);
            QTest::qWait(100);
            EXPECT_EQ(w.PageCode(), kPageListCam);
            EXPECT_EQ(w.Page(), list);
        }
        ASSERT_TRUE(w.WaitForPage(kPageAbout));
        // The list page posted this before it went: the about page stays.
        PostMessage(&host, WM_PAGE_NAV, kNavNext, reinterpret_cast<intptr_t>(list));
        QTest::qWait(100);
        EXPECT_EQ(w.PageCode(), kPageAbout);
    });
    EXPECT_TRUE(host.Ended());
}

TEST_F(HostTest, EnterAndEscapeNeverEndTheRun)
{
    WizardDriver w(host);
    w.Run([&] {
        ASSERT_TRUE(w.WaitSearchDone());
        for (QWidget* target : {static_cast<QWidget*>(w.Page()), static_cast<QWidget*>(&host)})
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(target, key);
        WizardDriver::WaitUntil([] { return false; }, 200);
        EXPECT_FALSE(host.Ended());
        EXPECT_EQ(w.PageCode(), kPageListCam);
        EXPECT_TRUE(w.Page()->isVisible());
        // Only Exit ends it: the page's own button.
        w.Page()->SendCommand(IDC_EXIT);
        EXPECT_TRUE(WizardDriver::WaitUntil([&] { return host.Ended(); }));
    });
    EXPECT_TRUE(host.Ended());
    // Enter and Escape opened no box; the one there is the search's word
    // that it found no camera.
    ASSERT_EQ(w.Boxes().Calls().size(), 1u);
    EXPECT_EQ(w.Boxes().Calls()[0].text.rfind(u"No camera was found.", 0), 0u);
}

TEST_F(HostTest, ClosingThePageWindowIsExit)
{
    WizardDriver w(host);
    w.Run([&] {
        ASSERT_TRUE(w.WaitSearchDone());
        w.Page()->close();
        EXPECT_TRUE(WizardDriver::WaitUntil([&] { return host.Ended(); }));
    });
    EXPECT_EQ(host.CurrentPage(), nullptr);
}

TEST(HostStart, SocketsFailureShowsString103AndEnds)
{
    MessageBoxHook boxes;
    ForceSocketsUnavailable(true);
    COrvantaApp app;
    const int rc = app.InitInstance();
    ForceSocketsUnavailable(false);
    EXPECT_NE(rc, 0);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(Utf8(boxes.Calls()[0].text), "Windows sockets initialization failed.");
    EXPECT_EQ(boxes.Calls()[0].type, MB_OK);
    EXPECT_TRUE(LiveTopLevelWindows().isEmpty());
}
