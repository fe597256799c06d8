#include "pages/WirelessLogic.h"

#include <utility>

namespace orv {

const NameTable kSecurityNames = {u"None", u"WEP", u"TKIP", u"AES", u"WPA/WPA2", u"", u"", u""};
const NameTable kKeyLenNames = {u"64bits", u"128bits", u"256bits", u"", u"", u"", u"", u""};
const NameTable kKeyFormatNames = {u"ASCII", u"HEX", u"", u"", u"", u"", u"", u""};
const NameTable kDefKeyNames = {u"WEP Key1", u"WEP Key2", u"WEP Key3", u"WEP Key4",
                                u"",         u"",         u"",         u""};
const NameTable kAuthNames = {u"Open",     u"Shared",   u"Both", u"WPA-PSK",
                              u"WPA2-PSK", u"WPA/WPA2", u"",     u""};

namespace {

constexpr std::size_t kTextCap = 64; // WizardSettings text64

// Slots k = 0..7 whose character 7 - k is '1'.
ItemList FromSlots(const wchar* capText, const NameTable& names, bool namedOnly)
{
    ItemList items;
    for (int32_t k = 0; k < 8; ++k) {
        if (CapChar(capText, static_cast<std::size_t>(7 - k)) != u'1')
            continue;
        if (namedOnly && names[static_cast<std::size_t>(k)].empty())
            continue;
        items.push_back({std::u16string(names[static_cast<std::size_t>(k)]), k});
    }
    return items;
}

ItemList SlotsOrFallback(const wchar* capText, const NameTable& names, int32_t fallbackCount)
{
    ItemList items = FromSlots(capText, names, false);
    if (items.empty()) {
        for (int32_t k = 0; k < fallbackCount; ++k)
            items.push_back({std::u16string(names[static_cast<std::size_t>(k)]), k});
    }
    return items;
}

} // namespace

int32_t FindSlot(const NameTable& table, std::u16string_view text)
{
    for (std::size_t k = 0; k < table.size(); ++k) {
        if (table[k] == text)
            return static_cast<int32_t>(k);
    }
    return -1;
}

wchar CapChar(const wchar* text, std::size_t pos)
{
    return pos < WLen(text, kTextCap) ? text[pos] : wchar(0);
}

ItemList FillChannelList(const wchar* channelRange)
{
    ItemList items;
    for (int32_t n = 1; n <= 32; ++n) {
        if (CapChar(channelRange, static_cast<std::size_t>(32 - n)) == u'1')
            items.push_back({WFromInt(n), n});
    }
    if (items.empty()) {
        for (int32_t n = 1; n <= 14; ++n)
            items.push_back({WFromInt(n), n});
    }
    return items;
}

ItemList NewerChannelList(bool adhoc, const wchar* channelRange)
{
    if (adhoc)
        return FillChannelList(channelRange);
    return {{u"Auto", 0}};
}

ItemList FillSecurityList(bool adhoc, const wchar* encryptionText, const wchar* authenticationText)
{
    ItemList items{{u"None", 0}};
    if (CapChar(encryptionText, 6) == u'1')
        items.push_back({u"WEP", 1});
    if (!adhoc && CapChar(authenticationText, 2) == u'1')
        items.push_back({u"WPA/WPA2", 2});
    return items;
}

void ApplySecurityChoice(int32_t itemData, int32_t wepAuth, WizardSettings& s)
{
    switch (itemData) {
    case 0: s.AuthType = 0; s.EncryptionType = 0; break;
    case 1: s.AuthType = wepAuth; s.EncryptionType = 1; break;
    case 2: s.AuthType = 5; s.EncryptionType = 4; break;
    default: break;
    }
}

int32_t SecurityIndexOnInit(int32_t encryptionType)
{
    return encryptionType == 0 || encryptionType == 1 ? encryptionType : 2;
}

int32_t SecurityIndexAfterModeClick(int32_t encryptionType, bool adhoc)
{
    if (encryptionType >= 0 && encryptionType < 2)
        return encryptionType;
    return adhoc ? 0 : 2;
}

int32_t ChannelIndexFor(const ItemList& entries, int32_t channel)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (WToInt(entries[i].text) == channel)
            return static_cast<int32_t>(i);
    }
    return static_cast<int32_t>(entries.size()) - 1;
}

AuthRadios ApplyAuthRadios(WizardSettings& s, int32_t& wepAuth)
{
    AuthRadios r;
    switch (s.EncryptionType) {
    case 0:
        s.AuthType = 0;
        r = {true, 0, false};
        break;
    case 1:
        if (s.AuthType < 0 || s.AuthType > 2)
            s.AuthType = 0;
        wepAuth = s.AuthType;
        r = {true, s.AuthType, true};
        break;
    case 4:
        s.AuthType = 5;
        r = {true, -1, false};
        break;
    default:
        break;
    }
    return r;
}

ItemList FillKeyLenList(const wchar* text) { return SlotsOrFallback(text, kKeyLenNames, 2); }
ItemList FillKeyFormatList(const wchar* text) { return SlotsOrFallback(text, kKeyFormatNames, 2); }
ItemList FillDefKeyList(const wchar* text) { return SlotsOrFallback(text, kDefKeyNames, 4); }

ItemList FillAuthList(bool adhoc, const wchar* authenticationText)
{
    if (adhoc)
        return {{u"Open", 0}, {u"Shared", 1}};
    ItemList items = FromSlots(authenticationText, kAuthNames, true);
    if (items.empty())
        items = {{u"Open", 0}, {u"Shard", 1}, {u"WPA_PSK", 3}, {u"WPA2_PSK", 4}};
    return items;
}

ItemList FillEncList(int32_t authType, const wchar* encryptionText)
{
    auto offered = [&](std::size_t pos) { return CapChar(encryptionText, pos) != u'0'; };
    ItemList items;
    if (authType == 0) {
        if (offered(7))
            items.push_back({u"Disabled", 0});
        if (offered(6))
            items.push_back({u"WEP", 1});
    } else if (authType == 1 || authType == 2) {
        if (offered(6))
            items.push_back({u"WEP", 1});
    } else if (authType >= 3) {
        if (offered(5))
            items.push_back({u"TKIP", 2});
        if (offered(4))
            items.push_back({u"AES", 3});
        if (offered(3))
            items.push_back({u"TKIP&AES", 4});
    }
    return items;
}

int32_t IndexOfData(const ItemList& items, int32_t data)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].data == data)
            return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t KeepOrFirstEnc(const ItemList& encList, int32_t encryptionType)
{
    if (IndexOfData(encList, encryptionType) >= 0)
        return encryptionType;
    return encList.empty() ? 0 : encList.front().data;
}

KeyEditState SelectEnc(const ItemList& encList, int32_t e, bool wirelessOn, std::u16string& key)
{
    KeyEditState st;
    if (!encList.empty())
        st.selected = 0;
    for (std::size_t i = 0; i < encList.size(); ++i) {
        if (encList[i].data == e)
            st.selected = static_cast<int32_t>(i); // the last match wins
    }
    // No entry counts as no encryption: there is nothing to key.
    int32_t data = st.selected < 0 ? 0 : encList[static_cast<std::size_t>(st.selected)].data;
    if (data == 0) {
        st.cleared = true;
        st.disable = wirelessOn;
        return st;
    }
    st.enable = wirelessOn;
    if (e >= 2 && e <= 4)
        st.limit = 64;
    else if (e == 0 || e == 1)
        st.limit = 26;
    if (st.limit && key.size() > static_cast<std::size_t>(st.limit))
        key.resize(static_cast<std::size_t>(st.limit));
    return st;
}

void SwapModeChoices(WizardSettings& s, int32_t& otherAuth, int32_t& otherEnc)
{
    std::swap(s.AuthType, otherAuth);
    std::swap(s.EncryptionType, otherEnc);
}

wchar* WepSlot(WizardSettings& s, int32_t index)
{
    switch (index) {
    case 0: return s.WEPKey1;
    case 1: return s.WEPKey2;
    case 2: return s.WEPKey3;
    case 3: return s.WEPKey4;
    default: return nullptr;
    }
}

bool WlanOnByNumber(const wchar* text)
{
    return WToInt(text ? std::u16string_view(text, WLen(text, kTextCap)) : std::u16string_view()) == 1;
}

bool WlanOnByFirstChar(const wchar* text)
{
    return CapChar(text, 0) == u'1';
}

bool WlanOnNewer(const wchar* text)
{
    std::u16string lower;
    for (std::size_t i = 0, n = WLen(text, kTextCap); i < n; ++i) {
        wchar c = text[i];
        lower += (c >= u'A' && c <= u'Z') ? wchar(c - u'A' + u'a') : c;
    }
    return lower == u"enabled" || lower == u"1";
}

} // namespace orv
