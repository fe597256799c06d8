#include <gtest/gtest.h>

#include <vector>

#include "pages/WpsLogic.h"
#include "platform/core/WideText.h"

using namespace orv;

TEST(WpsLogic, PinChecksumVectors)
{
    struct Case {
        uint32_t seven;
        int32_t check;
    };
    // 1234567-0 and 4626484-8 are well-known valid WPS PINs.
    const Case cases[] = {{1234567, 0}, {4626484, 8}, {0, 0}, {65536, 1}, {6578688, 8},
                          {197121, 7},  {9999999, 5}, {1, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(WpsPinChecksum(c.seven), c.check) << c.seven;
}

TEST(WpsLogic, PinFromTheThreeLowBytesOfTheTime)
{
    struct Case {
        int64_t seconds;
        const char* pin;
    };
    const Case cases[] = {
        {0, "00000000"},
        {1, "00655361"},                   // low byte weighs most
        {0x80, "65786888"},                // bytes are signed: -128 * 65536, taken unsigned
        {0x010203, "01971217"},
        {0x7F010203, "01971217"},          // bytes above the third do not count
        {0x1234567F010203LL, "01971217"},  // nor in 64-bit times
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeWpsPin(c.seconds), c.pin) << c.seconds;
    // Every PIN is eight digits and carries a valid checksum.
    for (int64_t t = 1700000000; t < 1700000000 + 5000; t += 7) {
        std::string pin = MakeWpsPin(t);
        ASSERT_EQ(pin.size(), 8u);
        uint32_t value = static_cast<uint32_t>(std::stoul(pin));
        EXPECT_EQ(WpsPinChecksum(value / 10), static_cast<int32_t>(value % 10)) << pin;
    }
    EXPECT_EQ(MakeWpsPin().size(), 8u);
}

namespace {

// A tick count the test moves by hand, and operations that answer from a script.
struct Bench {
    uint32_t now = 0;
    std::vector<int32_t> steps; // steps run, in order
    int32_t answer179 = -2, answer180 = -1, answer181 = -2;
    WpsPairing pairing{[this] { return now; }};
    WpsTickOutcome Tick()
    {
        return pairing.Tick([this](int32_t step) {
            steps.push_back(step);
            return step == 179 ? answer179 : step == 180 ? answer180 : answer181;
        });
    }
};

} // namespace

TEST(WpsLogic, PollInfoWindowEndsAtTheHundredTwentiethSecond)
{
    Bench b;
    b.now = 5000;
    b.pairing.Start();
    for (uint32_t s = 1; s < 120; ++s) {
        b.now = 5000 + s * 1000;
        ASSERT_EQ(b.Tick(), WpsTickOutcome::Continue) << s;
        EXPECT_EQ(b.pairing.Progress(), static_cast<int32_t>(s));
    }
    b.now = 5000 + 119999;
    EXPECT_EQ(b.Tick(), WpsTickOutcome::Continue) << "119.999 s is still second 119";
    b.now = 5000 + 120000;
    std::size_t ran = b.steps.size();
    EXPECT_EQ(b.Tick(), WpsTickOutcome::TimedOut);
    EXPECT_EQ(b.steps.size(), ran) << "a timed-out tick runs no operation";
    EXPECT_FALSE(b.pairing.Running());
    EXPECT_EQ(b.pairing.Progress(), 120);
    EXPECT_EQ(b.Tick(), WpsTickOutcome::NotRunning);
}

TEST(WpsLogic, SendGivesStatusPollAFreshWindow)
{
    Bench b;
    b.pairing.Start();
    b.now = 119000; // PollWPSInf still running for 119 s, then done
    b.answer179 = -1;
    EXPECT_EQ(b.Tick(), WpsTickOutcome::Continue);
    EXPECT_EQ(b.pairing.Step(), 180);
    b.now = 119500;
    EXPECT_EQ(b.Tick(), WpsTickOutcome::Continue); // SendWPS at 119.5 s restarts the clock
    EXPECT_EQ(b.pairing.Step(), 181);
    b.now = 119500 + 119000;
    EXPECT_EQ(b.Tick(), WpsTickOutcome::Continue);
    EXPECT_EQ(b.pairing.Progress(), 119);
    b.answer181 = -1;
    b.now = 119500 + 119999;
    EXPECT_EQ(b.Tick(), WpsTickOutcome::Succeeded);
    EXPECT_EQ(b.steps, (std::vector<int32_t>{179, 180, 181, 181}));
    EXPECT_EQ(b.pairing.Progress(), 120);
    EXPECT_FALSE(b.pairing.Running());

    Bench late;
    late.pairing.Start();
    late.answer179 = -1;
    late.Tick();
    late.Tick();
    late.now = 120000;
    EXPECT_EQ(late.Tick(), WpsTickOutcome::TimedOut);
}

TEST(WpsLogic, OperationResultsPerStep)
{
    struct Case {
        int32_t a179, a180, a181;
        int ticks;
        WpsTickOutcome last;
        int32_t stepAfter;
    };
    const Case cases[] = {
        {30, -1, -1, 1, WpsTickOutcome::Failed, 179},
        {1, -1, -1, 1, WpsTickOutcome::Failed, 179},
        {-2, -1, -1, 3, WpsTickOutcome::Continue, 179},
        {-1, -2, -1, 2, WpsTickOutcome::Failed, 180}, // "poll again" is not success for SendWPS
        {-1, 3, -1, 2, WpsTickOutcome::Failed, 180},
        {-1, -1, 30, 3, WpsTickOutcome::Failed, 181},
        {-1, -1, -2, 5, WpsTickOutcome::Continue, 181},
        {-1, -1, -1, 3, WpsTickOutcome::Succeeded, 181},
    };
    for (const Case& c : cases) {
        Bench b;
        b.answer179 = c.a179;
        b.answer180 = c.a180;
        b.answer181 = c.a181;
        b.pairing.Start();
        WpsTickOutcome out = WpsTickOutcome::NotRunning;
        for (int i = 0; i < c.ticks; ++i) {
            b.now += 1000;
            out = b.Tick();
        }
        EXPECT_EQ(out, c.last) << c.a179 << " " << c.a180 << " " << c.a181;
        EXPECT_EQ(b.pairing.Step(), c.stepAfter);
        EXPECT_EQ(b.pairing.Running(), out == WpsTickOutcome::Continue);
    }
}

TEST(WpsLogic, ClockWrapAndRestart)
{
    Bench b;
    b.now = 0xFFFFF000u; // tick count about to wrap
    b.pairing.Start();
    b.now = 0x00001000u; // 8.192 s later
    EXPECT_EQ(b.Tick(), WpsTickOutcome::Continue);
    EXPECT_EQ(b.pairing.Progress(), 8);

    b.pairing.Stop();
    EXPECT_EQ(b.Tick(), WpsTickOutcome::NotRunning);
    b.now = 500000;
    b.pairing.Start(); // a new pairing starts over at step 179 with its own window
    EXPECT_EQ(b.pairing.Step(), 179);
    EXPECT_EQ(b.pairing.Progress(), 0);
    b.now = 501000;
    EXPECT_EQ(b.Tick(), WpsTickOutcome::Continue);
}

TEST(WpsLogic, NextChoiceAndWirelessSwitch)
{
    EXPECT_EQ(DecideWpsNext(true, 1), WpsNextAction::AskLeave);
    EXPECT_EQ(DecideWpsNext(true, -1), WpsNextAction::AskLeave);
    EXPECT_EQ(DecideWpsNext(false, 1), WpsNextAction::PostNext);
    EXPECT_EQ(DecideWpsNext(false, -1), WpsNextAction::StartPairing);
    EXPECT_EQ(DecideWpsNext(false, 0), WpsNextAction::AskRetry);

    EXPECT_FALSE(WpsNeedsWirelessOn(u"1"));
    for (const char16_t* text : {u"", u"0", u"11", u"1 ", u" 1", u"Enabled"})
        EXPECT_TRUE(WpsNeedsWirelessOn(text)) << Utf8(text);
    EXPECT_TRUE(WpsNeedsWirelessOn(nullptr));
}
