// Template operations over real sockets: the pc namespace searches, picks a
// simulated camera and configures it through the adapter it was found on,
// as the wizard's pages do. One camera sits on a foreign subnet and can only
// answer by broadcast.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <thread>

#include "engine/CamEngine.h"
#include "support/NetnsLab.h"
#include "template/CameraSession.h"

using namespace orv;
using orvtest::NetnsLab;
using orvtest::ReadState;

namespace {

class OperationsLab : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!NetnsLab::SkipReason().empty())
            return;
        s_lab = std::make_unique<NetnsLab>();
        NetnsLab& lab = *s_lab;
        const int seg1 = lab.AddSegment(), seg2 = lab.AddSegment();
        lab.AddPcAdapter(seg1, "eth0", {"198.18.1.1/24"});
        lab.AddPcAdapter(seg2, "eth1", {"198.18.2.1/24"});
        s_near = "/tmp/" + lab.PcNamespace() + "-near.state";
        s_far = "/tmp/" + lab.PcNamespace() + "-far.state";
        lab.StartSimulator(lab.AddCameraHost(seg1, "198.18.1.50/24"),
            {"--camera", "mac=02:00:00:00:01:01,model=Q47-N,name=Hall,ip=198.18.1.50,wifi=1,id=admin,pwd=secret,"
                         "essid=office,wpspolls=2,state=" + s_near});
        lab.StartSimulator(lab.AddCameraHost(seg1, "198.19.77.5/24"),
            {"--camera", "mac=02:00:00:00:07:07,model=FAR,name=Elsewhere,ip=198.19.77.5,mask=255.255.255.0,"
                         "reply=broadcast,id=admin,pwd=secret,wait=2:300,state=" + s_far});
    }
    static void TearDownTestSuite()
    {
        s_lab.reset();
        unlink(s_near.c_str());
        unlink(s_far.c_str());
    }
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        ASSERT_TRUE(s_lab->Ok()) << s_lab->Error();
    }

    // Searches inside the pc and prepares the camera with `mac` as the list
    // page does; false when the search did not find it.
    static bool Pick(CCamEngine& engine, CameraSession& session, const std::string& mac)
    {
        engine.StartSearch();
        while (!engine.IsSearchDone())
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        engine.WaitForSearch();
        for (int32_t i = 0; i < engine.CountRecords(); ++i) {
            engine.SelectRecord(i);
            if (Utf8(engine.GetSelMacText()) == mac)
                return session.PrepareSelected(i) == -1;
        }
        return false;
    }

    static std::unique_ptr<NetnsLab> s_lab;
    static std::string s_near, s_far;
};
std::unique_ptr<NetnsLab> OperationsLab::s_lab;
std::string OperationsLab::s_near, OperationsLab::s_far;

const std::string kTemplates = std::string(ORVANTA_BIN_DIR) + "/tOrvanta/";

TEST_F(OperationsLab, ConfiguresACameraThroughTheAdapterItWasFoundOn)
{
    ASSERT_TRUE(s_lab->RunInPc([&] {
        CCamEngine engine;
        WizardSettings settings;
        CameraSession session(engine, settings, kTemplates);
        ASSERT_TRUE(Pick(engine, session, "02.00.00.00.01.01"));
        EXPECT_EQ(settings.AdapterIndex, 0);
        EXPECT_EQ(settings.WlanEnabled, 1);
        EXPECT_EQ(Utf8(settings.CameraName), "Hall");
        ASSERT_EQ(session.CheckLogin(u"admin", u"secret"), -1);
        EXPECT_EQ(Utf8(settings.ESSID), "office");
        WCopy(settings.CameraName, u"Lobby");
        WCopy(settings.CameraIP, u"198.18.1.60");
        WCopy(settings.ESSID, u"new-net");
        WCopy(settings.WirelessEnableText, u"1");
        EXPECT_EQ(session.ApplySettings(true), -1);
    }));
    auto st = ReadState(s_near);
    EXPECT_EQ(st["name"], "Lobby");
    EXPECT_EQ(st["ip"], "198.18.1.60");
    EXPECT_EQ(st["essid"], "new-net");
    EXPECT_EQ(st["wlan"], "1");
    EXPECT_EQ(st["resets"], "1"); // a Q47 model restarts after its settings
}

TEST_F(OperationsLab, ForeignSubnetCameraAnsweringByBroadcast)
{
    std::vector<int> waits;
    ASSERT_TRUE(s_lab->RunInPc([&] {
        CCamEngine engine;
        WizardSettings settings;
        CameraSession session(engine, settings, kTemplates);
        session.m_Sleep = [&](int ms) { waits.push_back(ms); };
        ASSERT_TRUE(Pick(engine, session, "02.00.00.00.07.07"));
        EXPECT_EQ(Utf8(settings.CameraIP), "198.19.77.5");
        ASSERT_EQ(session.CheckLogin(u"admin", u"secret"), -1);
        WCopy(settings.CameraIP, u"198.18.1.77");
        WCopy(settings.SubnetMask, u"255.255.255.0");
        EXPECT_EQ(session.ApplySettings(false), -1);
    }));
    EXPECT_EQ(ReadState(s_far)["ip"], "198.18.1.77");
    EXPECT_EQ(waits, std::vector<int>{300});
}

TEST_F(OperationsLab, TheWrongAdapterReachesNoCamera)
{
    ASSERT_TRUE(s_lab->RunInPc([&] {
        CCamEngine engine;
        WizardSettings settings;
        CameraSession session(engine, settings, kTemplates);
        ASSERT_TRUE(Pick(engine, session, "02.00.00.00.01.01"));
        settings.AdapterIndex = 1; // eth1: the other segment
        engine.m_nReplyWaitSeconds = 1;
        EXPECT_EQ(session.CheckLogin(u"admin", u"secret"), 30);
        EXPECT_EQ(session.m_nMsgCode, 1500);
        EXPECT_EQ(engine.m_nStatus, 3);
    }));
}

TEST_F(OperationsLab, WpsPairingWithKeyAgreement)
{
    ASSERT_TRUE(s_lab->RunInPc([&] {
        CCamEngine engine;
        WizardSettings settings;
        CameraSession session(engine, settings, kTemplates);
        ASSERT_TRUE(Pick(engine, session, "02.00.00.00.01.01"));
        ASSERT_EQ(session.CheckLogin(u"admin", u"secret"), -1);
        settings.WpsMode = 1;
        EXPECT_EQ(session.RunWpsPairing(u"admin", u"secret", "12345670", 50, 30), -1);
    }));
    auto st = ReadState(s_near);
    EXPECT_EQ(st["wps_secret_ok"], "1");
    EXPECT_EQ(st["wps_paired"], "1");
}

TEST_F(OperationsLab, CommandLineConfiguresACameraEndToEnd)
{
    const std::string cli = NetnsLab::CliPath();
    std::string out;
    EXPECT_EQ(s_lab->RunProgramInPc({cli, "set-network", "--mac", "02:00:00:00:01:01", "--user", "admin",
                  "--password", "secret", "--dhcp", "--name", "ByCli", "--json"}, out), 0) << out;
    EXPECT_NE(out.find("\"ok\": true"), std::string::npos) << out;
    auto st = ReadState(s_near);
    EXPECT_EQ(st["dhcp"], "1");
    EXPECT_EQ(st["name"], "ByCli");

    EXPECT_EQ(s_lab->RunProgramInPc({cli, "search", "--details", "--json"}, out), 0);
    EXPECT_NE(out.find("\"name\": \"Elsewhere\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"wifi\": 1"), std::string::npos) << out;

    EXPECT_EQ(s_lab->RunProgramInPc({cli, "verify", "--mac", "02:00:00:00:01:01", "--password", "wrong"}, out), 5);
    EXPECT_EQ(s_lab->RunProgramInPc({cli, "verify", "--mac", "02:00:00:00:09:09", "--password", "secret"}, out), 3);
}

} // namespace
