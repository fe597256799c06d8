// The transaction at its real ten-second wait, with nobody answering.
#include <gtest/gtest.h>

#include <chrono>

#include "operations_fixture.h"
#include "template/Operations.h"

using namespace orv;

TEST(RealTimeout, VerificationSendsThreeTimesTenSecondsApart)
{
    CCamEngine engine;
    opstest::FakeCamera cam([](const std::vector<uint8_t>&, int) { return std::vector<std::vector<uint8_t>>{}; });
    EXPECT_EQ(engine.m_nReplyWaitSeconds, 10); // the program's default
    opstest::AimAtLoopback(engine, cam.Port, engine.m_nReplyWaitSeconds);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(engine.Verification(u"02:00:00:00:00:01", u"admin", u"", u""), 3);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(engine.m_nStatus, 3);
    const auto reqs = cam.Requests();
    ASSERT_EQ(reqs.size(), 3u);
    EXPECT_EQ(reqs[0], reqs[2]);
    EXPECT_GE(seconds.count(), 29);
}
