#pragma once
// The WPS page's logic that needs no widget: the PIN, the pairing timer's
// 120-second windows and the choice Next makes. The clock is injected so the
// windows can be checked without waiting.
#include <cstdint>
#include <functional>
#include <string>

namespace orv {

// Check digit of a seven-digit WPS PIN (Wi-Fi Simple Configuration checksum).
int32_t WpsPinChecksum(uint32_t sevenDigits);

// Eight-digit PIN ("%08d") derived from a time in seconds since 1970; two
// PINs made within the same second are equal.
std::string MakeWpsPin(int64_t secondsSince1970);
std::string MakeWpsPin(); // from the current time

// Operation steps the pairing timer runs, by template opcode.
constexpr int32_t kWpsStepPollInfo = 179;   // PollWpsInfo
constexpr int32_t kWpsStepSend = 180;       // RunSendWps
constexpr int32_t kWpsStepPollStatus = 181; // PollWpsStatus
constexpr uint32_t kWpsWindowSeconds = 120;
constexpr int32_t kWpsTimerId = 1027;
constexpr int32_t kWpsTimerPeriodMs = 1000;

enum class WpsTickOutcome {
    NotRunning, // tick while no pairing runs: nothing to do
    Continue,   // the pairing goes on
    Succeeded,  // message 2003, read-back in follow-on mode, result 1, Next
    Failed,     // message 2002, 2 s pause, back to Idle
    TimedOut,   // as Failed
};

// The pairing timer of the WPS page. The page starts it after QueryWPS and
// InitWPS succeeded, calls Tick on every tick of timer 1027, shows
// Progress() in the progress bar (range 0-120) and acts on the outcome.
class WpsPairing {
public:
    using Clock = std::function<uint32_t()>; // milliseconds, wraps like a tick count
    // Runs the operation of `step` and returns its page result (-1 done,
    // -2 poll again, anything else failed).
    using Operation = std::function<int32_t(int32_t step)>;

    explicit WpsPairing(Clock clock);

    void Start(); // step 179, a fresh window, progress 0
    void Stop();  // the page is left or destroyed
    WpsTickOutcome Tick(const Operation& run);

    bool Running() const { return m_bRunning; }
    int32_t Step() const { return m_nStep; }
    int32_t Progress() const { return m_nProgress; }

private:
    WpsTickOutcome End(WpsTickOutcome outcome);

    Clock m_clock;
    bool m_bRunning = false;
    int32_t m_nStep = 0;
    uint32_t m_dwStart = 0;
    int32_t m_nProgress = 0;
};

// What Next (command 1003) does on the WPS page.
enum class WpsNextAction {
    AskLeave,     // running: message 2005 Yes/No, Yes posts Next
    PostNext,     // paired
    StartPairing, // nothing started yet
    AskRetry,     // started, not paired: message 2004, Retry starts again, else Next
};
WpsNextAction DecideWpsNext(bool running, int32_t wpsResult);

// True when the camera's wireless interface must be switched on before a
// pairing: its WirelessEnableText is anything but exactly "1".
bool WpsNeedsWirelessOn(const char16_t* wirelessEnableText);

} // namespace orv
