#include "ui/support/UiTestMain.h"

#include "platform/qt/ListCtrl.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "skin/PicButton.h"
#include "skin/PicDialog.h"
#include "skin/PicText.h"
#include "ui/support/HostRecorder.h"
#include "ui/support/TempSkin.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <memory>

using namespace orv;
using namespace orv::test;

namespace {

class SkinPage : public CPicDialog {
public:
    using CPicDialog::CPicDialog;
    std::vector<std::pair<int, int>> commands;

protected:
    void OnCommand(int id, int code) override
    {
        commands.emplace_back(id, code);
        CPicDialog::OnCommand(id, code);
    }
};

class PicDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.WritePicture(QStringLiteral("Image/bg.png"), 640, 480);
        skin.WritePicture(QStringLiteral("Image/btn.png"), 120, 40, 200);
    }
    SkinPage& MakePage(const char* pageName = "DlgTest")
    {
        page = std::make_unique<SkinPage>(130, &host);
        page->SetupSkinPaths(QString::fromLatin1(pageName));
        page->Create();
        return *page;
    }

    TempSkin skin;
    HostRecorder host;
    std::unique_ptr<SkinPage> page;
};

} // namespace

TEST_F(PicDialogTest, ImageFolderDefaultsToImageBesideTheProgram)
{
    skin.WriteIni("[DlgTest]\nbackground=bg.png\n");
    MakePage();
    EXPECT_EQ(page->ImageDir().toStdString(), skin.Folder() + "Image/");
    EXPECT_EQ(page->IniFile().toStdString(), skin.Folder() + "Orvanta.ini");
    EXPECT_EQ(page->PageName(), QStringLiteral("DlgTest"));
}

TEST_F(PicDialogTest, BackgroundSizesAndCentresThePageHidden)
{
    skin.WriteIni("[DlgTest]\nbackground=bg.png\n");
    MakePage();
    EXPECT_EQ(page->pos(), QPoint(192, 144));
    EXPECT_EQ(page->size(), QSize(640, 480));
    EXPECT_EQ(page->WindowRect(), QRect(0, 0, 640, 480));
    EXPECT_FALSE(page->isVisible());
    EXPECT_TRUE(page->windowFlags() & Qt::FramelessWindowHint);
    const QImage shot = page->grab().toImage();
    EXPECT_EQ(shot.pixelColor(300, 200), PatternColor(300, 200, 77));
}

TEST_F(PicDialogTest, PageWithoutUsableBackgroundKeepsItsFrame)
{
    skin.WriteFile(QStringLiteral("Image/logo.wmf"), QByteArray("\xD7\xCD\xC6\x9A\0\0\0\0", 8));
    skin.WriteFile(QStringLiteral("Image/empty.bmp"), QByteArray());
    for (const char* ini : {"[DlgTest]\n", "[DlgTest]\nbackground=missing.png\n", "[DlgTest]\nbackground=logo.wmf\n",
                            "[DlgTest]\nbackground=empty.bmp\n"}) {
        SCOPED_TRACE(ini);
        skin.WriteIni(ini);
        MakePage();
        EXPECT_FALSE(page->LoadBackground());
        EXPECT_EQ(page->size(), QSize(CPicDialog::kTemplateWidth, CPicDialog::kTemplateHeight));
        EXPECT_TRUE(page->Background().isNull());
        EXPECT_TRUE(page->MakeBgBrush(0, 0, 10, 10).isNull());
        page.reset();
    }
}

TEST_F(PicDialogTest, NumberedMessagesBreakLinesOrFallBack)
{
    skin.WriteIni("[Message]\nMessage7=The camera did not answer.\\\\Check its cable.\nMessage8=0\n");
    MakePage();
    MessageBoxHook boxes;
    boxes.Answer(IDNO);
    EXPECT_EQ(page->ShowMessage(7, MB_YESNO), IDNO);
    EXPECT_EQ(page->ShowMessage(8, MB_ICONEXCLAMATION), IDOK);
    EXPECT_EQ(page->ShowMessage(9, MB_RETRYCANCEL), IDRETRY);
    ASSERT_EQ(boxes.Calls().size(), 3u);
    EXPECT_EQ(boxes.Calls()[0].text, u"The camera did not answer.\r\nCheck its cable.");
    EXPECT_EQ(boxes.Calls()[0].type, MB_YESNO);
    EXPECT_EQ(boxes.Calls()[1].text, u"Some error occurred, error number is 8.");
    EXPECT_EQ(boxes.Calls()[1].type, MB_ICONEXCLAMATION);
    EXPECT_EQ(boxes.Calls()[2].text, u"Some error occurred, error number is 9.");
}

TEST_F(PicDialogTest, EveryFactoryCreatesItsControl)
{
    skin.WriteIni(
        "[DlgTest]\nbackground=bg.png\n"
        "[DlgTest.Next]\nnormalImage=btn.png\nx=500\ny=420\nw=100\nh=30\ntip=Next <b>step</b>\n"
        "[DlgTest.Lab]\nx=20\ny=20\nw=200\nh=20\ncaption=Camera name\n"
        "[DlgTest.Edit]\nx=20\ny=50\nw=150\nh=22\npassword=1\nMaxlen=8\n"
        "[DlgTest.Check]\nx=20\ny=80\nw=150\nh=20\ncaption=Change the password\n"
        "[DlgTest.Radio]\nx=20\ny=110\nw=150\nh=20\n"
        "[DlgTest.Combo]\nx=20\ny=140\nw=100\nh=400\ntext0=Open\ntext1=WEP\n"
        "[DlgTest.Push]\nx=20\ny=180\nw=90\nh=24\nCaption=Copy\n"
        "[DlgTest.Progress]\nx=20\ny=210\nw=200\nh=12\n"
        "[DlgListCam.ListCtrl]\nx=250\ny=20\nw=360\nh=200\n");
    MakePage();
    EXPECT_TRUE(page->AddPicButton(1003, QStringLiteral("DlgTest.Next")));
    EXPECT_TRUE(page->AddPicText(QStringLiteral("DlgTest.Lab"), 1304, 1, 0));
    EXPECT_TRUE(page->AddEdit(QStringLiteral("DlgTest.Edit"), 1102));
    EXPECT_TRUE(page->AddCheckBox(QStringLiteral("DlgTest.Check"), 1201));
    EXPECT_TRUE(page->AddRadio(QStringLiteral("DlgTest.Radio"), 1203, QStringLiteral("enable")));
    EXPECT_TRUE(page->AddComboBox(QStringLiteral("DlgTest.Combo"), 1114));
    EXPECT_TRUE(page->AddButton(1338, QStringLiteral("DlgTest.Push")));
    EXPECT_TRUE(page->AddProgress(QStringLiteral("DlgTest.Progress")));
    EXPECT_FALSE(page->AddListCtrl(0x50004005)); // 1201 is the check box's id already

    const struct {
        int id;
        int kind;
        QRect geometry;
    } want[] = {
        {1003, kPicButton, QRect(500, 420, 100, 30)}, {1304, kText, QRect(20, 20, 200, 20)},
        {1102, kEdit, QRect(20, 50, 150, 22)},        {1201, kCheckBox, QRect(20, 80, 150, 20)},
        {1203, kRadio, QRect(20, 110, 150, 20)},      {1338, kPushButton, QRect(20, 180, 90, 24)},
    };
    for (const auto& w : want) {
        SCOPED_TRACE(w.id);
        QWidget* c = page->FindCtrl(w.id);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->geometry(), w.geometry);
        EXPECT_EQ(GetDlgCtrlID(c), w.id);
        EXPECT_EQ(c->parentWidget(), page.get());
    }
    ASSERT_EQ(page->CtrlList().size(), 8u);
    EXPECT_EQ(page->CtrlList()[0]->m_nCtrlKind, kPicButton);
    EXPECT_EQ(page->CtrlList()[7]->m_nCtrlKind, kStandard);

    auto* edit = page->FindCtrlAs<CEdit>(1102);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    // The length limit holds typing and pasting to 8 characters; text the
    // program sets stays whole, and a longer text can be shortened by hand.
    EXPECT_EQ(edit->LimitText(), 8);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("0123456789"));
    EXPECT_EQ(edit->text(), QStringLiteral("01234567"));
    edit->setText(QStringLiteral("abc"));
    edit->setCursorPosition(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("XYZXYZXYZ"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("aXYZXYbc"));
    const QString key = QStringLiteral("0123456789ABCDEF0123456789");
    edit->setText(key);
    EXPECT_EQ(edit->text(), key);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, QStringLiteral("x"));
    EXPECT_EQ(edit->text(), key);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), key.left(key.size() - 1));
    EXPECT_EQ(page->FindCtrlAs<CRadioButton>(1203)->text(), QStringLiteral("enable"));
    EXPECT_EQ(page->FindCtrlAs<CPushButton>(1338)->text(), QStringLiteral("Copy"));
    EXPECT_EQ(page->FindCtrlAs<CPicText>(1304)->GetText(), QStringLiteral("Camera name"));
    ASSERT_NE(page->FindCtrlAs<CProgressCtrl>(kProgressId), nullptr);
    // The tooltip shows its markup as text.
    EXPECT_TRUE(page->FindCtrl(1003)->toolTip().contains(QStringLiteral("&lt;b&gt;")));
    // Brushes only for the controls that show the background through.
    EXPECT_FALSE(page->CtrlList()[1]->m_hBrush.isNull());
    EXPECT_TRUE(page->CtrlList()[2]->m_hBrush.isNull());
    EXPECT_EQ(page->CtrlList()[3]->m_hBrush.size(), QSize(150, 20));

    // A combo's rectangle reaches down by the font-based drop height.
    const CCtrlItem& combo = *page->CtrlList()[5];
    EXPECT_EQ(combo.m_rect.Height(), ComboDropHeight(QFontInfo(page->font()).pixelSize()));
    EXPECT_EQ(page->FindCtrlAs<CComboBox>(1114)->DropHeight(), combo.m_rect.Height());
}

TEST_F(PicDialogTest, ListControlGetsItsFixedIdAndSection)
{
    skin.WriteIni("[DlgListCam.ListCtrl]\nx=10\ny=20\nw=300\nh=150\n");
    MakePage("DlgListCam");
    ASSERT_TRUE(page->AddListCtrl(0x50004005));
    auto* list = page->FindCtrlAs<CListCtrl>(kListCtrlId);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry(), QRect(10, 20, 300, 150));
    EXPECT_TRUE(list->horizontalHeader()->isHidden());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list->InsertColumn(5, QStringLiteral("MAC"), 120), 0);
    EXPECT_EQ(list->InsertColumn(0, QStringLiteral("Model"), 80), 0);
    EXPECT_EQ(list->InsertItem(0, QStringLiteral("Q47")), 0);
    EXPECT_EQ(list->InsertItem(0, QStringLiteral("Q21")), 0);
    EXPECT_TRUE(list->SetItemText(0, 1, QStringLiteral("00.11.22.33.44.55")));
    EXPECT_FALSE(list->SetItemText(2, 0, QStringLiteral("x")));
    EXPECT_EQ(list->GetItemText(1, 0), QStringLiteral("Q47"));
    EXPECT_FALSE(page->AddListCtrl(0x50000001));
}

TEST_F(PicDialogTest, DropDownStopsAtFirstGapAndRejectsBadDefault)
{
    skin.WriteIni("[DlgTest.Ch]\nx=5\ny=5\nw=80\ntext0=1\ntext1=2\ntext3=4\ndefault=5\n"
                  "[DlgTest.Sec]\ntext0=Open\ntext1=WEP\ndefault=1\n");
    MakePage();
    ASSERT_TRUE(page->AddComboBox(QStringLiteral("DlgTest.Ch"), 1114));
    ASSERT_TRUE(page->AddComboBox(QStringLiteral("DlgTest.Sec"), 1215));
    auto* ch = page->FindCtrlAs<CComboBox>(1114);
    EXPECT_EQ(ch->count(), 2);
    EXPECT_EQ(ch->GetCurSel(), -1);
    EXPECT_EQ(page->FindCtrlAs<CComboBox>(1215)->GetCurSel(), 1);
}

TEST_F(PicDialogTest, RefusedControlsCreateNothing)
{
    skin.WriteIni("[DlgTest.A]\nx=1\ny=2\nw=30\nh=10\ncaption=first\n"
                  "[DlgTest.B]\nx=50\ny=60\nw=30\nh=10\ncaption=second\n"
                  "[DlgTest.NoNormal]\ndownImage=btn.png\nhoverImage=btn.png\ndisableImage=btn.png\nw=10\nh=10\n");
    MakePage();
    ASSERT_TRUE(page->AddPicText(QStringLiteral("DlgTest.A"), 1301, 1, 0));
    const int childrenBefore = static_cast<int>(page->children().size());
    EXPECT_FALSE(page->AddPicText(QStringLiteral("DlgTest.B"), 1301, 1, 0));
    EXPECT_FALSE(page->AddEdit(QStringLiteral("DlgTest.B"), 1301));
    EXPECT_FALSE(page->AddPicButton(1002, QStringLiteral("DlgTest.NoNormal")));
    EXPECT_FALSE(page->AddEdit(QString(), 1104));
    EXPECT_FALSE(page->AddRadio(QStringLiteral(""), 1105, QStringLiteral("x")));
    EXPECT_EQ(static_cast<int>(page->children().size()), childrenBefore);
    EXPECT_EQ(page->CtrlList().size(), 1u);
    EXPECT_EQ(page->FindCtrl(1002), nullptr);
    auto* first = page->FindCtrlAs<CPicText>(1301);
    EXPECT_EQ(first->GetText(), QStringLiteral("first"));
    EXPECT_EQ(first->geometry(), QRect(1, 2, 30, 10));
}

TEST_F(PicDialogTest, MissingSectionGivesZeroSizeControlAndLeadingDigitsPlaceIt)
{
    skin.WriteIni("[DlgTest.Odd]\nx=120abc\ny=abc\nw=40\nh=20\n");
    MakePage();
    ASSERT_TRUE(page->AddEdit(QStringLiteral("DlgTest.Absent"), 1101));
    EXPECT_EQ(page->FindCtrl(1101)->geometry(), QRect(0, 0, 0, 0));
    ASSERT_TRUE(page->AddEdit(QStringLiteral("DlgTest.Odd"), 1106));
    EXPECT_EQ(page->FindCtrl(1106)->geometry(), QRect(120, 0, 40, 20));
}

TEST_F(PicDialogTest, CheckBoxShowsTheBackgroundUnderIt)
{
    skin.WriteIni("[DlgTest]\nbackground=bg.png\n[DlgTest.Check]\nx=100\ny=100\nw=300\nh=24\ncaption=On\n");
    MakePage();
    ASSERT_TRUE(page->AddCheckBox(QStringLiteral("DlgTest.Check"), 1202));
    const QImage shot = page->grab().toImage();
    // Far right of the box, past its short caption: the page picture.
    EXPECT_EQ(shot.pixelColor(390, 110), PatternColor(390, 110, 77));
    EXPECT_EQ(page->CtrlList()[0]->m_hBrush.toImage().pixelColor(290, 10), PatternColor(390, 110, 77));
}

TEST_F(PicDialogTest, ExitBackAndCloseNavigateThroughTheHost)
{
    skin.WriteIni("[DlgTest]\nbackground=bg.png\n");
    MakePage();
    page->SendCommand(IDC_EXIT);
    page->SendCommand(IDC_BACK);
    page->SendCommand(IDC_NEXT); // a page's own business: the base posts nothing
    page->show();
    page->close();
    EXPECT_TRUE(page->isVisible()); // the host decides, the page stays
    const auto& got = host.Drain();
    ASSERT_EQ(got.size(), 3u);
    const intptr_t self = reinterpret_cast<intptr_t>(page.get());
    const int codes[] = {kNavExit, kNavBack, kNavExit};
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].msg, WM_PAGE_NAV);
        EXPECT_EQ(got[i].wParam, codes[i]);
        EXPECT_EQ(got[i].lParam, self);
    }
}

TEST_F(PicDialogTest, DraggingTheSurfaceMovesThePageButNotFromAControl)
{
    skin.WriteIni("[DlgTest]\nbackground=bg.png\n[DlgTest.Edit]\nx=10\ny=10\nw=100\nh=20\n"
                  "[DlgTest.Lab]\nx=10\ny=300\nw=100\nh=20\ncaption=label\n");
    MakePage();
    page->AddEdit(QStringLiteral("DlgTest.Edit"), 1101);
    page->AddPicText(QStringLiteral("DlgTest.Lab"), 1301, 1, 0);
    page->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    const QPoint start = page->pos();

    QTest::mousePress(page.get(), Qt::LeftButton, {}, QPoint(300, 200));
    QTest::mouseMove(page.get(), QPoint(330, 210));
    QTest::mouseRelease(page.get(), Qt::LeftButton, {}, QPoint(330, 210));
    EXPECT_EQ(page->pos(), start + QPoint(30, 10));

    // A text that is not clickable leaves the drag to the page.
    QWidget* label = page->FindCtrl(1301);
    const QPoint before = page->pos();
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(label, QPoint(25, 5));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(25, 5));
    EXPECT_EQ(page->pos(), before + QPoint(20, 0));

    const QPoint still = page->pos();
    QWidget* edit = page->FindCtrl(1101);
    QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(edit, QPoint(60, 15));
    QTest::mouseRelease(edit, Qt::LeftButton, {}, QPoint(60, 15));
    EXPECT_EQ(page->pos(), still);
}
