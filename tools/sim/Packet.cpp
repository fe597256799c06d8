#include "sim/Packet.h"

#include <cstring>

namespace orvsim {

namespace {

uint16_t GetU16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

} // namespace

void PutU16(uint8_t* at, uint16_t v)
{
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(uint8_t* at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(v >> (8 * i));
}

bool Request::ForEveryCamera() const
{
    for (uint8_t b : TargetMac) {
        if (b != 0xFF)
            return false;
    }
    return true;
}

bool ParseRequest(const uint8_t* bytes, std::size_t size, Request& out)
{
    if (!bytes || size < kRequestHeaderSize || bytes[0] != 0xFD || bytes[1] != 0xFD)
        return false;
    out.SeqBytes[0] = bytes[2];
    out.SeqBytes[1] = bytes[3];
    out.Opcode = GetU16(bytes + 4);
    std::memcpy(out.TargetMac, bytes + 6, 6);
    std::memcpy(out.TargetIp, bytes + 12, 4);
    out.Marker = GetU16(bytes + 16);
    out.Version = GetU16(bytes + 18);
    out.BodyLength = GetU16(bytes + 20);
    out.Bytes = bytes;
    out.Size = size;
    return true;
}

std::vector<uint8_t> BuildReply(const Request& req, const SimCamera& cam, uint16_t status,
    const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> out(kRequestHeaderSize + payload.size(), 0);
    out[0] = 0xEE;
    out[1] = 0xFE;
    out[2] = req.SeqBytes[0];
    out[3] = req.SeqBytes[1];
    PutU16(&out[4], req.Opcode);
    std::memcpy(&out[6], cam.Mac, 6);
    std::memcpy(&out[12], cam.Ip, 4);
    PutU16(&out[16], status);
    PutU16(&out[20], static_cast<uint16_t>(payload.size()));
    if (!payload.empty())
        std::memcpy(&out[kRequestHeaderSize], payload.data(), payload.size());
    return out;
}

} // namespace orvsim
