#pragma once
// What a simulated camera keeps for the template operations: its wireless
// settings, capability list, the waits and faults a test asks for, the WPS
// run, and where it writes its state so a test can read back what arrived.
#include <cstdint>
#include <string>
#include <vector>

namespace orvsim {

struct WlanSettings {
    std::string Essid = "factory";
    std::string WepKey[4];
    std::string PassKey;
    uint8_t Enable = 0;
    uint8_t Channel = 6;
    uint8_t EncMode = 0;    // encryption (high four bits), mode (low four)
    uint8_t KeyLenAuth = 0; // key length (high), authentication (low)
    uint8_t DKeyFormat = 0; // default key (high), key format (low)
    uint8_t TxRate = 0;
};

// What the camera offers, as GetWLan reports it: bit n-1 of the channel mask
// is channel n, bit k of each other mask is choice k, numbered as the
// settings above number them. The defaults offer every choice there is.
struct WlanOffer {
    uint32_t Channels = 0x7FF;  // 1-11
    uint8_t WireModes = 0x03;   // infrastructure, ad-hoc
    uint8_t Encryptions = 0x1F; // none, WEP, TKIP, AES, TKIP and AES
    uint8_t Auths = 0x3F;       // open, shared, both, WPA-PSK, WPA2-PSK, WPA/WPA2
    uint8_t KeyLens = 0x03;     // 64, 128 bits
    uint8_t KeyFormats = 0x03;  // ASCII, hexadecimal
    uint8_t DefaultKeys = 0x0F; // keys 1-4
    uint8_t TxRates = 0x01;     // rate 0 only
};

struct WpsRun {
    bool Started = false;
    uint32_t Mode = 0;
    std::string Pin;
    std::vector<uint8_t> ClientKey;     // as it arrived, 192 bytes
    std::vector<uint8_t> CameraPrivate; // big-endian exponent
    int PollsLeft = 0;
    bool SecretOk = false;
    bool SecretSeen = false;
    bool Paired = false;
};

struct TemplateState {
    WlanSettings Wlan;
    WlanOffer Offer;
    std::vector<uint16_t> Caps = {0xA2, 0xA3, 0xA4, 0xA5, 0xA8, 0xA9, 0xAA, 0xB2};
    std::string Firmware = "1.0.0";
    int Power = 1;          // Verification's "Power"
    int WaitAction = 0;     // settings replies: 0 none, else 16-byte wait reply
    int WaitMs = 0;
    int ForcedStatus = 0;   // nonzero: every template reply has this status...
    int ErrorCode = -1;     // ...and, when >= 0, this code in payload bytes 0-3
    int DropRequests = 0;   // template requests still to ignore
    bool OtherMac = false;  // answer as a camera with another MAC address
    int WpsPbc = 1, WpsPin = 1;
    int WpsPolls = 2;       // polls answered 257 before 0
    int Resets = 0;
    // The password as ChangeIDPWD set it, kept scrambled (empty: AdminPwd).
    std::vector<uint8_t> ScrambledPwd;
    std::string StatePath;  // written after every template request
    std::vector<std::pair<uint16_t, uint16_t>> Seen; // (opcode, seq) of each request
    WpsRun Wps;
};

} // namespace orvsim
