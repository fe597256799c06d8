#include <gtest/gtest.h>

#include "platform/core/WideText.h"
#include "res/Resources.h"

using namespace orv;
using namespace orv::res;

TEST(Resources, StringTable)
{
    EXPECT_EQ(Utf8(LoadString(103)), "Windows sockets initialization failed.");
    EXPECT_EQ(Utf8(LoadString(2000)), "Version:  %d.%d.%d.%d");
    EXPECT_EQ(LoadString(104), u"");
    EXPECT_EQ(LoadString(0), u"");
}

TEST(Resources, VersionParsingAndText)
{
    struct Case {
        const char* text;
        bool ok;
        uint16_t a, b, c, d;
    };
    const Case cases[] = {
        {"1.0.0.0", true, 1, 0, 0, 0},     {"1.0.4.2112", true, 1, 0, 4, 2112},
        {"2.3", true, 2, 3, 0, 0},         {"65535.0.0.1", true, 65535, 0, 0, 1},
        {"65536.0.0.0", false, 0, 0, 0, 0}, {"1.2.3.4.5", false, 0, 0, 0, 0},
        {"1..2", false, 0, 0, 0, 0},       {"", false, 0, 0, 0, 0},
        {"1.2.", false, 0, 0, 0, 0},       {"v1", false, 0, 0, 0, 0},
        {"99999999999999999999", false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        ProgramVersion v;
        v.part[0] = 77;
        EXPECT_EQ(ParseVersion(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v.part[0], c.a);
            EXPECT_EQ(v.part[1], c.b);
            EXPECT_EQ(v.part[2], c.c);
            EXPECT_EQ(v.part[3], c.d);
        } else {
            EXPECT_EQ(v.part[0], 77) << "a refused text leaves the version alone";
        }
    }
    ProgramVersion v;
    ASSERT_TRUE(ParseVersion("1.0.4.2112", v));
    EXPECT_EQ(Utf8(FormatVersionText(v)), "Version:  1.0.4.2112");

    ProgramVersion built = GetProgramVersion();
    EXPECT_EQ(Utf8(FormatVersionText(built)), std::string("Version:  ") + ORVANTA_VERSION_TEXT);
}

TEST(Resources, DialogFrames)
{
    for (int32_t id : {101, 102, 105, 129, 130, 131, 132, 143, 144, 145, 146, 147, 148}) {
        const DialogFrame* f = FindDialogFrame(id);
        ASSERT_NE(f, nullptr) << id;
        EXPECT_EQ(f->widthDlu, 185);
        EXPECT_EQ(f->heightDlu, 90);
    }
    EXPECT_EQ(FindDialogFrame(141), nullptr);
    EXPECT_EQ(FindDialogFrame(0), nullptr);
}

TEST(Resources, IconIsDrawnTheSameEveryTime)
{
    for (int32_t size : {16, 32, 48}) {
        IconImage a = DrawProgramIcon(size);
        ASSERT_EQ(a.width, size);
        ASSERT_EQ(a.argb.size(), static_cast<std::size_t>(size * size));
        EXPECT_EQ(a.argb, DrawProgramIcon(size).argb);
        EXPECT_EQ(a.argb[0] >> 24, 0u) << "transparent corner";
        auto n = static_cast<std::size_t>(size);
        uint32_t centre = a.argb[n * 18 / 32 * n + n / 2];
        EXPECT_EQ(centre >> 24, 0xFFu) << "opaque lens";
    }
    EXPECT_TRUE(DrawProgramIcon(0).argb.empty());
    EXPECT_TRUE(DrawProgramIcon(-5).argb.empty());
}
