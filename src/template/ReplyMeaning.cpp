#include "template/ReplyMeaning.h"

#include "template/Operations.h"

namespace orv {

int StatusBlockView::Status() const
{
    return Bytes[0] | (Bytes[1] << 8);
}

int StatusBlockView::PayloadLength() const
{
    return Bytes[4] | (Bytes[5] << 8);
}

int32_t StatusBlockView::PayloadInt(int offset) const
{
    const int at = 6 + offset;
    if (offset < 0 || at + 4 > kStatusBlockSize)
        return 0;
    const uint32_t v = static_cast<uint32_t>(Bytes[at]) | (static_cast<uint32_t>(Bytes[at + 1]) << 8) |
                       (static_cast<uint32_t>(Bytes[at + 2]) << 16) | (static_cast<uint32_t>(Bytes[at + 3]) << 24);
    return static_cast<int32_t>(v);
}

int32_t StatusBlockView::ErrorCode() const
{
    return PayloadLength() >= 4 ? PayloadInt(0) : 0;
}

PageOutcome ConfigOutcome(int opResult, const StatusBlockView& block, bool verification)
{
    if (opResult != -1)
        return {kPageFailed, kCodeNoReply};
    switch (block.Status()) {
    case 0:
        return {kPageAccepted, 0};
    case 2:
        return {kPageRefused, 0};
    case 3:
        return {kPageRefusedOther, 0};
    default:
        if (verification)
            return {kPageRefused, block.ErrorCode()};
        return {kPageFailed, block.ErrorCode()};
    }
}

int SettingsWaitMilliseconds(const StatusBlockView& block)
{
    if (block.Status() != 0 || block.PayloadLength() != 16)
        return 0;
    const int32_t action = block.PayloadInt(4);
    if (action != 1 && action != 2)
        return 0;
    const int32_t ms = block.PayloadInt(8);
    return ms > 0 ? ms : 0;
}

namespace {

// A transport failure of InitWPS, SendWPS and the polls keeps its result; its
// code is m_nStatus, or 1500 when that names a failure.
PageOutcome TransportOutcome(int opResult, int status)
{
    return {opResult, status > 0 ? kCodeNoReply : status};
}

} // namespace

PageOutcome WpsOutcome(WpsStep step, int opResult, int status, const StatusBlockView& block)
{
    switch (step) {
    case WpsStep::Query:
        return ConfigOutcome(opResult, block, false);
    case WpsStep::Init:
    case WpsStep::Send:
        if (opResult != -1)
            return TransportOutcome(opResult, status);
        if (block.Status() != 0)
            return {kPageFailed, block.Status()};
        return {kPageAccepted, 0};
    case WpsStep::PollInfo:
    case WpsStep::PollStatus:
        if (opResult == 0 || opResult == 3)
            return {kPagePollAgain, 0};
        if (opResult != -1)
            return TransportOutcome(opResult, status);
        if (block.Status() == kStatusRunning)
            return {kPagePollAgain, 0};
        if (block.Status() != 0)
            return {kPageFailed, block.Status()};
        return {kPageAccepted, 0};
    }
    return {kPageFailed, kCodeNoReply};
}

PageOutcome WpsPushButtonOutcome(int wpsPbc)
{
    if (wpsPbc == 0)
        return {kPageFailed, kCodeNoPushButton};
    return {kPageAccepted, 0};
}

} // namespace orv
