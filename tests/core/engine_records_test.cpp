#include <gtest/gtest.h>

#include <cstring>

#include "engine/CamEngine.h"
#include "engine/WizardSettings.h"

using namespace orv;

TEST(EngineRecords, FreshEngineDefaults)
{
    CCamEngine e;
    EXPECT_EQ(e.CountRecords(), 0);
    EXPECT_EQ(e.m_nSelIndex, -1);
    EXPECT_EQ(Utf8(e.m_szCameraIP), "192.168.0.20");
    EXPECT_EQ(e.m_wProtoVersion, 1);
    EXPECT_EQ(e.m_nAdapterChoice, -1);
}

namespace {

// A record as a camera's reply makes it.
CamRecord MakeRecord(const uint8_t (&mac)[6], const uint8_t (&ip)[4], uint16_t webPort, int32_t addrIndex)
{
    CamRecord r{};
    std::memcpy(r.Mac, mac, 6);
    std::memcpy(r.Bytes() + CamRecord::kIpOffset, ip, 4);
    r.Bytes()[CamRecord::kWebPortOffset] = static_cast<uint8_t>(webPort);
    r.Bytes()[CamRecord::kWebPortOffset + 1] = static_cast<uint8_t>(webPort >> 8);
    for (int b = 0; b < 4; ++b)
        r.AddrIndex[b] = static_cast<uint8_t>(static_cast<uint32_t>(addrIndex) >> (8 * b));
    return r;
}

} // namespace

TEST(EngineRecords, AccessorsFormatTheSelectedRecord)
{
    CCamEngine e;
    e.m_Found.push_back(MakeRecord({0, 0, 0, 0, 0, 1}, {10, 0, 0, 1}, 80, 0));
    e.m_Found.push_back(MakeRecord({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {0xC0, 0xA8, 0x01, 0x14}, 8080, 5));
    std::strcpy(reinterpret_cast<char*>(e.m_Found[1].Bytes() + CamRecord::kModelOffset), "SIM-9");
    std::strcpy(reinterpret_cast<char*>(e.m_Found[1].Bytes() + CamRecord::kNameOffset), "Porch");
    ASSERT_EQ(e.CountRecords(), 2);
    e.m_nKind = 0;
    e.SelectRecord(1);
    EXPECT_EQ(e.m_nKind, 2);
    EXPECT_EQ(e.m_nSelIndex, 1);
    EXPECT_EQ(Utf8(e.GetSelMacText()), "00.1a.2b.3c.4d.5e");
    EXPECT_EQ(Utf8(e.GetSelIpText()), "192.168.1.20");
    EXPECT_EQ(Utf8(e.GetSelModel()), "SIM-9");
    EXPECT_EQ(Utf8(e.GetSelName()), "Porch");
    EXPECT_EQ(e.GetSelWebPort(), 8080);
    EXPECT_EQ(e.GetSelAdapterIndex(), 5);
}

TEST(EngineRecords, FullWidthTextsStopAtTheirFieldEnd)
{
    CCamEngine e;
    CamRecord r = MakeRecord({2, 0, 0, 0, 0, 2}, {1, 2, 3, 4}, 1, 0);
    // Model runs straight into Name, Name into the address bytes.
    std::memset(r.Bytes() + CamRecord::kModelOffset, 'M', CamRecord::kModelSize);
    std::memset(r.Bytes() + CamRecord::kNameOffset, 'N', CamRecord::kNameSize);
    e.m_Found.push_back(r);
    e.SelectRecord(0);
    EXPECT_EQ(Utf8(e.GetSelModel()), std::string(CamRecord::kModelSize, 'M'));
    EXPECT_EQ(Utf8(e.GetSelName()), std::string(CamRecord::kNameSize, 'N'));
}

TEST(EngineRecords, SelectionOutsideTheListGivesEmptyValues)
{
    CCamEngine e;
    for (int32_t index : {-1, 0, 7}) {
        e.SelectRecord(index);
        EXPECT_EQ(e.GetSelMacText(), u"");
        EXPECT_EQ(e.GetSelModel(), u"");
        EXPECT_EQ(e.GetSelAdapterIndex(), -1);
        EXPECT_EQ(e.GetSelWebPort(), 0);
    }
}

TEST(EngineRecords, CameraAddressIsCutToItsBuffer)
{
    CCamEngine e;
    e.SetCameraAddress(u"10.1.2.3");
    EXPECT_EQ(Utf8(e.m_szCameraIP), "10.1.2.3");
    const std::u16string longText(400, u'9');
    e.SetCameraAddress(longText.c_str());
    EXPECT_EQ(WLen(e.m_szCameraIP, 260), 259u);
}

TEST(Capabilities, AnyOfTheSixtyFourEntriesMatches)
{
    WizardSettings s;
    EXPECT_FALSE(HasCapability(s, kCapWps));
    for (int slot : {0, 31, 63}) {
        WizardSettings t;
        t.Capabilities[slot] = kCapWps;
        EXPECT_TRUE(HasCapability(t, kCapWps)) << slot;
        EXPECT_FALSE(HasCapability(t, kCapWireless)) << slot;
    }
}
