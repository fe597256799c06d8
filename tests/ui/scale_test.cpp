// Pages on a display scaled by two (run with QT_SCALE_FACTOR=2): drawn at
// twice the size, pictures resampled smoothly, text drawn at the display's
// own resolution. A picture blown up pixel by pixel or text drawn small and
// then enlarged would leave every 2 x 2 block of device pixels one colour.
#include "ui/support/UiTestMain.h"

#include "platform/qt/WinDefs.h"
#include "skin/PicButton.h"
#include "skin/PicDialog.h"
#include "skin/PicText.h"
#include "ui/support/HostRecorder.h"
#include "ui/support/TempSkin.h"

#include <QTest>

#include <memory>

using namespace orv;
using namespace orv::test;

namespace {

// Share of the aligned 2 x 2 blocks inside `r` (logical pixels) whose four
// device pixels are not all the same colour.
double MixedBlocks(const QImage& img, const QRect& r)
{
    int mixed = 0, all = 0;
    for (int y = r.top() * 2; y + 1 < (r.bottom() + 1) * 2; y += 2)
        for (int x = r.left() * 2; x + 1 < (r.right() + 1) * 2; x += 2) {
            const QRgb a = img.pixel(x, y);
            ++all;
            if (img.pixel(x + 1, y) != a || img.pixel(x, y + 1) != a || img.pixel(x + 1, y + 1) != a)
                ++mixed;
        }
    return all ? static_cast<double>(mixed) / all : 0.0;
}

} // namespace

TEST(ScaledDisplay, PicturesSmoothTextCrisp)
{
    ASSERT_EQ(qgetenv("QT_SCALE_FACTOR"), "2") << "run with QT_SCALE_FACTOR=2 (the test's environment sets it)";
    TempSkin skin;
    skin.WritePicture(QStringLiteral("Image/bg.png"), 320, 200, 77);
    skin.WritePicture(QStringLiteral("Image/n.png"), 100, 40, 10);
    skin.WriteIni("[DlgScale]\nbackground=bg.png\n"
                  "[DlgScale.Next]\nnormalImage=n.png\nx=200\ny=140\nw=100\nh=40\n"
                  "[DlgScale.Lab]\nx=20\ny=20\nw=200\nh=60\n"
                  "caption=Camera settings are written in a fixed order\n");
    HostRecorder host;
    CPicDialog page(130, &host);
    page.SetupSkinPaths(QStringLiteral("DlgScale"));
    page.Create();
    ASSERT_TRUE(page.AddPicButton(IDC_NEXT, QStringLiteral("DlgScale.Next")));
    ASSERT_TRUE(page.AddPicText(QStringLiteral("DlgScale.Lab"), 1304, 1, 0));
    page.FindCtrlAs<CPicText>(1304)->m_bFill = 1;
    page.FindCtrlAs<CPicText>(1304)->m_crFill = RGB(255, 255, 255);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));

    const QPixmap shot = page.grab();
    EXPECT_EQ(shot.devicePixelRatio(), 2.0);
    const QImage img = shot.toImage();
    ASSERT_EQ(img.size(), QSize(640, 400)) << "twice the page's 320 x 200";
    if (qEnvironmentVariableIsSet("ORVANTA_SHOTS"))
        img.save(qEnvironmentVariable("ORVANTA_SHOTS") + QStringLiteral("/scale2-page.png"));

    // The pattern pictures change colour at every pixel: resampled smoothly,
    // most blocks mix colours.
    EXPECT_GT(MixedBlocks(img, QRect(10, 100, 150, 80)), 0.5) << "background";
    EXPECT_GT(MixedBlocks(img, QRect(205, 145, 90, 30)), 0.5) << "picture button";
    // Text: glyph edges fall between device pixels of one block.
    EXPECT_GT(MixedBlocks(img, QRect(20, 20, 200, 40)), 0.02) << "text";
}
