#pragma once
// Waiting for datagrams on one or more sockets until a wall-clock deadline.
// The wait runs in short slices so that a cancel request from another thread
// ends it promptly, and a stream of datagrams can never move the deadline.
#include <poll.h>

#include <atomic>
#include <chrono>
#include <span>

namespace orv {

using WaitClock = std::chrono::steady_clock;

enum class WaitResult { Ready, TimedOut, Cancelled, Failed };

// How often a wait looks at its cancel flag.
constexpr int kCancelCheckMilliseconds = 50;

// Waits until one of `sockets` is readable (their revents then tell which),
// `deadline` passes, or `cancel` (may be null) is set.
WaitResult WaitForDatagrams(std::span<pollfd> sockets, WaitClock::time_point deadline,
    const std::atomic<bool>* cancel);

// The largest datagram IPv4 can carry, so every datagram is received whole.
constexpr int kMaxDatagramBytes = 65536;

} // namespace orv
