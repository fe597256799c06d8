#pragma once
// The wireless pages' lists, driven by the capability texts the camera
// reported: strings of '0' and '1' where a '1' at a position offers a choice.
// Pure functions over plain values; the pages only copy the items into their
// drop-down lists and apply the selections.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/WizardSettings.h"

namespace orv {

struct ListItem {
    std::u16string text;
    int32_t data = 0; // item data of the drop-down entry
};
using ItemList = std::vector<ListItem>;

// Eight-slot name tables; unnamed slots are empty texts.
using NameTable = std::array<std::u16string_view, 8>;
extern const NameTable kSecurityNames;  // "None", "WEP", "TKIP", "AES", "WPA/WPA2"
extern const NameTable kKeyLenNames;    // "64bits", "128bits", "256bits"
extern const NameTable kKeyFormatNames; // "ASCII", "HEX"
extern const NameTable kDefKeyNames;    // "WEP Key1" .. "WEP Key4"
extern const NameTable kAuthNames;      // "Open", "Shared", "Both", "WPA-PSK", "WPA2-PSK", "WPA/WPA2"

// First slot whose name equals `text` exactly (so an empty text finds the
// first unnamed slot); -1 when none does.
int32_t FindSlot(const NameTable& table, std::u16string_view text);

// Character `pos` of a capability text (a WizardSettings text64); 0 past its end.
wchar CapChar(const wchar* text, std::size_t pos);

// Channel n (1-32) when character 32 - n is '1'; "1".."14" when none is.
// Item data is the channel number.
ItemList FillChannelList(const wchar* channelRange);

// Newer page: ad-hoc offers the channel list, infrastructure only "Auto" (0).
ItemList NewerChannelList(bool adhoc, const wchar* channelRange);

// Older page security list: "None" (0), "WEP" (1) when character 6 of the
// encryption text is '1', "WPA/WPA2" (2) when not ad-hoc and character 2 of
// the authentication text is '1'. The first entry is selected.
ItemList FillSecurityList(bool adhoc, const wchar* encryptionText,
                          const wchar* authenticationText);

// Older page: security entry chosen (item data 0-2) -> AuthType/EncryptionType.
void ApplySecurityChoice(int32_t itemData, int32_t wepAuth, WizardSettings& s);

// Older page: which security index to select. On entering the page: the
// EncryptionType for 0 and 1, else 2. After a mode click: EncryptionType
// when below 2 (and not negative), else 2 for infrastructure, 0 for ad-hoc.
int32_t SecurityIndexOnInit(int32_t encryptionType);
int32_t SecurityIndexAfterModeClick(int32_t encryptionType, bool adhoc);

// Older page: the channel entry to select: the first whose text reads as
// `channel`, else the last entry (-1 for an empty list).
int32_t ChannelIndexFor(const ItemList& entries, int32_t channel);

// Older page authentication radios by EncryptionType. Writes AuthType and,
// for WEP, wepAuth. `apply` false: leave the radios as they are.
struct AuthRadios {
    bool apply = false;
    int32_t checked = -1; // 0 Open, 1 Shared, 2 Both, -1 none checked
    bool enabled = false;
};
AuthRadios ApplyAuthRadios(WizardSettings& s, int32_t& wepAuth);

// WEP key page lists: slot k when character 7 - k is '1' (unnamed slots as
// empty entries); the fallback when none qualifies. Item data is the slot.
ItemList FillKeyLenList(const wchar* wepKeyLenText);
ItemList FillKeyFormatList(const wchar* wepKeyFormatText);
ItemList FillDefKeyList(const wchar* wepDefaultKeyText);

// Newer page authentication list: ad-hoc "Open" (0), "Shared" (1);
// infrastructure from the authentication text as the key lists (named slots
// only), else "Open", "Shard", "WPA_PSK", "WPA2_PSK" (0, 1, 3, 4).
ItemList FillAuthList(bool adhoc, const wchar* authenticationText);

// Newer page encryption list for an authentication; an entry is offered when
// its character of the encryption text is not '0'.
ItemList FillEncList(int32_t authType, const wchar* encryptionText);

// Index of the first entry with that item data, -1 when none.
int32_t IndexOfData(const ItemList& items, int32_t data);

// After the authentication changed: the EncryptionType to keep when the new
// list holds it, else the first entry's (0 for an empty list).
int32_t KeepOrFirstEnc(const ItemList& encList, int32_t encryptionType);

// Newer page SelectEnc: which entry to select and what the key edit does.
struct KeyEditState {
    int32_t selected = -1; // index to select; -1 for an empty list
    bool cleared = false;  // no encryption: edit emptied, next change not typing
    bool enable = false;   // enable the key edit (else leave its state)
    bool disable = false;  // disable the key edit
    int32_t limit = 0;     // text limit to set, 0 = leave it
};
// `key` is the page's m_strKey, cut to the limit; the edit then shows it
// (or is emptied when `cleared`).
KeyEditState SelectEnc(const ItemList& encList, int32_t e, bool wirelessOn, std::u16string& key);

// Newer page mode switch: current choices and the other mode's trade places.
void SwapModeChoices(WizardSettings& s, int32_t& otherAuth, int32_t& otherEnc);

// WEPKey1..WEPKey4 by index 0-3; nullptr for any other index.
wchar* WepSlot(WizardSettings& s, int32_t index);

// Wireless on: older pages at entry and summaries (text reads as number 1),
// older pages' Next (first character '1'), newer page ("Enabled" or "1",
// any case).
bool WlanOnByNumber(const wchar* wirelessEnableText);
bool WlanOnByFirstChar(const wchar* wirelessEnableText);
bool WlanOnNewer(const wchar* wirelessEnableText);

} // namespace orv
