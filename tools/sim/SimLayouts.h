#pragma once
// Payload layouts of the template operations as the camera's firmware has
// them (offsets into the payload, which starts at packet offset 150 in a
// request and 22 in a reply). The program learns the same layouts from its
// template files; tests cross-check the two.
#include <cstddef>

namespace orvsim::tpl {

struct Field {
    std::size_t Offset;
    std::size_t Size;
};

// Verification reply
constexpr Field kPower{0, 4}, kFirmware{4, 16};
constexpr std::size_t kVerificationPayload = 20;

// Wireless settings: the SetWLan request, and the first part of the GetWLan
// reply. Bit fields are one byte each: first quantity in the high four bits.
constexpr Field kEssid{0, 33};
constexpr Field kWepKey[4] = {{33, 27}, {60, 27}, {87, 27}, {114, 27}};
constexpr Field kPassKey{141, 64};
constexpr Field kWlanEnable{205, 1}, kChannel{206, 1}, kEncMode{207, 1}, kKeyLenAuth{208, 1};
constexpr Field kDKeyFormat{209, 1}, kTxRateBits{210, 1};
constexpr std::size_t kSetWLanPayload = 211;
// GetWLan only: what the camera offers, one bit per choice. The channel mask
// is little-endian (bit n-1: channel n); in each capability byte bit k offers
// choice k (encryption and authentication types, key lengths and so on).
constexpr Field kChannelRange{211, 4};
constexpr std::size_t kWireMode = 215, kEncryption = 216, kAuthentication = 217, kWepKeyLen = 218;
constexpr std::size_t kWepKeyFormat = 219, kWepDefaultKey = 220, kTxRate = 221;
constexpr std::size_t kGetWLanPayload = 222;

// SetBasic request
constexpr Field kBasicName{0, 58}, kBasicIp{58, 4}, kBasicMask{62, 4}, kBasicGateway{66, 4};
constexpr Field kBasicDns1{70, 4}, kBasicDns2{74, 4}, kBasicDhcp{78, 1}, kBasicWebport{79, 2};
constexpr Field kBasicReserved{81, 4}, kBasicDnsSpec{85, 4};
constexpr std::size_t kSetBasicPayload = 89;

// ChangeIDPWD request: both texts scrambled column-wise.
constexpr Field kEncryptedId{0, 64}, kEncryptedPassword{64, 64};

// QueryWPS reply
constexpr Field kWpsPbc{0, 4}, kWpsPin{4, 4};

// InitWPS request: Mode in the clear; bytes 4..203 scrambled as one block.
constexpr Field kWpsMode{0, 4}, kWpsPinCode{4, 8}, kClientKey{12, 192};
constexpr std::size_t kInitWpsScrambled = 4, kInitWpsScrambledSize = 200;

// PollWPSInf reply: state, then the camera's public value scrambled.
constexpr Field kWpsState{0, 4}, kCameraKey{4, 192};

// SendWPS request: a flag, then the shared secret scrambled.
constexpr Field kConfirm{0, 4}, kSecret{4, 192};

} // namespace orvsim::tpl
