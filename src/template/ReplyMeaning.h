#pragma once
// What a template operation's outcome means to the pages: one place for the
// result tables every page applies to the transaction result and the reply's
// status block, so no page repeats them.
#include <cstdint>

namespace orv {

// The status block as GetStatusBlock leaves it (2048 bytes).
struct StatusBlockView {
    const uint8_t* Bytes = nullptr;
    int Status() const;
    int PayloadLength() const;
    // The int32 at payload byte `offset` (0 past the block).
    int32_t PayloadInt(int offset) const;
    // The camera's error code: payload bytes 0-3 when it sent at least 4.
    int32_t ErrorCode() const;
};

// A page result and the number added to 500 for its message.
struct PageOutcome {
    int Result = -1;
    int MsgCode = 0;
};

constexpr int kPageAccepted = -1;
constexpr int kPagePollAgain = -2;
constexpr int kPageTemplateMissing = 1;
constexpr int kPageRefused = 18;      // Status 2 (message 4)
constexpr int kPageRefusedOther = 29; // Status 3 (message 22)
constexpr int kPageFailed = 30;       // message 500 + code
constexpr int kCodeNoReply = 1500;
constexpr int kCodeNoPushButton = 1501;

// The configuration operations (login, capability query, read-back, the
// settings steps). Result -1 means Status 0: the caller goes on with the
// operation's own steps. `verification` turns every error status into 18.
PageOutcome ConfigOutcome(int opResult, const StatusBlockView& block, bool verification);

// Milliseconds a settings reply asks the caller to wait (16-byte payload,
// action 1 or 2); 0 when it is done. Negative times are not waited for.
int SettingsWaitMilliseconds(const StatusBlockView& block);

// The WPS operations. `status` is the engine's m_nStatus after the call.
enum class WpsStep { Query, Init, PollInfo, Send, PollStatus };
// -1 accepted (QueryWPS and PollWPSInf then decode), -2 poll again.
PageOutcome WpsOutcome(WpsStep step, int opResult, int status, const StatusBlockView& block);
// QueryWPS accepted with a payload: "WPS_PBC" 0 means no push button.
PageOutcome WpsPushButtonOutcome(int wpsPbc);

} // namespace orv
