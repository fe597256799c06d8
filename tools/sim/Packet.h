#pragma once
// Request and reply headers of the camera protocol, as the camera sees them.
// Requests: magic FD FD, seq, opcode, target MAC, target IP, marker, protocol
// word, body length (all little-endian), then the body. Replies: magic
// EE FE, the request's seq and opcode, the camera's MAC and IP, status,
// reserved, payload length, payload.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/SimCamera.h"

namespace orvsim {

constexpr std::size_t kRequestHeaderSize = 22;

struct Request {
    uint8_t SeqBytes[2] = {};
    uint16_t Opcode = 0;
    uint8_t TargetMac[6] = {};
    uint8_t TargetIp[4] = {};
    uint16_t Marker = 0;
    uint16_t Version = 0;
    uint16_t BodyLength = 0;
    const uint8_t* Bytes = nullptr; // the whole datagram
    std::size_t Size = 0;

    bool ForEveryCamera() const;
};

// False when the datagram is not a request (too short or wrong magic).
bool ParseRequest(const uint8_t* bytes, std::size_t size, Request& out);

// A reply header for `cam` echoing `req`, followed by `payload`.
std::vector<uint8_t> BuildReply(const Request& req, const SimCamera& cam, uint16_t status,
    const std::vector<uint8_t>& payload);

void PutU16(uint8_t* at, uint16_t v);
void PutU32(uint8_t* at, uint32_t v);

} // namespace orvsim
