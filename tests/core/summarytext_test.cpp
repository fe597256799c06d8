#include <gtest/gtest.h>

#include "pages/SummaryText.h"

using namespace orv;

namespace {

WizardSettings Filled()
{
    WizardSettings s;
    WCopy(s.CameraIP, u"192.168.1.10");
    WCopy(s.SubnetMask, u"255.255.255.0");
    WCopy(s.Gateway, u"192.168.1.1");
    WCopy(s.PrimaryDNS, u"8.8.8.8");
    WCopy(s.SecondaryDNS, u"");
    WCopy(s.AdminPwd, u"old");
    WCopy(s.ConfirmPwd, u"new");
    WCopy(s.WEPKey1, u"key-1");
    WCopy(s.WEPKey2, u"key-2");
    WCopy(s.WEPKey3, u"key-3");
    WCopy(s.WEPKey4, u"key-4");
    WCopy(s.PassKey, u"phrase");
    return s;
}

} // namespace

TEST(SummaryText, AddressesPerPage)
{
    WizardSettings s = Filled();
    using A = std::array<std::u16string, 5>;
    const A fixed{u"192.168.1.10", u"255.255.255.0", u"192.168.1.1", u"8.8.8.8", u""};
    for (SummaryPage p : {SummaryPage::NetWork, SummaryPage::Wireless, SummaryPage::WirelessNew})
        EXPECT_EQ(SummaryAddressTexts(s, p), fixed);
    s.DhcpEnabled = 1;
    const A autoAll{u"Auto", u"Auto", u"Auto", u"Auto", u"Auto"};
    EXPECT_EQ(SummaryAddressTexts(s, SummaryPage::NetWork), autoAll);
    EXPECT_EQ(SummaryAddressTexts(s, SummaryPage::WirelessNew), autoAll);
    EXPECT_EQ(SummaryAddressTexts(s, SummaryPage::Wireless), A{});
}

TEST(SummaryText, PasswordWirelessAndChannel)
{
    WizardSettings s = Filled();
    EXPECT_EQ(SummaryPasswordText(s), u"old");
    s.ChangePwd = 1;
    EXPECT_EQ(SummaryPasswordText(s), u"new");

    struct Case {
        const char16_t* enable;
        const char16_t* shown;
    };
    for (Case c : {Case{u"1", u"Enable"}, Case{u"01", u"Enable"}, Case{u"0", u"Disable"},
                   Case{u"", u"Disable"}, Case{u"Enabled", u"Disable"}}) {
        WCopy(s.WirelessEnableText, c.enable);
        EXPECT_EQ(SummaryWirelessText(s), c.shown) << Utf8(c.enable);
    }

    s.Channel = 11;
    s.WirelessMode = 0;
    EXPECT_EQ(SummaryChannelText(s, SummaryPage::Wireless), u"11");
    EXPECT_EQ(SummaryChannelText(s, SummaryPage::WirelessNew), u"Auto");
    s.WirelessMode = 1;
    EXPECT_EQ(SummaryChannelText(s, SummaryPage::WirelessNew), u"11");
}

TEST(SummaryText, AuthEncryptAndKeyTables)
{
    const char16_t* auth[] = {u"Open", u"Shared", u"Open & Shared", u"WPA-PSK", u"WPA2", u"WPA/WPA2"};
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(SummaryAuthText(i), auth[i]);
    EXPECT_EQ(SummaryAuthText(6), u"");
    EXPECT_EQ(SummaryAuthText(-1), u"");
    const char16_t* enc[] = {u"Disable", u"WEP", u"TKIP", u"AES", u"TKIP&AES"};
    for (int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(SummaryEncryptText(i), enc[i]);
    EXPECT_EQ(SummaryEncryptText(5), u"");

    struct Case {
        int32_t enc, defIndex;
        const char16_t* key;
    };
    const Case cases[] = {
        {0, 1, u""},       {1, 0, u"key-1"},  {1, 1, u"key-2"},  {1, 2, u"key-3"},
        {1, 3, u"key-4"},  {1, 4, u"key-1"},  {1, -1, u"key-1"}, {2, 1, u"phrase"},
        {4, 0, u"phrase"}, {5, 0, u""},       {-1, 0, u""},
    };
    WizardSettings s = Filled();
    for (const Case& c : cases) {
        s.EncryptionType = c.enc;
        s.DefaultKeyIndex = c.defIndex;
        EXPECT_EQ(SummaryKeyText(s), c.key) << c.enc << "/" << c.defIndex;
    }
}

TEST(SummaryText, ResultMessages)
{
    struct Case {
        int32_t result, msgCode;
        int32_t network, wireless;
    };
    const Case cases[] = {
        {1, 0, 62, 62},    {18, 0, 4, 4},        {29, 0, 22, 22},   {30, 7, 507, 507},
        {30, 1500, 2000, 2000}, {11, 0, 0, 2007}, {14, 0, 0, 2007}, {15, 0, 0, 2007},
        {12, 0, 0, 2008},  {13, 0, 0, 2008},     {3, 0, 0, 0},      {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SummaryResultMessage(SummaryPage::NetWork, c.result, c.msgCode), c.network) << c.result;
        EXPECT_EQ(SummaryResultMessage(SummaryPage::Wireless, c.result, c.msgCode), c.wireless) << c.result;
        EXPECT_EQ(SummaryResultMessage(SummaryPage::WirelessNew, c.result, c.msgCode), c.wireless) << c.result;
    }
    EXPECT_EQ(Utf8(SummaryGenericText(3)),
              "Some error occured, error number is 3\r\nPlease try it again or contact your vendor.");
}
