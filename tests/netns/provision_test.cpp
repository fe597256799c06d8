// orvanta-cli provision run inside the pc namespace against simulated
// cameras on two segments: every row of one plan ends either in the camera's
// planned state (read back from the simulator's state file) or in a result
// that says why not, and a failing camera never stops the others.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <memory>
#include <string>

#include "support/NetnsLab.h"

using orvtest::NetnsLab;
using orvtest::ReadState;
using orvtest::RunProgram;

namespace {

const char* const kGood = "02:00:00:00:15:01";     // Wi-Fi camera: address, password, wireless
const char* const kDhcp = "02:00:00:00:15:02";     // second segment, a model that restarts
const char* const kMissing = "02:00:00:00:15:09";  // no such camera
const char* const kWrongPwd = "02:00:00:00:15:03"; // the row carries a wrong password
const char* const kBadRow = "02:00:00:00:15:04";   // the row's address is not one
const char* const kSilent = "02:00:00:00:15:05";   // answers the search, never a request
const char* const kSame = "02:00:00:00:15:06";     // already as planned

class Provision : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!NetnsLab::CliSkipReason().empty())
            return;
        s_lab = std::make_unique<NetnsLab>();
        NetnsLab& lab = *s_lab;
        s_dir = "/tmp/" + lab.PcNamespace() + "-provision";
        RunProgram({"mkdir", "-p", s_dir});
        const int seg1 = lab.AddSegment(), seg2 = lab.AddSegment();
        lab.AddPcAdapter(seg1, "eth0", {"198.18.1.1/24"});
        lab.AddPcAdapter(seg2, "eth1", {"198.18.2.1/24"});
        const std::string common = ",id=admin,pwd=secret,wait=2:400,state=";
        lab.StartSimulator(lab.AddCameraHost(seg1, "198.18.1.50/24"),
            {"--camera", std::string("mac=") + kGood + ",model=SIM,name=Old,ip=198.18.1.50,wifi=1,essid=factory" +
                             common + State(kGood),
                "--camera", std::string("mac=") + kWrongPwd + ",ip=198.18.1.52" + common + State(kWrongPwd),
                "--camera", std::string("mac=") + kBadRow + ",ip=198.18.1.53" + common + State(kBadRow),
                "--camera", std::string("mac=") + kSilent + ",ip=198.18.1.54,drop=1000" + common + State(kSilent),
                "--camera", std::string("mac=") + kSame + ",name=Same,ip=198.18.1.55" + common + State(kSame)});
        lab.StartSimulator(lab.AddCameraHost(seg2, "198.18.2.50/24"),
            {"--camera", std::string("mac=") + kDhcp + ",model=K81-W,name=Yard,ip=198.18.2.50" + common +
                             State(kDhcp)});
        std::ofstream(s_dir + "/plan.csv")
            << "mac,name,password,ip,mask,gateway,dhcp,new_password,essid,security,key\r\n"
            << kGood << ",\"Lobby, east\",," << "198.18.1.60,255.255.255.0,198.18.1.1,,n3w-secret,site-net,wpa2,"
            << "correct horse\r\n"
            << kMissing << ",Nowhere,,,,,,,,,\r\n"
            << kDhcp << ",Yard 2,,,,,1,,,,\r\n"
            << kWrongPwd << ",Never,wrong,,,,,,,,\r\n"
            << kBadRow << ",Never,,300.1.1.1,,,,,,,\r\n"
            << kSilent << ",Never,,,,,,,,,\r\n"
            << kSame << ",Same,,,,,,,,,\r\n";
    }
    static void TearDownTestSuite()
    {
        s_lab.reset();
        if (!s_dir.empty())
            RunProgram({"rm", "-rf", s_dir});
    }
    void SetUp() override
    {
        const std::string why = NetnsLab::CliSkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        ASSERT_TRUE(s_lab->Ok()) << s_lab->Error();
    }

    static std::string State(const char* mac) { return s_dir + "/" + std::string(mac).substr(12, 5) + ".state"; }
    static bool Touched(const char* mac) { return access(State(mac).c_str(), F_OK) == 0; }
    static int RunPlan(const std::vector<std::string>& extra, std::string& out)
    {
        std::string cmd = NetnsLab::CliPath() + " provision " + s_dir + "/plan.csv --password secret --reply-wait 1";
        for (const std::string& e : extra)
            cmd += " " + e;
        return s_lab->RunProgramInPc({"sh", "-c", cmd + " 2>" + s_dir + "/stderr"}, out);
    }

    static std::unique_ptr<NetnsLab> s_lab;
    static std::string s_dir;
};

std::unique_ptr<NetnsLab> Provision::s_lab;
std::string Provision::s_dir;

// One line of the JSON array, by the row's plan line.
std::string RowOf(const std::string& json, int line)
{
    const std::string key = "{\"line\": " + std::to_string(line) + ",";
    const std::size_t at = json.find(key);
    return at == std::string::npos ? "" : json.substr(at, json.find('\n', at) - at);
}

// The line of `text` that holds `what` ("" when none does).
std::string LineWith(const std::string& text, const std::string& what)
{
    const std::size_t at = text.find(what);
    if (at == std::string::npos)
        return "";
    const std::size_t begin = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
    return text.substr(begin, text.find('\n', at) - begin);
}

// The opcodes of the requests a simulated camera received, in order.
std::string Requests(const std::string& statePath)
{
    std::string out;
    for (const std::string& seen : orvtest::SeenRequests(statePath))
        out += (out.empty() ? "" : " ") + seen.substr(0, seen.find(':'));
    return out;
}

// The dry run comes first: it must leave every camera untouched for the run
// that follows it.
TEST_F(Provision, DryRunThenRunEndsEveryCameraAsPlannedOrSaysWhyNot)
{
    std::string out;
    EXPECT_EQ(RunPlan({"--dry-run", "--json"}, out), 9) << out;
    EXPECT_NE(RowOf(out, 2).find(R"("ok": true, "changed": ["name", "ip", "gateway", "password", "essid", )"
                                 R"("security", "key"])"),
        std::string::npos)
        << out;
    EXPECT_NE(RowOf(out, 3).find(R"("ok": false, "changed": [], "message": "not found)"), std::string::npos) << out;
    EXPECT_NE(RowOf(out, 6).find(R"("message": "bad row: ip 300.1.1.1: not a valid address")"), std::string::npos)
        << out;
    // A dry run cannot know the password: the wrong one passes here.
    EXPECT_NE(RowOf(out, 5).find(R"("ok": true)"), std::string::npos) << out;
    for (const char* mac : {kGood, kDhcp, kWrongPwd, kBadRow, kSilent, kSame})
        EXPECT_FALSE(Touched(mac)) << mac << " was asked something by a dry run";

    EXPECT_EQ(RunPlan({"--jobs", "4"}, out), 9) << out;
    // The table: one line per row, in plan order, and the summary.
    EXPECT_LT(out.find("02.00.00.00.15.01"), out.find("02.00.00.00.15.09")) << out;
    EXPECT_LT(out.find("02.00.00.00.15.09"), out.find("02.00.00.00.15.02")) << out;
    EXPECT_NE(LineWith(out, "02.00.00.00.15.01").find("yes name ip gateway wifi essid security key password"),
        std::string::npos)
        << out;
    EXPECT_NE(LineWith(out, "02.00.00.00.15.03").find("the camera refused the administrator ID or password"),
        std::string::npos)
        << out;
    EXPECT_NE(LineWith(out, "02.00.00.00.15.05").find("the camera did not answer"), std::string::npos) << out;
    EXPECT_NE(LineWith(out, "02.00.00.00.15.06").find("yes -"), std::string::npos) << out;
    EXPECT_NE(out.find("3 of 7 cameras provisioned"), std::string::npos) << out;
    std::string progress;
    orvtest::RunProgram({"cat", s_dir + "/stderr"}, &progress);
    EXPECT_NE(progress.find("provision: 7/7 cameras done"), std::string::npos) << progress;

    auto st = ReadState(State(kGood));
    EXPECT_EQ(st["name"], "Lobby, east");
    EXPECT_EQ(st["ip"], "198.18.1.60");
    EXPECT_EQ(st["mask"], "255.255.255.0");
    EXPECT_EQ(st["gw"], "198.18.1.1");
    EXPECT_EQ(st["dhcp"], "0");
    EXPECT_EQ(st["pwd"], "(changed)");
    EXPECT_EQ(st["wlan"], "1");
    EXPECT_EQ(st["essid"], "site-net");
    EXPECT_EQ(st["passkey"], "correct horse");
    EXPECT_EQ(st["encmode"], "48");   // AES (3), infrastructure (0)
    EXPECT_EQ(st["keylenauth"], "4"); // WPA2-PSK
    // The wizard's order: login, capabilities, wireless read-back, password,
    // name and network, wireless.
    EXPECT_EQ(Requests(State(kGood)), "163 165 168 164 162 169");

    st = ReadState(State(kDhcp));
    EXPECT_EQ(st["name"], "Yard 2");
    EXPECT_EQ(st["dhcp"], "1");
    EXPECT_EQ(st["ip"], "198.18.2.50"); // kept, as the wizard keeps it with DHCP
    EXPECT_EQ(Requests(State(kDhcp)), "163 165 162 170"); // its model asks for a restart

    EXPECT_EQ(ReadState(State(kWrongPwd))["name"], "Camera");
    EXPECT_EQ(Requests(State(kWrongPwd)), "163");
    EXPECT_EQ(Requests(State(kSilent)), "163 163 163");
    EXPECT_FALSE(Touched(kBadRow)) << "a bad row's camera was asked something";
    EXPECT_EQ(Requests(State(kSame)), "163 165"); // already as planned: nothing written

    // The new password is the camera's now; the old one is not.
    const std::string cli = NetnsLab::CliPath();
    EXPECT_EQ(s_lab->RunProgramInPc({cli, "verify", "--mac", kGood, "--password", "n3w-secret"}, out), 0) << out;
    EXPECT_EQ(s_lab->RunProgramInPc({cli, "verify", "--mac", kGood, "--password", "secret"}, out), 5) << out;
}

TEST_F(Provision, CsvOutputOneAdapterAndAPlanWithoutMacColumn)
{
    std::ofstream(s_dir + "/nomac.csv") << "name,ip\r\nx,1.2.3.4\r\n";
    std::string out;
    EXPECT_EQ(s_lab->RunProgramInPc({"sh", "-c", NetnsLab::CliPath() + " provision " + s_dir + "/nomac.csv 2>&1"},
                  out),
        2);
    EXPECT_NE(out.find("line 1: the header has no 'mac' column"), std::string::npos) << out;
    // A default password no camera can store stops the run before its search.
    EXPECT_EQ(s_lab->RunProgramInPc({"sh", "-c", NetnsLab::CliPath() + " provision " + s_dir +
                                                     "/plan.csv --password 'x\xE2\x82\xACy' 2>&1"},
                  out),
        2);
    EXPECT_NE(out.find("--password (or ORVANTA_PASSWORD) holds a character that a camera cannot store"),
        std::string::npos)
        << out;
    EXPECT_EQ(out.find("x\xE2\x82\xACy"), std::string::npos) << "the password was echoed";

    // --interface: only the second segment is searched; a dry run, as CSV.
    std::ofstream(s_dir + "/one.csv") << "name,mac\r\n\"Gate\"," << kDhcp << "\r\nSame," << kSame << "\r\n";
    EXPECT_EQ(s_lab->RunProgramInPc(
                  {NetnsLab::CliPath(), "provision", s_dir + "/one.csv", "--csv", "--dry-run", "--interface", "eth1"},
                  out),
        9);
    EXPECT_EQ(out, "line,mac,ok,changed,message\r\n"
                   "2,02.00.00.00.15.02,true,name,\r\n"
                   "3,02.00.00.00.15.06,false,,not found: the camera did not answer the search\r\n");
}

} // namespace
