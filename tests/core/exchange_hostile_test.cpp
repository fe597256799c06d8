// The template transaction against hostile traffic over loopback: strays of
// any size just before the reply, floods of empty datagrams that must not
// keep a try alive, and a cancel request from another thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "operations_fixture.h"
#include "template/Operations.h"
#include "template/ReplyMeaning.h"

using namespace orv;
using opstest::FakeCamera;
using opstest::ReplyTo;
using Clock = std::chrono::steady_clock;

namespace {

const char16_t* kMac = u"02:00:00:00:00:01";

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Sends empty datagrams to the engine's socket (the camera's last sender)
// every `gap` until stopped: traffic that arrives far more often than a try
// lasts.
class Flood {
public:
    Flood(const FakeCamera& cam, std::chrono::microseconds gap) : m_Cam(cam), m_Gap(gap)
    {
        m_Fd = socket(AF_INET, SOCK_DGRAM, 0);
        m_Thread = std::thread([this] { Run(); });
    }
    ~Flood()
    {
        m_Stop = true;
        m_Thread.join();
        close(m_Fd);
    }
    long Sent() const { return m_Sent.load(); }

private:
    void Run()
    {
        // A safety stop so a wait that never ends fails the test instead of
        // hanging it.
        const auto giveUp = Clock::now() + std::chrono::seconds(20);
        while (!m_Stop && Clock::now() < giveUp) {
            const sockaddr_in to = m_Cam.LastSender();
            if (to.sin_port != 0 && sendto(m_Fd, "", 0, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0)
                ++m_Sent;
            std::this_thread::sleep_for(m_Gap);
        }
    }
    const FakeCamera& m_Cam;
    std::chrono::microseconds m_Gap;
    int m_Fd = -1;
    std::atomic<bool> m_Stop{false};
    std::atomic<long> m_Sent{0};
    std::thread m_Thread;
};

struct HostileTraffic : ::testing::Test {
    CCamEngine engine;
    int Run(uint16_t opcode, FakeCamera& cam, int waitSeconds = 1)
    {
        opstest::AimAtLoopback(engine, cam.Port, waitSeconds);
        return engine.RunTemplateOperation(opcode, kMac, u"admin", u"192.168.0.20", u"pw");
    }
};

TEST_F(HostileTraffic, StrayOfAnySizeJustBeforeTheReplyIsIgnored)
{
    // Sizes around the 42-byte reply and far beyond it, with bytes that look
    // like nothing and bytes that start like a request.
    for (std::size_t size : {0u, 1u, 21u, 41u, 42u, 43u, 500u, 1500u, 9000u, 65000u}) {
        for (uint8_t fill : {uint8_t{0x00}, uint8_t{0xFD}, uint8_t{0x5A}}) {
            SCOPED_TRACE(::testing::Message() << size << " bytes of " << int(fill));
            FakeCamera cam([&](const std::vector<uint8_t>& req, int) {
                return std::vector<std::vector<uint8_t>>{std::vector<uint8_t>(size, fill), ReplyTo(req, 0, {1, 0, 0, 0})};
            });
            ASSERT_EQ(Run(kOpVerification, cam), -1);
            EXPECT_EQ(cam.Requests().size(), 1u);
            uint8_t block[kStatusBlockSize];
            engine.GetStatusBlock(block);
            StatusBlockView v{block};
            EXPECT_EQ(v.Status(), 0);
            EXPECT_EQ(v.PayloadLength(), 4);
            EXPECT_EQ(v.PayloadInt(0), 1);
            // Nothing of the stray follows the reply's own bytes.
            for (int i = 42 - kStatusBlockOffset; i < kStatusBlockSize; ++i)
                ASSERT_EQ(block[i], 0) << i;
        }
    }
}

TEST_F(HostileTraffic, ShortMatchingReplyIsNotFilledFromAnEarlierStray)
{
    // The stray carries bytes where the real reply ends early: the block must
    // show zeros there, not the stray's bytes.
    FakeCamera cam([](const std::vector<uint8_t>& req, int) {
        std::vector<uint8_t> stray(42, 0x77);
        auto reply = ReplyTo(req, 0);
        reply.resize(18); // ends inside the status block
        return std::vector<std::vector<uint8_t>>{stray, reply};
    });
    ASSERT_EQ(Run(kOpVerification, cam), -1);
    uint8_t block[kStatusBlockSize];
    engine.GetStatusBlock(block);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(block[i], 0) << i;
}

TEST_F(HostileTraffic, FloodOfEmptyDatagramsEndsAfterItsTriesAsNoReply)
{
    FakeCamera cam([](const std::vector<uint8_t>&, int) { return std::vector<std::vector<uint8_t>>{}; });
    Flood flood(cam, std::chrono::microseconds(200));
    const auto start = Clock::now();
    EXPECT_EQ(Run(kOpVerification, cam), 3);
    const double took = SecondsSince(start);
    EXPECT_EQ(engine.m_nStatus, 3);
    EXPECT_EQ(cam.Requests().size(), 3u);
    EXPECT_GT(flood.Sent(), 100); // the flood really ran during the tries
    // Three one-second tries; a wait restarted by every datagram would run
    // until the flood's safety stop.
    EXPECT_LT(took, 10.0);
}

TEST_F(HostileTraffic, FloodAroundTheReplyStillLetsItThrough)
{
    FakeCamera cam([](const std::vector<uint8_t>& req, int index) {
        if (index < 1)
            return std::vector<std::vector<uint8_t>>{};
        return std::vector<std::vector<uint8_t>>{ReplyTo(req, 0, {1, 0, 0, 0})};
    });
    Flood flood(cam, std::chrono::microseconds(200));
    EXPECT_EQ(Run(kOpGetWLan, cam), -1);
    EXPECT_EQ(cam.Requests().size(), 2u);
}

// ---- cancelling from another thread ----

TEST_F(HostileTraffic, CancelEndsTheWaitAsNoReplyAndSendsNothingMore)
{
    FakeCamera cam([](const std::vector<uint8_t>&, int) { return std::vector<std::vector<uint8_t>>{}; });
    std::thread canceller([&] {
        while (cam.Requests().empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        engine.RequestCancel();
    });
    const auto start = Clock::now();
    const int r = Run(kOpVerification, cam, 10);
    const double took = SecondsSince(start);
    canceller.join();
    EXPECT_EQ(r, 3);
    EXPECT_EQ(engine.m_nStatus, 3);
    EXPECT_LT(took, 5.0); // not the ten seconds of the try, let alone three tries
    EXPECT_TRUE(engine.CancelRequested());

    // The flag stays until cleared: the next exchange of the same step sends
    // nothing and ends the same way.
    EXPECT_EQ(Run(kOpGetCapabilities, cam, 10), 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(cam.Requests().size(), 1u);

    engine.ClearCancel();
    EXPECT_FALSE(engine.CancelRequested());
    FakeCamera answering([](const std::vector<uint8_t>& req, int) {
        return std::vector<std::vector<uint8_t>>{ReplyTo(req, 0)};
    });
    EXPECT_EQ(Run(kOpGetCapabilities, answering), -1);
}

TEST_F(HostileTraffic, CancelAfterTheAnswerChangesNothing)
{
    FakeCamera cam([](const std::vector<uint8_t>& req, int) {
        return std::vector<std::vector<uint8_t>>{ReplyTo(req, 0, {1, 0, 0, 0})};
    });
    EXPECT_EQ(Run(kOpVerification, cam), -1);
    engine.RequestCancel();
    uint8_t block[kStatusBlockSize];
    engine.GetStatusBlock(block);
    EXPECT_EQ(StatusBlockView{block}.PayloadInt(0), 1);
    EXPECT_EQ(engine.m_nStatus, 0);
}

} // namespace
