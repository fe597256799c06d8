// orvanta-cli doctor in the pc namespace, checked against what a real search
// finds there: with strict reverse-path filtering the camera on a foreign
// subnet behind the adapter without the default route is lost, and the
// doctor names exactly that adapter; loose filtering without any default
// route, and a firewall that drops by default, are named with their fixes.
#include <gtest/gtest.h>

#include <unistd.h>

#include "support/NetnsLab.h"

using orvtest::NetnsLab;
using orvtest::RunProgram;

namespace {

class CliDoctor : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::CliSkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
    }

    // Two adapters, the default route by eth0, and on each segment a camera
    // from a foreign subnet that answers by broadcast.
    void Build()
    {
        const int seg1 = lab.AddSegment(), seg2 = lab.AddSegment();
        lab.AddPcAdapter(seg1, "eth0", {"198.18.1.1/24"});
        lab.AddPcAdapter(seg2, "eth1", {"198.18.2.1/24"});
        lab.StartSimulator(lab.AddCameraHost(seg1, "198.19.77.5/24"),
            {"--camera", "mac=02:00:00:00:07:07,model=FAR-0,ip=198.19.77.5,reply=broadcast"});
        lab.StartSimulator(lab.AddCameraHost(seg2, "198.19.88.5/24"),
            {"--camera", "mac=02:00:00:00:08:08,model=FAR-1,ip=198.19.88.5,reply=broadcast"});
        Ip({"route", "add", "default", "dev", "eth0"});
    }

    void Ip(const std::vector<std::string>& args)
    {
        std::vector<std::string> full{"ip", "-n", lab.PcNamespace()};
        full.insert(full.end(), args.begin(), args.end());
        ASSERT_EQ(RunProgram(full), 0);
    }

    void RpFilter(int all, int eth0, int eth1)
    {
        ASSERT_EQ(RunProgram({"ip", "netns", "exec", lab.PcNamespace(), "sysctl", "-qw",
                      "net.ipv4.conf.all.rp_filter=" + std::to_string(all),
                      "net.ipv4.conf.eth0.rp_filter=" + std::to_string(eth0),
                      "net.ipv4.conf.eth1.rp_filter=" + std::to_string(eth1)}),
            0);
    }

    int Doctor(std::string& out, const std::string& options = "")
    {
        return lab.RunProgramInPc({"sh", "-c", NetnsLab::CliPath() + " doctor " + options + " 2>&1"}, out);
    }

    std::string Search()
    {
        std::string out;
        lab.RunProgramInPc({NetnsLab::CliPath(), "search", "--csv"}, out);
        return out;
    }

    // Signs the machine itself gives whatever the namespace holds.
    static bool MachineFirewall(const std::string& out)
    {
        return out.find("ufw is enabled") != std::string::npos || out.find("firewalld is running") != std::string::npos;
    }

    NetnsLab lab;
};

TEST_F(CliDoctor, StrictFilteringLosesExactlyTheCameraItNames)
{
    Build();
    ASSERT_TRUE(lab.Ok()) << lab.Error();
    std::string out;
    RpFilter(0, 0, 0);
    const int clean = Doctor(out);
    EXPECT_NE(out.find("adapter eth0: 198.18.1.1/24; up, running, broadcast 198.18.1.255; rp_filter 0 (all 0, eth0 0); "
                       "default route"),
        std::string::npos)
        << out;
    if (!MachineFirewall(out)) {
        EXPECT_EQ(clean, 0) << out;
        EXPECT_NE(out.find("nothing found that would stop cameras from being found"), std::string::npos) << out;
    }
    std::string found = Search();
    EXPECT_NE(found.find("FAR-0"), std::string::npos) << found;
    EXPECT_NE(found.find("FAR-1"), std::string::npos) << found;

    RpFilter(1, 0, 0);
    EXPECT_EQ(Doctor(out), 1) << out;
    EXPECT_NE(out.find("warning: eth1: reverse-path filtering is strict (rp_filter 1: all 1, eth1 0) and no default "
                       "route leaves by eth1"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("fix: sudo sysctl -w net.ipv4.conf.eth1.rp_filter=2 "), std::string::npos) << out;
    EXPECT_EQ(out.find("warning: eth0"), std::string::npos) << out;
    found = Search();
    EXPECT_NE(found.find("FAR-0"), std::string::npos) << found;
    EXPECT_EQ(found.find("FAR-1"), std::string::npos) << found;

    // The fix the doctor gave, applied: the camera is back.
    ASSERT_EQ(RunProgram({"ip", "netns", "exec", lab.PcNamespace(), "sysctl", "-qw", "net.ipv4.conf.eth1.rp_filter=2"}),
        0);
    found = Search();
    EXPECT_NE(found.find("FAR-1"), std::string::npos) << found;
}

TEST_F(CliDoctor, LooseFilteringWithoutAnyDefaultRouteAndAFirewall)
{
    Build();
    ASSERT_TRUE(lab.Ok()) << lab.Error();
    Ip({"route", "del", "default"});
    RpFilter(0, 0, 2);
    std::string out;
    EXPECT_EQ(Doctor(out, "--json"), 1) << out;
    EXPECT_NE(out.find("{\"name\": \"eth1\", \"ipv4\": [\"198.18.2.1/24\"], \"up\": true, \"running\": true, "
                       "\"broadcast\": \"198.18.2.255\", \"rpFilter\": 2, \"rpFilterEffective\": 2, "
                       "\"defaultRoute\": false}"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("eth1: reverse-path filtering is loose (rp_filter 2: all 0, eth1 2) and there is no default "
                       "route"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("sudo sysctl -w net.ipv4.conf.eth1.rp_filter=0 "), std::string::npos) << out;

    RpFilter(0, 0, 0);
    for (const char* cmd : {"add table inet filter",
             "add chain inet filter input { type filter hook input priority 0; policy drop; }"}) {
        ASSERT_EQ(RunProgram({"sh", "-c", "ip netns exec " + lab.PcNamespace() + " nft '" + cmd + "'"}), 0) << cmd;
    }
    EXPECT_EQ(Doctor(out), 1) << out;
    EXPECT_NE(out.find("A host firewall seems active (nftables: chain input of table inet filter drops what no rule "
                       "accepts (policy drop)"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("fix: nftables: sudo nft insert rule inet filter input udp sport 62976 accept"),
        std::string::npos)
        << out;
    // With the cameras' answers let in, the chain is no longer a sign.
    ASSERT_EQ(RunProgram({"ip", "netns", "exec", lab.PcNamespace(), "nft", "insert", "rule", "inet", "filter", "input",
                  "udp", "sport", "62976", "accept"}),
        0);
    Doctor(out);
    EXPECT_EQ(out.find("nftables"), std::string::npos) << out;
}

} // namespace
