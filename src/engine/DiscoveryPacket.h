#pragma once
// The discovery exchange on the wire: the 22-byte request every camera
// answers, and the rules a reply must meet to become a record.
#include <cstdint>

#include "engine/CamRecord.h"

namespace orv {

constexpr int kDiscoveryRequestSize = 22;
constexpr uint16_t kDiscoveryOpcode = 0x00A1;
// Below this a datagram cannot even hold the header (MAC, status).
constexpr int kDiscoveryHeaderSize = 22;

void BuildDiscoveryRequest(uint8_t (&out)[kDiscoveryRequestSize], uint16_t seq, uint16_t protoVersion);

// Magic 0xFEEE, the request's sequence bytes, status 0, opcode 0x00A1, and at
// least a whole header received.
bool IsAcceptedReply(const CamRecord& reply, int receivedBytes, const uint8_t (&request)[kDiscoveryRequestSize]);

// The six MAC bytes as one number, for constant-time duplicate checks.
uint64_t MacKey(const uint8_t (&mac)[6]);

} // namespace orv
