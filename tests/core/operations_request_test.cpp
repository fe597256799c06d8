// The request each operation sends: header, credential slots, payload area.
#include <gtest/gtest.h>

#include "operations_fixture.h"
#include "template/Base64.h"
#include "template/Operations.h"
#include "template/Scramblers.h"

using namespace orv;
using opstest::FakeCamera;
using opstest::ReplyTo;

namespace {

struct Request : ::testing::Test {
    CCamEngine engine;
    FakeCamera cam{[](const std::vector<uint8_t>& req, int) {
        return std::vector<std::vector<uint8_t>>{ReplyTo(req, 0)};
    }};
    std::vector<uint8_t> Send(uint16_t opcode, const char16_t* id = u"admin", const char16_t* pwd = u"secret",
        const char16_t* mac = u"00:1A:2b:3c:4d:5e", const char16_t* ip = u"192.168.0.20")
    {
        opstest::AimAtLoopback(engine, cam.Port, 1);
        engine.RunTemplateOperation(opcode, mac, id, ip, pwd);
        const auto reqs = cam.Requests();
        return reqs.empty() ? std::vector<uint8_t>{} : reqs.back();
    }
};

std::string Slot(const std::vector<uint8_t>& req, int offset)
{
    return std::string(req.begin() + offset, req.begin() + offset + 64);
}

TEST_F(Request, EveryOperationHasItsSizeAndHeader)
{
    for (const TemplateOperation& op : kTemplateOperations) {
        SCOPED_TRACE(op.Name);
        const auto req = Send(op.Opcode);
        ASSERT_EQ(static_cast<int>(req.size()), op.RequestSize);
        EXPECT_EQ(req[0], 0xFD);
        EXPECT_EQ(req[1], 0xFD);
        EXPECT_EQ(req[4] | (req[5] << 8), op.Opcode);
        EXPECT_EQ(std::vector<uint8_t>(req.begin() + 6, req.begin() + 12),
            (std::vector<uint8_t>{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
        EXPECT_EQ(std::vector<uint8_t>(req.begin() + 12, req.begin() + 16), (std::vector<uint8_t>{192, 168, 0, 20}));
        EXPECT_EQ(req[16] | (req[17] << 8), 0x7777);
        EXPECT_EQ(req[18] | (req[19] << 8), 1);
    }
}

TEST_F(Request, MacSeparatorsOfAnyKindAndEmptyIp)
{
    for (const char16_t* mac : {u"00-1a-2b-3c-4d-5e", u"00.1a.2b.3c.4d.5e", u"00 1a 2b 3c 4d 5e"}) {
        const auto req = Send(kOpReset, u"a", u"b", mac, u"");
        EXPECT_EQ(std::vector<uint8_t>(req.begin() + 6, req.begin() + 16),
            (std::vector<uint8_t>{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0, 0, 0, 0}));
    }
    uint8_t mac[6];
    ParseMacText(u"0", mac); // short text reads no further than its end
    EXPECT_EQ(mac[0], 0);
    EXPECT_EQ(mac[5], 0);
}

TEST_F(Request, OptionFlagClearsTheMarker)
{
    engine.m_nRequestOption = 1;
    const auto req = Send(kOpReset);
    EXPECT_EQ(req[16], 0);
    EXPECT_EQ(req[17], 0);
}

TEST_F(Request, CredentialSlots)
{
    const std::u16string id48(48, u'i'), id49(49, u'i');
    auto req = Send(kOpVerification, id48.c_str(), u"");
    const std::string full = Utf8(Base64EncodeText(id48));
    ASSERT_EQ(full.size(), 64u);
    EXPECT_EQ(Slot(req, 22), full); // fills the slot exactly
    EXPECT_EQ(Slot(req, 86), std::string(64, '\0'));

    req = Send(kOpVerification, id49.c_str(), u"secret");
    EXPECT_EQ(Slot(req, 22), Utf8(Base64EncodeText(id49)).substr(0, 64));
    EXPECT_EQ(Slot(req, 86).substr(0, 8), "c2VjcmV0");
    EXPECT_EQ(Slot(req, 86).substr(8), std::string(56, '\0'));

    req = Send(kOpVerification, u"", u"");
    EXPECT_EQ(Slot(req, 22), std::string(64, '\0'));
}

TEST_F(Request, PayloadAreaAndBodyLength)
{
    for (int i = 0; i < 6 + 300; ++i)
        engine.m_WireBytes[i] = static_cast<uint8_t>(i);
    engine.m_nPayloadLength = 300; // longer than SetBasic's 89-byte area
    auto req = Send(kOpSetBasic);
    ASSERT_EQ(req.size(), 239u);
    EXPECT_EQ(req[20] | (req[21] << 8), 128 + 89);
    EXPECT_EQ(req[150], 6);
    EXPECT_EQ(req[238], static_cast<uint8_t>(6 + 88));

    engine.m_nPayloadLength = 10;
    for (int i = 0; i < 16; ++i)
        engine.m_WireBytes[i] = 0xAB;
    req = Send(kOpPollWPSStatus); // never carries a payload
    EXPECT_EQ(req[20] | (req[21] << 8), 128);
    EXPECT_EQ(req.size(), 150u);
    // The reply just replaced the buffer with its status block: encode again.
    for (int i = 0; i < 16; ++i)
        engine.m_WireBytes[i] = 0xAB;
    req = Send(kOpChangeIDPWD);
    EXPECT_EQ(req[20] | (req[21] << 8), 138);
    EXPECT_EQ(req[159], 0xAB);
    EXPECT_EQ(req[160], 0);
}

TEST_F(Request, InitWpsScramblesTwoHundredBytesAfterTheFirstFour)
{
    for (int i = 0; i < 10; ++i)
        engine.m_WireBytes[i] = 0;
    engine.m_WireBytes[6] = 2; // a 4-byte payload: Mode 2
    engine.m_nPayloadLength = 4;
    const auto req = Send(kOpInitWPS);
    ASSERT_EQ(req.size(), 354u);
    EXPECT_EQ(req[150], 2);
    uint8_t zeros[200] = {};
    ScrambleKey(zeros, 200);
    EXPECT_EQ(std::vector<uint8_t>(req.begin() + 154, req.end()), std::vector<uint8_t>(zeros, zeros + 200));
}

TEST_F(Request, QueryWpsStartsANewKeyAgreement)
{
    std::memset(engine.m_DhSecret, 0x77, sizeof engine.m_DhSecret);
    Send(kOpQueryWPS);
    for (uint8_t b : engine.m_DhSecret)
        ASSERT_EQ(b, 0);
}

} // namespace
