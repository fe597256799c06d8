// The about page: the skin's texts, the version text and its one button.
#include "ui/support/UiTestMain.h"

#include "app/PageFlow.h"
#include "pages/DlgAbout.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"
#include "skin/PicText.h"
#include "ui/support/HostRecorder.h"
#include "ui/support/TempSkin.h"

#include <QTest>

#include <memory>
#include <optional>

using namespace orv;
using namespace orv::test;

namespace {

class AboutTest : public ::testing::Test {
protected:
    CDlgAbout& Make()
    {
        page = std::make_unique<CDlgAbout>(&host);
        EXPECT_TRUE(page->Create());
        return *page;
    }
    QString Text(int id) const
    {
        const auto* text = page->FindCtrlAs<CPicText>(id);
        return text ? text->GetText() : QStringLiteral("<missing>");
    }

    HostRecorder host;
    MessageBoxHook boxes;
    std::unique_ptr<CDlgAbout> page;
};

} // namespace

TEST_F(AboutTest, InstalledSkinShowsItsTextsAndTheProgramVersion)
{
    Make(); // the skin installed beside the test program
    EXPECT_FALSE(Text(CDlgAbout::kIdProject).isEmpty());
    EXPECT_FALSE(Text(CDlgAbout::kIdCreat).isEmpty());
    EXPECT_EQ(Text(CDlgAbout::kIdVer).toStdU16String(), res::FormatVersionText(res::GetProgramVersion()));
    EXPECT_TRUE(Text(CDlgAbout::kIdVer).startsWith(QStringLiteral("Version:  ")));
    // One button only: no Exit or Back.
    EXPECT_NE(page->FindCtrl(IDC_NEXT), nullptr);
    EXPECT_EQ(page->FindCtrl(IDC_EXIT), nullptr);
    EXPECT_EQ(page->FindCtrl(IDC_BACK), nullptr);
}

TEST_F(AboutTest, VersionTextFromTheFormatOrTheSkinsCaption)
{
    struct Case {
        const char* ini;
        const char16_t* expected;
    } cases[] = {
        {"[DlgAbout.Ver]\nx=10\ny=10\nw=300\nh=20\n", u"Version:  1.0.4.2112"},
        {"[DlgAbout.Ver]\nx=10\ny=10\nw=300\nh=20\ncaption=Build of the week\n", u"Build of the week"},
        {"[DlgAbout.Ver]\ncaption=\n", u"Version:  1.0.4.2112"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        TempSkin skin;
        skin.WriteIni(c.ini);
        Make();
        res::ProgramVersion v;
        ASSERT_TRUE(res::ParseVersion("1.0.4.2112", v));
        EXPECT_EQ(page->VersionText(v).toStdU16String(), std::u16string(c.expected));
        page.reset();
    }
}

TEST_F(AboutTest, PageWorksWithoutTheTextSections)
{
    TempSkin skin;
    skin.WriteIni("[DlgAbout.Ver]\nx=10\ny=10\nw=300\nh=20\n");
    Make();
    for (int id : {CDlgAbout::kIdProject, CDlgAbout::kIdCreat}) {
        EXPECT_TRUE(Text(id).isEmpty()) << id;
        EXPECT_EQ(page->FindCtrl(id)->size(), QSize(0, 0)) << id;
    }
    EXPECT_EQ(Text(CDlgAbout::kIdVer).toStdU16String(), res::FormatVersionText(res::GetProgramVersion()));
}

TEST_F(AboutTest, NextReturnsToTheListAndClosingExits)
{
    Make();
    page->SendCommand(IDC_NEXT);
    page->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    QTest::keyClick(page.get(), Qt::Key_Escape);
    QTest::keyClick(page.get(), Qt::Key_Return);
    EXPECT_TRUE(page->isVisible());
    page->close();
    const auto& posted = host.Drain();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].wParam, kNavNext);
    EXPECT_EQ(posted[1].wParam, kNavExit);
    EXPECT_TRUE(boxes.Calls().empty());
}
