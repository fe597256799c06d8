#pragma once
// The discovery reply as our cameras lay it out: the one place that says
// where every field of the 334-byte reply sits. The "Discovery_temp"
// template describes the same payload; keep the two in step.
//
// All offsets are packet offsets (the payload starts at 22). Numbers are
// little-endian; IPv4 addresses are four bytes in text order (192.168.1.20
// is C0 A8 01 14); texts are narrow (ANSI code page), zero-padded, and end
// at the first zero byte or at the field's end.
//
//   offset size  field        content
//   0      2     Magic        0xFEEE (EE FE)
//   2      2     Seq          the request's two sequence bytes
//   4      2     Opcode       0x00A1
//   6      6     Mac          the camera's MAC address
//   12     4     Address      the camera's IPv4 address
//   16     2     Status       0
//   18     2     Reserved     0
//   20     2     PayloadLength 312
//   22     64    CameraName   text
//   86     4     CameraIP     IPv4
//   90     4     SubNetMask   IPv4
//   94     4     Gateway      IPv4
//   98     4     PriDNS       IPv4
//   102    4     SecDNS       IPv4
//   106    2     DHCP         u16: 1 = the camera uses DHCP
//   108    2     Webport      u16
//   110    4     Reserved     int32, sent back unchanged by the wizard
//   114    4     DNSSpec      int32, sent back unchanged by the wizard
//   118    32    (spare)      zero
//   150    70    Model        text (read directly by the engine)
//   220    6     (spare)      zero
//   226    64    Name         text (read directly by the engine)
//   290    4     Ip           IPv4 (read directly by the engine)
//   294    2     WebPort      u16 (read directly by the engine)
//   296    36    ProdHWSpec   text of at least 32 characters; its 32nd
//                             character (offset 327) is '1' when the camera
//                             has a wireless interface
//   332    2     (spare)      zero
#include <cstddef>

namespace orvsim::layout {

struct Field {
    std::size_t Offset;
    std::size_t Size;
};

constexpr std::size_t kReplySize = 334;
constexpr std::size_t kHeaderSize = 22;
constexpr std::size_t kPayloadSize = kReplySize - kHeaderSize;

constexpr Field kCameraName{22, 64};
constexpr Field kCameraIP{86, 4};
constexpr Field kSubNetMask{90, 4};
constexpr Field kGateway{94, 4};
constexpr Field kPriDNS{98, 4};
constexpr Field kSecDNS{102, 4};
constexpr Field kDHCP{106, 2};
constexpr Field kWebport{108, 2};
constexpr Field kReserved{110, 4};
constexpr Field kDNSSpec{114, 4};
constexpr Field kModel{150, 70};
constexpr Field kName{226, 64};
constexpr Field kIp{290, 4};
constexpr Field kWebPort{294, 2};
constexpr Field kProdHWSpec{296, 36};
// Position of the wireless flag inside ProdHWSpec (its 32nd character).
constexpr std::size_t kWirelessFlagIndex = 31;

constexpr bool Overlaps(Field a, Field b)
{
    return a.Offset < b.Offset + b.Size && b.Offset < a.Offset + a.Size;
}
constexpr Field kAll[] = {kCameraName, kCameraIP, kSubNetMask, kGateway, kPriDNS, kSecDNS, kDHCP, kWebport,
    kReserved, kDNSSpec, kModel, kName, kIp, kWebPort, kProdHWSpec};
constexpr bool NoOverlaps()
{
    for (std::size_t i = 0; i < std::size(kAll); ++i) {
        if (kAll[i].Offset < kHeaderSize || kAll[i].Offset + kAll[i].Size > kReplySize)
            return false;
        for (std::size_t j = i + 1; j < std::size(kAll); ++j) {
            if (Overlaps(kAll[i], kAll[j]))
                return false;
        }
    }
    return true;
}
static_assert(NoOverlaps(), "discovery fields must not overlap");

} // namespace orvsim::layout
