#include <gtest/gtest.h>

#include "platform/core/WideText.h"
#include "skin/core/LayoutReader.h"

using namespace orv;

namespace {

const SkinPaths kPaths{"/opt/orv/", "/opt/orv/Orvanta.ini", "/opt/orv/Skin/"};

ControlDesc Read(const CProfileFile& f, CtrlRequest req, bool expectOk = true)
{
    ControlDesc d;
    EXPECT_EQ(ReadControlDesc(f, kPaths, req, d), expectOk) << Utf8(req.section);
    return d;
}

CtrlRequest Req(CtrlType type, const char16_t* section, int id = 1100)
{
    CtrlRequest r;
    r.type = type;
    r.section = section;
    r.id = id;
    return r;
}

} // namespace

TEST(SkinLayout, ImageFolderDefaultsToImage)
{
    const struct {
        const char* ini;
        const char* want;
    } cases[] = {
        {"", "/p/Image/"},
        {"[Image]\npath=\n", "/p/Image/"},
        {"[IMAGE]\nPath=Blue\n", "/p/Blue/"},
        {"[Image]\npath=skins\\dark\n", "/p/skins/dark/"},
    };
    for (const auto& c : cases) {
        const SkinPaths p = MakeSkinPaths("/p/", CProfileFile::Parse(c.ini));
        EXPECT_EQ(p.imageDir, c.want) << c.ini;
        EXPECT_EQ(p.iniFile, "/p/Orvanta.ini");
    }
}

TEST(SkinLayout, PictureButtonNeedsNormalImage)
{
    const auto f = CProfileFile::Parse(
        "[Dlg.Next]\nnormalImage=n.bmp\ndownImage=d.bmp\nhoverImage=\n"
        "x=10\ny=20\nw=100\nh=30\ntip=Go on\n"
        "[Dlg.NoNormal]\ndownImage=d.bmp\nhoverImage=h.bmp\ndisableImage=x.bmp\nx=1\n");
    const ControlDesc d = Read(f, Req(CtrlType::PicButton, u"Dlg.Next", 1003));
    EXPECT_EQ(d.kind, kPicButton);
    EXPECT_EQ(d.id, 1003);
    EXPECT_EQ(d.normalImage, "/opt/orv/Skin/n.bmp");
    EXPECT_EQ(d.downImage, "/opt/orv/Skin/d.bmp");
    EXPECT_EQ(d.hoverImage, "");
    EXPECT_EQ(d.disableImage, "");
    EXPECT_EQ(d.rect.left, 10);
    EXPECT_EQ(d.rect.bottom, 50);
    EXPECT_EQ(Utf8(d.tip), "Go on");
    EXPECT_EQ(d.style, 0x5001018Eu);

    Read(f, Req(CtrlType::PicButton, u"Dlg.NoNormal"), false);
    Read(f, Req(CtrlType::PicButton, u"Dlg.Missing"), false);
}

TEST(SkinLayout, EmptySectionNameFailsMissingSectionIsZeroSize)
{
    const auto f = CProfileFile::Parse("");
    for (CtrlType t : {CtrlType::PicText, CtrlType::Edit, CtrlType::CheckBox, CtrlType::Radio,
                       CtrlType::ComboBox, CtrlType::PushButton, CtrlType::Progress}) {
        Read(f, Req(t, u""), false);
        const ControlDesc d = Read(f, Req(t, u"Dlg.Absent"));
        EXPECT_EQ(d.rect.Width(), 0);
        EXPECT_EQ(d.rect.Height(), 0);
    }
}

TEST(SkinLayout, GeometryReadsLeadingDigits)
{
    const auto f = CProfileFile::Parse("[Dlg.T]\nx=120abc\ny=abc\nw=-5\nh=2147483647\n");
    const ControlDesc d = Read(f, Req(CtrlType::PicText, u"Dlg.T"));
    EXPECT_EQ(d.rect.left, 120);
    EXPECT_EQ(d.rect.top, 0);
    EXPECT_EQ(d.rect.right, 115);
    EXPECT_EQ(d.rect.bottom, INT32_MAX);
}

TEST(SkinLayout, TextEditCheckRadioKeys)
{
    const auto f = CProfileFile::Parse(
        "[P.Lab]\ncaption=Camera IP\npassword=1\n"
        "[P.Edit]\npassword=2\nautohscroll=1\nMaxlen=32\n"
        "[P.Radio]\nx=3\n"
        "[P.Radio2]\nCAPTION=Fixed address\n"
        "[P.Push]\ncaption=lower case is the same key\n");
    CtrlRequest text = Req(CtrlType::PicText, u"P.Lab", 1304);
    text.visible = false;
    text.clickable = 2; // only 1 means clickable
    const ControlDesc t = Read(f, text);
    EXPECT_EQ(Utf8(t.caption), "Camera IP");
    EXPECT_FALSE(t.visible);
    EXPECT_FALSE(t.clickable);
    EXPECT_EQ(t.style, 0x40000020u);

    const ControlDesc e = Read(f, Req(CtrlType::Edit, u"P.Edit"));
    EXPECT_TRUE(e.password);
    EXPECT_TRUE(e.autoHScroll);
    EXPECT_EQ(e.maxLen, 32);
    EXPECT_EQ(e.style, 0x50810000u | 0x20u | 0x80u);

    CtrlRequest radio = Req(CtrlType::Radio, u"P.Radio", 1203);
    radio.defaultCaption = u"enable";
    EXPECT_EQ(Utf8(Read(f, radio).caption), "enable");
    radio.section = u"P.Radio2";
    EXPECT_EQ(Utf8(Read(f, radio).caption), "Fixed address");
    EXPECT_EQ(Read(f, radio).kind, kRadio);
    EXPECT_EQ(Utf8(Read(f, Req(CtrlType::CheckBox, u"P.Radio")).caption), "");
    EXPECT_EQ(Utf8(Read(f, Req(CtrlType::PushButton, u"P.Push")).caption), "lower case is the same key");
}

TEST(SkinLayout, DropDownItemsStopAtFirstGap)
{
    const auto f = CProfileFile::Parse(
        "[P.Ch]\nx=5\ny=6\nw=80\nh=999\ntext0=1\ntext1=2\ntext3=4\ndefault=5\n"
        "[P.Sec]\ntext0=Open\ntext1=\ntext2=WEP\n");
    const ControlDesc d = Read(f, Req(CtrlType::ComboBox, u"P.Ch"));
    EXPECT_EQ(d.kind, kStandard);
    ASSERT_EQ(d.items.size(), 2u);
    EXPECT_EQ(Utf8(d.items[1]), "2");
    EXPECT_EQ(d.defaultIndex, 5);
    EXPECT_EQ(d.rect.Height(), 0); // the drop height comes from the font
    EXPECT_EQ(Read(f, Req(CtrlType::ComboBox, u"P.Sec")).items.size(), 1u);
    EXPECT_EQ(ComboDropHeight(-11), 150);
    EXPECT_EQ(ComboDropHeight(14), 180);
}

TEST(SkinLayout, FixedIdsOfProgressAndList)
{
    const auto f = CProfileFile::Parse("[DlgListCam.ListCtrl]\nx=4\nw=300\nh=200\n");
    const ControlDesc p = Read(f, Req(CtrlType::Progress, u"DlgWPSSET.ProgressCtrl", 77));
    EXPECT_EQ(p.id, kProgressId);
    CtrlRequest l = Req(CtrlType::ListCtrl, u"", 5);
    l.listStyle = 0x40004005;
    const ControlDesc d = Read(f, l);
    EXPECT_EQ(d.id, kListCtrlId);
    EXPECT_EQ(d.style, 0x50004005u);
    EXPECT_EQ(d.rect.right, 304);
}

TEST(SkinLayout, MessagesJoinLinesOrFallBack)
{
    const auto f = CProfileFile::Parse(
        "[Message]\nMessage7=First line\\\\Second line\nMessage8=0\nMessage9=a\\\\\\b\nMessage10=00\n");
    EXPECT_EQ(Utf8(MessageText(f, 7)), "First line\r\nSecond line");
    EXPECT_EQ(Utf8(MessageText(f, 8)), "Some error occurred, error number is 8.");
    EXPECT_EQ(Utf8(MessageText(f, 2001)), "Some error occurred, error number is 2001.");
    EXPECT_EQ(Utf8(MessageText(f, 9)), "a\r\n\\b");
    EXPECT_EQ(Utf8(MessageText(f, 10)), "00");
    EXPECT_EQ(Utf8(MessageText(CProfileFile::Parse(""), -3)), "Some error occurred, error number is -3.");
}

// Messages the program brings itself: the skin's own text wins; without one
// (missing, empty or "0") the built-in text shows, its line breaks joined the
// same way.
TEST(SkinLayout, BuiltInMessagesFillGapsOfOlderSkins)
{
    const std::string builtIn = Utf8(MessageText(CProfileFile::Parse(""), 3001));
    EXPECT_NE(builtIn.find("cannot store.\r\nPlease"), std::string::npos) << builtIn;
    EXPECT_EQ(MessageText(CProfileFile::Parse("[Message]\nMessage3001=0\n"), 3001), U16(builtIn));
    EXPECT_EQ(Utf8(MessageText(CProfileFile::Parse("[Message]\nMessage3001=Own\\\\text\n"), 3001)), "Own\r\ntext");
    EXPECT_EQ(MessageText(CProfileFile::Parse("[Message]\nMessage3001=\n"), 3001), U16(builtIn));
}
