#pragma once
// One UDP datagram out through sendmsg, optionally pinned to an interface.
// Shared by the socket client and the camera simulator: both must leave by a
// chosen adapter even where the routing table would pick another (or none,
// for a broadcast).
#include <netinet/in.h>
#include <sys/types.h>

#include <cstddef>

namespace orv {

// Sends `length` bytes to `to`. With `ifIndex` > 0 an IP_PKTINFO control
// message makes the datagram leave by that interface, with `source` as its
// source address (INADDR_ANY: the interface's own). Returns what sendmsg
// returns (-1 with errno on failure).
ssize_t SendDatagramVia(int socket, const void* data, std::size_t length, const sockaddr_in& to, int ifIndex,
    in_addr source);

} // namespace orv
