#pragma once
// The block of values the wizard's pages collect and apply. The host owns one
// for the whole run; every page gets its address.
#include <cstdint>

#include "platform/core/WideText.h"

namespace orv {

using text64 = wchar[64];

// The shared page font, held as a description: the UI layer makes the real
// font from it (the core links no UI toolkit). `Created` is set the first
// time the list page fills it and survives every settings reset.
struct FontDescription {
    wchar FaceName[32] = {};
    int32_t Height = 0;
    int32_t Weight = 0;
    bool Created = false;
};

struct WizardSettings {
    int32_t WpsMode = 0;
    text64 Model = {};
    text64 CameraName = {};
    text64 ListedIP = {};
    text64 MacText = {};
    wchar ProdHWSpec[33] = {};
    int32_t AdapterIndex = 0;
    int32_t Kind = 0;
    int32_t Family = 0;
    int32_t WebPort = 0;
    int32_t Reserved = 0;
    int32_t DNSSpec = 0;
    int32_t WlanEnabled = 0;
    int32_t WpsChosen = 0;
    text64 AdminID = {};
    text64 AdminPwd = {};
    text64 NewID = {};
    text64 NewPwd = {};
    text64 ConfirmPwd = {};
    int32_t ChangeID = 0;
    int32_t ChangePwd = 0;
    int32_t DhcpEnabled = 0;
    text64 CameraIP = {};
    text64 SubnetMask = {};
    text64 Gateway = {};
    text64 PrimaryDNS = {};
    text64 SecondaryDNS = {};
    int32_t WirelessMode = 0;
    text64 ESSID = {};
    int32_t Channel = 0;
    int32_t AuthType = 0;
    int32_t EncryptionType = 0;
    int32_t KeyFormat = 0;
    int32_t KeyLength = 0;
    int32_t DefaultKeyIndex = 0;
    int32_t TxRate = 0;
    text64 WEPKey1 = {};
    text64 WEPKey2 = {};
    text64 WEPKey3 = {};
    text64 WEPKey4 = {};
    // 64 characters plus a terminator: a WPA key in hex is 64 digits long.
    wchar PassKey[65] = {};
    text64 ChannelRange = {};
    text64 WirelessEnableText = {};
    text64 ChannelText = {};
    text64 EncModeBits = {};
    text64 KeyLenAuthBits = {};
    text64 DKeyFormatBits = {};
    text64 TxRateBits = {};
    text64 WireModeText = {};
    text64 EncryptionText = {};
    text64 AuthenticationText = {};
    text64 WEPKeyLenText = {};
    text64 WEPKeyFormatText = {};
    text64 WEPdefaultKeyText = {};
    text64 TXRateText = {};
    FontDescription UiFont;
    int32_t Capabilities[64] = {};
    int32_t WpsShow = 0;
    int32_t OnlyWirelessNew = 0;
};

// Capability codes the page flow looks at.
constexpr int32_t kCapWireless = 168; // GetWLan opcode
constexpr int32_t kCapWps = 178;      // QueryWPS opcode
constexpr int32_t kCapWpsAlt = 193;   // treated like 178

// True when any of the 64 capability entries equals `code`.
bool HasCapability(const WizardSettings& settings, int32_t code);

} // namespace orv
