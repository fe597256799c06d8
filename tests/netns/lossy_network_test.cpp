// Searches and exchanges on networks that lose datagrams, and next to a
// hostile host: nftables rules in the camera hosts drop requests and replies
// at random, a stray datagram arrives just before a camera's answer, and a
// flood of empty datagrams meets a silent camera.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/CamEngine.h"
#include "support/NetnsLab.h"
#include "template/Operations.h"

using namespace orv;
using orvtest::NetnsLab;
using Clock = std::chrono::steady_clock;

namespace {

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Drops `percent` of the camera protocol's datagrams at random in both
// directions inside camera host `ns`: requests on the way in, answers on the
// way out (where the sender's sendto then fails with EPERM).
bool AddRandomLoss(const std::string& ns, int percent)
{
    const std::string limit = std::to_string(percent);
    const std::vector<std::vector<std::string>> rules = {
        {"add", "table", "inet", "loss"},
        {"add", "chain", "inet", "loss", "in", "{ type filter hook input priority 0; }"},
        {"add", "chain", "inet", "loss", "out", "{ type filter hook output priority 0; }"},
        {"add", "rule", "inet", "loss", "in", "udp", "dport", "62976", "numgen", "random", "mod", "100", "<", limit,
            "drop"},
        {"add", "rule", "inet", "loss", "out", "udp", "sport", "62976", "numgen", "random", "mod", "100", "<", limit,
            "drop"},
    };
    for (const auto& rule : rules) {
        std::vector<std::string> argv{"ip", "netns", "exec", ns, "nft"};
        argv.insert(argv.end(), rule.begin(), rule.end());
        std::string out;
        if (orvtest::RunProgram(argv, &out) != 0)
            return false;
    }
    return true;
}

bool HaveNft()
{
    return orvtest::RunProgram({"nft", "--version"}) == 0;
}

void SearchToEnd(CCamEngine& e)
{
    e.StartSearch();
    while (!e.IsSearchDone())
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    e.WaitForSearch();
}

// How many of the MACs 02:4c:<segment>:00:<host>:<n> a finished search holds, per segment.
std::map<int, int> FoundPerSegment(CCamEngine& e)
{
    std::map<int, int> out;
    for (int32_t i = 0; i < e.CountRecords(); ++i) {
        e.SelectRecord(i);
        const std::string mac = Utf8(e.GetSelMacText());
        if (mac.rfind("02.4c.", 0) == 0)
            ++out[std::stoi(mac.substr(6, 2), nullptr, 16)];
    }
    return out;
}

#define SKIP_WITHOUT_LAB()                                                                                            \
    do {                                                                                                              \
        const std::string why = NetnsLab::SkipReason();                                                               \
        if (!why.empty())                                                                                             \
            GTEST_SKIP() << why;                                                                                      \
        if (!HaveNft())                                                                                               \
            GTEST_SKIP() << "nft (package nftables) is missing";                                                      \
    } while (0)

// Segment 1 loses 10% each way, segment 2 30%: 20 cameras on each, in four
// hosts of five, and five searches over both adapters at once.
TEST(LossyNetwork, SearchesFindNearlyEveryCameraDespiteRandomLoss)
{
    SKIP_WITHOUT_LAB();
    NetnsLab lab;
    std::vector<pid_t> sims;
    for (int seg : {1, 2}) {
        ASSERT_EQ(lab.AddSegment(), seg);
        lab.AddPcAdapter(seg, "eth" + std::to_string(seg), {"198.18." + std::to_string(seg) + ".1/24"});
        for (int host = 1; host <= 4; ++host) {
            const std::string ns = lab.AddCameraHost(seg, "198.18." + std::to_string(seg) + "." +
                                                              std::to_string(10 + host) + "/24");
            ASSERT_TRUE(AddRandomLoss(ns, seg == 1 ? 10 : 30)) << ns;
            char base[64];
            std::snprintf(base, sizeof base, "5,mac=02:4c:%02x:00:%02x:00,name=Lossy", seg, host);
            sims.push_back(lab.StartSimulator(ns, {"--generate", base}));
        }
    }
    ASSERT_TRUE(lab.Ok()) << lab.Error();

    constexpr int kSearches = 5, kPerSegment = 20;
    std::map<int, int> found;
    ASSERT_TRUE(lab.RunInPc([&] {
        CCamEngine engine;
        for (int s = 0; s < kSearches; ++s) {
            SearchToEnd(engine);
            for (const auto& [seg, n] : FoundPerSegment(engine))
                found[seg] += n;
        }
    }));
    const int asked = kSearches * kPerSegment;
    std::printf("found %d of %d at 10%% loss, %d of %d at 30%% loss\n", found[1], asked, found[2], asked);
    // At least 99.5% at 10% loss each way, at least 95% at 30%.
    EXPECT_GE(found[1] * 1000, asked * 995) << found[1] << " of " << asked;
    EXPECT_GE(found[2] * 100, asked * 95) << found[2] << " of " << asked;
    // Dropped answers made the simulators' sendto fail with EPERM: each must
    // have taken that as a lost datagram and still be running.
    for (pid_t pid : sims)
        EXPECT_EQ(kill(pid, 0), 0) << "simulator " << pid << " ended";
}

TEST(LossyNetwork, AllAdaptersAreSearchedAtOnceAndAdaptersWithoutCarrierAreSkipped)
{
    SKIP_WITHOUT_LAB();
    NetnsLab lab;
    for (int seg : {1, 2}) {
        lab.AddSegment();
        lab.AddPcAdapter(seg, "eth" + std::to_string(seg), {"198.18." + std::to_string(seg) + ".1/24"});
        char desc[96];
        std::snprintf(desc, sizeof desc, "mac=02:4c:%02x:00:00:01,ip=198.18.%d.50", seg, seg);
        lab.StartSimulator(lab.AddCameraHost(seg, "198.18." + std::to_string(seg) + ".50/24"), {"--camera", desc});
    }
    // Up with an address but no carrier: its peer stays down.
    std::string out;
    for (const std::vector<std::string>& cmd : {std::vector<std::string>{"ip", "link", "add", "nc0", "type", "veth",
                                                    "peer", "name", "nc1"},
             std::vector<std::string>{"ip", "addr", "add", "198.18.9.1/24", "dev", "nc0"},
             std::vector<std::string>{"ip", "link", "set", "nc0", "up"}})
        ASSERT_EQ(lab.RunProgramInPc(cmd, out), 0) << out;
    ASSERT_TRUE(lab.Ok()) << lab.Error();

    CCamEngine engine;
    double seconds = 0;
    std::map<int, int> found;
    ASSERT_TRUE(lab.RunInPc([&] {
        const auto start = Clock::now();
        SearchToEnd(engine);
        seconds = SecondsSince(start);
        found = FoundPerSegment(engine);
    }));
    EXPECT_EQ(found[1], 1);
    EXPECT_EQ(found[2], 1);
    EXPECT_EQ(engine.m_nSearchedAdapters, 2);
    EXPECT_EQ(engine.m_nAddrCount, 2); // the adapter without carrier is not listed
    EXPECT_EQ(engine.m_nStatus, 15);
    // 3 s of silence after the last request, once for all adapters (one
    // after another it took 3 s per adapter).
    EXPECT_LE(seconds, 4.5);
}

struct HostileLab : ::testing::Test {
    void SetUp() override
    {
        SKIP_WITHOUT_LAB();
        lab = std::make_unique<NetnsLab>();
        const int seg = lab->AddSegment();
        lab->AddPcAdapter(seg, "eth0", {"198.18.1.1/24"});
        ASSERT_TRUE(lab->Ok()) << lab->Error();
    }
    // Verification from the pc's adapter, the way the pages run it.
    int Verify(const char16_t* mac, int waitSeconds, double& seconds)
    {
        int result = -2;
        lab->RunInPc([&] {
            engine.RefreshAddresses();
            engine.m_nAdapterChoice = 0;
            engine.m_nReplyWaitSeconds = waitSeconds;
            const auto start = Clock::now();
            result = engine.Verification(mac, u"admin", u"198.18.1.50", u"secret");
            seconds = SecondsSince(start);
        });
        return result;
    }
    std::unique_ptr<NetnsLab> lab;
    CCamEngine engine;
};

TEST_F(HostileLab, StrayJustBeforeTheAnswerIsIgnored)
{
    // The same host sends the 500-byte stray and then the camera's answer.
    lab->StartSimulator(lab->AddCameraHost(1, "198.18.1.50/24"),
        {"--stray", "500", "--camera", "mac=02:4c:01:00:00:01,id=admin,pwd=secret"});
    ASSERT_TRUE(lab->Ok()) << lab->Error();
    double seconds = 0;
    EXPECT_EQ(Verify(u"02:4c:01:00:00:01", 10, seconds), -1);
    EXPECT_EQ(engine.m_nStatus, 0);
    uint8_t block[kStatusBlockSize];
    engine.GetStatusBlock(block);
    EXPECT_EQ(block[0] | (block[1] << 8), 0); // accepted
}

TEST_F(HostileLab, FloodOfEmptyDatagramsEndsAfterTheTriesAsNoReply)
{
    // Nobody answers; a hostile host floods every requester for a minute.
    const std::string log = "/tmp/" + lab->PcNamespace() + "-flood.log";
    lab->StartSimulator(lab->AddCameraHost(1, "198.18.1.66/24"), {"--flood", "60000", "--log", log});
    ASSERT_TRUE(lab->Ok()) << lab->Error();
    double seconds = 0;
    EXPECT_EQ(Verify(u"02:4c:01:00:00:09", 2, seconds), 3);
    EXPECT_EQ(engine.m_nStatus, 3);
    // Three tries of two seconds each, not a wait the flood keeps alive.
    EXPECT_LT(seconds, 12.0);
    std::string requests;
    orvtest::RunProgram({"grep", "-c", "opcode=0x00a3", log}, &requests);
    EXPECT_EQ(std::atoi(requests.c_str()), 3);
    unlink(log.c_str());
}

} // namespace
