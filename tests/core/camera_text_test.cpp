// Camera text is one byte per character, the byte equal to the character's
// code, whatever the user's locale: a password typed with an accented letter
// must reach the camera as the same bytes in the credential slots, in the
// scrambled fields and in plain text fields. Files keep following the locale.
#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include "engine/CamEngine.h"
#include "platform/core/AnsiText.h"
#include "platform/core/CameraText.h"
#include "template/Base64.h"
#include "template/Scramblers.h"

using namespace orv;
using Bytes = std::vector<uint8_t>;

namespace {

// Sets a locale for one test and puts the previous one back.
class LocaleScope {
public:
    explicit LocaleScope(const char* name)
    {
        m_Old = std::setlocale(LC_ALL, nullptr);
        m_Ok = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~LocaleScope() { std::setlocale(LC_ALL, m_Old.c_str()); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;
    bool Ok() const { return m_Ok; }

private:
    std::string m_Old;
    bool m_Ok = false;
};

Bytes Encode(const std::string& line, const std::u16string& value)
{
    auto e = std::make_unique<CCamEngine>();
    e->ResetFieldTable();
    WCopy(e->m_WorkText, U16(line));
    e->ClearFields();
    e->ParseTemplate(u"\r\n");
    e->SetVar(e->m_Fields[0].Name, value.c_str());
    e->EncodeRequest();
    return Bytes(e->m_WireBytes + 6, e->m_WireBytes + 6 + e->m_nPayloadLength);
}

std::u16string DecodeZt(const Bytes& payload)
{
    auto e = std::make_unique<CCamEngine>();
    e->ResetFieldTable();
    WCopy(e->m_WorkText, u"v;4;a;b=c;0;0;TS2ZTDecode");
    e->ClearFields();
    e->ParseTemplate(u"\r\n");
    for (int k = 0; k < 10000; ++k)
        e->m_WorkText[k] = 0;
    for (std::size_t k = 0; k < payload.size(); ++k)
        e->m_WorkText[6 + k] = payload[k];
    e->m_WorkText[4] = static_cast<wchar>(payload.size());
    e->DecodeReply(168);
    return e->m_Fields[0].Value;
}

Bytes Scrambled(Bytes b, std::size_t size)
{
    b.resize(size);
    ZtScramble(b.data(), static_cast<int>(size));
    return b;
}

} // namespace

// The same bytes under the C locale and a UTF-8 desktop locale.
TEST(CameraText, EveryCameraFieldIsLocaleIndependent)
{
    const std::u16string password = u"p\u00e4ssw\u00f6rd1"; // "pässwörd1"
    const Bytes latin1 = {'p', 0xE4, 's', 's', 'w', 0xF6, 'r', 'd', '1'};
    for (const char* locale : {"C", "C.UTF-8"}) {
        SCOPED_TRACE(locale);
        LocaleScope scope(locale);
        if (!scope.Ok())
            GTEST_SKIP() << "locale " << locale << " is not installed";

        EXPECT_EQ(Encode("v;12;a;b=c;0;0;TS2ZTEncode", password), Scrambled(latin1, 12));
        Bytes plain = latin1;
        plain.resize(12);
        EXPECT_EQ(Encode("v;12;a;b=c;0;0;TC2S", password), plain);
        // The credential slots carry base64 of the same bytes: "ä" is E4.
        EXPECT_EQ(Utf8(Base64EncodeText(u"\u00e4")), "5A==");
        EXPECT_EQ(Encode("v;8;a;b=c;0;0;TS2BASE64", u"\u00e4"), (Bytes{'5', 'A', '=', '=', 0, 0, 0, 0}));

        // A scrambled reply field: each received byte is scrambled as it
        // stands, never widened into a multi-byte form first.
        const Bytes sent = {0xE4, 0xF6, 'a', 0};
        Bytes want = Scrambled({0xE4, 0xF6, 'a'}, 4);
        EXPECT_EQ(DecodeZt(sent), std::u16string(want.begin(), want.end()));

        // Names read back from a search reply.
        CCamEngine engine;
        CamRecord rec{};
        const std::string name = "K\xE4mera \xFF";
        std::copy(name.begin(), name.end(), reinterpret_cast<char*>(rec.Bytes() + CamRecord::kNameOffset));
        const std::string model = "\xC3\xA4"; // two bytes stay two characters
        std::copy(model.begin(), model.end(), reinterpret_cast<char*>(rec.Bytes() + CamRecord::kModelOffset));
        engine.m_Found.push_back(rec);
        engine.SelectRecord(0);
        EXPECT_EQ(engine.GetSelName(), u"K\u00e4mera \u00ff");
        EXPECT_EQ(engine.GetSelModel(), u"\u00c3\u00a4");
    }
}

// Files saved in the ANSI code page still follow the locale.
TEST(CameraText, FilesStillFollowTheLocale)
{
    {
        LocaleScope scope("C.UTF-8");
        if (!scope.Ok())
            GTEST_SKIP() << "locale C.UTF-8 is not installed";
        EXPECT_EQ(AnsiToWide("\xC3\xA4"), u"\u00e4");
    }
    LocaleScope scope("C");
    EXPECT_EQ(AnsiToWide("\xC3\xA4"), u"\u00c3\u00a4");
}

TEST(CameraText, WhatACameraCanStore)
{
    const struct {
        std::u16string text;
        std::size_t firstRefused;
    } cases[] = {
        {u"", std::u16string::npos},
        {u"admin", std::u16string::npos},
        {u"p\u00e4ssw\u00f6rd1\u00ff\u0001", std::u16string::npos},
        {u"\u20ac", 0},                // euro sign (Windows-1252 has it, ISO-8859-1 not)
        {u"ab\u0100", 2},              // first character past U+00FF
        {u"pa\u0436", 2},              // Cyrillic
        {u"\u00e4\u65e5\u672c", 1},    // CJK
        {u"ok\U0001F600", 2},          // emoji: a surrogate pair
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.text));
        EXPECT_EQ(FindNonCameraChar(c.text), c.firstRefused);
        EXPECT_EQ(IsCameraText(c.text), c.firstRefused == std::u16string::npos);
    }
    EXPECT_EQ(CameraBytes(u"K\u00e4m"), "K\xE4m");
    EXPECT_EQ(CameraTextFromBytes("a\xE4\0z", 4), u"a\u00e4");
    EXPECT_EQ(CameraTextFromBytes("abc", 2), u"ab");
}
