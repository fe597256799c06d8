// The whole wizard inside the pc namespace, driven through its real widgets:
// search, pick, log in with a new password, a fixed address, apply, and the
// new list; then a second run that must log in with the new password. What
// the simulated camera received is read back from its state file.
#include "ui/support/UiTestMain.h"

#include <unistd.h>

#include <fstream>
#include <map>
#include <memory>

#include "app/OrvantaDlg.h"
#include "pages/DlgIdPwd.h"
#include "pages/DlgListCam.h"
#include "platform/qt/WinDefs.h"
#include "support/NetnsLab.h"
#include "support/WizardDriver.h"

using namespace orv;
using orvtest::NetnsLab;
using orvtest::ReadState;
using orvtest::ScopedNetns;
using orvtest::WizardDriver;

namespace {

// Network page controls (by id, as the skin numbers them).
constexpr int kIpAddr = 1106, kSubMask = 1107, kGateway = 1108, kPriDns = 1109, kSecDns = 1110;
constexpr int kDhcpOff = 1204;
constexpr const char* kMac = "02.00.00.00.0a.01";

class WizardRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        lab = std::make_unique<NetnsLab>();
        const int seg = lab->AddSegment();
        lab->AddPcAdapter(seg, "eth0", {"198.18.1.1/24"});
        state = "/tmp/" + lab->PcNamespace() + "-wizard.state";
        lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.50/24"),
            {"--camera", std::string("mac=02:00:00:00:0a:01,model=K81-X,name=Porch,ip=198.18.1.50,mask=255.255.0.0,"
                                     "gw=198.18.0.1,dhcp=1,wifi=0,id=admin,pwd=secret,state=") + state});
        ASSERT_TRUE(lab->Ok()) << lab->Error();
    }
    void TearDown() override
    {
        lab.reset();
        if (!state.empty())
            unlink(state.c_str());
    }

    std::unique_ptr<NetnsLab> lab;
    std::string state;
};

} // namespace

TEST_F(WizardRun, FixedAddressAndNewPasswordThenLoginWithIt)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    {
        COrvantaDlg host;
        WizardDriver w(host);
        w.Run([&] {
            ASSERT_TRUE(w.WaitForPage(kPageListCam));
            ASSERT_TRUE(w.WaitSearchDone());
            ASSERT_TRUE(w.PickCamera(kMac));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_TRUE(w.WaitForPage(kPageIdPwd)) << w.BoxTexts();
            EXPECT_EQ(Utf8(host.m_Settings.Model), "K81-X");
            EXPECT_EQ(Utf8(host.m_Settings.CameraName), "Porch");

            ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmId, "admin"));
            ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmPwd, "secret"));
            ASSERT_TRUE(w.SetCheck(CDlgIdPwd::kIdCkbxPwd, true));
            ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdNewPwd, "n3w-Pass"));
            ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdChkPwd, "n3w-Pass"));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_TRUE(w.WaitForPage(kPageNetWork)) << w.BoxTexts();

            ASSERT_TRUE(w.SetCheck(kDhcpOff, true));
            ASSERT_TRUE(w.SetText(kIpAddr, "198.18.1.77"));
            ASSERT_TRUE(w.SetText(kSubMask, "255.255.255.0"));
            ASSERT_TRUE(w.SetText(kGateway, "198.18.1.254"));
            ASSERT_TRUE(w.SetText(kPriDns, "198.18.1.2"));
            ASSERT_TRUE(w.SetText(kSecDns, "198.18.1.3"));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_TRUE(w.WaitForPage(kPageNetWorkFinish)) << w.BoxTexts();

            ASSERT_TRUE(w.Click(IDC_NEXT));
            // Applied: a new list page with a new search and fresh settings.
            ASSERT_TRUE(w.WaitForPage(kPageListCam, 30000)) << w.BoxTexts();
            EXPECT_EQ(host.m_Settings.AdminID[0], 0);
            ASSERT_TRUE(w.WaitSearchDone());
            EXPECT_TRUE(w.PickCamera("198.18.1.77")); // the camera lists its new address
            w.Page()->SendCommand(IDC_EXIT);
        });
        EXPECT_TRUE(host.Ended());
        EXPECT_TRUE(w.Boxes().Calls().empty()) << w.BoxTexts();
    }
    auto st = ReadState(state);
    EXPECT_EQ(st["name"], "Porch");
    EXPECT_EQ(st["ip"], "198.18.1.77");
    EXPECT_EQ(st["mask"], "255.255.255.0");
    EXPECT_EQ(st["gw"], "198.18.1.254");
    EXPECT_EQ(st["dns1"], "198.18.1.2");
    EXPECT_EQ(st["dns2"], "198.18.1.3");
    EXPECT_EQ(st["dhcp"], "0");
    EXPECT_EQ(st["pwd"], "(changed)"); // kept scrambled, as the camera stores it
    EXPECT_EQ(st["resets"], "1");      // a K81 restarts after its settings

    // Second run: the old password is refused, the new one accepted.
    {
        COrvantaDlg host;
        WizardDriver w(host);
        w.Run([&] {
            ASSERT_TRUE(w.WaitSearchDone());
            ASSERT_TRUE(w.PickCamera(kMac));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_TRUE(w.WaitForPage(kPageIdPwd));
            ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmId, "admin"));
            ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmPwd, "secret"));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_TRUE(WizardDriver::WaitUntil([&] { return !w.Boxes().Calls().empty(); }));
            EXPECT_EQ(w.PageCode(), kPageIdPwd);
            ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmPwd, "n3w-Pass"));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_TRUE(w.WaitForPage(kPageNetWork)) << w.BoxTexts();
            EXPECT_EQ(Utf8(host.m_Settings.AdminPwd), "n3w-Pass");
        });
        ASSERT_EQ(w.Boxes().Calls().size(), 1u) << w.BoxTexts();
        EXPECT_NE(Utf8(w.Boxes().Calls()[0].text).find("not correct"), std::string::npos) << w.BoxTexts();
    }
}
