#include "pages/WirelessChecks.h"

#include "pages/CameraTextCheck.h"
#include "pages/WirelessLogic.h"

namespace orv {

namespace {

constexpr int32_t kIdKey1 = 1115;
constexpr int32_t kIdPassKey = 1119;
constexpr int32_t kIdNewKey = 1115; // the one-page form's key edit

PageCheck Refuse(int32_t message, int32_t focusId = 0)
{
    return PageCheck{false, message, focusId};
}

int32_t SlotOrZero(const NameTable& table, std::u16string_view text)
{
    int32_t slot = FindSlot(table, text);
    return slot < 0 ? 0 : slot;
}

// 8 to 64 characters; all 64 must then be hexadecimal digits. 0 or a message.
int32_t CheckPassKey(std::u16string_view key)
{
    if (key.size() < 8 || key.size() > 64)
        return kMsgBadPassKeyLength;
    if (key.size() == 64 && !IsHexText(key))
        return kMsgPassKeyNotHex;
    return 0;
}

// The WEP key of the key page by its length and format slots: 0 when it fits,
// a message when it does not, -1 for a combination no key can fit.
int32_t CheckWepKey(std::u16string_view key, int32_t lenSlot, int32_t formatSlot)
{
    if (formatSlot == 0 && (lenSlot == 0 || lenSlot == 1))
        return key.size() == (lenSlot == 0 ? 5u : 13u) ? 0 : kMsgBadAsciiWepKey;
    if (formatSlot == 1 && (lenSlot == 0 || lenSlot == 1))
        return key.size() == (lenSlot == 0 ? 10u : 26u) && IsHexText(key) ? 0 : kMsgBadHexWepKey;
    return -1;
}

} // namespace

bool IsHexText(std::u16string_view text)
{
    for (char16_t c : text) {
        bool hex = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
        if (!hex)
            return false;
    }
    return true;
}

int32_t CheckSsid(std::u16string& ssid, bool wirelessOn)
{
    if (ssid.empty() && wirelessOn)
        return kMsgBadSsid;
    // Any character beyond 7-bit ASCII, including those the code page cannot
    // hold at all (they must not slip through as '?').
    for (char16_t c : ssid) {
        if (c >= 0x80) {
            if (wirelessOn)
                return kMsgBadSsid;
            ssid.clear();
            break;
        }
    }
    return 0;
}

PageCheck ApplyWirelessNext(WirelessEntries& e, WizardSettings& s)
{
    if (int32_t msg = CheckSsid(e.ssid, WlanOnByFirstChar(s.WirelessEnableText)))
        return Refuse(msg);
    WCopy(s.ESSID, e.ssid);
    s.Channel = WToInt(e.channelText);
    int32_t slot = FindSlot(kSecurityNames, e.securityText);
    if (slot >= 0)
        s.EncryptionType = slot;
    return {};
}

PageCheck ApplyWirelessKeyNext(const WirelessKeyEntries& e, WizardSettings& s)
{
    int32_t lenSlot = SlotOrZero(kKeyLenNames, e.keyLenText);
    int32_t formatSlot = SlotOrZero(kKeyFormatNames, e.keyFormatText);
    int32_t defSlot = SlotOrZero(kDefKeyNames, e.defKeyText);
    if (!WlanOnByFirstChar(s.WirelessEnableText))
        return {};
    if (s.EncryptionType == 1) {
        // All four keys are stored and sent, whichever is the default.
        for (int32_t k = 0; k < 4; ++k)
            if (!IsCameraText(e.keys[k]))
                return Refuse(kMsgNotCameraText, kIdKey1 + k);
        // Only four key edits exist: another default key cannot be checked.
        if (defSlot > 3)
            return Refuse(kMsgBadDefaultKey);
        int32_t msg = CheckWepKey(e.keys[defSlot], lenSlot, formatSlot);
        if (msg < 0)
            return Refuse(0);
        if (msg > 0)
            return Refuse(msg, kIdKey1 + defSlot);
        s.DefaultKeyIndex = defSlot;
        s.KeyLength = lenSlot;
        s.KeyFormat = formatSlot;
        for (int32_t k = 0; k < 4; ++k)
            WCopy(WepSlot(s, k), 64, e.keys[k]);
    } else if (s.EncryptionType == 4) {
        if (!IsCameraText(e.passKey))
            return Refuse(kMsgNotCameraText, kIdPassKey);
        if (int32_t msg = CheckPassKey(e.passKey))
            return Refuse(msg, kIdPassKey);
        WCopy(s.PassKey, e.passKey);
    }
    return {};
}

PageCheck ApplyWirelessNewNext(WirelessNewEntries& e, WizardSettings& s)
{
    if (s.WirelessMode != 0)
        s.Channel = e.channelData;
    bool on = WlanOnNewer(s.WirelessEnableText);
    if (int32_t msg = CheckSsid(e.ssid, on))
        return Refuse(msg);
    WCopy(s.ESSID, e.ssid);

    const std::u16string& key = e.key;
    // A key the camera cannot store is refused like any other bad key, and
    // with wireless off it is not kept either.
    const bool storable = IsCameraText(key);
    if (!storable && on && s.EncryptionType >= 1)
        return Refuse(kMsgNotCameraText, kIdNewKey);
    if (s.EncryptionType == 1) {
        wchar* slot = WepSlot(s, s.DefaultKeyIndex);
        int32_t msg = 0;
        std::size_t n = key.size();
        if (!storable) {
            msg = kMsgNotCameraText;
        } else if (n == 5 || n == 13) {
            s.KeyLength = n == 5 ? 0 : 1;
            s.KeyFormat = 0;
        } else if ((n == 10 || n == 26) && IsHexText(key)) {
            s.KeyLength = n == 10 ? 0 : 1;
            s.KeyFormat = 1;
        } else {
            msg = (n == 10 || n == 26) ? kMsgBadHexWepKey : kMsgBadWepKeyLength;
        }
        if (msg && on)
            return Refuse(msg);
        // A default key index outside 0-3 names no slot: nothing to store.
        if (slot)
            WCopy(slot, 64, msg ? std::u16string_view() : std::u16string_view(key));
    } else if (s.EncryptionType >= 2) {
        int32_t msg = storable ? CheckPassKey(key) : kMsgNotCameraText;
        if (msg && on)
            return Refuse(msg);
        WCopy(s.PassKey, msg ? std::u16string_view() : std::u16string_view(key));
    }
    return {};
}

} // namespace orv
