// Byte scramblers, base64 and the bit-string helpers.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "template/Base64.h"
#include "template/Bits.h"
#include "template/Scramblers.h"

using namespace orv;
using Bytes = std::vector<uint8_t>;

TEST(Scramblers, ZtScrambleKnownAnswers)
{
    Bytes b = {0x00, 0x00, 0x41, 0x42};
    ZtScramble(b.data(), 2);
    EXPECT_EQ(b, (Bytes {0x00, 0x48, 0x41, 0x42})); // only n bytes change
    Bytes a = {0x41};
    ZtScramble(a.data(), 1);
    EXPECT_EQ(a, Bytes {0x42});
    ZtScramble(a.data(), 0);
    EXPECT_EQ(a, Bytes {0x42});

    // Bytes 8 apart use the same key column.
    Bytes row(24);
    for (int i = 0; i < 24; ++i)
        row[i] = static_cast<uint8_t>(i % 8 * 37 + 5);
    ZtScramble(row.data(), 24);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(row[i], row[i + 8]);
        EXPECT_EQ(row[i], row[i + 16]);
    }
}

TEST(Scramblers, ScrambleKeyKnownAnswersAndRoundTrip)
{
    // n = 2: [a, b] becomes [NOT a XOR 55 XOR b, b].
    Bytes two = {0x12, 0x34};
    ScrambleKey(two.data(), 2);
    EXPECT_EQ(two, (Bytes {0x8C, 0x34}));
    // n = 1 is the identity.
    for (int v = 0; v < 256; ++v) {
        uint8_t b = static_cast<uint8_t>(v);
        ScrambleKey(&b, 1);
        ASSERT_EQ(b, v);
    }
    std::mt19937 rng(7);
    for (int n : {0, 1, 2, 3, 7, 8, 31, 192, 200, 256}) {
        Bytes in(n);
        for (auto& b : in)
            b = static_cast<uint8_t>(rng());
        Bytes x = in;
        ScrambleKey(x.data(), n);
        if (n > 1) {
            EXPECT_NE(x, in) << n;
        }
        UnscrambleKey(x.data(), n);
        EXPECT_EQ(x, in) << n;
    }
    // 200 zero bytes (a short WPS set-up payload's padding): only the tail changes.
    Bytes zeros(200, 0);
    ScrambleKey(zeros.data(), 200);
    Bytes want(200, 0);
    want[197] = 0xFF;
    want[198] = 0xAA;
    EXPECT_EQ(zeros, want);
}

TEST(Base64, EncodeDecode)
{
    const struct {
        const char* plain;
        const char* coded;
    } cases[] = {{"", ""}, {"a", "YQ=="}, {"ab", "YWI="}, {"abc", "YWJj"}, {"admin", "YWRtaW4="}};
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8(Base64EncodeText(U16(c.plain))), c.coded);
        EXPECT_EQ(Utf8(Base64DecodeText(U16(c.coded))), c.plain);
    }
    // Low bytes only.
    EXPECT_EQ(Utf8(Base64EncodeText(u"\u0161")), "YQ==");
    // Decoding stops at the first "="; a bad character spoils only its group.
    EXPECT_EQ(Utf8(Base64DecodeText(u"YQ==YWJj")), "a");
    EXPECT_EQ(Base64DecodeText(u"Y!Jj" u"YWJj").substr(3), u"abc");

    // At most 1024 characters out; more than 1026 decoded gives "ERROR".
    EXPECT_EQ(Base64EncodeText(std::u16string(800, u'x')).size(), 1024u);
    EXPECT_EQ(Base64DecodeText(std::u16string(1368, u'Q')).size(), 1026u);
    EXPECT_EQ(Utf8(Base64DecodeText(std::u16string(1372, u'Q'))), "ERROR");
    static wchar out[1027];
    Base64Encode(out, u"abc");
    EXPECT_EQ(Utf8(out), "YWJj");
    Base64Decode(u"YWJj", out);
    EXPECT_EQ(Utf8(out), "abc");
}

TEST(Bits, IntToBits4AndBitsToInt)
{
    wchar out[5];
    IntToBits4(5, out);
    EXPECT_EQ(Utf8(out), "0101");
    IntToBits4(0x1E, out);
    EXPECT_EQ(Utf8(out), "1110");
    EXPECT_EQ(BitsToInt(4, u"0101"), 5);
    EXPECT_EQ(BitsToInt(8, u"11110000"), 240);
    EXPECT_EQ(BitsToInt(4, u"1x1?"), 10);
    EXPECT_EQ(BitsToInt(2, u"1111"), 3);
    EXPECT_EQ(BitsToInt(4, u"1"), 8); // past the end: zero bits, nothing read
    EXPECT_EQ(BitsToInt(0, u"1"), 0);
    EXPECT_EQ(BitsToInt(4, nullptr), 0);
}
