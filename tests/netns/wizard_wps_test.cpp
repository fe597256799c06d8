// WPS pairings through the whole wizard inside the pc namespace: push button
// from the list page, PIN after the wireless choice, and a pairing whose
// window runs out. The simulated camera checks the key agreement and keeps
// what it was sent in its state file.
#include "ui/support/UiTestMain.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <map>
#include <memory>

#include "app/OrvantaDlg.h"
#include "pages/DlgIdPwd.h"
#include "pages/DlgListCam.h"
#include "pages/DlgWPSSetting.h"
#include "pages/DlgWirelessSelect.h"
#include "pages/WpsLogic.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WinDefs.h"
#include "support/NetnsLab.h"
#include "support/WizardDriver.h"

using namespace orv;
using orvtest::NetnsLab;
using orvtest::ReadState;
using orvtest::ScopedNetns;
using orvtest::WizardDriver;

namespace {

using Wps = CDlgWPSSetting;

bool SawMessage(WizardDriver& w, const char* part)
{
    for (const auto& c : w.Boxes().Calls())
        if (Utf8(c.text).find(part) != std::string::npos)
            return true;
    return false;
}

constexpr const char* kQ47Mac = "02.00.00.00.0b.01";
constexpr const char* kPlainMac = "02.00.00.00.0b.02";
constexpr const char* kSlowMac = "02.00.00.00.0b.03";
// Texts of the installed skin's messages 2002 and 2003.
constexpr const char* kJoined = "has joined your wireless network";
constexpr const char* kNotJoined = "could not join your wireless network";

class WizardWps : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        lab = std::make_unique<NetnsLab>();
        const int seg = lab->AddSegment();
        lab->AddPcAdapter(seg, "eth0", {"198.18.1.1/24"});
        const std::string prefix = "/tmp/" + lab->PcNamespace();
        q47State = prefix + "-q47.state";
        plainState = prefix + "-plain.state";
        slowState = prefix + "-slow.state";
        lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.51/24"),
            {"--camera", "mac=02:00:00:00:0b:01,model=Q47-W,name=Gate,ip=198.18.1.51,wifi=1,wlan=0,id=admin,"
                         "pwd=secret,wpspolls=2,state=" + q47State});
        lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.52/24"),
            {"--camera", "mac=02:00:00:00:0b:02,model=FW-200,name=Yard,ip=198.18.1.52,wifi=1,wlan=1,essid=old,"
                         "id=admin,pwd=secret,wpspolls=1,state=" + plainState});
        lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.53/24"),
            {"--camera", "mac=02:00:00:00:0b:03,model=FW-300,name=Shed,ip=198.18.1.53,wifi=1,wlan=1,essid=old,"
                         "id=admin,pwd=secret,wpspolls=100000,state=" + slowState});
        ASSERT_TRUE(lab->Ok()) << lab->Error();
    }
    void TearDown() override
    {
        lab.reset();
        for (const std::string& s : {q47State, plainState, slowState})
            if (!s.empty())
                unlink(s.c_str());
    }

    // List page -> ID and password -> network page -> wireless choice with
    // WPS -> the WPS page in follow-on mode.
    static void ToFollowOnWpsPage(WizardDriver& w, const char* mac)
    {
        ASSERT_TRUE(w.WaitForPage(kPageListCam));
        ASSERT_TRUE(w.WaitSearchDone());
        ASSERT_TRUE(w.PickCamera(mac));
        ASSERT_TRUE(w.Click(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageIdPwd)) << w.BoxTexts();
        ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmId, "admin"));
        ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmPwd, "secret"));
        ASSERT_TRUE(w.Click(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageNetWork)) << w.BoxTexts();
        ASSERT_TRUE(w.Click(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageWirelessSelect)) << w.BoxTexts();
        ASSERT_TRUE(w.SetCheck(CDlgWirelessSelect::IDC_WPS, true));
        ASSERT_TRUE(w.Click(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageWpsFollow)) << w.BoxTexts();
    }

    std::unique_ptr<NetnsLab> lab;
    std::string q47State, plainState, slowState;
};

} // namespace

TEST_F(WizardWps, PushButtonPairingFromTheListPage)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    COrvantaDlg host;
    WizardDriver w(host);
    w.Run([&] {
        ASSERT_TRUE(w.WaitForPage(kPageListCam));
        ASSERT_TRUE(w.WaitSearchDone());
        ASSERT_TRUE(w.PickCamera(kQ47Mac));
        ASSERT_TRUE(w.Click(CDlgListCam::kIdWps)); // shown for a Q47 model
        ASSERT_TRUE(w.WaitForPage(kPageWpsDirect)) << w.BoxTexts();
        auto* page = dynamic_cast<CDlgWPSSetting*>(w.Page());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->Direct(), 1);
        EXPECT_FALSE(w.Ctrl(IDC_NEXT)->isVisible());
        ASSERT_TRUE(w.SetText(Wps::kIdAdmId, "admin"));
        ASSERT_TRUE(w.SetText(Wps::kIdAdmPwd, "secret"));
        ASSERT_TRUE(w.Click(Wps::kIdButPbcPush));
        ASSERT_TRUE(page->Running()) << w.BoxTexts();
        // Paired: message 2003, then Next from this page opens a new list.
        ASSERT_TRUE(WizardDriver::WaitUntil([&] { return SawMessage(w, kJoined); }, 60000)) << w.BoxTexts();
        ASSERT_TRUE(w.WaitForPage(kPageListCam)) << w.BoxTexts();
        w.Page()->SendCommand(IDC_EXIT);
    });
    EXPECT_TRUE(host.Ended());
    const auto st = ReadState(q47State);
    EXPECT_EQ(st.at("wps_mode"), "1");
    EXPECT_EQ(st.at("wps_secret_ok"), "1");
    EXPECT_EQ(st.at("wps_paired"), "1");
}

TEST_F(WizardWps, PinPairingAfterTheWirelessChoice)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    COrvantaDlg host;
    WizardDriver w(host);
    std::string pin;
    w.Run([&] {
        ToFollowOnWpsPage(w, kPlainMac);
        if (HasFatalFailure())
            return;
        auto* page = dynamic_cast<CDlgWPSSetting*>(w.Page());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->Direct(), 0);
        EXPECT_FALSE(w.Ctrl(Wps::kIdAdmId)->isVisible());
        ASSERT_TRUE(w.Click(Wps::kIdOptPin));
        pin = w.Text(Wps::kIdEditPin).toStdString();
        ASSERT_EQ(pin.size(), 8u);
        ASSERT_TRUE(w.Click(Wps::kIdButPinStart));
        ASSERT_TRUE(page->Running()) << w.BoxTexts();
        ASSERT_TRUE(WizardDriver::WaitUntil([&] { return SawMessage(w, kJoined); }, 60000)) << w.BoxTexts();
        // Next goes on to the wireless summary with the read-back settings.
        ASSERT_TRUE(w.WaitForPage(kPageWirelessFinish)) << w.BoxTexts();
        EXPECT_EQ(host.WpsResult(), 1);
        EXPECT_EQ(Utf8(host.m_Settings.ESSID), "wps-network");
        EXPECT_EQ(Utf8(host.m_Settings.WirelessEnableText), "1");
        EXPECT_EQ(host.m_Settings.WpsMode, 2);
    });
    EXPECT_TRUE(host.Ended());
    const auto st = ReadState(plainState);
    EXPECT_EQ(st.at("wps_mode"), "2");
    EXPECT_EQ(st.at("wps_pin"), pin);
    EXPECT_EQ(st.at("wps_secret_ok"), "1");
    EXPECT_EQ(st.at("wps_paired"), "1");
}

TEST_F(WizardWps, PairingWhoseWindowRunsOutShows2002)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    orv::ShellHook shell; // the 2-second pause is recorded, not slept
    COrvantaDlg host;
    WizardDriver w(host);
    w.Run([&] {
        ToFollowOnWpsPage(w, kSlowMac);
        if (HasFatalFailure())
            return;
        auto* page = dynamic_cast<CDlgWPSSetting*>(w.Page());
        ASSERT_NE(page, nullptr);
        // The page's clock is moved on instead of waiting two minutes.
        // Read by the pairing's ticks on their worker thread.
        std::atomic<uint32_t> now{1000};
        page->SetTickClock([&now] { return now.load(); });
        ASSERT_TRUE(w.Click(Wps::kIdButPbcPush));
        ASSERT_TRUE(page->Running()) << w.BoxTexts();
        now += 60000; // the camera still says "running" at every poll
        QTest::qWait(1500); // at least one poll within the window
        EXPECT_TRUE(page->Running());
        now += 60000;
        ASSERT_TRUE(WizardDriver::WaitUntil([&] { return !page->Running(); }, 5000));
        EXPECT_TRUE(SawMessage(w, kNotJoined)) << w.BoxTexts();
        EXPECT_EQ(shell.sleeps, std::vector<int>{2000});
        EXPECT_EQ(w.PageCode(), kPageWpsFollow);
        EXPECT_EQ(page->WpsResult(), 0);
        // Next now asks Retry/Cancel; Cancel goes on without pairing.
        w.Boxes().Answer(IDCANCEL);
        ASSERT_TRUE(w.Click(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageWirelessFinish)) << w.BoxTexts();
        EXPECT_EQ(host.WpsResult(), 0);
    });
    EXPECT_TRUE(host.Ended());
    const auto st = ReadState(slowState);
    EXPECT_EQ(st.at("wps_paired"), "0");
}
