// The real search, run inside a private "pc" namespace against simulated
// cameras on two segments, one of them on a foreign subnet answering by
// broadcast.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "engine/CamEngine.h"
#include "support/NetnsLab.h"

using namespace orv;
using orvtest::NetnsLab;

namespace {

struct Found {
    std::string Model, Name, Ip;
    int WebPort = 0;
    int AddrIndex = -1;
};

// Every record of a finished search, by MAC text.
std::map<std::string, Found> Records(CCamEngine& e)
{
    std::map<std::string, Found> out;
    for (int32_t i = 0; i < e.CountRecords(); ++i) {
        e.SelectRecord(i);
        Found f{Utf8(e.GetSelModel()), Utf8(e.GetSelName()), Utf8(e.GetSelIpText()), e.GetSelWebPort(),
            e.GetSelAdapterIndex()};
        out[Utf8(e.GetSelMacText())] = f;
    }
    return out;
}

void SearchToEnd(CCamEngine& e)
{
    e.StartSearch();
    while (!e.IsSearchDone())
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    e.WaitForSearch();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int CountOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1))
        ++n;
    return n;
}

// pc: eth0 198.18.1.1 (+ 198.18.1.2 labelled eth0:1), eth1 198.18.2.1, eth2
// down with 198.18.3.1. Segment 1: well-behaved and misbehaving cameras and a
// camera on 198.19.77.0/24 that can only answer by broadcast. Segment 2: one
// camera and a second answer from a camera already heard on segment 1.
class SearchLab : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!NetnsLab::SkipReason().empty())
            return;
        s_lab = std::make_unique<NetnsLab>();
        NetnsLab& lab = *s_lab;
        const int seg1 = lab.AddSegment(), seg2 = lab.AddSegment(), seg3 = lab.AddSegment();
        lab.AddPcAdapter(seg1, "eth0", {"198.18.1.1/24", "eth0:1:198.18.1.2/24"});
        lab.AddPcAdapter(seg2, "eth1", {"198.18.2.1/24"});
        lab.AddPcAdapter(seg3, "eth2", {"198.18.3.1/24"}, false);
        s_log1 = "/tmp/" + lab.PcNamespace() + "-seg1.log";
        s_logForeign = "/tmp/" + lab.PcNamespace() + "-foreign.log";
        const std::string cam1 = lab.AddCameraHost(seg1, "198.18.1.50/24");
        lab.StartSimulator(cam1, {"--log", s_log1,
            "--camera", "mac=02:00:00:00:01:01,model=SIM-100,name=Hall,ip=198.18.1.50,port=8080",
            "--camera", "mac=02:00:00:00:01:02,model=SIM-200,name=Yard,ip=198.18.1.51,reply=broadcast,dup=3",
            "--camera", "mac=02:00:00:00:01:03,name=Late,ip=198.18.1.52,delay=1500",
            "--camera", "mac=02:00:00:00:01:04,model=SHORT-1,name=Short,ip=198.18.1.53,length=200",
            "--camera", "mac=02:00:00:00:01:05,name=Long,ip=198.18.1.54,length=400",
            "--camera", "mac=02:00:00:00:0f:01,name=BadSeq,seq=wrong",
            "--camera", "mac=02:00:00:00:0f:02,name=BadOp,opcode=wrong",
            "--camera", "mac=02:00:00:00:0f:03,name=Refused,status=3",
            "--camera", "mac=02:00:00:00:0f:04,name=Tiny,length=12",
            "--camera", "mac=02:00:00:00:0f:05,name=Mute,silent=1"});
        const std::string foreign = lab.AddCameraHost(seg1, "198.19.77.5/24");
        lab.StartSimulator(foreign, {"--log", s_logForeign, "--camera",
            "mac=02:00:00:00:07:07,model=SIM-FAR,name=Elsewhere,ip=198.19.77.5,reply=broadcast"});
        const std::string cam2 = lab.AddCameraHost(seg2, "198.18.2.50/24");
        lab.StartSimulator(cam2, {"--camera", "mac=02:00:00:00:02:01,model=SIM-300,name=Gate,ip=198.18.2.50",
            "--camera", "mac=02:00:00:00:01:01,model=SIM-100,name=HallAgain,ip=198.18.2.99"});
    }
    static void TearDownTestSuite()
    {
        s_lab.reset();
        unlink(s_log1.c_str());
        unlink(s_logForeign.c_str());
    }
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        ASSERT_TRUE(s_lab->Ok()) << s_lab->Error();
    }

    static std::unique_ptr<NetnsLab> s_lab;
    static std::string s_log1, s_logForeign;
};
std::unique_ptr<NetnsLab> SearchLab::s_lab;
std::string SearchLab::s_log1, SearchLab::s_logForeign;

TEST_F(SearchLab, FindsCamerasOnBothSegmentsOnceEach)
{
    std::map<std::string, Found> found;
    CCamEngine engine;
    ASSERT_TRUE(s_lab->RunInPc([&] {
        SearchToEnd(engine);
        found = Records(engine);
    }));

    // The address table: every up adapter, addresses grouped per adapter, the
    // labelled address with its interface, the down adapter left out.
    ASSERT_EQ(engine.m_nAddrCount, 3);
    EXPECT_EQ(Utf8(engine.m_AddrText[0]), "198.18.1.1");
    EXPECT_EQ(Utf8(engine.m_AddrText[1]), "198.18.1.2");
    EXPECT_EQ(Utf8(engine.m_AddrText[2]), "198.18.2.1");
    EXPECT_EQ(engine.m_AddrAdapter[1], 0);
    EXPECT_EQ(engine.m_AddrAdapter[2], 1);
    EXPECT_EQ(engine.m_nSearchedAdapters, 2);

    // Unicast, broadcast, delayed, short (zero-filled) and long (cut)
    // replies; the foreign-subnet camera; the second segment's camera.
    const std::vector<std::string> expected{"02.00.00.00.01.01", "02.00.00.00.01.02", "02.00.00.00.01.03",
        "02.00.00.00.01.04", "02.00.00.00.01.05", "02.00.00.00.07.07", "02.00.00.00.02.01"};
    EXPECT_EQ(found.size(), expected.size());
    for (const auto& mac : expected)
        EXPECT_TRUE(found.count(mac)) << mac;
    EXPECT_EQ(engine.m_nFound, static_cast<int32_t>(expected.size()));

    // Ignored: wrong sequence, wrong opcode, refused, too short to hold a
    // header, silent.
    for (const char* mac : {"02.00.00.00.0f.01", "02.00.00.00.0f.02", "02.00.00.00.0f.03", "02.00.00.00.0f.04",
             "02.00.00.00.0f.05"})
        EXPECT_FALSE(found.count(mac)) << mac;

    // Heard on both adapters: listed once, with the first adapter's entry.
    EXPECT_EQ(found["02.00.00.00.01.01"].Name, "Hall");
    EXPECT_EQ(found["02.00.00.00.01.01"].AddrIndex, 0);
    EXPECT_EQ(found["02.00.00.00.01.01"].WebPort, 8080);
    EXPECT_EQ(found["02.00.00.00.01.01"].Model, "SIM-100");
    EXPECT_EQ(found["02.00.00.00.02.01"].AddrIndex, 2);
    EXPECT_EQ(found["02.00.00.00.02.01"].Ip, "198.18.2.50");
    EXPECT_EQ(found["02.00.00.00.07.07"].Ip, "198.19.77.5");
    EXPECT_EQ(found["02.00.00.00.07.07"].AddrIndex, 0);

    // A reply of 200 bytes keeps its model and has zeros from there on.
    EXPECT_EQ(found["02.00.00.00.01.04"].Model, "SHORT-1");
    EXPECT_EQ(found["02.00.00.00.01.04"].Name, "");
    EXPECT_EQ(found["02.00.00.00.01.04"].Ip, "0.0.0.0");
    EXPECT_EQ(found["02.00.00.00.01.04"].WebPort, 0);
    EXPECT_EQ(found["02.00.00.00.01.05"].Ip, "198.18.1.54");

    // The request goes out several times from each adapter's first address
    // only, always with the same sequence number.
    const std::string log = ReadFile(s_log1);
    const int requests = CountOf(log, "request opcode=0x00a1");
    EXPECT_GE(requests, 3) << log;
    EXPECT_EQ(CountOf(log, "seq=1 "), requests) << log;
    EXPECT_EQ(CountOf(log, "from=198.18.1.1:"), requests) << log;
    EXPECT_EQ(CountOf(log, "from=198.18.1.2:"), 0) << log;
    EXPECT_EQ(CountOf(ReadFile(s_logForeign), "from=198.18.1.1:"), requests);
}

TEST_F(SearchLab, AdapterWhoseFirstAddressIsUnsetIsSkippedWhole)
{
    CCamEngine engine;
    // The system cannot give an interface 0.0.0.0, so the adapter list is
    // put in by hand: the first adapter's second address is a real one and
    // must still not be searched.
    engine.m_AdapterSource = [] {
        return std::vector<AdapterAddresses>{{"eth0", {"0.0.0.0", "198.18.1.1"}}, {"eth1", {"198.18.2.1"}}};
    };
    std::map<std::string, Found> found;
    const std::size_t before = ReadFile(s_log1).size();
    ASSERT_TRUE(s_lab->RunInPc([&] {
        SearchToEnd(engine);
        found = Records(engine);
    }));
    EXPECT_EQ(engine.m_nSearchedAdapters, 1);
    EXPECT_EQ(ReadFile(s_log1).size(), before) << "segment 1 was searched";
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found["02.00.00.00.01.01"].Name, "HallAgain");
    EXPECT_EQ(found["02.00.00.00.01.01"].AddrIndex, 2);
    EXPECT_EQ(found["02.00.00.00.02.01"].AddrIndex, 2);
}

TEST_F(SearchLab, EachSearchStartsAFreshListWithANewSequence)
{
    CCamEngine engine;
    std::size_t first = 0, second = 0;
    ASSERT_TRUE(s_lab->RunInPc([&] {
        SearchToEnd(engine);
        first = Records(engine).size();
        SearchToEnd(engine);
        second = Records(engine).size();
    }));
    EXPECT_EQ(first, 7u);
    EXPECT_EQ(second, 7u);
    EXPECT_EQ(engine.m_nSeq, 2);
}

TEST(SearchEmpty, TwoSilentAdaptersEndAfterOneWaitWithReceiveStatus)
{
    const std::string why = NetnsLab::SkipReason();
    if (!why.empty())
        GTEST_SKIP() << why;
    NetnsLab lab;
    lab.AddPcAdapter(lab.AddSegment(), "eth0", {"198.18.1.1/24"});
    lab.AddPcAdapter(lab.AddSegment(), "eth1", {"198.18.2.1/24"});
    ASSERT_TRUE(lab.Ok()) << lab.Error();
    CCamEngine engine;
    double seconds = 0;
    ASSERT_TRUE(lab.RunInPc([&] {
        const auto start = std::chrono::steady_clock::now();
        SearchToEnd(engine);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }));
    EXPECT_EQ(engine.CountRecords(), 0);
    EXPECT_EQ(engine.m_nStatus, 15);
    EXPECT_EQ(engine.m_nSearchedAdapters, 2);
    // Both adapters wait together: 3 seconds of silence after the last
    // request, not 3 seconds per adapter.
    EXPECT_GE(seconds, 3.0);
    EXPECT_LE(seconds, 4.5);
}

TEST(SearchEmpty, NoAdapterEndsAtOnce)
{
    const std::string why = NetnsLab::SkipReason();
    if (!why.empty())
        GTEST_SKIP() << why;
    NetnsLab lab;
    ASSERT_TRUE(lab.Ok()) << lab.Error();
    CCamEngine engine;
    ASSERT_TRUE(lab.RunInPc([&] { SearchToEnd(engine); }));
    EXPECT_EQ(engine.m_nAddrCount, 0);
    EXPECT_EQ(engine.m_nSearchedAdapters, 0);
    EXPECT_EQ(engine.CountRecords(), 0);
}

} // namespace
