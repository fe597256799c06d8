#include "pages/WpsLogic.h"

#include <cstdio>
#include <ctime>
#include <utility>

namespace orv {

int32_t WpsPinChecksum(uint32_t sevenDigits)
{
    uint32_t a = sevenDigits % 10000000u;
    uint32_t sum = 0;
    // Digits from the least significant: a0, a2, a4, a6 weigh 3; a1, a3, a5 weigh 1.
    for (int k = 0; k < 7; ++k) {
        uint32_t digit = a % 10;
        a /= 10;
        sum += (k % 2 == 0) ? 3 * digit : digit;
    }
    return static_cast<int32_t>((10 - sum % 10) % 10);
}

std::string MakeWpsPin(int64_t secondsSince1970)
{
    auto u = static_cast<uint64_t>(secondsSince1970);
    // Each byte is read as a signed 8-bit value.
    auto signedByte = [u](int shift) {
        auto b = static_cast<int32_t>((u >> shift) & 0xFF);
        return b >= 128 ? b - 256 : b;
    };
    int32_t b0 = signedByte(0), b1 = signedByte(8), b2 = signedByte(16);
    int32_t v = ((b0 * 256) + b1) * 256 + b2; // |v| < 2^23: no overflow
    uint32_t a = static_cast<uint32_t>(v) % 10000000u;
    uint32_t pin = a * 10 + static_cast<uint32_t>(WpsPinChecksum(a));
    char text[16];
    std::snprintf(text, sizeof text, "%08u", pin);
    return text;
}

std::string MakeWpsPin()
{
    return MakeWpsPin(static_cast<int64_t>(std::time(nullptr)));
}

WpsPairing::WpsPairing(Clock clock) : m_clock(std::move(clock)) {}

void WpsPairing::Start()
{
    m_nStep = kWpsStepPollInfo;
    m_nProgress = 0;
    m_dwStart = m_clock();
    m_bRunning = true;
}

void WpsPairing::Stop()
{
    m_bRunning = false;
}

WpsTickOutcome WpsPairing::End(WpsTickOutcome outcome)
{
    m_bRunning = false;
    m_nProgress = static_cast<int32_t>(kWpsWindowSeconds);
    return outcome;
}

WpsTickOutcome WpsPairing::Tick(const Operation& run)
{
    if (!m_bRunning)
        return WpsTickOutcome::NotRunning;
    // Unsigned difference: a tick count that wraps still gives the right age.
    uint32_t elapsed = (m_clock() - m_dwStart) / 1000u;
    if (elapsed >= kWpsWindowSeconds)
        return End(WpsTickOutcome::TimedOut);
    m_nProgress = static_cast<int32_t>(elapsed);

    switch (m_nStep) {
    case kWpsStepPollInfo: {
        int32_t r = run(kWpsStepPollInfo);
        if (r == -1)
            m_nStep = kWpsStepSend;
        else if (r != -2)
            return End(WpsTickOutcome::Failed);
        break;
    }
    case kWpsStepSend:
        if (run(kWpsStepSend) != -1)
            return End(WpsTickOutcome::Failed);
        m_nStep = kWpsStepPollStatus;
        m_dwStart = m_clock(); // the last step gets a window of its own
        break;
    case kWpsStepPollStatus: {
        int32_t r = run(kWpsStepPollStatus);
        if (r == -1)
            return End(WpsTickOutcome::Succeeded);
        if (r != -2)
            return End(WpsTickOutcome::Failed);
        break;
    }
    default:
        break;
    }
    return WpsTickOutcome::Continue;
}

WpsNextAction DecideWpsNext(bool running, int32_t wpsResult)
{
    if (running)
        return WpsNextAction::AskLeave;
    if (wpsResult > 0)
        return WpsNextAction::PostNext;
    if (wpsResult < 0)
        return WpsNextAction::StartPairing;
    return WpsNextAction::AskRetry;
}

bool WpsNeedsWirelessOn(const char16_t* text)
{
    return !(text && text[0] == u'1' && text[1] == 0);
}

} // namespace orv
