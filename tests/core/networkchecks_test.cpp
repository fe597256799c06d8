#include <gtest/gtest.h>

#include "pages/NetworkChecks.h"

using namespace orv;

TEST(NetworkChecks, ValidateIPv4Table)
{
    struct Case {
        const char16_t* typed;
        bool strict;
        bool valid;
        const char16_t* normalised; // when valid
    };
    const Case cases[] = {
        {u"192.168.001.010", true, true, u"192.168.1.10"},
        {u" 192 . 168 . 1 . 10 ", true, true, u"192.168.1.10"},
        {u"1..2.3.4", true, true, u"1.2.3.4"},
        {u".1.2.3.4.", true, true, u"1.2.3.4"},
        {u"255.255.255.0", true, true, u"255.255.255.0"},
        {u"0000000000000001.2.3.4", true, true, u"1.2.3.4"},
        {u"1.2.3", true, false, nullptr},
        {u"1.2.3.4.5", true, false, nullptr},
        {u"1.2.3.256", true, false, nullptr},
        {u"1.2.3.4294967297", true, false, nullptr}, // would wrap to 1 in 32 bits
        {u"1.2.3.a", true, false, nullptr},
        {u"1,2.3.4", true, false, nullptr},
        {u"-1.2.3.4", true, false, nullptr},
        {u"1.2.3.4\t", true, false, nullptr},
        {u"\uFF11.2.3.4", true, false, nullptr}, // full-width digit
        {u"", true, false, nullptr},
        {u"   ", true, false, nullptr},
        {u"", false, true, u""},
        {u"  ", false, true, u""},
        {u"0.0.0.0", true, false, nullptr},
        {u"000.0.00.0", true, false, nullptr},
        {u"255.255.255.255", true, false, nullptr},
        {u"0.0.0.0", false, true, u"0.0.0.0"},
        {u"255.255.255.255", false, true, u"255.255.255.255"},
        {u"....", false, false, nullptr},
    };
    for (const Case& c : cases) {
        std::u16string text = c.typed;
        EXPECT_EQ(ValidateIPv4(text, c.strict), c.valid) << Utf8(c.typed) << " strict " << c.strict;
        if (c.valid)
            EXPECT_EQ(Utf8(text), Utf8(c.normalised)) << Utf8(c.typed);
        else
            EXPECT_EQ(text, c.typed) << "a refused text is left as typed";
    }
}

TEST(NetworkChecks, MaskTable)
{
    struct Case {
        const char16_t* mask;
        bool valid;
    };
    const Case cases[] = {
        {u"255.255.255.0", true},   {u"255.255.255.252", true}, {u"128.0.0.0", true},
        {u"255.255.255.254", false}, {u"255.0.255.0", false},   {u"0.255.255.0", false},
        {u"255.255.254.128", false}, {u"255.255.255.255", true}, // strict validation refuses it first
        {u"0.0.0.0", true},          {u"junk", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidMask(c.mask), c.valid) << Utf8(c.mask);
}

TEST(NetworkChecks, GatewayTable)
{
    struct Case {
        const char16_t* address;
        const char16_t* mask;
        const char16_t* gateway;
        bool inside;
    };
    const Case cases[] = {
        {u"192.168.1.10", u"255.255.255.0", u"192.168.1.1", true},
        {u"192.168.1.10", u"255.255.255.0", u"192.168.1.254", true},
        {u"192.168.1.10", u"255.255.255.0", u"192.168.1.0", false},
        {u"192.168.1.10", u"255.255.255.0", u"192.168.1.255", false},
        {u"192.168.1.10", u"255.255.255.0", u"192.168.2.1", false},
        {u"192.168.1.10", u"255.255.255.0", u"0.0.0.0", true},
        {u"10.0.0.5", u"255.0.0.0", u"10.255.255.254", true},
        {u"200.1.1.1", u"255.255.255.252", u"200.1.1.2", true}, // high addresses compare unsigned
        {u"200.1.1.1", u"255.255.255.252", u"200.1.1.3", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsGatewayInSubnet(c.address, c.mask, c.gateway), c.inside) << Utf8(c.gateway);
}

TEST(NetworkChecks, NextChecksInOrderAndStoresAcceptedFields)
{
    const NetworkEntries good{u"192.168.001.010", u"255.255.255.0", u"192.168.1.1", u"8.8.8.8",
                              u""};
    struct Case {
        NetworkEntries typed;
        int32_t message;
        const char* storedIp;      // what the settings hold afterwards
        const char* storedMask;
        const char* storedGateway;
    };
    auto with = [&](auto member, const char16_t* value) {
        NetworkEntries e = good;
        e.*member = value;
        return e;
    };
    const Case cases[] = {
        {good, 0, "192.168.1.10", "255.255.255.0", "192.168.1.1"},
        {with(&NetworkEntries::gateway, u""), 0, "192.168.1.10", "255.255.255.0", ""},
        {with(&NetworkEntries::gateway, u"0.0.0.0"), 0, "192.168.1.10", "255.255.255.0", "0.0.0.0"},
        {with(&NetworkEntries::address, u"0.0.0.0"), 54, "old", "old", "old"},
        {with(&NetworkEntries::address, u"1.2.3"), 54, "old", "old", "old"},
        {with(&NetworkEntries::mask, u"255.255.255.254"), 55, "192.168.1.10", "old", "old"},
        {with(&NetworkEntries::mask, u""), 55, "192.168.1.10", "old", "old"},
        {with(&NetworkEntries::gateway, u"192.168.1.255"), 56, "192.168.1.10", "255.255.255.0", "old"},
        {with(&NetworkEntries::gateway, u"1.2.x.4"), 56, "192.168.1.10", "255.255.255.0", "old"},
        {with(&NetworkEntries::primaryDns, u"8.8.8"), 57, "192.168.1.10", "255.255.255.0", "192.168.1.1"},
        {with(&NetworkEntries::secondaryDns, u"1.1.1.1.1"), 58, "192.168.1.10", "255.255.255.0", "192.168.1.1"},
    };
    for (const Case& c : cases) {
        WizardSettings s;
        for (auto* f : {&s.CameraIP, &s.SubnetMask, &s.Gateway, &s.PrimaryDNS, &s.SecondaryDNS})
            WCopy(*f, u"old");
        s.DhcpEnabled = 1;
        EXPECT_EQ(ApplyNetworkEntries(false, c.typed, s), c.message) << c.message;
        EXPECT_EQ(s.DhcpEnabled, 0);
        EXPECT_EQ(Utf8(s.CameraIP), c.storedIp) << c.message;
        EXPECT_EQ(Utf8(s.SubnetMask), c.storedMask) << c.message;
        EXPECT_EQ(Utf8(s.Gateway), c.storedGateway) << c.message;
        if (c.message == 0) {
            EXPECT_EQ(Utf8(s.PrimaryDNS), "8.8.8.8");
            EXPECT_EQ(Utf8(s.SecondaryDNS), "") << "an empty DNS is stored empty";
        }
    }
}

TEST(NetworkChecks, DhcpStoresOnlyTheChoice)
{
    WizardSettings s;
    WCopy(s.CameraIP, u"10.1.1.1");
    NetworkEntries junk{u"x", u"y", u"z", u"w", u"v"};
    EXPECT_EQ(ApplyNetworkEntries(true, junk, s), 0);
    EXPECT_EQ(s.DhcpEnabled, 1);
    EXPECT_EQ(Utf8(s.CameraIP), "10.1.1.1");
    EXPECT_EQ(Utf8(s.SubnetMask), "");
}
