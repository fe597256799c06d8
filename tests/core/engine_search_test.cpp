// The search's pure parts: the request, the reply rules, the address table
// and the worker bits. No datagram leaves the machine here: the adapters
// given to the engine either have no usable first address or none at all.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include "engine/CamEngine.h"
#include "engine/DiscoveryPacket.h"

using namespace orv;

TEST(DiscoveryPacket, RequestLayout)
{
    uint8_t req[kDiscoveryRequestSize];
    BuildDiscoveryRequest(req, 0x1234, 1);
    const uint8_t expected[kDiscoveryRequestSize] = {0xFD, 0xFD, 0x34, 0x12, 0xA1, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0, 0, 0, 0, 0, 0, 0x01, 0x00, 0, 0};
    EXPECT_EQ(std::memcmp(req, expected, sizeof req), 0);
}

TEST(DiscoveryPacket, ReplyRules)
{
    uint8_t req[kDiscoveryRequestSize];
    BuildDiscoveryRequest(req, 0x0201, 1);
    CamRecord good{};
    const uint8_t header[] = {0xEE, 0xFE, 0x01, 0x02, 0xA1, 0x00};
    std::memcpy(good.Bytes(), header, sizeof header);
    EXPECT_TRUE(IsAcceptedReply(good, 334, req));
    EXPECT_TRUE(IsAcceptedReply(good, 22, req));

    struct Case {
        const char* what;
        std::size_t offset;
        uint8_t value;
        int length;
    } cases[] = {
        {"magic", 0, 0xFD, 334},
        {"seq low", 2, 0x02, 334},
        {"seq high", 3, 0x01, 334},
        {"opcode", 4, 0xA3, 334},
        {"opcode high", 5, 0x01, 334},
        {"status", 16, 0x03, 334},
        {"status high", 17, 0x01, 334},
        {"shorter than a header", 0, 0xEE, 21},
    };
    for (const Case& c : cases) {
        CamRecord r = good;
        r.Bytes()[c.offset] = c.value;
        EXPECT_FALSE(IsAcceptedReply(r, c.length, req)) << c.what;
    }
}

TEST(DiscoveryPacket, MacKeysAreDistinctPerAddress)
{
    const uint8_t a[6] = {0, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    const uint8_t b[6] = {0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0};
    EXPECT_EQ(MacKey(a), 0x001A2B3C4D5EULL);
    EXPECT_NE(MacKey(a), MacKey(b));
}

TEST(AddressTable, GroupsPerAdapterAndStopsAtEightEntries)
{
    CCamEngine e;
    e.m_AdapterSource = [] {
        return std::vector<AdapterAddresses>{{"eth0", {"10.0.0.1", "10.0.0.2", "10.0.0.3"}}, {"wlan0", {}},
            {"eth1", {"10.1.0.1", "10.1.0.2", "10.1.0.3", "10.1.0.4"}}, {"eth2", {"10.2.0.1", "10.2.0.2"}}};
    };
    e.RefreshAddresses();
    ASSERT_EQ(e.m_nAddrCount, kMaxAddresses);
    const int32_t adapters[kMaxAddresses] = {0, 0, 0, 2, 2, 2, 2, 3};
    for (int i = 0; i < kMaxAddresses; ++i)
        EXPECT_EQ(e.m_AddrAdapter[i], adapters[i]) << i;
    EXPECT_EQ(Utf8(e.m_AddrText[3]), "10.1.0.1");
    EXPECT_EQ(Utf8(e.m_AddrText[7]), "10.2.0.1");

    // The next refresh starts from an empty table.
    e.m_AdapterSource = [] { return std::vector<AdapterAddresses>{{"eth0", {"10.9.9.9"}}}; };
    e.RefreshAddresses();
    EXPECT_EQ(e.m_nAddrCount, 1);
    EXPECT_EQ(e.m_AddrText[1][0], 0);
}

TEST(Search, WithoutUsableAdapterEndsAtOnceWithEveryBitSet)
{
    CCamEngine e;
    e.m_AdapterSource = [] {
        return std::vector<AdapterAddresses>{{"eth0", {"0.0.0.0", "198.18.255.1"}}, {"eth1", {"0.0.0.0"}}};
    };
    e.m_Found.push_back(CamRecord{});
    const uint16_t seq = e.m_nSeq;
    EXPECT_EQ(e.StartSearch(), 0);
    EXPECT_EQ(e.m_bSearching, 1);
    while (!e.IsSearchDone())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    e.WaitForSearch();
    EXPECT_EQ(e.m_nDone, 15u);
    EXPECT_EQ(e.CountRecords(), 0);
    EXPECT_EQ(e.m_nSearchedAdapters, 0);
    EXPECT_EQ(e.m_nKind, 2);
    EXPECT_EQ(e.m_nSeq, static_cast<uint16_t>(seq + 1));
}

TEST(Search, EngineDestroyedWhileSearchingCollectsItsWorker)
{
    // Outlives nothing: the destructor must join, not leave the worker
    // writing into freed memory (a sanitizer build would flag it).
    auto e = std::make_unique<CCamEngine>();
    e->m_AdapterSource = [] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return std::vector<AdapterAddresses>{{"eth0", {"0.0.0.0"}}};
    };
    e->StartSearch();
    e.reset();
    SUCCEED();
}
