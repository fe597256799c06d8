// While the list page searches it takes no clicks and shows the wait
// cursor, but only inside the program: another program on the same desktop
// can still take the pointer and the keyboard. Real X11 windows on a private
// display; the search runs inside a namespace lab with one simulated camera.
#include "ui/support/UiTestMain.h"

#include <QTest>

#include <memory>

#include "app/OrvantaDlg.h"
#include "pages/DlgListCam.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WinDefs.h"
#include "skin/PicButton.h"
#include "support/NetnsLab.h"
#include "support/WizardDriver.h"
#include "support/X11Probe.h"

using namespace orv;
using orvtest::NetnsLab;
using orvtest::ScopedNetns;
using orvtest::WizardDriver;
using orvtest::X11Probe;

namespace {

class DesktopGrab : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        lab = orvtest::OneCameraLab("mac=02:00:00:00:0c:01,model=K81-X,name=Porch,ip=198.18.1.50");
        ASSERT_TRUE(lab->Ok()) << lab->Error();
    }

    std::unique_ptr<NetnsLab> lab;
};

TEST_F(DesktopGrab, SearchLeavesOtherProgramsTheirPointerAndKeyboard)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    COrvantaDlg host;
    WizardDriver w(host);
    w.Run([&] {
        auto* list = dynamic_cast<CDlgListCam*>(w.Page());
        ASSERT_NE(list, nullptr);
        // Let the page's timer tick a few times: every tick takes the mouse
        // for the page.
        QTest::qWait(400);
        ASSERT_TRUE(list->Searching()) << "the search ended before it could be looked at";
        EXPECT_TRUE(WaitCursorShown());
        EXPECT_TRUE(list->HasCapture());

        X11Probe probe;
        probe.Start("grab_probe.py");
        ASSERT_TRUE(probe.Wait()) << probe.Errors();
        EXPECT_EQ(probe.Output(), "pointer 0 keyboard 0") << probe.Errors();
        ASSERT_TRUE(list->Searching()) << "the probe ran after the search";

        // Inside the program the page still ignores the mouse: Search
        // clicked meanwhile starts nothing new.
        auto* search = dynamic_cast<CPicButton*>(w.Ctrl(CDlgListCam::kIdSearch));
        ASSERT_NE(search, nullptr);
        search->m_bDisabled = 0; // even an enabled button gets no click
        QTest::mouseClick(search, Qt::LeftButton, {}, search->rect().center());
        QCoreApplication::sendPostedEvents();
        EXPECT_FALSE(search->m_bPressed);

        ASSERT_TRUE(w.WaitSearchDone());
        EXPECT_FALSE(WaitCursorShown());
        EXPECT_FALSE(list->HasCapture());
    });
    EXPECT_TRUE(host.Ended());
}

} // namespace
