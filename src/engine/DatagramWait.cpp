#include "engine/DatagramWait.h"

#include <cerrno>

namespace orv {

WaitResult WaitForDatagrams(std::span<pollfd> sockets, WaitClock::time_point deadline,
    const std::atomic<bool>* cancel)
{
    for (;;) {
        if (cancel && cancel->load())
            return WaitResult::Cancelled;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - WaitClock::now()).count();
        if (left <= 0)
            return WaitResult::TimedOut;
        const int slice = static_cast<int>(left < kCancelCheckMilliseconds ? left : kCancelCheckMilliseconds);
        for (pollfd& p : sockets)
            p.revents = 0;
        const int ready = poll(sockets.data(), sockets.size(), slice);
        if (ready > 0)
            return WaitResult::Ready;
        if (ready < 0 && errno != EINTR)
            return WaitResult::Failed;
    }
}

} // namespace orv
