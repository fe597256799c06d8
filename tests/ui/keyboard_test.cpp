// A page without a mouse: Tab and Shift+Tab walk the controls in the order
// the layout shows them, a focused picture button shows a mark over its
// picture and Space presses it, and a screen reader learns each control's
// name and role.
#include "ui/support/UiTestMain.h"

#include "platform/qt/ListCtrl.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "skin/PicButton.h"
#include "skin/PicDialog.h"
#include "skin/PicText.h"
#include "ui/support/HostRecorder.h"
#include "ui/support/TempSkin.h"

#include <QAccessible>
#include <QTest>

#include <memory>

using namespace orv;
using namespace orv::test;

namespace {

class CommandPage : public CPicDialog {
public:
    using CPicDialog::CPicDialog;
    std::vector<int> commands;

protected:
    void OnCommand(int id, int) override { commands.push_back(id); }
};

// Controls are created out of reading order on purpose.
const char* kIni =
    "[DlgKeys]\nbackground=bg.png\n"
    "[DlgKeys.Next]\nnormalImage=n.png\nx=300\ny=250\nw=80\nh=30\ntip=Go on to the summary\n"
    "[DlgKeys.Exit]\nnormalImage=n.png\nx=20\ny=250\nw=80\nh=30\n"
    "[DlgKeys.Back]\nnormalImage=n.png\nx=200\ny=252\nw=80\nh=30\n"
    "[DlgKeys.Start]\nnormalImage=n.png\nx=300\ny=160\nw=80\nh=30\ntip=Start WPS with the PIN shown\n"
    "[DlgKeys.Title]\nx=20\ny=10\nw=150\nh=20\ncaption=Sign in\n"
    "[DlgKeys.Link]\nx=250\ny=12\nw=120\nh=20\ncaption=Open the web page\n"
    "[DlgKeys.ADMID]\nx=150\ny=50\nw=150\nh=24\n"
    "[DlgKeys.ADMPWD]\nx=150\ny=90\nw=150\nh=24\npassword=1\ntip=Password\n"
    "[DlgKeys.CKBX]\nx=20\ny=125\nw=200\nh=20\ncaption=Change the password\n"
    "[DlgKeys.DHCPOFF]\nx=150\ny=165\nw=100\nh=20\ncaption=Fixed\n"
    "[DlgKeys.DHCPON]\nx=20\ny=162\nw=100\nh=24\ncaption=Automatic\n"
    "[DlgKeys.CHANNEL]\nx=20\ny=205\nw=120\nh=24\n";

// Reading order of the ids below.
const std::vector<int> kReadingOrder = {1305, 1101, 1102, 1202, 1207, 1208, 1250, 1114, 1001, 1002, 1003};

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.WritePicture(QStringLiteral("Image/bg.png"), 400, 300, 77);
        skin.WritePicture(QStringLiteral("Image/n.png"), 80, 30, 10);
        skin.WriteIni(kIni);
        page = std::make_unique<CommandPage>(130, &host);
        page->SetupSkinPaths(QStringLiteral("DlgKeys"));
        page->Create();
        page->AddPicButton(IDC_NEXT, QStringLiteral("DlgKeys.Next"));
        page->AddComboBox(QStringLiteral("DlgKeys.CHANNEL"), 1114);
        page->AddEdit(QStringLiteral("DlgKeys.ADMPWD"), 1102);
        page->AddPicButton(IDC_EXIT, QStringLiteral("DlgKeys.Exit"));
        page->AddRadio(QStringLiteral("DlgKeys.DHCPOFF"), 1208, QStringLiteral("disable"));
        page->AddPicText(QStringLiteral("DlgKeys.Title"), 1304, 1, 0);
        page->AddEdit(QStringLiteral("DlgKeys.ADMID"), 1101);
        page->AddPicButton(1250, QStringLiteral("DlgKeys.Start"));
        page->AddCheckBox(QStringLiteral("DlgKeys.CKBX"), 1202);
        page->AddPicText(QStringLiteral("DlgKeys.Link"), 1305, 1, 1);
        page->AddRadio(QStringLiteral("DlgKeys.DHCPON"), 1207, QStringLiteral("enable"));
        page->AddPicButton(IDC_BACK, QStringLiteral("DlgKeys.Back"));
        page->show();
        page->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    }

    int FocusedId() const { return GetDlgCtrlID(QApplication::focusWidget()); }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
    }
    std::vector<int> Delivered()
    {
        QCoreApplication::sendPostedEvents();
        return page->commands;
    }

    TempSkin skin;
    HostRecorder host;
    std::unique_ptr<CommandPage> page;
};

} // namespace

TEST_F(KeyboardTest, TabAndShiftTabFollowTheLayout)
{
    page->FindCtrl(kReadingOrder.front())->setFocus(Qt::TabFocusReason);
    std::vector<int> forward{FocusedId()};
    for (std::size_t i = 1; i < kReadingOrder.size(); ++i) {
        Key(Qt::Key_Tab);
        forward.push_back(FocusedId());
    }
    EXPECT_EQ(forward, kReadingOrder);
    Key(Qt::Key_Tab);
    EXPECT_EQ(FocusedId(), kReadingOrder.front()) << "Tab wraps round";

    std::vector<int> backward;
    for (std::size_t i = 0; i < kReadingOrder.size(); ++i) {
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
        backward.push_back(FocusedId());
    }
    EXPECT_EQ(std::vector<int>(backward.rbegin(), backward.rend()), kReadingOrder);
    // A text that is only printed takes no focus; a mouse click leaves the
    // focus where it was.
    EXPECT_EQ(page->FindCtrl(1304)->focusPolicy(), Qt::NoFocus);
    page->FindCtrl(1101)->setFocus();
    QTest::mouseClick(page->FindCtrl(IDC_NEXT), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(FocusedId(), 1101);
}

TEST_F(KeyboardTest, SpacePressesEnterAndEscapeAreLeftToThePage)
{
    auto* next = page->FindCtrlAs<CPicButton>(IDC_NEXT);
    next->setFocus(Qt::TabFocusReason);
    QTest::keyPress(next, Qt::Key_Space);
    EXPECT_EQ(next->m_bPressed, 1) << "shown down while Space is held";
    EXPECT_TRUE(Delivered().empty());
    QTest::keyRelease(next, Qt::Key_Space);
    EXPECT_EQ(Delivered(), std::vector<int>{IDC_NEXT});
    EXPECT_EQ(next->m_bPressed, 0);

    Key(Qt::Key_Return);
    Key(Qt::Key_Enter);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Delivered(), std::vector<int>{IDC_NEXT});
    EXPECT_TRUE(page->isVisible());

    next->m_bDisabled = 1;
    next->DrawState();
    Key(Qt::Key_Space);
    EXPECT_EQ(Delivered(), std::vector<int>{IDC_NEXT}) << "a disabled button stays silent";
    next->m_bDisabled = 0;
    next->DrawState();

    page->FindCtrl(1305)->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Space);
    EXPECT_EQ(Delivered(), (std::vector<int>{IDC_NEXT, 1305})) << "a clickable text presses like a button";
}

TEST_F(KeyboardTest, FocusedButtonShowsAMarkOverItsPicture)
{
    auto* back = page->FindCtrlAs<CPicButton>(IDC_BACK);
    const QImage plain = back->grab().toImage();
    back->setFocus(Qt::TabFocusReason);
    const QImage focused = back->grab().toImage();
    // The mark runs round the picture 3 pixels in: light and dark dots that
    // the pattern picture (blue 10 everywhere) never has.
    int marked = 0;
    for (int x = 3; x < back->width() - 3; ++x) {
        const QColor c = focused.pixelColor(x, 3);
        if (c == QColor(Qt::black) || c == QColor(Qt::white))
            ++marked;
    }
    EXPECT_GT(marked, (back->width() - 6) * 3 / 4);
    EXPECT_EQ(focused.pixelColor(back->width() / 2, back->height() / 2),
        plain.pixelColor(back->width() / 2, back->height() / 2))
        << "the picture itself stays";
    page->FindCtrl(1101)->setFocus();
    EXPECT_EQ(back->grab().toImage(), plain) << "gone with the focus";

    if (qEnvironmentVariableIsSet("ORVANTA_SHOTS")) {
        back->setFocus(Qt::TabFocusReason);
        page->grab().save(qEnvironmentVariable("ORVANTA_SHOTS") + QStringLiteral("/focused-button.png"));
    }
}

TEST_F(KeyboardTest, ScreenReadersGetNamesAndRoles)
{
    struct Case {
        int id;
        QAccessible::Role role;
        const char* name;
        const char* description;
    } cases[] = {
        {IDC_NEXT, QAccessible::Button, "Next", "Go on to the summary"}, // the shared word, the tip told
        {IDC_EXIT, QAccessible::Button, "Exit", ""},
        {1250, QAccessible::Button, "Start WPS with the PIN shown", ""}, // no caption: the tip
        {1305, QAccessible::Link, "Open the web page", ""},
        {1304, QAccessible::StaticText, "Sign in", ""},
        {1101, QAccessible::EditableText, "ADMID", ""}, // nothing else: the section's name
        {1102, QAccessible::EditableText, "Password", ""}, // an edit's tip: the label painted beside it
        {1202, QAccessible::CheckBox, "Change the password", ""},
        {1207, QAccessible::RadioButton, "Automatic", ""},
        {1114, QAccessible::ComboBox, "CHANNEL", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(page->FindCtrl(c.id));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), c.role);
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(c.name));
        EXPECT_EQ(a->text(QAccessible::Description), QString::fromUtf8(c.description));
    }
    // A printed text is read as it shows now.
    page->FindCtrlAs<CPicText>(1304)->SetText(QStringLiteral("Network settings"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(page->FindCtrl(1304))->text(QAccessible::Name),
        QStringLiteral("Network settings"));

    // Pressing through the reader is a click; a disabled button says so.
    QAccessibleInterface* next = QAccessible::queryAccessibleInterface(page->FindCtrl(IDC_NEXT));
    ASSERT_NE(next->actionInterface(), nullptr);
    next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Delivered(), std::vector<int>{IDC_NEXT});
    page->FindCtrlAs<CPicButton>(IDC_NEXT)->m_bDisabled = 1;
    EXPECT_TRUE(next->state().disabled);
    next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Delivered(), std::vector<int>{IDC_NEXT});

    // A radio button is announced as one, checked or not, and pressing it
    // through the reader chooses it.
    QAccessibleInterface* radio = QAccessible::queryAccessibleInterface(page->FindCtrl(1208));
    EXPECT_FALSE(radio->state().checked);
    radio->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(radio->state().checked);
    EXPECT_EQ(Delivered(), (std::vector<int>{IDC_NEXT, 1208}));
}

TEST(KeyboardList, CameraRowsAreReadable)
{
    TempSkin skin;
    skin.WritePicture(QStringLiteral("Image/bg.png"), 400, 300, 77);
    skin.WriteIni("[DlgListCam]\nbackground=bg.png\n[DlgListCam.ListCtrl]\nx=10\ny=10\nw=380\nh=200\n");
    HostRecorder host;
    CommandPage page(129, &host);
    page.SetupSkinPaths(QStringLiteral("DlgListCam"));
    page.Create();
    ASSERT_TRUE(page.AddListCtrl(LVS_SINGLESEL));
    auto* list = page.FindCtrlAs<CListCtrl>(kListCtrlId);
    list->InsertColumn(0, QStringLiteral("Model"), 100);
    list->InsertColumn(1, QStringLiteral("IP"), 100);
    list->InsertItem(0, QStringLiteral("K81-X"));
    list->SetItemText(0, 1, QStringLiteral("198.18.1.50"));
    page.show();

    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Table);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Cameras"));
    QAccessibleTableInterface* table = a->tableInterface();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("K81-X"));
    EXPECT_EQ(table->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("198.18.1.50"));
    EXPECT_EQ(table->columnDescription(1), QStringLiteral("IP"));

    // Tab leaves the list instead of walking its cells (which would move
    // the pick); the arrows choose the row.
    EXPECT_FALSE(list->tabKeyNavigation());
}
