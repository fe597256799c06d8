#include "ui/support/UiTestMain.h"

#include "platform/qt/StdControls.h"
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

// Each state picture has its own tint; the picture a button shows is told by
// the blue channel of its top-left pixel.
constexpr int kNormal = 10, kDown = 20, kHover = 30, kDisabled = 40, kBackground = 77;

class CommandPage : public CPicDialog {
public:
    using CPicDialog::CPicDialog;
    std::vector<int> commands;

protected:
    void OnCommand(int id, int code) override
    {
        EXPECT_EQ(code, 0);
        commands.push_back(id);
    }
};

class SkinControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.WritePicture(QStringLiteral("Image/bg.png"), 400, 300, kBackground);
        skin.WritePicture(QStringLiteral("Image/n.png"), 120, 40, kNormal);
        skin.WritePicture(QStringLiteral("Image/d.png"), 120, 40, kDown);
        skin.WritePicture(QStringLiteral("Image/h.png"), 120, 40, kHover);
        skin.WritePicture(QStringLiteral("Image/x.png"), 120, 40, kDisabled);
        skin.WriteIni(
            "[DlgTest]\nbackground=bg.png\n"
            "[DlgTest.Next]\nnormalImage=n.png\ndownImage=d.png\nhoverImage=h.png\ndisableImage=x.png\n"
            "x=50\ny=60\nw=100\nh=30\n"
            "[DlgTest.Only]\nnormalImage=n.png\nx=200\ny=60\nw=100\nh=30\n"
            "[DlgTest.Lab]\nx=20\ny=150\nw=90\nh=60\n"
            "caption=A label whose text is much longer than its width\n"
            "[DlgTest.Hidden]\nx=200\ny=150\nw=150\nh=40\ncaption=Switching the wireless on\n"
            "[DlgTest.Link]\nx=20\ny=250\nw=150\nh=20\ncaption=Open the web page\n");
        page = std::make_unique<CommandPage>(130, &host);
        page->SetupSkinPaths(QStringLiteral("DlgTest"));
        page->Create();
        page->AddPicButton(1003, QStringLiteral("DlgTest.Next"));
        page->AddPicButton(1004, QStringLiteral("DlgTest.Only"));
        page->AddPicText(QStringLiteral("DlgTest.Lab"), 1304, 1, 0);
        page->AddPicText(QStringLiteral("DlgTest.Hidden"), 1339, 0, 0);
        page->AddPicText(QStringLiteral("DlgTest.Link"), 1305, 1, 1);
        page->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        button = page->FindCtrlAs<CPicButton>(1003);
        ASSERT_NE(button, nullptr);
    }

    int Shown(QWidget* w, QPoint at = QPoint(0, 0)) { return w->grab().toImage().pixelColor(at).blue(); }
    std::vector<int> Delivered()
    {
        QCoreApplication::sendPostedEvents();
        return page->commands;
    }

    TempSkin skin;
    HostRecorder host;
    std::unique_ptr<CommandPage> page;
    CPicButton* button = nullptr;
};

} // namespace

TEST_F(SkinControlsTest, ClickIsPostedOnReleaseInside)
{
    EXPECT_EQ(Shown(button), kNormal);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Shown(button), kDown);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(12, 10));
    // Posted, not sent: the page sees it only once the queue runs.
    EXPECT_TRUE(page->commands.empty());
    EXPECT_EQ(Delivered(), std::vector<int>{1003});
    EXPECT_EQ(button->m_bPressed, 0);
}

TEST_F(SkinControlsTest, PressMoveOffReleasePostsNothing)
{
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(button, QPoint(150, 80));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(150, 80));
    EXPECT_TRUE(Delivered().empty());
    EXPECT_EQ(button->m_bPressed, 0);
    EXPECT_EQ(button->m_bHover, 0);
    EXPECT_EQ(Shown(button), kNormal);
}

TEST_F(SkinControlsTest, HoverThenLeaveFollowsTheMouse)
{
    QTest::mouseMove(button, QPoint(20, 10));
    EXPECT_EQ(button->m_bHover, 1);
    EXPECT_EQ(Shown(button), kHover);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    EXPECT_EQ(Shown(button), kNormal);
}

TEST_F(SkinControlsTest, DisabledButtonIgnoresTheMouseUntilThePageClearsIt)
{
    button->m_bDisabled = 1;
    button->DrawState();
    EXPECT_EQ(Shown(button), kDisabled);
    QTest::mouseMove(button, QPoint(20, 10));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(Delivered().empty());
    EXPECT_EQ(Shown(button), kDisabled);

    button->m_bDisabled = 0;
    button->DrawState();
    EXPECT_EQ(Shown(button), kNormal);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(Delivered(), std::vector<int>{1003});
}

TEST_F(SkinControlsTest, ButtonShowsTopLeftOfLargerPictureUnscaled)
{
    const QImage shot = button->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(100, 30));
    for (QPoint p : {QPoint(0, 0), QPoint(99, 29), QPoint(57, 13)})
        EXPECT_EQ(shot.pixelColor(p), PatternColor(p.x(), p.y(), kNormal)) << p.x() << "," << p.y();
}

TEST_F(SkinControlsTest, StateWithoutPictureShowsTheNormalOne)
{
    auto* only = page->FindCtrlAs<CPicButton>(1004);
    only->m_bDisabled = 1;
    only->DrawState();
    EXPECT_EQ(Shown(only), kNormal);
}

TEST_F(SkinControlsTest, CaptionSplitsIntoTrimmedLines)
{
    const struct {
        QString caption;
        QStringList lines;
    } cases[] = {
        {QStringLiteral("Next"), {QStringLiteral("Next")}},
        {QStringLiteral("  Go  \r\n  on \r\n"), {QStringLiteral("  Go"), QStringLiteral("on")}},
        {QStringLiteral("a\r\n\r\nb"), {QStringLiteral("a"), QStringLiteral("b")}},
        {QStringLiteral("one\ntwo"), {QStringLiteral("one"), QStringLiteral("two")}},
        {QStringLiteral(" \r\n "), {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CPicButton::CaptionLines(c.caption), c.lines) << c.caption.toStdString();

    button->m_strCaption = QStringLiteral("Next");
    button->DrawState();
    const QImage shot = button->grab().toImage();
    bool ink = false;
    for (int x = 30; x < 70 && !ink; ++x)
        for (int y = 5; y < 25 && !ink; ++y)
            ink = shot.pixelColor(x, y) == Qt::black;
    EXPECT_TRUE(ink);
}

TEST_F(SkinControlsTest, LabelWrapsOverTheBackground)
{
    auto* label = page->FindCtrlAs<CPicText>(1304);
    const QImage shot = label->grab().toImage();
    int inkRows = 0;
    int background = 0;
    for (int y = 0; y < shot.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (c == PatternColor(20 + x, 150 + y, kBackground))
                ++background;
            else
                ink = true;
        }
        inkRows += ink ? 1 : 0;
    }
    // Several lines of text, and most of the label is still the page picture.
    EXPECT_GT(inkRows, 2 * QFontMetrics(label->font()).height());
    EXPECT_GT(background, shot.width() * shot.height() / 2);
}

TEST_F(SkinControlsTest, HiddenLabelIsNotPaintedUntilShown)
{
    const QRect area(200, 150, 150, 40);
    auto sameAsBackground = [&] {
        const QImage shot = page->grab(area).toImage();
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixelColor(x, y) != PatternColor(area.x() + x, area.y() + y, kBackground))
                    return false;
        return true;
    };
    EXPECT_TRUE(sameAsBackground());
    page->FindCtrl(1339)->show();
    EXPECT_FALSE(sameAsBackground());
}

TEST_F(SkinControlsTest, LabelAlignmentAndFill)
{
    auto* label = page->FindCtrlAs<CPicText>(1305);
    auto inkColumns = [&] {
        const QImage shot = label->grab().toImage();
        int first = -1, last = -1;
        for (int x = 0; x < shot.width(); ++x)
            for (int y = 0; y < shot.height(); ++y)
                if (shot.pixelColor(x, y) != PatternColor(20 + x, 250 + y, kBackground) &&
                    shot.pixelColor(x, y) != QColor(Qt::white)) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
        return std::make_pair(first, last);
    };
    label->SetText(QStringLiteral("IP"));
    const auto left = inkColumns();
    EXPECT_LT(left.first, 5);
    label->m_nAlign = 3;
    label->Redraw();
    const auto right = inkColumns();
    EXPECT_GT(right.second, 140);
    EXPECT_GT(right.first, 100);
    label->m_bFill = 1;
    label->m_crFill = RGB(255, 255, 255);
    label->Redraw();
    EXPECT_EQ(label->grab().toImage().pixelColor(0, 0), QColor(Qt::white));
}

TEST_F(SkinControlsTest, ClickableTextPostsItsClickAndChangesColour)
{
    auto* link = page->FindCtrlAs<CPicText>(1305);
    EXPECT_EQ(link->m_bClickable, 1);
    EXPECT_EQ(page->FindCtrlAs<CPicText>(1304)->m_bClickable, 0);
    QTest::mouseMove(link, QPoint(5, 5));
    EXPECT_EQ(link->m_crCur, RGB(54, 153, 44));
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(link->m_crCur, RGB(119, 14, 19));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(link->m_crCur, RGB(150, 20, 20));
    EXPECT_EQ(Delivered(), std::vector<int>{1305});

    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, 300));
    EXPECT_EQ(Delivered(), std::vector<int>{1305});
}

// A double-click on a picture button or a clickable text is one click, not
// two (Next would run twice, a link would open two browser tabs).
TEST_F(SkinControlsTest, DoubleClickIsOneClick)
{
    auto* link = page->FindCtrlAs<CPicText>(1305);
    for (QWidget* w : {static_cast<QWidget*>(button), static_cast<QWidget*>(link)}) {
        page->commands.clear();
        // What the window system delivers: press, release, then the second
        // press as a double-click, and its release.
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(Delivered(), std::vector<int>{GetDlgCtrlID(w)}) << w->metaObject()->className();
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5), 600); // a later, separate click counts again
        EXPECT_EQ(Delivered(), (std::vector<int>{GetDlgCtrlID(w), GetDlgCtrlID(w)})) << w->metaObject()->className();
    }
}
