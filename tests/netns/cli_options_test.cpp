// orvanta-cli's options that shape a real search, in the pc namespace:
// --interface searches one adapter only, --csv quotes as RFC 4180 says, a
// search that finds nothing gives the list page's hint on standard error, and
// set-network with a bad address exits before the camera hears anything.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <unistd.h>

#include "support/NetnsLab.h"

using orvtest::NetnsLab;

namespace {

class CliOptionsLab : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::CliSkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        m_Log = "/tmp/orv-cli-options-" + std::to_string(getpid()) + ".log";
        unlink(m_Log.c_str());
    }
    void TearDown() override { unlink(m_Log.c_str()); }

    // Standard output and standard error together.
    int Cli(const std::string& args, std::string& out)
    {
        return lab.RunProgramInPc({"sh", "-c", NetnsLab::CliPath() + " " + args + " 2>&1"}, out);
    }
    std::string Log() const
    {
        std::ifstream in(m_Log);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    NetnsLab lab;
    std::string m_Log;
};

TEST_F(CliOptionsLab, InterfaceCsvAndTheNothingFoundHint)
{
    const int seg1 = lab.AddSegment(), seg2 = lab.AddSegment(), seg3 = lab.AddSegment();
    lab.AddPcAdapter(seg1, "eth0", {"198.18.1.1/24"});
    lab.AddPcAdapter(seg2, "eth1", {"198.18.2.1/24"});
    lab.AddPcAdapter(seg3, "eth2", {"198.18.3.1/24"});
    lab.StartSimulator(lab.AddCameraHost(seg1, "198.18.1.50/24"),
        {"--camera", "mac=02:00:00:00:01:01,model=SIM-100,name=Hall,ip=198.18.1.50"});
    lab.StartSimulator(lab.AddCameraHost(seg2, "198.18.2.50/24"),
        {"--camera", "mac=02:00:00:00:02:01,model=SIM-300,name=Gate \"B\",ip=198.18.2.50,port=8080"});
    ASSERT_TRUE(lab.Ok()) << lab.Error();

    std::string out;
    ASSERT_EQ(Cli("search --csv --interface eth1", out), 0) << out;
    EXPECT_EQ(out, "model,name,ip,mac,webPort,adapter\r\n"
                   "SIM-300,\"Gate \"\"B\"\"\",198.18.2.50,02.00.00.00.02.01,8080,198.18.2.1\r\n");

    EXPECT_EQ(Cli("verify --mac 02:00:00:00:01:01 --interface eth1 --password x", out), 3) << out;
    EXPECT_EQ(Cli("search --interface eth9", out), 2);
    EXPECT_NE(out.find("no network adapter called 'eth9' is up with an IPv4 address (adapters that can be searched: "
                       "eth0, eth1, eth2)"),
        std::string::npos)
        << out;

    ASSERT_EQ(Cli("search --interface eth2 --json", out), 0) << out;
    EXPECT_NE(out.find("[]\n"), std::string::npos) << out;
    EXPECT_NE(out.find("No camera was found."), std::string::npos) << out;
    EXPECT_NE(out.find("run \"orvanta-cli doctor\""), std::string::npos) << out;
}

TEST_F(CliOptionsLab, BadAddressReachesNoCamera)
{
    const int seg = lab.AddSegment();
    lab.AddPcAdapter(seg, "eth0", {"198.18.1.1/24"});
    lab.StartSimulator(lab.AddCameraHost(seg, "198.18.1.50/24"),
        {"--log", m_Log, "--camera", "mac=02:00:00:00:01:01,ip=198.18.1.50,id=admin,pwd=admin"});
    ASSERT_TRUE(lab.Ok()) << lab.Error();

    std::string out;
    EXPECT_EQ(Cli("set-network --mac 02:00:00:00:01:01 --password admin --ip 300.1.2.3 --mask 255.255.255.0", out), 2);
    EXPECT_NE(out.find("--ip 300.1.2.3: Please enter a valid IP address for the camera"), std::string::npos) << out;
    // The same camera is there and answers: only the bad input kept it silent.
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(Cli("verify --mac 02:00:00:00:01:01 --password admin --interface eth0", out), 0) << out;
    EXPECT_NE(Log().find("opcode=0x00a1"), std::string::npos) << Log();
}

} // namespace
