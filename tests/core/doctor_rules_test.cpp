// orvanta-cli doctor's judgement over given facts: when reverse-path
// filtering drops a foreign-subnet camera's answers (and the exact fix), when
// there is nothing to search from, and how a firewall is reported.
#include <gtest/gtest.h>

#include "cli/DoctorChecks.h"

using namespace orvcli;

namespace {

AdapterFacts Adapter(const std::string& name, int rp, bool defaultRoute)
{
    AdapterFacts a;
    a.Name = name;
    a.Ipv4 = {"198.18.1.1/24"};
    a.Broadcast = "198.18.1.255";
    a.Up = a.Running = a.CanBroadcast = true;
    a.RpFilter = rp;
    a.DefaultRoute = defaultRoute;
    return a;
}

std::vector<Finding> Warnings(const HostFacts& facts)
{
    std::vector<Finding> out;
    for (const Finding& f : JudgeHost(facts))
        if (f.Warning)
            out.push_back(f);
    return out;
}

TEST(DoctorRules, ReversePathFiltering)
{
    struct Case {
        int All, Own;
        bool DefaultHere, DefaultElsewhere;
        const char* Fix; // empty: no warning
    } cases[] = {
        {0, 0, false, false, ""},
        {1, 0, true, false, ""},  // strict, but the way back is this adapter
        {0, 1, false, true, "sudo sysctl -w net.ipv4.conf.eth1.rp_filter=2 "},
        {1, 0, false, true, "sudo sysctl -w net.ipv4.conf.eth1.rp_filter=2 "},
        {1, 1, false, false, "sudo sysctl -w net.ipv4.conf.all.rp_filter=0 net.ipv4.conf.eth1.rp_filter=0 "},
        {2, 0, false, true, ""},  // loose: some route leads back
        {0, 2, false, false, "sudo sysctl -w net.ipv4.conf.eth1.rp_filter=0 "},
        {2, 1, true, false, ""},  // effective 2, a default route exists
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "all " << c.All << " own " << c.Own << " here " << c.DefaultHere
                                        << " elsewhere " << c.DefaultElsewhere);
        HostFacts facts;
        facts.RpFilterAll = c.All;
        facts.Firewall.RulesRead = true;
        // eth0 is not searched (no IPv4 address, a modem link, say); it may
        // carry the default route.
        AdapterFacts other = Adapter("eth0", 0, c.DefaultElsewhere);
        other.Ipv4.clear();
        facts.Adapters = {other, Adapter("eth1", c.Own, c.DefaultHere)};
        facts.AnyDefaultRoute = c.DefaultHere || c.DefaultElsewhere;
        const std::vector<Finding> w = Warnings(facts);
        if (!*c.Fix) {
            EXPECT_TRUE(w.empty()) << w[0].Text;
            continue;
        }
        ASSERT_EQ(w.size(), 1u);
        EXPECT_EQ(w[0].Adapter, "eth1");
        EXPECT_NE(w[0].Text.find(std::max(c.All, c.Own) == 1 ? "eth1: reverse-path filtering is strict"
                                                               : "eth1: reverse-path filtering is loose"),
            std::string::npos)
            << w[0].Text;
        EXPECT_EQ(w[0].Fix.rfind(c.Fix, 0), 0u) << w[0].Fix;
    }
}

TEST(DoctorRules, AVlanAdapterTakesTheSlashFormOfTheKey)
{
    HostFacts facts;
    facts.RpFilterAll = 0;
    facts.Firewall.RulesRead = true;
    facts.Adapters = {Adapter("eth0.10", 1, false)};
    const std::vector<Finding> w = Warnings(facts);
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].Fix.rfind("sudo sysctl -w net/ipv4/conf/eth0.10/rp_filter=0 ", 0), 0u) << w[0].Fix;
}

TEST(DoctorRules, NothingToSearchFrom)
{
    HostFacts facts;
    facts.RpFilterAll = 0;
    facts.Firewall.RulesRead = true;
    AdapterFacts down = Adapter("eth0", 0, false), bare = Adapter("eth1", 0, false),
                 unplugged = Adapter("eth2", 0, false);
    down.Up = false;
    bare.Ipv4.clear();
    unplugged.Running = false;
    for (const auto& adapters : {std::vector<AdapterFacts>{}, std::vector<AdapterFacts>{down, bare, unplugged}}) {
        facts.Adapters = adapters;
        const std::vector<Finding> all = JudgeHost(facts);
        ASSERT_FALSE(all.empty());
        EXPECT_TRUE(all[0].Warning);
        EXPECT_NE(all[0].Text.find("No network adapter is up and running with an IPv4 address"), std::string::npos);
        EXPECT_EQ(Warnings(facts).size(), 1u);
        EXPECT_EQ(all.size(), 1 + adapters.size()); // one note per adapter that is not searched
    }
    facts.Adapters.push_back(Adapter("eth3", 0, true));
    EXPECT_TRUE(Warnings(facts).empty());
}

TEST(DoctorRules, FirewallSignsNameThePort)
{
    HostFacts facts;
    facts.RpFilterAll = 0;
    facts.Adapters = {Adapter("eth0", 0, true)};
    facts.Firewall.RulesRead = false;
    std::vector<Finding> all = JudgeHost(facts);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_FALSE(all[0].Warning); // rules unread: a note saying how to read them
    EXPECT_NE(all[0].Text.find("sudo orvanta-cli doctor"), std::string::npos);

    facts.Firewall.Signs = {"ufw is enabled (/etc/ufw/ufw.conf)"};
    const std::vector<Finding> w = Warnings(facts);
    ASSERT_EQ(w.size(), 1u);
    EXPECT_NE(w[0].Text.find("ufw is enabled"), std::string::npos);
    EXPECT_NE(w[0].Text.find("UDP port 62976"), std::string::npos);
    EXPECT_NE(w[0].Fix.find("ufw allow proto udp from any port 62976"), std::string::npos);
}

} // namespace
