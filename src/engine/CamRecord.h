#pragma once
// One found camera: its 334-byte discovery reply as received, followed by the
// index of the PC address whose search received it (338 bytes in all).
#include <cstddef>
#include <cstdint>

namespace orv {

constexpr std::size_t kDiscoveryReplySize = 334;

struct CamRecord {
    uint8_t Magic[2];         // 0xFEEE, bytes EE FE
    uint8_t Seq[2];           // the request's two sequence bytes
    uint8_t Opcode[2];        // 0x00A1
    uint8_t Mac[6];           // the record's identity
    uint8_t Address[4];       // not read
    uint8_t Status[2];        // 0
    uint8_t Reserved[2];      // not read
    uint8_t PayloadLength[2]; // not read by the engine
    uint8_t Payload[312];     // discovery payload ("Discovery_temp")
    uint8_t AddrIndex[4];     // int32 little-endian: index into the address table

    // Fixed fields inside the payload, as packet offsets.
    static constexpr std::size_t kModelOffset = 150, kModelSize = 70;
    static constexpr std::size_t kNameOffset = 226, kNameSize = 64;
    static constexpr std::size_t kIpOffset = 290;
    static constexpr std::size_t kWebPortOffset = 294;
    static constexpr std::size_t kPayloadOffset = 22;

    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }
    uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this); }
};

static_assert(sizeof(CamRecord) == 338, "CamRecord must keep the wire layout");
static_assert(offsetof(CamRecord, Payload) == CamRecord::kPayloadOffset);
static_assert(offsetof(CamRecord, AddrIndex) == kDiscoveryReplySize);

} // namespace orv
