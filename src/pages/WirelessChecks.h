#pragma once
// Next on the wireless pages: the network name and key checks and what is
// stored, apart from the widgets. Each returns whether the page may post Next
// and, when not, the message to show and the edit to focus.
#include <cstdint>
#include <string>

#include "engine/WizardSettings.h"

namespace orv {

constexpr int32_t kMsgBadSsid = 20;
constexpr int32_t kMsgBadAsciiWepKey = 21;
constexpr int32_t kMsgPassKeyNotHex = 30;
constexpr int32_t kMsgBadHexWepKey = 31;
constexpr int32_t kMsgBadWepKeyLength = 32;
constexpr int32_t kMsgBadPassKeyLength = 33;
constexpr int32_t kMsgBadDefaultKey = 2006;

struct PageCheck {
    bool proceed = true;  // post Next
    int32_t message = 0;  // message to show when not proceeding (0: none)
    int32_t focusId = 0;  // edit to focus with its text selected (0: none)
};

bool IsHexText(std::u16string_view text);

// The network name: empty, or holding a character outside 7-bit ASCII, is
// refused (message 20) while wireless is on; with wireless off a non-ASCII
// name is emptied (the page empties its edit too). Returns 0 or 20.
int32_t CheckSsid(std::u16string& ssid, bool wirelessOn);

// CDlgWireless (older form). `ssid` may be emptied as above.
struct WirelessEntries {
    std::u16string ssid;
    std::u16string channelText;  // text of the selected channel entry
    std::u16string securityText; // text of the selected security entry
};
PageCheck ApplyWirelessNext(WirelessEntries& entries, WizardSettings& s);

// CDlgWirelessKey: the texts of its three lists and five edits.
struct WirelessKeyEntries {
    std::u16string keyLenText;
    std::u16string keyFormatText;
    std::u16string defKeyText;
    std::u16string keys[4]; // KEY1..KEY4 (ids 1115-1118)
    std::u16string passKey; // PKEY (id 1119)
};
PageCheck ApplyWirelessKeyNext(const WirelessKeyEntries& entries, WizardSettings& s);

// CDlgWirelessNew: the SSID, the selected channel's item data and the key.
// The key lands in the WEP slot of DefaultKeyIndex (the page's m_pWepSlot).
struct WirelessNewEntries {
    std::u16string ssid;
    int32_t channelData = 0;
    std::u16string key;
};
PageCheck ApplyWirelessNewNext(WirelessNewEntries& entries, WizardSettings& s);

} // namespace orv
