#include "engine/DiscoveryPacket.h"

#include <cstring>

namespace orv {

void BuildDiscoveryRequest(uint8_t (&out)[kDiscoveryRequestSize], uint16_t seq, uint16_t protoVersion)
{
    std::memset(out, 0, sizeof out);
    out[0] = 0xFD;
    out[1] = 0xFD;
    out[2] = static_cast<uint8_t>(seq & 0xFF);
    out[3] = static_cast<uint8_t>(seq >> 8);
    out[4] = static_cast<uint8_t>(kDiscoveryOpcode & 0xFF);
    out[5] = static_cast<uint8_t>(kDiscoveryOpcode >> 8);
    std::memset(out + 6, 0xFF, 6);
    out[18] = static_cast<uint8_t>(protoVersion & 0xFF);
    out[19] = static_cast<uint8_t>(protoVersion >> 8);
}

bool IsAcceptedReply(const CamRecord& reply, int receivedBytes, const uint8_t (&request)[kDiscoveryRequestSize])
{
    return receivedBytes >= kDiscoveryHeaderSize && reply.Magic[0] == 0xEE && reply.Magic[1] == 0xFE &&
           reply.Seq[0] == request[2] && reply.Seq[1] == request[3] && reply.Status[0] == 0 &&
           reply.Status[1] == 0 && reply.Opcode[0] == (kDiscoveryOpcode & 0xFF) &&
           reply.Opcode[1] == (kDiscoveryOpcode >> 8);
}

uint64_t MacKey(const uint8_t (&mac)[6])
{
    uint64_t key = 0;
    for (uint8_t b : mac)
        key = (key << 8) | b;
    return key;
}

} // namespace orv
