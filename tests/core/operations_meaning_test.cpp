// The shared result tables every page applies to a template operation.
#include <gtest/gtest.h>

#include "template/Operations.h"
#include "template/ReplyMeaning.h"

using namespace orv;

namespace {

struct Block {
    uint8_t Bytes[kStatusBlockSize] = {};
    Block(int status, std::vector<int32_t> payload, int payloadLength = -1)
    {
        Bytes[0] = static_cast<uint8_t>(status), Bytes[1] = static_cast<uint8_t>(status >> 8);
        const int len = payloadLength >= 0 ? payloadLength : static_cast<int>(payload.size() * 4);
        Bytes[4] = static_cast<uint8_t>(len), Bytes[5] = static_cast<uint8_t>(len >> 8);
        for (std::size_t i = 0; i < payload.size(); ++i)
            for (int k = 0; k < 4; ++k)
                Bytes[6 + 4 * i + k] = static_cast<uint8_t>(static_cast<uint32_t>(payload[i]) >> (8 * k));
    }
    StatusBlockView View() const { return StatusBlockView{Bytes}; }
};

TEST(ReplyMeaning, ConfigurationTable)
{
    struct Case {
        int OpResult;
        Block B;
        bool Verification;
        int Result, Code;
    } cases[] = {
        {3, Block(0, {}), false, 30, 1500},
        {0, Block(0, {}), true, 30, 1500},
        {-1, Block(2, {}), false, 18, 0},
        {-1, Block(3, {}), true, 29, 0},
        {-1, Block(5, {7}), false, 30, 7},
        {-1, Block(5, {7}, 3), false, 30, 0}, // fewer than 4 bytes: no code
        {-1, Block(5, {7}), true, 18, 7},
        {-1, Block(0, {}), false, -1, 0},
    };
    for (const Case& c : cases) {
        const PageOutcome o = ConfigOutcome(c.OpResult, c.B.View(), c.Verification);
        EXPECT_EQ(o.Result, c.Result);
        EXPECT_EQ(o.MsgCode, c.Code);
    }
}

TEST(ReplyMeaning, SettingsWaits)
{
    EXPECT_EQ(SettingsWaitMilliseconds(Block(0, {0, 2, 3000, 0}).View()), 3000);
    EXPECT_EQ(SettingsWaitMilliseconds(Block(0, {0, 1, 5000, 0}).View()), 5000);
    EXPECT_EQ(SettingsWaitMilliseconds(Block(0, {0, 0, 5000, 0}).View()), 0);
    EXPECT_EQ(SettingsWaitMilliseconds(Block(0, {0, 3, 5000, 0}).View()), 0);
    EXPECT_EQ(SettingsWaitMilliseconds(Block(0, {0, 2, 3000}).View()), 0);       // 12 bytes
    EXPECT_EQ(SettingsWaitMilliseconds(Block(0, {0, 2, 3000, 0, 0}).View()), 0); // 20 bytes
    EXPECT_EQ(SettingsWaitMilliseconds(Block(0, {0, 2, -5, 0}).View()), 0);
}

TEST(ReplyMeaning, WpsTable)
{
    struct Case {
        WpsStep Step;
        int OpResult, Status;
        Block B;
        int Result, Code;
    } cases[] = {
        {WpsStep::Query, 3, 3, Block(0, {}), 30, 1500},
        {WpsStep::Query, -1, 0, Block(2, {}), 18, 0},
        {WpsStep::Query, -1, 0, Block(9, {4}), 30, 4},
        {WpsStep::Init, -1, 0, Block(6, {}), 30, 6},
        {WpsStep::Init, 14, 14, Block(0, {}), 14, 1500},
        {WpsStep::Init, 0, 0, Block(0, {}), 0, 0},
        {WpsStep::Send, -1, 0, Block(0, {}), -1, 0},
        {WpsStep::PollInfo, 3, 3, Block(0, {}), -2, 0},
        {WpsStep::PollInfo, 0, 0, Block(0, {}), -2, 0},
        {WpsStep::PollInfo, -1, 0, Block(257, {}), -2, 0},
        {WpsStep::PollStatus, -1, 0, Block(257, {}), -2, 0},
        {WpsStep::PollStatus, -1, 0, Block(5, {}), 30, 5},
        {WpsStep::PollStatus, -1, 0, Block(0, {}), -1, 0},
        {WpsStep::PollStatus, 12, 12, Block(0, {}), 12, 1500},
    };
    for (const Case& c : cases) {
        const PageOutcome o = WpsOutcome(c.Step, c.OpResult, c.Status, c.B.View());
        EXPECT_EQ(o.Result, c.Result) << static_cast<int>(c.Step) << " " << c.OpResult;
        EXPECT_EQ(o.MsgCode, c.Code) << static_cast<int>(c.Step) << " " << c.OpResult;
    }
    EXPECT_EQ(WpsPushButtonOutcome(0).MsgCode, 1501);
    EXPECT_EQ(WpsPushButtonOutcome(1).Result, -1);
}

} // namespace
