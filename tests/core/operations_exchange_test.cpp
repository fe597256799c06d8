// The template transaction over loopback: matching, resends, tries, and
// replies a camera should never send.
#include <gtest/gtest.h>

#include "operations_fixture.h"
#include "template/Operations.h"
#include "template/ReplyMeaning.h"

using namespace orv;
using opstest::FakeCamera;
using opstest::ReplyTo;
using opstest::SeqOf;

namespace {

const char16_t* kMac = u"02:00:00:00:00:01";

struct Exchange : ::testing::Test {
    CCamEngine engine;
    int Run(uint16_t opcode, FakeCamera& cam)
    {
        opstest::AimAtLoopback(engine, cam.Port, 1);
        return engine.RunTemplateOperation(opcode, kMac, u"admin", u"192.168.0.20", u"pw");
    }
};

TEST_F(Exchange, MatchingReplyIsPlacedAsStatusBlock)
{
    FakeCamera cam([](const std::vector<uint8_t>& req, int) {
        return std::vector<std::vector<uint8_t>>{ReplyTo(req, 0, {1, 0, 0, 0})};
    });
    EXPECT_EQ(Run(kOpVerification, cam), -1);
    EXPECT_EQ(engine.m_nStatus, 0);
    uint8_t block[kStatusBlockSize];
    engine.GetStatusBlock(block);
    StatusBlockView v{block};
    EXPECT_EQ(v.Status(), 0);
    EXPECT_EQ(v.PayloadLength(), 4);
    EXPECT_EQ(v.PayloadInt(0), 1);
    EXPECT_EQ(engine.m_WorkText[6], 1);
    EXPECT_EQ(cam.Requests().size(), 1u);
}

TEST_F(Exchange, NoCameraUsesEveryTryWithTheSameSeq)
{
    FakeCamera cam([](const std::vector<uint8_t>&, int) { return std::vector<std::vector<uint8_t>>{}; });
    EXPECT_EQ(Run(kOpVerification, cam), 3);
    EXPECT_EQ(engine.m_nStatus, 3);
    const auto reqs = cam.Requests();
    ASSERT_EQ(reqs.size(), 3u);
    EXPECT_EQ(reqs[0], reqs[1]);
    EXPECT_EQ(reqs[1], reqs[2]);
}

TEST_F(Exchange, ChangeIdPwdAndResetSendOnce)
{
    for (uint16_t op : {kOpChangeIDPWD, kOpReset, kOpQueryWPS, kOpPollWPSStatus}) {
        FakeCamera cam([](const std::vector<uint8_t>&, int) { return std::vector<std::vector<uint8_t>>{}; });
        EXPECT_EQ(Run(op, cam), 3) << op;
        EXPECT_EQ(cam.Requests().size(), 1u) << op;
    }
}

TEST_F(Exchange, DroppedRequestIsAnsweredOnResendWithTheSameSeq)
{
    FakeCamera cam([](const std::vector<uint8_t>& req, int index) {
        if (index == 0)
            return std::vector<std::vector<uint8_t>>{};
        return std::vector<std::vector<uint8_t>>{ReplyTo(req, 0)};
    });
    EXPECT_EQ(Run(kOpGetWLan, cam), -1);
    const auto reqs = cam.Requests();
    ASSERT_EQ(reqs.size(), 2u);
    EXPECT_EQ(SeqOf(reqs[0]), SeqOf(reqs[1]));
}

TEST_F(Exchange, ConsecutiveOperationsCarryConsecutiveSeqs)
{
    FakeCamera cam([](const std::vector<uint8_t>& req, int) {
        return std::vector<std::vector<uint8_t>>{ReplyTo(req, 0)};
    });
    engine.m_nSeq = 0xFFFF; // and the counter wraps
    EXPECT_EQ(Run(kOpVerification, cam), -1);
    EXPECT_EQ(Run(kOpGetCapabilities, cam), -1);
    const auto reqs = cam.Requests();
    ASSERT_EQ(reqs.size(), 2u);
    EXPECT_EQ(SeqOf(reqs[0]), 0);
    EXPECT_EQ(SeqOf(reqs[1]), 1);
}

TEST_F(Exchange, AnotherCamerasReplyEndsWithZeroAndNoResend)
{
    FakeCamera cam([](const std::vector<uint8_t>& req, int) {
        return std::vector<std::vector<uint8_t>>{ReplyTo(req, 0, std::vector<uint8_t>(16, 0), {2, 0, 0, 0, 0, 9})};
    });
    EXPECT_EQ(Run(kOpSetBasic, cam), 0); // 38 bytes reach the reply size
    EXPECT_EQ(engine.m_nStatus, 0);
    EXPECT_EQ(cam.Requests().size(), 1u);
}

TEST_F(Exchange, ForeignTrafficIsIgnoredAndEveryTryRunsToItsEnd)
{
    // Not a camera's reply: it never answers and never ends a try early.
    FakeCamera cam([](const std::vector<uint8_t>&, int) {
        return std::vector<std::vector<uint8_t>>{std::vector<uint8_t>(60, 0x42)};
    });
    EXPECT_EQ(Run(kOpSetBasic, cam), 3);
    EXPECT_EQ(engine.m_nStatus, 3);
    EXPECT_EQ(cam.Requests().size(), 3u);
}

// Replies a camera should never send: the transaction must neither crash nor
// read past its buffers, and what it reports must be plain.
struct Hostile {
    const char* Name;
    std::function<std::vector<uint8_t>(const std::vector<uint8_t>& req)> Make;
    int Result;
    int Status;        // status block Status when Result is -1
    int PayloadLength; // status block PayloadLength when Result is -1
};

TEST_F(Exchange, HostileReplies)
{
    const Hostile cases[] = {
        {"magic only", [](const auto&) { return std::vector<uint8_t>{0xEE, 0xFE}; }, 3, 0, 0},
        {"header cut before the MAC",
            [](const auto& req) { auto r = ReplyTo(req, 0); r.resize(9); return r; }, 3, 0, 0},
        {"header without status",
            [](const auto& req) { auto r = ReplyTo(req, 0); r.resize(12); return r; }, -1, 0, 0},
        {"payload length past the datagram",
            [](const auto& req) { auto r = ReplyTo(req, 0, {7, 0, 0, 0}); r[20] = 0xFF, r[21] = 0xFF; return r; },
            -1, 0, 0xFFFF},
        {"oversized datagram",
            [](const auto& req) { return ReplyTo(req, 5, std::vector<uint8_t>(3000, 0x33)); }, -1, 5, 3000},
        {"garbage", [](const auto&) { return std::vector<uint8_t>(500, 0xA7); }, 3, 0, 0},
        {"empty datagram", [](const auto&) { return std::vector<uint8_t>{}; }, 3, 0, 0},
    };
    for (const Hostile& c : cases) {
        SCOPED_TRACE(c.Name);
        FakeCamera cam([&](const std::vector<uint8_t>& req, int index) {
            return index == 0 ? std::vector<std::vector<uint8_t>>{c.Make(req)} : std::vector<std::vector<uint8_t>>{};
        });
        std::memset(engine.m_WireBytes, 0x5C, sizeof engine.m_WireBytes);
        const int r = Run(kOpVerification, cam);
        EXPECT_EQ(r, c.Result);
        if (r != -1)
            continue;
        uint8_t block[kStatusBlockSize];
        engine.GetStatusBlock(block);
        StatusBlockView v{block};
        EXPECT_EQ(v.Status(), c.Status);
        EXPECT_EQ(v.PayloadLength(), c.PayloadLength);
        // Only what the 42-byte reply buffer held is copied; the rest is zero.
        for (int i = 42 - kStatusBlockOffset; i < kStatusBlockSize; ++i)
            ASSERT_EQ(block[i], 0) << i;
        // Interpreting such a block stays inside it.
        (void)ConfigOutcome(r, v, true);
        (void)SettingsWaitMilliseconds(v);
    }
}

TEST_F(Exchange, NoTriesIsNeverSuccess)
{
    uint8_t req[150] = {}, reply[42] = {};
    EXPECT_EQ(engine.ExchangeTemplatePacket(req, 150, reply, 42, 0), 0);
}

TEST_F(Exchange, AdapterChoiceOutsideTheTableCannotOpen)
{
    FakeCamera cam([](const std::vector<uint8_t>&, int) { return std::vector<std::vector<uint8_t>>{}; });
    opstest::AimAtLoopback(engine, cam.Port, 1);
    engine.m_nAdapterChoice = kMaxAddresses;
    EXPECT_EQ(engine.Verification(kMac, u"a", u"", u"b"), 12);
    EXPECT_EQ(engine.m_nStatus, 12);
    EXPECT_TRUE(cam.Requests().empty());
}

} // namespace
