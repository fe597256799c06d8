// Encoder and decoder: every conversion byte for byte, the capability list,
// and the buffer limits a template or a reply must never get past.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/CamEngine.h"
#include "template/Conversions.h"
#include "template/KeyAgreement.h"
#include "template/Scramblers.h"

using namespace orv;
using Bytes = std::vector<uint8_t>;

namespace {

std::unique_ptr<CCamEngine> Parsed(const std::string& text)
{
    auto e = std::make_unique<CCamEngine>();
    e->ResetFieldTable();
    WCopy(e->m_WorkText, U16(text));
    e->ClearFields();
    e->ParseTemplate(u"\r\n");
    return e;
}

Bytes Payload(const CCamEngine& e)
{
    return Bytes(e.m_WireBytes + 6, e.m_WireBytes + 6 + e.m_nPayloadLength);
}

Bytes Encode(const std::string& line, const char* value = nullptr)
{
    auto e = Parsed(line);
    if (value)
        e->SetVar(e->m_Fields[0].Name, U16(value).c_str());
    e->EncodeRequest();
    return Payload(*e);
}

// Places `payload` as a reply's status block (payload from unit 6, with its
// PayloadLength), or from unit `at`.
void PlaceReply(CCamEngine& e, const Bytes& payload, int at = 6)
{
    for (int k = 0; k < 10000; ++k)
        e.m_WorkText[k] = 0;
    for (std::size_t k = 0; k < payload.size(); ++k)
        e.m_WorkText[at + k] = payload[k];
    if (at != 6)
        return; // a discovery payload has no status block
    e.m_WorkText[4] = static_cast<wchar>(payload.size() & 0xFF);
    e.m_WorkText[5] = static_cast<wchar>(payload.size() >> 8);
}

std::string Var(const CCamEngine& e, const char* name)
{
    wchar out[300];
    e.GetVar(U16(name).c_str(), out);
    return Utf8(out);
}

std::string Decode(const std::string& line, const Bytes& payload, const char* before = nullptr)
{
    auto e = Parsed(line);
    if (before)
        e->SetVar(e->m_Fields[0].Name, U16(before).c_str());
    PlaceReply(*e, payload);
    EXPECT_EQ(e->DecodeReply(168), 0);
    return Utf8(e->m_Fields[0].Value);
}

} // namespace

TEST(Codec, KnownAnswers)
{
    struct Case {
        const char* line;
        const char* value;
        Bytes wire;
        const char* decoded; // Value after decoding `wire`
    } cases[] = {
        {"v;2;a;b=c;0;0;TW2S", "258", {0x02, 0x01}, "258"},
        {"v;2;a;b=c;0;0;TB2S", "258", {0x02, 0x01}, "258"},
        {"v;4;a;b=c;0;0;TW2S", "-1", {0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
        {"v;2;a;b=c;0;0;TW2S", "65535", {0xFF, 0xFF}, "65535"},
        {"v;6;a;b=c;0;0;TW2S", "x7", {0, 0, 0, 0, 0, 0}, "0"},
        {"v;4;a;b=c;0;0;TIP2S", "192.168.0.20", {0xC0, 0xA8, 0x00, 0x14}, "192.168.0.20"},
        {"v;4;a;b=c;0;0;TIP2S", "10.1", {0x0A, 0x01, 0x00, 0x00}, "10.1.0.0"},
        {"v;2;a;b=c;0;0;TIP2S", "1.258.3", {0x01, 0x02}, "1.2"},
        {"v;2;a;b=c;0;0;Tb2S0", "0000000100000011", {0x03, 0x01}, "0000000100000011"},
        {"v;2;a;b=c;0;0;Tb2S0", "1", {0x00, 0x80}, "1000000000000000"},
        {"v;5;a;b=c;5;0;TC2S", "abc", {'a', 'b', 'c', 0, 0}, "abc"},
        {"v;2;a;b=c;2;0;TC2S", "abc", {'a', 'b'}, "ab"},
        {"v;8;a;b=c;0;0;TS2BASE64", "abc", {'Y', 'W', 'J', 'j', 0, 0, 0, 0}, "abc"},
        {"v;3;a;b=c;0;0;TS2BASE64", "abc", {'Y', 'W', 'J'}, "ab"},
        {"v;4;a;b", "9", {0, 0, 0, 0}, "9"},
        {"v;3;a;b=c;0;0;Unknown", "9", {0, 0, 0}, "9"},
        {"v;2;a;b=c;0;0;tw2s", "9", {0, 0}, "9"}, // names are case-sensitive
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " " + c.value);
        EXPECT_EQ(Encode(c.line, c.value), c.wire);
        EXPECT_EQ(Decode(c.line, c.wire, c.value), c.decoded);
    }
}

TEST(Codec, TextLengthCutsDecodedText)
{
    const Bytes abc = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
    EXPECT_EQ(Decode("v;8;a;b=c;5;0;TC2S", abc), "abcde");
    EXPECT_EQ(Decode("v;8;a;b=c;0;0;TC2S", abc, "old"), "");
    EXPECT_EQ(Decode("v;8;a;b=c;8;0;TC2S", {'a', 'b', 0, 'd'}), "ab");
    // Past the field, Value keeps what it held.
    EXPECT_EQ(Decode("v;2;a;b=c;4;0;TC2S", {'X', 'Y'}, "abcdef"), "XYcd");
    // A TextLength past Value's 300 units is cut there.
    EXPECT_EQ(Decode("v;3;a;b=c;100000;0;TC2S", {'X', 'Y', 'Z'}, "abcdef"), "XYZdef");
    EXPECT_EQ(Decode("v;3;a;b=c;-5;0;TC2S", {'X', 'Y', 'Z'}, "abcdef"), "");
}

TEST(Codec, PayloadLayoutAndTypes)
{
    auto e = Parsed("A;2;a;b=c;0;258;TW2S\r\nPad;3;a;b\r\nB;1;a;b=c;0;7;TW2S");
    e->m_WorkText[9999] = 5;
    e->EncodeRequest();
    EXPECT_EQ(e->m_nPayloadLength, 6);
    EXPECT_EQ(Bytes(e->m_WireBytes, e->m_WireBytes + 12), (Bytes {0, 0, 0, 0, 0, 0, 2, 1, 0, 0, 0, 7}));
    EXPECT_EQ(e->m_WorkText[9999], 0); // the whole buffer is zeroed first

    // 161 decodes from unit 0, the other reply types from unit 6.
    PlaceReply(*e, {0x10, 0x00, 9, 9, 9, 0x20}, 0);
    e->DecodeReply(161);
    EXPECT_EQ(Var(*e, "A"), "16");
    EXPECT_EQ(Var(*e, "B"), "32");
    for (int type : {163, 166, 168, 172, 174, 175, 178, 180}) {
        PlaceReply(*e, {0x03, 0x00, 9, 9, 9, 0x04});
        e->DecodeReply(type);
        EXPECT_EQ(Var(*e, "A"), "3") << type;
        EXPECT_EQ(Var(*e, "B"), "4") << type;
    }
    PlaceReply(*e, {0x05, 0x00, 9, 9, 9, 0x06});
    for (int type : {0, 162, 164, 167, 179, -1})
        e->DecodeReply(type);
    EXPECT_EQ(Var(*e, "A"), "3");
}

TEST(Codec, CapabilityList)
{
    auto e = Parsed("A;2;a;b=c;0;258;TW2S");
    PlaceReply(*e, {0xA3, 0x00, 0xA5, 0x00, 0xA8, 0x00, 0xFF});
    e->m_WorkText[4] = 6;
    e->DecodeReply(165);
    ASSERT_EQ(e->m_nFieldCount, 3);
    EXPECT_EQ(Var(*e, "OPCode01"), "163");
    EXPECT_EQ(Var(*e, "OPCode02"), "165");
    EXPECT_EQ(Var(*e, "OPCode03"), "168");
    EXPECT_EQ(Var(*e, "OPCode04"), "ERROR");
    EXPECT_EQ(Var(*e, "A"), "ERROR");

    // At most 200 codes, whatever PayloadLength claims.
    Bytes many(1000, 0);
    many[398] = 0xC1;
    PlaceReply(*e, many);
    e->DecodeReply(165);
    EXPECT_EQ(e->m_nFieldCount, 200);
    EXPECT_EQ(Var(*e, "OPCode200"), "193");

    PlaceReply(*e, {});
    e->DecodeReply(165);
    EXPECT_EQ(e->m_nFieldCount, 0);
}

TEST(Codec, ScrambledCredentials)
{
    // ZtScramble: 'A' in column 0 gives 42, a zero in column 1 gives 48.
    EXPECT_EQ(Encode("v;2;a;b=c;0;0;TS2ZTEncode", "A"), (Bytes {0x42, 0x48}));
    EXPECT_EQ(Decode("v;2;a;b=c;0;0;TS2ZTEncode", {0x42, 0x48}, "q"), "q"); // no decode rule
    EXPECT_EQ(Encode("v;2;a;b=c;0;0;TS2ZTDecode", "A"), (Bytes {0, 0}));     // no encode rule
    EXPECT_EQ(Decode("v;2;a;b=c;0;0;TS2ZTDecode", {0x41, 0x00}), "BH");
    EXPECT_EQ(Decode("v;1;a;b=c;0;0;TS2ZTDecode", {0x41}, "xyz"), "Byz");
}

TEST(Codec, FieldLimitsAreEnforced)
{
    // "Tb2S0" converts at most 37 bytes; the rest of a longer field is zero.
    const Bytes bits = Encode("v;40;a;b=c;0;0;Tb2S0", "1");
    ASSERT_EQ(bits.size(), 40u);
    EXPECT_EQ(bits[36], 0x80);
    EXPECT_EQ(bits[37] | bits[38] | bits[39], 0);
    EXPECT_EQ(Decode("v;40;a;b=c;0;0;Tb2S0", Bytes(40, 0xFF)).size(), 296u);

    // "TS2ZTEncode" scrambles at most 84 bytes.
    const Bytes zt = Encode("v;90;a;b=c;0;0;TS2ZTEncode", "");
    EXPECT_EQ(zt[81], 0x48); // column 1 of a zero byte
    EXPECT_EQ(zt[84] | zt[89], 0);
    // "TS2ZTDecode" writes at most 100 characters.
    EXPECT_EQ(Decode("v;150;a;b=c;0;0;TS2ZTDecode", Bytes(150, 'A')).size(), 100u);

    // "TIP2S" of 259 bytes: the text is cut to Value's 299 characters.
    EXPECT_EQ(Decode("v;259;a;b=c;0;0;TIP2S", Bytes(259, 255)).size(), 299u);

    // Length beyond 259 counts as 259, a negative one as 0.
    EXPECT_EQ(Encode("v;5000;a;b").size(), 259u);
    EXPECT_EQ(Encode("v;-4;a;b\r\nw;2;a;b=c;0;258;TW2S"), (Bytes {0x02, 0x01}));
}

TEST(Codec, PayloadStopsAtTheWorkBuffer)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "F" + std::to_string(i) + ";259;a;b=c;0;-1;TW2S\r\n";
    auto e = Parsed(text);
    ASSERT_EQ(e->m_nFieldCount, 200);
    e->EncodeRequest();
    EXPECT_EQ(e->m_nPayloadLength, 10000 - 6);
    // The field cut at the end keeps the bytes that fit.
    EXPECT_EQ(e->m_WireBytes[6 + 38 * 259], 0xFF);

    for (int k = 0; k < 10000; ++k)
        e->m_WorkText[k] = 0x1FF; // units above 255 are read by their low byte
    e->DecodeReply(168);
    EXPECT_EQ(Var(*e, "F0"), "-1");
    EXPECT_EQ(Var(*e, "F38"), "-1");
    EXPECT_EQ(Var(*e, "F39"), "0"); // wholly past the buffer: decoded from zeros
}

TEST(Codec, KeyAgreementFields)
{
    auto e = Parsed("Pub;200;a;b=c;0;0;TGDHPKey\r\nKey;4;a;b=c;0;0;TSDHSKey");
    testing::internal::CaptureStdout();
    e->EncodeRequest();
    const std::string trace = testing::internal::GetCapturedStdout();
    EXPECT_NE(trace.find("GenerateDHPublicKey Success dhkey_len"), std::string::npos);
    const Bytes pub = Payload(*e);
    ASSERT_EQ(pub.size(), 204u);
    EXPECT_NE(std::count(pub.begin(), pub.begin() + 192, 0), 192); // a value, never all zero
    EXPECT_EQ(pub[199] | pub[198] | pub[197] | pub[196] | pub[195] | pub[194] | pub[193] | pub[192], 0);

    // The camera's value 1 (sent scrambled) gives the secret 01.
    auto r = Parsed("Peer;192;a;b=c;0;keep;TGDHSKey\r\nKey;4;a;b=c;0;0;TSDHSKey");
    Bytes peer(192, 0);
    peer[191] = 1;
    ScrambleKey(peer.data(), 192);
    PlaceReply(*r, peer);
    testing::internal::CaptureStdout();
    r->DecodeReply(180);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "GenerateDHSecreteKey Success\nGenerateDHSecreteKey EXIT\n");
    EXPECT_EQ(Var(*r, "Peer"), "keep");
    EXPECT_EQ(Bytes(r->m_DhSecret, r->m_DhSecret + 4), (Bytes {1, 0, 0, 0}));

    // Each "TSDHSKey" scrambles the secret again: two encodes differ.
    r->EncodeRequest();
    const Bytes first = Payload(*r);
    Bytes want = {1, 0, 0, 0};
    ScrambleKey(want.data(), 4);
    EXPECT_EQ(Bytes(first.end() - 4, first.end()), want);
    r->EncodeRequest();
    EXPECT_NE(Payload(*r), first);

    // Without a key pair the secret stays as it was.
    const Bytes before(r->m_DhSecret, r->m_DhSecret + 256);
    testing::internal::CaptureStdout();
    r->DecodeReply(180);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Bytes(r->m_DhSecret, r->m_DhSecret + 256), before);

    // "TSDHSKey" longer than the 256-byte secret carries 256 bytes, then zeros.
    auto big = Parsed("Key;259;a;b=c;0;0;TSDHSKey");
    for (int k = 0; k < 256; ++k)
        big->m_DhSecret[k] = 0x11;
    big->EncodeRequest();
    const Bytes sent = Payload(*big);
    ASSERT_EQ(sent.size(), 259u);
    EXPECT_EQ(sent[256] | sent[257] | sent[258], 0);
    EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 256), Bytes(big->m_DhSecret, big->m_DhSecret + 256));
    ReleaseKeyAgreement();
}

// A public value shorter than the prime is placed so that the 192 bytes read
// as the same big-endian number; in a field shorter than that it is cut.
TEST(Codec, ShortPublicValueKeepsItsNumber)
{
    Bytes key(191, 0x5A);
    key[0] = 0x80;
    Bytes field(200, 0xEE);
    std::fill(field.begin(), field.end(), 0);
    PlaceDhPublicKey(key.data(), 191, 200, field.data());
    EXPECT_EQ(field[0], 0);
    EXPECT_EQ(field[1], 0x80);
    EXPECT_EQ(field[191], 0x5A);
    EXPECT_EQ(field[192], 0);

    Bytes full(192, 0x33);
    Bytes wide(200, 0);
    PlaceDhPublicKey(full.data(), 192, 200, wide.data());
    EXPECT_EQ(Bytes(wide.begin(), wide.begin() + 192), full);

    Bytes narrow(8, 0);
    PlaceDhPublicKey(key.data(), 191, 8, narrow.data());
    EXPECT_EQ(narrow, Bytes(key.begin(), key.begin() + 8));
}
