#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/WirelessChecks.h"
#include "pages/WirelessLogic.h"

using namespace orv;

namespace {

std::string Texts(const ItemList& items)
{
    std::string out;
    for (const ListItem& i : items)
        out += (out.empty() ? "" : ",") + Utf8(i.text) + ":" + std::to_string(i.data);
    return out;
}

std::u16string Cap32(std::initializer_list<int> channels)
{
    std::u16string t(32, u'0');
    for (int n : channels)
        t[static_cast<std::size_t>(32 - n)] = u'1';
    return t;
}

// What the settings block can hold of a pass phrase (see PassKeyHolds64).
std::u16string FitPassKey(std::u16string_view key)
{
    return std::u16string(key.substr(0, std::size(WizardSettings{}.PassKey) - 1));
}

WizardSettings With(const char16_t* enableText)
{
    WizardSettings s;
    WCopy(s.WirelessEnableText, enableText);
    return s;
}

} // namespace

TEST(WirelessLists, Channels)
{
    std::u16string lastTwo = Cap32({1, 2});
    EXPECT_EQ(Texts(FillChannelList(lastTwo.c_str())), "1:1,2:2");
    std::u16string some = Cap32({32, 13, 6});
    EXPECT_EQ(Texts(FillChannelList(some.c_str())), "6:6,13:13,32:32");
    std::string oneToFourteen = "1:1,2:2,3:3,4:4,5:5,6:6,7:7,8:8,9:9,10:10,11:11,12:12,13:13,14:14";
    EXPECT_EQ(Texts(FillChannelList(u"")), oneToFourteen);
    EXPECT_EQ(Texts(FillChannelList(Cap32({}).c_str())), oneToFourteen);
    // Positions count from the start: a short text names the high channels.
    EXPECT_EQ(Texts(FillChannelList(u"01")), "31:31");
    EXPECT_EQ(Texts(NewerChannelList(false, lastTwo.c_str())), "Auto:0");
    EXPECT_EQ(Texts(NewerChannelList(true, lastTwo.c_str())), "1:1,2:2");

    ItemList layoutAndPage = {{u"", 0}, {u"3", 3}, {u"11", 11}};
    EXPECT_EQ(ChannelIndexFor(layoutAndPage, 11), 2);
    EXPECT_EQ(ChannelIndexFor(layoutAndPage, 3), 1);
    EXPECT_EQ(ChannelIndexFor(layoutAndPage, 7), 2) << "no match leaves the last entry";
    EXPECT_EQ(ChannelIndexFor({}, 7), -1);
}

TEST(WirelessLists, SecurityListAndChoices)
{
    struct Case {
        bool adhoc;
        const char16_t* enc;
        const char16_t* auth;
        const char* items;
    };
    const Case cases[] = {
        {false, u"00000010", u"00100000", "None:0,WEP:1,WPA/WPA2:2"},
        {true, u"00000010", u"00100000", "None:0,WEP:1"}, // ad-hoc never offers WPA/WPA2
        {false, u"11111101", u"11011111", "None:0"},
        {false, u"", u"", "None:0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Texts(FillSecurityList(c.adhoc, c.enc, c.auth)), c.items);

    struct Choice {
        int32_t data, wepAuth, auth, enc;
    };
    for (const Choice& c : {Choice{0, 2, 0, 0}, Choice{1, 2, 2, 1}, Choice{2, 1, 5, 4}}) {
        WizardSettings s;
        s.AuthType = 9;
        s.EncryptionType = 9;
        ApplySecurityChoice(c.data, c.wepAuth, s);
        EXPECT_EQ(s.AuthType, c.auth) << c.data;
        EXPECT_EQ(s.EncryptionType, c.enc) << c.data;
    }
    EXPECT_EQ(SecurityIndexOnInit(0), 0);
    EXPECT_EQ(SecurityIndexOnInit(1), 1);
    EXPECT_EQ(SecurityIndexOnInit(4), 2);
    EXPECT_EQ(SecurityIndexAfterModeClick(4, false), 2);
    EXPECT_EQ(SecurityIndexAfterModeClick(4, true), 0);
    EXPECT_EQ(SecurityIndexAfterModeClick(1, true), 1);
}

TEST(WirelessLists, AuthRadiosByEncryption)
{
    struct Case {
        int32_t enc, authBefore;
        bool apply;
        int32_t checked;
        bool enabled;
        int32_t authAfter, wepAuthAfter;
    };
    const Case cases[] = {
        {0, 2, true, 0, false, 0, 7},  {1, 1, true, 1, true, 1, 1}, {1, 2, true, 2, true, 2, 2},
        {1, 5, true, 0, true, 0, 0},   {1, -1, true, 0, true, 0, 0}, {4, 1, true, -1, false, 5, 7},
        {2, 3, false, -1, false, 3, 7}, {3, 3, false, -1, false, 3, 7},
    };
    for (const Case& c : cases) {
        WizardSettings s;
        s.EncryptionType = c.enc;
        s.AuthType = c.authBefore;
        int32_t wepAuth = 7;
        AuthRadios r = ApplyAuthRadios(s, wepAuth);
        EXPECT_EQ(r.apply, c.apply) << c.enc << "/" << c.authBefore;
        EXPECT_EQ(r.checked, c.checked) << c.enc << "/" << c.authBefore;
        EXPECT_EQ(r.enabled, c.enabled) << c.enc << "/" << c.authBefore;
        EXPECT_EQ(s.AuthType, c.authAfter) << c.enc << "/" << c.authBefore;
        EXPECT_EQ(wepAuth, c.wepAuthAfter) << c.enc << "/" << c.authBefore;
    }
}

TEST(WirelessLists, KeyPageListsFromTheEndOfTheText)
{
    EXPECT_EQ(Texts(FillKeyLenList(u"00000011")), "64bits:0,128bits:1");
    EXPECT_EQ(Texts(FillKeyLenList(u"00000111")), "64bits:0,128bits:1,256bits:2");
    EXPECT_EQ(Texts(FillKeyLenList(u"00001001")), "64bits:0,:3") << "unnamed slots as empty entries";
    EXPECT_EQ(Texts(FillKeyLenList(u"")), "64bits:0,128bits:1");
    EXPECT_EQ(Texts(FillKeyLenList(u"0000000")), "64bits:0,128bits:1");
    EXPECT_EQ(Texts(FillKeyFormatList(u"00000010")), "HEX:1");
    EXPECT_EQ(Texts(FillKeyFormatList(u"00000000")), "ASCII:0,HEX:1");
    EXPECT_EQ(Texts(FillDefKeyList(u"00001010")), "WEP Key2:1,WEP Key4:3");
    EXPECT_EQ(Texts(FillDefKeyList(u"0")), "WEP Key1:0,WEP Key2:1,WEP Key3:2,WEP Key4:3");

    EXPECT_EQ(FindSlot(kKeyLenNames, u"256bits"), 2);
    EXPECT_EQ(FindSlot(kKeyLenNames, u""), 3);
    EXPECT_EQ(FindSlot(kSecurityNames, u""), 5);
    EXPECT_EQ(FindSlot(kDefKeyNames, u"WEP key1"), -1) << "exact comparison";
}

TEST(WirelessLists, NewerAuthAndEncLists)
{
    EXPECT_EQ(Texts(FillAuthList(true, u"00111111")), "Open:0,Shared:1");
    EXPECT_EQ(Texts(FillAuthList(false, u"00111111")),
              "Open:0,Shared:1,Both:2,WPA-PSK:3,WPA2-PSK:4,WPA/WPA2:5");
    EXPECT_EQ(Texts(FillAuthList(false, u"00011001")), "Open:0,WPA-PSK:3,WPA2-PSK:4");
    const char* fallback = "Open:0,Shard:1,WPA_PSK:3,WPA2_PSK:4";
    EXPECT_EQ(Texts(FillAuthList(false, u"11000000")), fallback);
    EXPECT_EQ(Texts(FillAuthList(false, u"")), fallback);

    struct Case {
        int32_t auth;
        const char16_t* enc;
        const char* items;
    };
    const Case cases[] = {
        {0, u"11111111", "Disabled:0,WEP:1"}, {0, u"11111101", "Disabled:0"},
        {0, u"11111110", "WEP:1"},             {1, u"11111111", "WEP:1"},
        {2, u"11111101", ""},                  {3, u"11111111", "TKIP:2,AES:3,TKIP&AES:4"},
        {5, u"11101111", "TKIP:2,AES:3"},      {4, u"11110111", "TKIP:2,TKIP&AES:4"},
        {0, u"", "Disabled:0,WEP:1"}, // an unreported position is not "0"
        {0, u"1111111", "Disabled:0,WEP:1"},   {-1, u"11111111", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Texts(FillEncList(c.auth, c.enc)), c.items) << c.auth << " " << Utf8(c.enc);

    ItemList wpa = FillEncList(3, u"11111111");
    EXPECT_EQ(IndexOfData(wpa, 3), 1);
    EXPECT_EQ(IndexOfData(wpa, 1), -1);
    EXPECT_EQ(KeepOrFirstEnc(wpa, 4), 4);
    EXPECT_EQ(KeepOrFirstEnc(wpa, 1), 2);
    EXPECT_EQ(KeepOrFirstEnc({}, 1), 0);
}

TEST(WirelessLists, SelectEncDrivesTheKeyEdit)
{
    const std::u16string long70(70, u'a');
    struct Case {
        ItemList list;
        int32_t e;
        bool on;
        int32_t selected;
        bool cleared, enable, disable;
        int32_t limit;
        std::size_t keyLength;
    };
    const ItemList open = {{u"Disabled", 0}, {u"WEP", 1}};
    const ItemList wpa = {{u"TKIP", 2}, {u"AES", 3}, {u"AES", 3}};
    const Case cases[] = {
        {open, 0, true, 0, true, false, true, 0, 70},
        {open, 0, false, 0, true, false, false, 0, 70},
        {open, 1, true, 1, false, true, false, 26, 26},
        {open, 1, false, 1, false, false, false, 26, 26},
        {wpa, 3, true, 2, false, true, false, 64, 64}, // the last match stays selected
        {wpa, 9, true, 0, false, true, false, 0, 70},  // not listed: first entry, no limit
        {open, 4, true, 0, true, false, true, 0, 70},
        {{}, 1, true, -1, true, false, true, 0, 70},
    };
    for (const Case& c : cases) {
        std::u16string key = long70;
        KeyEditState st = SelectEnc(c.list, c.e, c.on, key);
        std::string what = Texts(c.list) + " e " + std::to_string(c.e) + " on " + std::to_string(c.on);
        EXPECT_EQ(st.selected, c.selected) << what;
        EXPECT_EQ(st.cleared, c.cleared) << what;
        EXPECT_EQ(st.enable, c.enable) << what;
        EXPECT_EQ(st.disable, c.disable) << what;
        EXPECT_EQ(st.limit, c.limit) << what;
        EXPECT_EQ(key.size(), c.keyLength) << what;
    }
}

TEST(WirelessLists, ModeSwitchRestoresChoicesAndSlots)
{
    WizardSettings s;
    s.AuthType = 4;
    s.EncryptionType = 3;
    int32_t otherAuth = 0, otherEnc = 0;
    SwapModeChoices(s, otherAuth, otherEnc); // to ad-hoc
    EXPECT_EQ(s.AuthType, 0);
    EXPECT_EQ(s.EncryptionType, 0);
    s.AuthType = 1; // the user picks shared WEP in ad-hoc
    s.EncryptionType = 1;
    SwapModeChoices(s, otherAuth, otherEnc); // back to infrastructure
    EXPECT_EQ(s.AuthType, 4);
    EXPECT_EQ(s.EncryptionType, 3);
    SwapModeChoices(s, otherAuth, otherEnc);
    EXPECT_EQ(s.AuthType, 1);
    EXPECT_EQ(s.EncryptionType, 1);

    EXPECT_EQ(WepSlot(s, 0), s.WEPKey1);
    EXPECT_EQ(WepSlot(s, 3), s.WEPKey4);
    EXPECT_EQ(WepSlot(s, 4), nullptr);
    EXPECT_EQ(WepSlot(s, -1), nullptr);
}

TEST(WirelessLists, WirelessOnReadings)
{
    struct Case {
        const char16_t* text;
        bool byNumber, byFirst, newer;
    };
    const Case cases[] = {
        {u"1", true, true, true},         {u"01", true, false, false}, {u" 1", true, false, false},
        {u"1x", true, true, false},       {u"0", false, false, false}, {u"", false, false, false},
        {u"Enabled", false, false, true}, {u"ENABLED", false, false, true},
        {u"enable", false, false, false}, {u"10", false, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WlanOnByNumber(c.text), c.byNumber) << Utf8(c.text);
        EXPECT_EQ(WlanOnByFirstChar(c.text), c.byFirst) << Utf8(c.text);
        EXPECT_EQ(WlanOnNewer(c.text), c.newer) << Utf8(c.text);
    }
}

TEST(WirelessChecks, Ssid)
{
    struct Case {
        const char16_t* ssid;
        bool on;
        int32_t message;
        const char16_t* after;
    };
    const Case cases[] = {
        {u"home", true, 0, u"home"},  {u"", true, 20, u""},          {u"", false, 0, u""},
        {u"Café", true, 20, u"Café"}, {u"Café", false, 0, u""},
        {u"net\u4E00", true, 20, u"net\u4E00"}, // a character no single-byte code page holds
        {u"net\u4E00", false, 0, u""},          {u"a~\u007F", true, 0, u"a~\u007F"},
    };
    for (const Case& c : cases) {
        std::u16string ssid = c.ssid;
        EXPECT_EQ(CheckSsid(ssid, c.on), c.message) << Utf8(c.ssid) << " on " << c.on;
        EXPECT_EQ(ssid, c.after) << Utf8(c.ssid) << " on " << c.on;
    }
}

TEST(WirelessChecks, OlderSettingsPageNext)
{
    WizardSettings s = With(u"0");
    WCopy(s.ESSID, u"old");
    s.EncryptionType = 1;
    WirelessEntries e{u"Réseau", u"11", u"WPA/WPA2"};
    PageCheck r = ApplyWirelessNext(e, s);
    EXPECT_TRUE(r.proceed);
    EXPECT_EQ(e.ssid, u"") << "wireless off: accented name emptied";
    EXPECT_EQ(Utf8(s.ESSID), "");
    EXPECT_EQ(s.Channel, 11);
    EXPECT_EQ(s.EncryptionType, 4);

    s = With(u"1");
    s.EncryptionType = 1;
    e = {u"Réseau", u"6", u"None"};
    r = ApplyWirelessNext(e, s);
    EXPECT_FALSE(r.proceed);
    EXPECT_EQ(r.message, 20);
    EXPECT_EQ(s.Channel, 0) << "nothing stored after the refused step";

    e = {u"lab", u"6", u"Bogus"};
    EXPECT_TRUE(ApplyWirelessNext(e, s).proceed);
    EXPECT_EQ(s.EncryptionType, 1) << "an unknown security text leaves the type";
    e = {u"lab", u"6", u""};
    ApplyWirelessNext(e, s);
    EXPECT_EQ(s.EncryptionType, 5);
}

TEST(WirelessChecks, WepKeyPageNext)
{
    const std::u16string hex64(64, u'a');
    struct Case {
        const char16_t* enable;
        int32_t enc;
        const char16_t* len;
        const char16_t* fmt;
        const char16_t* def;
        const char16_t* key; // typed into the default key's edit, or PKEY for type 4
        bool proceed;
        int32_t message, focus;
    };
    const Case cases[] = {
        {u"1", 1, u"64bits", u"ASCII", u"WEP Key2", u"abcde", true, 0, 0},
        {u"1", 1, u"64bits", u"ASCII", u"WEP Key2", u"abcd", false, 21, 1116},
        {u"1", 1, u"128bits", u"ASCII", u"WEP Key1", u"abcdefghijklm", true, 0, 0},
        {u"1", 1, u"128bits", u"ASCII", u"WEP Key1", u"abcde", false, 21, 1115},
        {u"1", 1, u"64bits", u"HEX", u"WEP Key4", u"0123456789", true, 0, 0},
        {u"1", 1, u"64bits", u"HEX", u"WEP Key4", u"012345678g", false, 31, 1118},
        {u"1", 1, u"128bits", u"HEX", u"WEP Key3", u"0123456789abcdefABCDEF0123", true, 0, 0},
        {u"1", 1, u"128bits", u"HEX", u"WEP Key3", u"0123456789", false, 31, 1117},
        {u"1", 1, u"256bits", u"ASCII", u"WEP Key1", u"abcde", false, 0, 0}, // silently stays
        {u"1", 1, u"64bits", u"ASCII", u"", u"abcde", false, 2006, 0},
        {u"0", 1, u"64bits", u"ASCII", u"WEP Key1", u"x", true, 0, 0},
        {u"1", 4, u"", u"", u"", u"12345678", true, 0, 0},
        {u"1", 4, u"", u"", u"", u"1234567", false, 33, 1119},
        {u"1", 4, u"", u"", u"", hex64.c_str(), true, 0, 0},
        {u"1", 0, u"", u"", u"", u"", true, 0, 0},
        // Characters a camera cannot store, refused before any length rule;
        // one a camera can store (Latin-1) is a character like any other.
        {u"1", 1, u"64bits", u"ASCII", u"WEP Key3", u"ab\u20acde", false, 3001, 1117},
        {u"1", 1, u"64bits", u"ASCII", u"WEP Key1", u"\u00e4bcde", true, 0, 0},
        {u"1", 4, u"", u"", u"", u"pass\u0436word", false, 3001, 1119},
        {u"1", 4, u"", u"", u"", u"p\u00e4ssw\u00f6rd", true, 0, 0},
        {u"0", 4, u"", u"", u"", u"pass\u0436word", true, 0, 0},
    };
    for (const Case& c : cases) {
        WizardSettings s = With(c.enable);
        s.EncryptionType = c.enc;
        s.KeyLength = s.KeyFormat = s.DefaultKeyIndex = 9;
        WirelessKeyEntries e{c.len, c.fmt, c.def, {u"k1", u"k2", u"k3", u"k4"}, u"old"};
        int32_t slot = FindSlot(kDefKeyNames, c.def);
        if (c.enc == 4)
            e.passKey = c.key;
        else if (slot >= 0 && slot < 4)
            e.keys[slot] = c.key;
        PageCheck r = ApplyWirelessKeyNext(e, s);
        std::string what = Utf8(c.len) + " " + Utf8(c.fmt) + " " + Utf8(c.key);
        EXPECT_EQ(r.proceed, c.proceed) << what;
        EXPECT_EQ(r.message, c.message) << what;
        EXPECT_EQ(r.focusId, c.focus) << what;
        bool stored = c.proceed && c.enable[0] == u'1';
        if (stored && c.enc == 1) {
            EXPECT_EQ(s.DefaultKeyIndex, slot) << what;
            EXPECT_EQ(s.KeyLength, FindSlot(kKeyLenNames, c.len)) << what;
            EXPECT_EQ(s.KeyFormat, FindSlot(kKeyFormatNames, c.fmt)) << what;
            EXPECT_EQ(Utf8(WepSlot(s, slot)), Utf8(c.key)) << what;
        } else if (stored && c.enc == 4) {
            EXPECT_EQ(Utf8(s.PassKey), Utf8(FitPassKey(c.key))) << what;
        } else {
            EXPECT_EQ(s.KeyLength, 9) << what;
            EXPECT_EQ(Utf8(s.WEPKey1), "") << what;
            EXPECT_EQ(Utf8(s.PassKey), "") << what;
        }
    }
    // 64 characters with one "g", and 65 characters.
    WizardSettings s = With(u"1");
    s.EncryptionType = 4;
    WirelessKeyEntries e{};
    e.passKey = hex64;
    e.passKey[10] = u'g';
    EXPECT_EQ(ApplyWirelessKeyNext(e, s).message, 30);
    e.passKey = hex64 + u"a";
    EXPECT_EQ(ApplyWirelessKeyNext(e, s).message, 33);

    // Every WEP key is stored and sent, so one that is not the default is
    // checked too.
    WizardSettings wep = With(u"1");
    wep.EncryptionType = 1;
    WirelessKeyEntries keys{u"64bits", u"ASCII", u"WEP Key1", {u"abcde", u"k2", u"k\u65e5", u"k4"}, u""};
    const PageCheck r = ApplyWirelessKeyNext(keys, wep);
    EXPECT_FALSE(r.proceed);
    EXPECT_EQ(r.message, 3001);
    EXPECT_EQ(r.focusId, 1117);
    EXPECT_EQ(Utf8(wep.WEPKey1), "");
}

TEST(WirelessChecks, NewerPageNext)
{
    const std::u16string hex64(64, u'F');
    std::u16string hex64g = hex64;
    hex64g[63] = u'g';
    struct Case {
        const char16_t* enable;
        int32_t enc;
        int32_t defIndex;
        std::u16string key;
        bool proceed;
        int32_t message;
        int32_t keyLength, keyFormat; // 9 = untouched
        std::string slotAfter;       // the WEP slot of defIndex, or PassKey for WPA
    };
    const Case cases[] = {
        {u"1", 1, 2, u"abcdefghijklm", true, 0, 1, 0, "abcdefghijklm"},
        {u"Enabled", 1, 0, u"abcde", true, 0, 0, 0, "abcde"},
        {u"1", 1, 3, u"0123456789", true, 0, 0, 1, "0123456789"},
        {u"1", 1, 1, u"0123456789abcdef0123456789", true, 0, 1, 1, "0123456789abcdef0123456789"},
        {u"1", 1, 1, u"012345678z", false, 31, 9, 9, "old"},
        {u"1", 1, 1, u"abcdef", false, 32, 9, 9, "old"},
        {u"0", 1, 1, u"012345678z", true, 0, 9, 9, ""},
        {u"0", 1, 1, u"abcdef", true, 0, 9, 9, ""},
        {u"1", 1, 7, u"abcde", true, 0, 0, 0, "old"}, // no slot for that index: nothing copied
        {u"1", 2, 0, hex64, true, 0, 9, 9, Utf8(FitPassKey(hex64))},
        {u"1", 3, 0, hex64g, false, 30, 9, 9, "old"},
        {u"1", 4, 0, u"short", false, 33, 9, 9, "old"},
        {u"0", 4, 0, u"short", true, 0, 9, 9, ""},
        {u"1", 4, 0, u"a pass phrase", true, 0, 9, 9, "a pass phrase"},
        {u"1", 0, 0, u"ignored", true, 0, 9, 9, "old"},
        {u"1", 1, 0, u"ab\u20acde", false, 3001, 9, 9, "old"},
        {u"0", 1, 0, u"ab\u20acde", true, 0, 9, 9, ""},
        {u"1", 1, 0, u"\u00e4bcde", true, 0, 0, 0, "\xc3\xa4" "bcde"},
        {u"1", 3, 0, u"pass\U0001F600word", false, 3001, 9, 9, "old"},
        {u"0", 3, 0, u"pass\U0001F600word", true, 0, 9, 9, ""},
        {u"1", 0, 0, u"\u20ac ignored", true, 0, 9, 9, "old"},
    };
    for (const Case& c : cases) {
        WizardSettings s = With(c.enable);
        WCopy(s.ESSID, u"");
        s.EncryptionType = c.enc;
        s.DefaultKeyIndex = c.defIndex;
        s.KeyLength = s.KeyFormat = 9;
        for (int k = 0; k < 4; ++k)
            WCopy(WepSlot(s, k), 64, u"old");
        WCopy(s.PassKey, u"old");
        WirelessNewEntries e{u"lab", 6, c.key};
        PageCheck r = ApplyWirelessNewNext(e, s);
        std::string what = Utf8(c.enable) + " enc " + std::to_string(c.enc) + " " + Utf8(c.key);
        EXPECT_EQ(r.proceed, c.proceed) << what;
        EXPECT_EQ(r.message, c.message) << what;
        EXPECT_EQ(r.focusId, c.message == 3001 ? 1115 : 0) << what;
        EXPECT_EQ(s.KeyLength, c.keyLength) << what;
        EXPECT_EQ(s.KeyFormat, c.keyFormat) << what;
        const wchar* after = c.enc >= 2 ? s.PassKey : WepSlot(s, c.defIndex);
        if (after) {
            EXPECT_EQ(Utf8(after), c.slotAfter) << what;
        }
        EXPECT_EQ(Utf8(s.ESSID), "lab") << what;
        EXPECT_EQ(s.Channel, 0) << "infrastructure keeps the channel";
    }
    WizardSettings adhoc = With(u"1");
    adhoc.WirelessMode = 1;
    WirelessNewEntries e{u"", 11, u""};
    PageCheck r = ApplyWirelessNewNext(e, adhoc);
    EXPECT_EQ(adhoc.Channel, 11) << "ad-hoc takes the channel before the name check";
    EXPECT_EQ(r.message, 20);
}

TEST(WirelessChecks, PassKeyHolds64Characters)
{
    // A WPA pass phrase may be 64 hexadecimal digits; the settings block must
    // keep all of them or the camera gets a different key.
    if (std::size(WizardSettings{}.PassKey) < 65)
        GTEST_SKIP() << "WizardSettings::PassKey holds 63 characters: a 64-digit phrase is cut";
    WizardSettings s = With(u"1");
    s.EncryptionType = 4;
    WirelessNewEntries e{u"lab", 0, std::u16string(64, u'a')};
    ASSERT_TRUE(ApplyWirelessNewNext(e, s).proceed);
    EXPECT_EQ(WLen(s.PassKey, std::size(s.PassKey)), 64u);
}
