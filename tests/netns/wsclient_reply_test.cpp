// A client opened on one adapter of the pc receives both reply styles:
// unicast to its address and port, and broadcast from a camera on a foreign
// subnet; it sends from the address it was opened on, and only on that
// adapter.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <set>
#include <sstream>

#include "engine/DiscoveryPacket.h"
#include "engine/CamEngine.h"
#include "engine/WSClient.h"
#include "support/NetnsLab.h"

using namespace orv;
using orvtest::NetnsLab;

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Opens on `local`, broadcasts one discovery request, collects the MAC keys
// of replies until a 1-second silence.
std::set<uint64_t> Exchange(const char* local, uint16_t seq, int& lastCode)
{
    std::set<uint64_t> macs;
    CUT_WSClient c;
    lastCode = c.OpenDatagram("255.255.255.255", kCameraPort, local);
    if (lastCode)
        return macs;
    EXPECT_EQ(c.EnableBroadcast(), 0);
    uint8_t request[kDiscoveryRequestSize];
    BuildDiscoveryRequest(request, seq, 1);
    int len = sizeof request;
    EXPECT_EQ(c.SendDatagram(request, len), 0);
    for (;;) {
        CamRecord r{};
        int n = static_cast<int>(kDiscoveryReplySize);
        lastCode = c.ReceiveDatagram(r.Bytes(), n, 1);
        if (lastCode)
            break;
        if (IsAcceptedReply(r, n, request))
            macs.insert(MacKey(r.Mac));
    }
    return macs;
}

class ReplyStyles : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        const int seg1 = m_Lab.AddSegment(), seg2 = m_Lab.AddSegment();
        m_Lab.AddPcAdapter(seg1, "eth0", {"198.18.1.1/24", "198.18.1.2/24"});
        m_Lab.AddPcAdapter(seg2, "eth1", {"198.18.2.1/24"});
        m_Log = "/tmp/" + m_Lab.PcNamespace() + "-cams.log";
        m_Lab.StartSimulator(m_Lab.AddCameraHost(seg1, "198.18.1.40/24"),
            {"--log", m_Log, "--camera", "mac=02:00:00:00:00:0a,ip=198.18.1.40"});
        m_Lab.StartSimulator(m_Lab.AddCameraHost(seg1, "198.19.9.9/24"),
            {"--log", m_Log, "--camera", "mac=02:00:00:00:00:0b,ip=198.19.9.9,reply=broadcast"});
        ASSERT_TRUE(m_Lab.Ok()) << m_Lab.Error();
    }
    void TearDown() override { unlink(m_Log.c_str()); }

    NetnsLab m_Lab;
    std::string m_Log;
};

TEST_F(ReplyStyles, UnicastAndForeignBroadcastRepliesBothArrive)
{
    std::set<uint64_t> macs;
    int code = 0;
    ASSERT_TRUE(m_Lab.RunInPc([&] { macs = Exchange("198.18.1.1", 0x0102, code); }));
    EXPECT_EQ(code, kWsTimedOut);
    EXPECT_EQ(macs, (std::set<uint64_t>{0x02000000000aULL, 0x02000000000bULL}));
    const std::string log = ReadFile(m_Log);
    EXPECT_NE(log.find("seq=258 from=198.18.1.1:"), std::string::npos) << log;
}

TEST_F(ReplyStyles, SecondAddressIsTheSourceWhenChosen)
{
    std::set<uint64_t> macs;
    int code = 0;
    ASSERT_TRUE(m_Lab.RunInPc([&] { macs = Exchange("198.18.1.2", 7, code); }));
    EXPECT_EQ(macs.size(), 2u);
    EXPECT_NE(ReadFile(m_Log).find("seq=7 from=198.18.1.2:"), std::string::npos) << ReadFile(m_Log);
}

TEST_F(ReplyStyles, OtherAdapterNeitherSendsNorHearsThisSegment)
{
    std::set<uint64_t> macs;
    int code = 0;
    ASSERT_TRUE(m_Lab.RunInPc([&] { macs = Exchange("198.18.2.1", 9, code); }));
    EXPECT_EQ(code, kWsTimedOut);
    EXPECT_TRUE(macs.empty());
    EXPECT_EQ(ReadFile(m_Log).find("seq=9 "), std::string::npos);
}

} // namespace
