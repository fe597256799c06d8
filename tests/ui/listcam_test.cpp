#include "ui/support/UiTestMain.h"

#include "pages/DlgListCam.h"
#include "platform/qt/ListCtrl.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WinDefs.h"
#include "skin/PicButton.h"
#include "support/WizardDriver.h"
#include "ui/support/HostRecorder.h"
#include "ui/support/TempSkin.h"

#include <QTest>

#include <memory>

using namespace orv;
using namespace orv::test;
using orvtest::FeedCameras;
using orvtest::MakeCameraRecord;
using orvtest::WizardDriver;

namespace {

const char* kButtons = "[DlgListCam.Exit]\nnormalImage=b.png\nw=40\nh=20\n"
                       "[DlgListCam.Next]\nnormalImage=b.png\nx=50\nw=40\nh=20\n"
                       "[DlgListCam.Search]\nnormalImage=b.png\nx=100\nw=40\nh=20\n"
                       "[DlgListCam.Link]\nnormalImage=b.png\nx=150\nw=40\nh=20\n"
                       "[DlgListCam.MAbout]\nnormalImage=b.png\nx=200\nw=40\nh=20\n"
                       "[DlgListCam.WPS]\nnormalImage=b.png\nx=250\nw=40\nh=20\n";

const char* kColumns = "[DlgListCam.ListCtrl]\ny=40\nw=400\nh=200\nheader_enable=1\ncount=4\n"
                       "0.column=Model\n0.width=80\n"
                       "1.column=Name\n1.width=80\n1.index=1\n"
                       "2.column=IP address\n2.width=80\n2.index=2\n"
                       "3.column=MAC address\n3.width=120\n3.index=-1\n";

class ListCamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.WritePicture(QStringLiteral("Image/b.png"), 40, 20);
        // Searches find what a test feeds and never touch a real adapter.
        FeedCameras(engine, {});
    }

    // A list page over `engine` with the given settings file, its first
    // search started as the host starts it.
    CDlgListCam& Open(const std::string& ini)
    {
        skin.WriteIni(ini);
        page = std::make_unique<CDlgListCam>(&host);
        page->Create();
        page->SetEngine(&engine);
        page->StartListPage(&settings);
        page->show();
        return *page;
    }
    bool SearchDone() { return WizardDriver::WaitUntil([&] { return !page->Searching(); }); }
    bool ButtonEnabled(int id)
    {
        auto* b = page->FindCtrlAs<CPicButton>(id);
        return b && b->m_bDisabled == 0;
    }
    QString Cell(int row, int col) { return page->List()->GetItemText(row, col); }

    TempSkin skin;
    HostRecorder host;
    CCamEngine engine;
    WizardSettings settings;
    std::unique_ptr<CDlgListCam> page;
    MessageBoxHook boxes;
};

const uint8_t kIp1[4] = {192, 168, 1, 20};
const uint8_t kIp2[4] = {192, 168, 1, 21};
const uint8_t kIp3[4] = {10, 0, 0, 3};

} // namespace

TEST_F(ListCamTest, ColumnDefinitionsByIndex)
{
    struct Case {
        const char* defs;
        std::vector<std::pair<int, std::string>> titles; // index, title
        int columns;
    } cases[] = {
        // -1 means the definition's own number; -2 (any other negative) skips it.
        {"count=4\n0.column=A\n0.index=-1\n1.column=B\n1.index=-2\n2.column=C\n2.index=1\n3.column=D\n3.index=-1\n",
            {{0, "A"}, {1, "C"}, {3, "D"}}, 3},
        // An index past the 20 stored titles is still a column, but stores nothing.
        {"count=2\n0.column=A\n1.column=Far\n1.index=25\n", {{0, "A"}}, 2},
        {"count=0\n", {}, 0},
    };
    for (const Case& c : cases) {
        Open(std::string("[DlgListCam.ListCtrl]\n") + c.defs);
        EXPECT_EQ(page->List()->columnCount(), c.columns) << c.defs;
        for (int i = 0; i < CDlgListCam::kMaxColumns; ++i) {
            std::string want;
            for (const auto& [index, title] : c.titles)
                if (index == i)
                    want = title;
            EXPECT_EQ(Utf8(page->ColumnTitle(i)), want) << c.defs << " column " << i;
        }
        ASSERT_TRUE(SearchDone());
        page.reset();
    }
}

TEST_F(ListCamTest, LiveRowsNewestOnTopAndControlsDuringSearch)
{
    FeedCameras(engine, {{MakeCameraRecord(1, "A10", "Hall", kIp1)}, {MakeCameraRecord(2, "B20", "Yard", kIp2)}}, 400);
    Open(std::string(kButtons) + kColumns);
    // While searching: list and buttons disabled, WPS hidden, rows already shown.
    EXPECT_TRUE(page->Searching());
    EXPECT_FALSE(page->List()->isEnabled());
    for (int id : {IDC_EXIT, IDC_NEXT, CDlgListCam::kIdSearch, CDlgListCam::kIdLink, CDlgListCam::kIdAbout})
        EXPECT_FALSE(ButtonEnabled(id)) << id;
    EXPECT_FALSE(page->FindCtrl(CDlgListCam::kIdWps)->isVisible());
    ASSERT_TRUE(WizardDriver::WaitUntil([&] { return page->List()->GetItemCount() >= 1; }));
    EXPECT_TRUE(page->Searching());
    EXPECT_EQ(Cell(0, 0), "A10");

    ASSERT_TRUE(SearchDone());
    ASSERT_EQ(page->List()->GetItemCount(), 2);
    // The camera found last is on top, and it is picked.
    EXPECT_EQ(Cell(0, 0), "B20");
    EXPECT_EQ(Cell(0, 1), "Yard");
    EXPECT_EQ(Cell(0, 2), "192.168.1.21");
    EXPECT_EQ(Cell(0, 3), "02.00.00.00.00.02");
    EXPECT_EQ(Cell(1, 0), "A10");
    EXPECT_TRUE(page->List()->isEnabled());
    for (int id : {IDC_EXIT, IDC_NEXT, CDlgListCam::kIdSearch, CDlgListCam::kIdLink, CDlgListCam::kIdAbout})
        EXPECT_TRUE(ButtonEnabled(id)) << id;
    EXPECT_EQ(page->List()->SelectedRows(), std::vector<int>{0});
    EXPECT_EQ(Utf8(page->SelectedIp()), "192.168.1.21");
    EXPECT_EQ(page->SelectedRecord(), 1);
    EXPECT_FALSE(WaitCursorShown());
}

TEST_F(ListCamTest, TitlesChooseTheText)
{
    FeedCameras(engine, {{MakeCameraRecord(7, "Q47-W", "Porch", kIp3)}});
    Open("[DlgListCam.ListCtrl]\ncount=4\n0.column=Model\n1.column=MAC or IP\n2.column=Remarks\n3.column=Name\n");
    ASSERT_TRUE(SearchDone());
    ASSERT_EQ(page->List()->GetItemCount(), 1);
    EXPECT_EQ(Cell(0, 1), "10.0.0.3"); // "IP" is tested before "MAC"
    EXPECT_EQ(Cell(0, 2), "");         // a title no rule names shows nothing
    EXPECT_EQ(Cell(0, 3), "Porch");
    // Without a MAC column the pick compares column 0 and finds nothing.
    EXPECT_TRUE(page->SelectedIp().empty());
}

TEST_F(ListCamTest, NoColumnZeroNoRows)
{
    FeedCameras(engine, {{MakeCameraRecord(1, "A10", "Hall", kIp1)}});
    Open("[DlgListCam.ListCtrl]\ncount=1\n0.column=IP\n0.index=1\n");
    ASSERT_TRUE(SearchDone());
    EXPECT_EQ(page->List()->GetItemCount(), 0);
    EXPECT_EQ(page->ShownRecords(), 1);
    page->SendCommand(IDC_NEXT);
    EXPECT_TRUE(host.Drain().empty());
}

TEST_F(ListCamTest, WpsButtonFollowsTheQ47Pick)
{
    FeedCameras(engine, {{MakeCameraRecord(1, "Q47-N", "Hall", kIp1), MakeCameraRecord(2, "B20", "Yard", kIp2)}});
    Open(std::string(kButtons) + kColumns + "[Main.Page]\nWPS_Show=1\n");
    ASSERT_TRUE(SearchDone());
    QWidget* wps = page->FindCtrl(CDlgListCam::kIdWps);
    EXPECT_FALSE(wps->isVisible()); // row 0 is the B20
    page->List()->SetItemSelected(1, true);
    page->List()->SetItemSelected(0, false);
    EXPECT_TRUE(wps->isVisible());
    page->List()->SetItemSelected(0, true);
    page->List()->SetItemSelected(1, false);
    EXPECT_FALSE(wps->isVisible());
}

TEST_F(ListCamTest, LinkOpensTheCameraPage)
{
    ShellHook shell;
    FeedCameras(engine, {{MakeCameraRecord(1, "A10", "Hall", kIp1, 8080)}});
    Open(std::string(kButtons) + kColumns);
    ASSERT_TRUE(SearchDone());
    page->SendCommand(CDlgListCam::kIdLink);
    EXPECT_EQ(shell.urls, std::vector<std::u16string>{u"http://192.168.1.20:8080"});
}

TEST_F(ListCamTest, NextAndWpsPrepareThePick)
{
    FeedCameras(engine, {{MakeCameraRecord(1, "K81-X", "Hall", kIp1, 8080)}});
    Open(std::string(kButtons) + kColumns);
    ASSERT_TRUE(SearchDone());
    WCopy(settings.AdminID, u"admin");
    WCopy(settings.AdminPwd, u"pw");
    page->SendCommand(IDC_NEXT);
    ASSERT_EQ(host.Drain().size(), 1u);
    EXPECT_EQ(host.messages[0].wParam, kNavNext);
    EXPECT_EQ(Utf8(settings.Model), "K81-X");
    EXPECT_EQ(Utf8(settings.ListedIP), "192.168.1.20");
    EXPECT_EQ(Utf8(settings.MacText), "02.00.00.00.00.01");
    EXPECT_EQ(settings.Kind, 2);
    EXPECT_EQ(settings.Family, 7);
    EXPECT_EQ(Utf8(settings.AdminID), "admin"); // Next keeps them

    page->SendCommand(CDlgListCam::kIdWps);
    ASSERT_EQ(host.Drain().size(), 2u);
    EXPECT_EQ(host.messages[1].wParam, kNavWps);
    EXPECT_EQ(settings.AdminID[0], 0);
    EXPECT_EQ(settings.AdminPwd[0], 0);
}

TEST_F(ListCamTest, ANewSearchClearsThePick)
{
    FeedCameras(engine, {{MakeCameraRecord(1, "A10", "Hall", kIp1), MakeCameraRecord(2, "B20", "Yard", kIp2)}});
    Open(std::string(kButtons) + kColumns);
    ASSERT_TRUE(SearchDone());
    page->List()->SetItemSelected(1, true);
    ASSERT_EQ(page->SelectedRecord(), 0);
    // The next search finds nothing: the old pick must not survive into it.
    FeedCameras(engine, {});
    page->SendCommand(CDlgListCam::kIdSearch);
    ASSERT_TRUE(SearchDone());
    EXPECT_TRUE(page->SelectedIp().empty());
    page->SendCommand(IDC_NEXT);
    page->SendCommand(CDlgListCam::kIdWps);
    page->SendCommand(CDlgListCam::kIdLink);
    EXPECT_TRUE(host.Drain().empty());
}

TEST_F(ListCamTest, SettingsResetFontAndSwitches)
{
    struct Case {
        const char* weight;
        int32_t want;
    } cases[] = {{"12", 400}, {"7", 700}, {"0", 0}, {"-1", 400}, {"", 400}};
    for (const Case& c : cases) {
        WizardSettings fresh;
        settings = fresh;
        WCopy(settings.CameraIP, u"1.2.3.4");
        WCopy(settings.NewPwd, u"x");
        settings.Capabilities[5] = 168;
        settings.WpsChosen = 1;
        WCopy(settings.Model, u"kept");
        Open(std::string("[Main.Font]\nFont_Style=Serif Face\nFont_Size=17\nFont_Weight=") + c.weight +
             "\n[Main.Page]\nWPS_Show=1\nONLY_WIRELLESSNEW=3\n");
        EXPECT_EQ(settings.UiFont.Weight, c.want) << c.weight;
        EXPECT_EQ(settings.UiFont.Height, 17);
        EXPECT_EQ(Utf8(settings.UiFont.FaceName), "Serif Face");
        EXPECT_EQ(settings.CameraIP[0], 0);
        EXPECT_EQ(settings.NewPwd[0], 0);
        EXPECT_EQ(settings.Capabilities[5], 0);
        EXPECT_EQ(settings.WpsChosen, 0);
        EXPECT_EQ(Utf8(settings.Model), "kept");
        EXPECT_EQ(settings.WpsShow, 1);
        EXPECT_EQ(settings.OnlyWirelessNew, 3);
        ASSERT_TRUE(SearchDone());
        page.reset();
    }
    // A font once made is kept by later list pages.
    Open("[Main.Font]\nFont_Style=Other\nFont_Size=30\n");
    EXPECT_EQ(Utf8(settings.UiFont.FaceName), "Serif Face");
    EXPECT_EQ(settings.WpsShow, 0);
    ASSERT_TRUE(SearchDone());
}

TEST_F(ListCamTest, ExitAboutAndKeys)
{
    Open(std::string(kButtons) + kColumns);
    ASSERT_TRUE(SearchDone());
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(page.get(), static_cast<Qt::Key>(key));
    EXPECT_TRUE(host.Drain().empty());
    EXPECT_TRUE(page->isVisible());
    page->SendCommand(CDlgListCam::kIdAbout);
    page->SendCommand(CDlgListCam::kIdUnused);
    page->SendCommand(IDC_EXIT);
    const auto& got = host.Drain();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].wParam, kNavAbout);
    EXPECT_EQ(got[1].wParam, 1527);
    EXPECT_EQ(got[2].wParam, kNavExit);
}

// A search that finds no camera says once why that may be (message 3002);
// a search that finds one says nothing.
TEST_F(ListCamTest, NoCameraFoundIsSaidOncePerSearch)
{
    Open(std::string(kButtons) + kColumns + "[Message]\nMessage3002=Nothing found.\\\\Run the doctor.\n");
    ASSERT_TRUE(SearchDone());
    // The page's timer had ticks to spare: still one word per search.
    QTest::qWait(300);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, u"Nothing found.\r\nRun the doctor.");

    page->SendCommand(CDlgListCam::kIdSearch);
    ASSERT_TRUE(SearchDone());
    QTest::qWait(300);
    EXPECT_EQ(boxes.Calls().size(), 2u);

    FeedCameras(engine, {{MakeCameraRecord(1, "A10", "Hall", kIp1)}});
    page->SendCommand(CDlgListCam::kIdSearch);
    ASSERT_TRUE(SearchDone());
    QTest::qWait(300);
    EXPECT_EQ(boxes.Calls().size(), 2u);
}
