// The pages' camera conversations against the camera simulator on loopback,
// with the installed template set: what the camera ends up holding is read
// back from its state file.
#include <gtest/gtest.h>

#include <filesystem>

#include "operations_fixture.h"
#include "template/CameraSession.h"

using namespace orv;
using opstest::LoopbackSim;

namespace {

const char* kCam = "mac=02:00:00:00:00:01,id=admin,pwd=secret";

void FillNetwork(WizardSettings& s)
{
    WCopy(s.CameraName, u"Garden");
    WCopy(s.CameraIP, u"192.168.7.9");
    WCopy(s.SubnetMask, u"255.255.0.0");
    WCopy(s.Gateway, u"192.168.7.1");
    WCopy(s.PrimaryDNS, u"9.9.9.9");
    WCopy(s.SecondaryDNS, u"1.1.1.1");
    s.WebPort = 8080;
    s.Reserved = 77;
    s.DNSSpec = 3;
    s.DhcpEnabled = 0;
    WCopy(s.AdminID, u"admin");
    WCopy(s.AdminPwd, u"secret");
}

struct Session : ::testing::Test {
    CCamEngine engine;
    WizardSettings settings;
    std::vector<int> waits;
    std::unique_ptr<CameraSession> session;

    void Start(LoopbackSim& sim, std::string folder = std::string(ORVANTA_BIN_DIR) + "/tOrvanta/")
    {
        ASSERT_TRUE(sim.Ready);
        opstest::AimAtLoopback(engine, sim.Port, 1);
        session = std::make_unique<CameraSession>(engine, settings, folder);
        session->m_Sleep = [this](int ms) { waits.push_back(ms); };
        WCopy(settings.MacText, u"02.00.00.00.00.01");
        WCopy(settings.CameraIP, u"192.168.0.20");
        WCopy(settings.ListedIP, u"192.168.0.20");
        settings.AdapterIndex = -1;
        settings.Kind = 2;
    }
};

TEST_F(Session, LoginReadsCapabilitiesAndWirelessSettings)
{
    LoopbackSim sim({std::string(kCam) + ",essid=office,channel=11"});
    Start(sim);
    // A 64-digit hexadecimal WPA key goes in and comes back whole.
    const std::string hexKey(64, 'f');
    FillNetwork(settings);
    WCopy(settings.PassKey, U16(hexKey));
    WCopy(settings.ESSID, u"office");
    settings.Channel = 11;
    ASSERT_EQ(session->StepSetWLan(), -1);
    settings = WizardSettings{};
    Start(sim);
    settings.WlanEnabled = 1;
    EXPECT_EQ(session->CheckLogin(u"admin", u"secret"), -1);
    EXPECT_EQ(Utf8(settings.PassKey), hexKey);
    EXPECT_EQ(Utf8(settings.AdminID), "admin");
    EXPECT_EQ(settings.Capabilities[0], 0xA2);
    EXPECT_EQ(settings.Capabilities[7], 0xB2);
    EXPECT_EQ(settings.Capabilities[8], 0);
    EXPECT_EQ(Utf8(settings.ESSID), "office");
    EXPECT_EQ(settings.Channel, 11);
    EXPECT_EQ(Utf8(settings.EncModeBits), "00000000");
    // Offered by default: channels 1-11 and every choice the pages know.
    EXPECT_EQ(Utf8(settings.ChannelRange), "00000000000000000000011111111111");
    EXPECT_EQ(Utf8(settings.WireModeText), "00000011");
    EXPECT_EQ(Utf8(settings.EncryptionText), "00011111");
    EXPECT_EQ(Utf8(settings.AuthenticationText), "00111111");
    EXPECT_EQ(Utf8(settings.WEPKeyLenText), "00000011");
    EXPECT_EQ(Utf8(settings.WEPKeyFormatText), "00000011");
    EXPECT_EQ(Utf8(settings.WEPdefaultKeyText), "00001111");
    EXPECT_EQ(Utf8(settings.TXRateText), "00000001");
}

// What the camera says it offers reaches the pages bit for bit: the last
// character of each text is the first choice (channel 1, slot 0).
TEST_F(Session, OffersArriveAsTheCameraReportsThem)
{
    using W = WizardSettings;
    struct Row {
        const char* Item;  // camera description item
        wchar (W::*Field)[64];
        const char* Text;  // what the pages get
        const char* State; // what the camera's state file says it offers
    } rows[] = {
        {"channels=1:2", &W::ChannelRange, "00000000000000000000000000000011", "1:2"},
        {"channels=32", &W::ChannelRange, "10000000000000000000000000000000", "32"},
        {"channels=1-4:9-13", &W::ChannelRange, "00000000000000000001111100001111", "1:2:3:4:9:10:11:12:13"},
        {"channels=none", &W::ChannelRange, "00000000000000000000000000000000", "none"},
        {"wiremodes=1", &W::WireModeText, "00000001", "0x01"},
        {"encryptions=0x03", &W::EncryptionText, "00000011", "0x03"},
        {"auths=0x24", &W::AuthenticationText, "00100100", "0x24"},
        {"keylens=2", &W::WEPKeyLenText, "00000010", "0x02"},
        {"keyformats=0", &W::WEPKeyFormatText, "00000000", "0x00"},
        {"defkeys=0x81", &W::WEPdefaultKeyText, "10000001", "0x81"},
        {"txrates=255", &W::TXRateText, "11111111", "0xff"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Item);
        LoopbackSim sim({std::string(kCam) + "," + r.Item});
        settings = WizardSettings{};
        Start(sim);
        settings.WlanEnabled = 1;
        ASSERT_EQ(session->CheckLogin(u"admin", u"secret"), -1);
        EXPECT_EQ(Utf8(settings.*r.Field), r.Text);
        const std::string item = r.Item;
        EXPECT_EQ(sim.State()[item.substr(0, item.find('='))], r.State);
    }
}

// A simulated camera with an offer that no mask can hold does not start.
TEST(SimOffers, BadOffersAreRefused)
{
    for (const char* item : {"channels=0", "channels=33", "channels=5-3", "channels=1-", "channels=",
                             "encryptions=256", "auths=-1", "defkeys=x"}) {
        SCOPED_TRACE(item);
        LoopbackSim sim({std::string(kCam) + "," + item});
        EXPECT_FALSE(sim.Ready);
    }
}

TEST_F(Session, LoginRefusals)
{
    struct Case {
        const char* Camera;
        const char16_t* Pwd;
        int Result;
        int MsgCode;
    } cases[] = {
        {kCam, u"wrong", 18, 0},                        // Status 2
        {"power=0", u"secret", 18, 0},                  // Power is not 1
        {"tstatus=3", u"secret", 29, 0},
        {"tstatus=5,errcode=7", u"secret", 18, 7},      // Verification: 18 for any error
        {"othermac=1", u"secret", 30, 1500},            // another camera's 42 bytes
        {"silent=1", u"secret", 30, 1500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Camera);
        LoopbackSim sim({std::string(kCam) + "," + c.Camera});
        Start(sim);
        EXPECT_EQ(session->CheckLogin(u"admin", c.Pwd), c.Result);
        EXPECT_EQ(session->m_nMsgCode, c.MsgCode);
        EXPECT_EQ(settings.AdminID[0], 0); // stored only once accepted
    }
}

TEST_F(Session, VerificationTemplateWithoutPowerRefuses)
{
    LoopbackSim sim({kCam});
    const std::string dir = ::testing::TempDir() + "/orv-nopower/";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "Verification_temp") << "Other;4;r;n=v;0;0;TW2S\r\n";
    Start(sim, dir);
    EXPECT_EQ(session->RunVerification(u"admin", u"secret"), 18);
    Start(sim, dir + "missing/");
    EXPECT_EQ(session->RunVerification(u"admin", u"secret"), 1);
}

TEST_F(Session, EmptyCapabilityListSkipsTheWirelessReadBack)
{
    LoopbackSim sim({std::string(kCam) + ",caps=none"});
    Start(sim);
    settings.WlanEnabled = 1;
    settings.Capabilities[3] = 168; // left from an earlier camera
    EXPECT_EQ(session->CheckLogin(u"admin", u"secret"), -1);
    for (int32_t c : settings.Capabilities)
        EXPECT_EQ(c, 0);
    EXPECT_EQ(sim.State()["request"].find("168:"), std::string::npos);
}

TEST_F(Session, ApplyWritesEverySettingIntoTheCamera)
{
    LoopbackSim sim({kCam});
    Start(sim);
    FillNetwork(settings);
    WCopy(settings.Model, u"Q47-W");
    settings.ChangePwd = 1;
    WCopy(settings.NewPwd, u"n3w-pass");
    WCopy(settings.ESSID, u"home");
    WCopy(settings.PassKey, u"a long pass phrase");
    WCopy(settings.WEPKey2, u"0123456789");
    WCopy(settings.WirelessEnableText, u"1");
    settings.Channel = 11;
    settings.EncryptionType = 3, settings.WirelessMode = 1;
    settings.KeyLength = 2, settings.AuthType = 4;
    settings.DefaultKeyIndex = 1, settings.KeyFormat = 1;
    WCopy(settings.TxRateBits, u"00001011");
    EXPECT_EQ(session->ApplySettings(true), -1);
    auto st = sim.State();
    EXPECT_EQ(Utf8(settings.AdminPwd), "n3w-pass");
    // The camera now takes the new password and refuses the old one.
    EXPECT_EQ(session->RunVerification(u"admin", u"n3w-pass"), -1);
    EXPECT_EQ(session->RunVerification(u"admin", u"secret"), 18);
    EXPECT_EQ(st["name"], "Garden");
    EXPECT_EQ(st["ip"], "192.168.7.9");
    EXPECT_EQ(st["mask"], "255.255.0.0");
    EXPECT_EQ(st["gw"], "192.168.7.1");
    EXPECT_EQ(st["dns1"], "9.9.9.9");
    EXPECT_EQ(st["dns2"], "1.1.1.1");
    EXPECT_EQ(st["dhcp"], "0");
    EXPECT_EQ(st["webport"], "8080");
    EXPECT_EQ(st["reserved"], "77");
    EXPECT_EQ(st["dnsspec"], "3");
    EXPECT_EQ(st["essid"], "home");
    EXPECT_EQ(st["passkey"], "a long pass phrase");
    EXPECT_EQ(st["wepkey2"], "0123456789");
    EXPECT_EQ(st["wlan"], "1");
    EXPECT_EQ(st["channel"], "11");
    EXPECT_EQ(st["encmode"], std::to_string(0x31));
    EXPECT_EQ(st["keylenauth"], std::to_string(0x24));
    EXPECT_EQ(st["dkeyformat"], std::to_string(0x11));
    EXPECT_EQ(st["txrate"], "11");
    EXPECT_EQ(st["resets"], "1");
    EXPECT_TRUE(waits.empty());
}

TEST_F(Session, CameraAskedWaitsAreHonoured)
{
    for (const char* wait : {"wait=2:3000", "wait=1:1200"}) {
        LoopbackSim sim({std::string(kCam) + "," + wait});
        Start(sim);
        FillNetwork(settings);
        waits.clear();
        EXPECT_EQ(session->ApplySettings(false), -1);
        EXPECT_EQ(waits, std::vector<int>{std::atoi(std::strchr(wait, ':') + 1)});
    }
    LoopbackSim sim({std::string(kCam) + ",wait=3:3000"}); // unknown action: done
    Start(sim);
    FillNetwork(settings);
    waits.clear();
    EXPECT_EQ(session->ApplySettings(false), -1);
    EXPECT_TRUE(waits.empty());
}

TEST_F(Session, ApplyStopsAtTheFirstRefusal)
{
    struct Case {
        const char* Camera;
        int Result, MsgCode;
    } cases[] = {{"tstatus=5,errcode=7", 30, 7}, {"tstatus=5", 30, 0}, {"tstatus=2", 18, 0}, {"tstatus=3", 29, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Camera);
        LoopbackSim sim({std::string(kCam) + "," + c.Camera});
        Start(sim);
        FillNetwork(settings);
        EXPECT_EQ(session->ApplySettings(true), c.Result);
        EXPECT_EQ(session->m_nMsgCode, c.MsgCode);
        EXPECT_EQ(sim.State()["name"], "Camera"); // nothing applied
    }
}

TEST_F(Session, WpsPairingWithKeyAgreement)
{
    LoopbackSim sim({std::string(kCam) + ",wpspolls=3"});
    Start(sim);
    WCopy(settings.AdminID, u"admin");
    WCopy(settings.AdminPwd, u"secret");
    WCopy(settings.WirelessEnableText, u"1");
    settings.WpsMode = 2;
    EXPECT_EQ(session->RunWpsPairing(u"admin", u"secret", "12345670", 1, 30), -1);
    auto st = sim.State();
    EXPECT_EQ(st["wps_mode"], "2");
    EXPECT_EQ(st["wps_pin"], "12345670");
    EXPECT_EQ(st["wps_secret_ok"], "1");
    EXPECT_EQ(st["wps_paired"], "1");
}

TEST_F(Session, WpsWithoutPushButtonAndWithWirelessOff)
{
    LoopbackSim sim({std::string(kCam) + ",wpspbc=0"});
    Start(sim);
    WCopy(settings.AdminID, u"admin");
    WCopy(settings.AdminPwd, u"secret");
    WCopy(settings.ESSID, u"keep");
    WCopy(settings.Model, u"Q47");
    EXPECT_EQ(session->RunWpsPairing(u"admin", u"secret", "12345670", 1, 30), 30);
    EXPECT_EQ(session->m_nMsgCode, 1501);
    auto st = sim.State(); // the wireless interface was switched on first
    EXPECT_EQ(st["wlan"], "1");
    EXPECT_EQ(st["essid"], "keep");
    EXPECT_EQ(st["resets"], "1");
}

TEST_F(Session, DiscoveryPayloadReadsBackThroughTheTemplate)
{
    LoopbackSim sim({std::string(kCam) + ",model=K81-X,name=Porch,ip=10.1.2.3,mask=255.255.255.0,gw=10.1.2.1,"
                                         "dns1=8.8.8.8,dns2=8.8.4.4,dhcp=1,port=8081,wifi=1,reserved=5,dnsspec=2"});
    Start(sim);
    // Ask the simulator for its discovery reply ourselves.
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(sim.Port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    uint8_t req[22] = {0xFD, 0xFD, 1, 0, 0xA1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    sendto(fd, req, sizeof req, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    CamRecord rec{};
    pollfd p{fd, POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 3000), 1);
    ASSERT_EQ(recv(fd, &rec, kDiscoveryReplySize, 0), static_cast<ssize_t>(kDiscoveryReplySize));
    close(fd);
    engine.m_Found.push_back(rec);
    EXPECT_EQ(session->PrepareSelected(0), -1);
    EXPECT_EQ(Utf8(settings.Model), "K81-X");
    EXPECT_EQ(Utf8(settings.CameraName), "Porch");
    EXPECT_EQ(Utf8(settings.CameraIP), "10.1.2.3");
    EXPECT_EQ(Utf8(settings.ListedIP), "10.1.2.3");
    EXPECT_EQ(Utf8(settings.SubnetMask), "255.255.255.0");
    EXPECT_EQ(Utf8(settings.Gateway), "10.1.2.1");
    EXPECT_EQ(Utf8(settings.PrimaryDNS), "8.8.8.8");
    EXPECT_EQ(Utf8(settings.SecondaryDNS), "8.8.4.4");
    EXPECT_EQ(settings.DhcpEnabled, 1);
    EXPECT_EQ(settings.WebPort, 8081);
    EXPECT_EQ(settings.Reserved, 5);
    EXPECT_EQ(settings.DNSSpec, 2);
    EXPECT_EQ(settings.WlanEnabled, 1);
    EXPECT_EQ(Utf8(settings.MacText), "02.00.00.00.00.01");

    // A pick the list no longer holds (a new search emptied it) stops the
    // caller and changes nothing.
    for (int stale : {1, -1, 1 << 30}) {
        WCopy(settings.MacText, u"kept");
        settings.Family = 0;
        EXPECT_NE(session->PrepareSelected(stale), -1) << stale;
        EXPECT_NE(session->ReadBackDiscovery(stale), -1) << stale;
        EXPECT_EQ(Utf8(settings.MacText), "kept");
        EXPECT_EQ(settings.Family, 0);
    }
}

} // namespace

// Switching the wireless interface on tells the camera "1" in the request
// only: the settings keep what the camera reported, whether the camera took
// it or not, so a failed switch-on is not taken for the camera's state.
TEST_F(Session, EnableWirelessLeavesTheReportedStateInTheSettings)
{
    for (const char* camera : {"", ",silent=1"}) {
        LoopbackSim sim({std::string(kCam) + ",wlan=0" + camera});
        Start(sim);
        WCopy(settings.AdminID, u"admin");
        WCopy(settings.AdminPwd, u"secret");
        WCopy(settings.WirelessEnableText, u"0");
        const int result = session->EnableWireless();
        EXPECT_EQ(Utf8(settings.WirelessEnableText), "0") << camera;
        if (*camera == 0) {
            EXPECT_EQ(result, -1);
            EXPECT_EQ(sim.State()["wlan"], "1"); // the request did say "on"
        } else {
            EXPECT_NE(result, -1);
        }
    }
}
