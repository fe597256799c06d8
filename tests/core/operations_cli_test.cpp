// orvanta-cli's camera commands against the simulator on loopback: what
// reaches the camera, the JSON output and the exit code of each failure.
#include <gtest/gtest.h>

#include <cstdio>

#include "operations_fixture.h"

using opstest::LoopbackSim;

namespace {

const char* kCam = "mac=02:00:00:00:00:01,id=admin,pwd=secret,wifi=1";

int Cli(const LoopbackSim& sim, const std::string& args, std::string* out = nullptr)
{
    return opstest::RunShell("ORVANTA_PASSWORD=secret " + std::string(ORVANTA_BIN_DIR) + "/orvanta-cli " + args +
                                 " --to 127.0.0.1:" + std::to_string(sim.Port) + " --reply-wait 1",
        out);
}

TEST(Cli, ConfiguresTheCameraAndReportsInJson)
{
    LoopbackSim sim({kCam});
    ASSERT_TRUE(sim.Ready);
    std::string out;
    EXPECT_EQ(Cli(sim, "caps --mac 02:00:00:00:00:01 --json", &out), 0);
    EXPECT_NE(out.find("\"capabilities\": [162, 163, 164, 165, 168, 169, 170, 178]"), std::string::npos) << out;
    EXPECT_EQ(Cli(sim, "set-wlan --mac 02.00.00.00.00.01 --essid home --security wpa2 --key passphrase1 --channel 4"), 0);
    auto st = sim.State();
    EXPECT_EQ(st["essid"], "home");
    EXPECT_EQ(st["passkey"], "passphrase1");
    EXPECT_EQ(st["channel"], "4");
    EXPECT_EQ(st["wlan"], "1");
    EXPECT_EQ(Cli(sim, "set-network --mac 02:00:00:00:00:01 --ip 10.0.0.9 --mask 255.0.0.0 --gw 10.0.0.1"), 0);
    EXPECT_EQ(sim.State()["ip"], "10.0.0.9");
    EXPECT_EQ(Cli(sim, "change-password --mac 02:00:00:00:00:01 --new-password other"), 0);
    EXPECT_EQ(Cli(sim, "verify --mac 02:00:00:00:00:01"), 5); // the old password no longer works
    EXPECT_EQ(Cli(sim, "verify --mac 02:00:00:00:00:01 --password other --json", &out), 0);
    EXPECT_NE(out.find("\"ok\": true"), std::string::npos) << out;
}

TEST(Cli, WlanListsWhatTheCameraOffers)
{
    LoopbackSim sim({std::string(kCam) + ",essid=office,channels=1:2:13,encryptions=0x03,auths=0x21"});
    ASSERT_TRUE(sim.Ready);
    std::string out;
    ASSERT_EQ(Cli(sim, "wlan --mac 02:00:00:00:00:01 --json", &out), 0);
    for (const char* member : {"\"essid\": \"office\"", "\"channelRange\": \"00000000000000000001000000000011\"",
                               "\"channels\": [1, 2, 13]", "\"wirelessModes\": [0, 1]", "\"encryptionTypes\": [0, 1]",
                               "\"authTypes\": [0, 5]", "\"keyLengths\": [0, 1]", "\"keyFormats\": [0, 1]",
                               "\"defaultKeys\": [0, 1, 2, 3]"})
        EXPECT_NE(out.find(member), std::string::npos) << member << "\n" << out;
    ASSERT_EQ(Cli(sim, "wlan --mac 02:00:00:00:00:01", &out), 0);
    EXPECT_NE(out.find("channels: 1 2 13\n"), std::string::npos) << out;
}

TEST(Cli, ExitCodes)
{
    struct Case {
        const char* Camera;
        const char* Args;
        int Exit;
    } cases[] = {
        {kCam, "verify --mac 02:00:00:00:00:09", 3},
        {kCam, "verify", 2},
        {kCam, "verify --mac 02:00:00:00:00:01 --templates /nonexistent/", 4},
        {",tstatus=3", "verify --mac 02:00:00:00:00:01", 5},
        {",drop=3", "verify --mac 02:00:00:00:00:01", 6},
        {",tstatus=5,errcode=7", "set-network --mac 02:00:00:00:00:01 --dhcp", 5}, // Verification: 18
        {",wpspbc=0,wlan=1", "wps --mac 02:00:00:00:00:01 --pbc", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Camera) + " " + c.Args);
        LoopbackSim sim({c.Camera[0] == ',' ? std::string(kCam) + c.Camera : std::string(c.Camera)});
        ASSERT_TRUE(sim.Ready);
        EXPECT_EQ(Cli(sim, c.Args), c.Exit);
    }
}

} // namespace
