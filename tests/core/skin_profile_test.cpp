#include <gtest/gtest.h>

#include "platform/core/WideText.h"
#include "skin/core/ProfileFile.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

using namespace orv;
using namespace std::string_literals;

namespace {

std::string Get(const CProfileFile& f, const char* sec, const char* key, const char* def = "def")
{
    return Utf8(f.GetString(U16(sec), U16(key), U16(def)));
}

} // namespace

TEST(SkinProfile, SectionsAndKeysIgnoreCaseAndFirstWins)
{
    const auto f = CProfileFile::Parse(
        "[DlgIdPwd.Next]\r\n"
        "  normalImage = next.bmp  \r\n"
        "NORMALIMAGE=second.bmp\r\n"
        "[dlgidpwd.next]\n"
        "x=99\n"
        "[Other]\n"
        "x=5\n");
    EXPECT_EQ(Get(f, "DLGIDPWD.NEXT", "normalimage"), "next.bmp");
    // The repeated section is never read, as with the system reader.
    EXPECT_EQ(f.GetInt(u"DlgIdPwd.Next", u"x", -7), -7);
    EXPECT_EQ(f.GetInt(u"other", u"X", 0), 5);
    EXPECT_EQ(f.SectionNames().size(), 2u);
}

TEST(SkinProfile, MissingAndEmptyValuesGiveTheDefault)
{
    const auto f = CProfileFile::Parse("[S]\nempty=\nquoted=\"\"\nblank=   \n");
    for (const char* key : {"empty", "quoted", "blank", "absent"}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(Get(f, "S", key), "def");
        std::u16string out = u"junk";
        EXPECT_FALSE(f.Read(u"S", U16(key), out));
        EXPECT_TRUE(out.empty());
    }
    EXPECT_EQ(Get(f, "NoSuchSection", "empty"), "def");
}

TEST(SkinProfile, NumbersReadLikeWtoi)
{
    const auto f = CProfileFile::Parse(
        "[N]\na=12px\nb=px12\nc=-40\nd= +7 \ne=99999999999\nf=\n");
    const struct {
        const char* key;
        int32_t want;
    } cases[] = {{"a", 12}, {"b", 0}, {"c", -40}, {"d", 7}, {"e", INT32_MAX}, {"f", 3}, {"g", 3}};
    for (const auto& c : cases)
        EXPECT_EQ(f.GetInt(u"N", U16(c.key), 3), c.want) << c.key;
}

TEST(SkinProfile, ValuesAreCutAt259Characters)
{
    const std::string longValue(400, 'a');
    const auto f = CProfileFile::Parse("[S]\nk=" + longValue + "\n");
    EXPECT_EQ(f.GetString(u"S", u"k", u"").size(), CProfileFile::kMaxValue);
    EXPECT_EQ(f.GetString(u"S", u"none", U16(longValue)).size(), CProfileFile::kMaxValue);
    // A cut never leaves half a surrogate pair behind.
    std::string emoji;
    for (int i = 0; i < 200; ++i)
        emoji += "\xF0\x9F\x93\xB7";
    const auto g = CProfileFile::Parse("[S]\nk=" + emoji + "\n");
    const std::u16string v = g.GetString(u"S", u"k", u"");
    ASSERT_FALSE(v.empty());
    EXPECT_LE(v.size(), CProfileFile::kMaxValue);
    EXPECT_TRUE(v.back() >= 0xDC00 && v.back() < 0xE000);
}

TEST(SkinProfile, OddLinesAndCommentsAreTolerated)
{
    const auto f = CProfileFile::Parse(
        "key=before any section\n"
        "; comment\n"
        "[Message\n"                 // no closing bracket
        "no equals sign here\n"
        "Message7=a\\\\b ; not a comment\n"
        "=value without key\n"
        "path='Image 2'\n"
        "[ Spaced ]  trailing\n"
        "k = v = w\n"
        "\0hidden=1\n"s);
    EXPECT_EQ(Get(f, "Message", "Message7"), "a\\\\b ; not a comment");
    EXPECT_EQ(Get(f, "Message", "path"), "Image 2");
    EXPECT_EQ(Get(f, "Spaced", "k"), "v = w");
    EXPECT_EQ(Get(f, "Spaced", "hidden"), "1");
    EXPECT_EQ(Get(f, "Message", "key"), "def");
}

TEST(SkinProfile, EncodingsUtf8AnsiAndUtf16)
{
    // UTF-8 (with and without a byte-order mark).
    EXPECT_EQ(Get(CProfileFile::Parse("[S]\nc=Caf\xC3\xA9\n"), "S", "c"), "Caf\xC3\xA9");
    EXPECT_EQ(Get(CProfileFile::Parse("\xEF\xBB\xBF[S]\nc=x\n"), "S", "c"), "x");
    // A byte that is not UTF-8: the file is in the ANSI code page, and
    // whatever it maps to, the ASCII around it survives.
    const auto ansi = CProfileFile::Parse("[S]\nc=Caf\xE9!\nd=plain\n");
    EXPECT_EQ(Get(ansi, "S", "d"), "plain");
    EXPECT_EQ(ansi.GetString(u"S", u"c", u"").size(), 5u);
    // UTF-16 little endian with its mark, as the system editor saves it.
    std::string u16 = "\xFF\xFE";
    for (char c : std::string("[S]\r\nc=W\r\n")) {
        u16.push_back(c);
        u16.push_back('\0');
    }
    EXPECT_EQ(Get(CProfileFile::Parse(u16), "S", "c"), "W");
}

TEST(SkinProfile, LoadMissingFileGivesEmptyProfileAndRereadsChanges)
{
    const auto dir = std::filesystem::temp_directory_path() / ("orv_profile_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "Orvanta.ini").string();
    EXPECT_EQ(LoadProfile(path)->SectionNames().size(), 0u);
    {
        std::ofstream(path) << "[Image]\npath=A\n";
    }
    EXPECT_EQ(Utf8(LoadProfile(path)->GetString(u"image", u"PATH", u"")), "A");
    {
        std::ofstream(path) << "[Image]\npath=Longer\n";
    }
    EXPECT_EQ(Utf8(LoadProfile(path)->GetString(u"image", u"PATH", u"")), "Longer");
    std::filesystem::remove_all(dir);
}
