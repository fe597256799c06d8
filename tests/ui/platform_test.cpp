#include "ui/support/UiTestMain.h"

#include "platform/qt/MessageBox.h"
#include "platform/qt/PageWindow.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "ui/support/HostRecorder.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>

#include <cstring>

using namespace orv;
using namespace orv::test;

namespace {

class TimerPage : public CPageWindow {
public:
    using CPageWindow::CPageWindow;
    std::vector<int> ticks;
    std::vector<std::pair<int, int>> commands;
    std::vector<unsigned> others;

protected:
    void OnTimer(int id) override
    {
        ticks.push_back(id);
        if (id == 7)
            KillTimer(7); // one-shot, as pages stop their timers from the handler
    }
    void OnCommand(int id, int code) override { commands.emplace_back(id, code); }
    void OnMessage(unsigned msg, intptr_t, intptr_t) override { others.push_back(msg); }
};

} // namespace

TEST(Platform, TimersRunByIdUntilKilled)
{
    TimerPage page;
    page.SetTimer(1, 5);
    page.SetTimer(7, 1);
    page.SetTimer(1, 5); // setting again keeps one timer 1
    QTest::qWait(100);
    page.KillTimer(1);
    const std::size_t count = page.ticks.size();
    QTest::qWait(30);
    EXPECT_EQ(page.ticks.size(), count);
    EXPECT_EQ(std::count(page.ticks.begin(), page.ticks.end(), 7), 1);
    EXPECT_GE(std::count(page.ticks.begin(), page.ticks.end(), 1), 2);
    EXPECT_FALSE(page.HasTimer(1));
    EXPECT_FALSE(page.HasTimer(7));
}

TEST(Platform, PostedMessagesArriveLaterAndNotAfterTheTargetIsGone)
{
    TimerPage page;
    PostCommand(&page, 1004, 0, nullptr);
    PostMessage(&page, WM_USER_MSG + 5, 1, 2);
    EXPECT_TRUE(page.commands.empty());
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(page.commands.size(), 1u);
    EXPECT_EQ(page.commands[0], std::make_pair(1004, 0));
    EXPECT_EQ(page.others, std::vector<unsigned>{WM_USER_MSG + 5});

    auto* doomed = new TimerPage;
    PostCommand(doomed, 1003, 0, nullptr);
    delete doomed;
    QCoreApplication::sendPostedEvents(); // must not reach the deleted page
    EXPECT_FALSE(PostMessage(nullptr, WM_PAGE_NAV, kNavExit, 0));
}

TEST(Platform, PageWithoutHostPostsNowhereAndHostSeesNavigation)
{
    TimerPage orphan;
    EXPECT_FALSE(orphan.PostNavigation(kNavNext));
    HostRecorder host;
    auto* page = new TimerPage(&host);
    EXPECT_TRUE(page->isWindow());
    EXPECT_TRUE(page->PostNavigation(kNavAbout));
    ASSERT_EQ(host.Drain().size(), 1u);
    EXPECT_EQ(host.messages[0].msg, 1124u);
    EXPECT_EQ(host.messages[0].wParam, 1537);
    EXPECT_EQ(host.messages[0].lParam, reinterpret_cast<intptr_t>(page));
}

TEST(Platform, StandardControlsSendTheirNotifications)
{
    TimerPage page;
    auto* edit = new CEdit(&page, 1101);
    auto* radio = new CRadioButton(&page, 1203);
    auto* combo = new CComboBox(&page, 1114);
    auto* push = new CPushButton(&page, 1337);
    combo->AddString(QStringLiteral("1"));
    combo->AddString(QStringLiteral("2"));
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));

    edit->setText(QStringLiteral("admin")); // set by the page: still a change
    radio->resize(100, 20);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, 10));
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_TRUE(radio->isChecked()); // clicking a checked radio keeps it
    combo->SetCurSel(1);             // by the page: no notification
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Up);
    push->resize(80, 24);
    QTest::mouseClick(push, Qt::LeftButton, {}, QPoint(40, 12));

    const std::vector<std::pair<int, int>> want = {
        {1101, EN_CHANGE}, {1203, BN_CLICKED}, {1203, BN_CLICKED}, {1114, CBN_SELCHANGE}, {1337, BN_CLICKED}};
    EXPECT_EQ(page.commands, want);
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(combo->SetCurSel(2), -1);
    EXPECT_EQ(combo->GetCurSel(), -1);
}

TEST(Platform, MessageBoxHookAnswersAndRecords)
{
    MessageBoxHook outer;
    {
        MessageBoxHook boxes;
        boxes.Answer(IDCANCEL);
        EXPECT_EQ(AfxMessageBox(u"Pairing failed.\r\nTry again?", MB_RETRYCANCEL | MB_ICONEXCLAMATION), IDCANCEL);
        EXPECT_EQ(AfxMessageBox(u"Stop the pairing?", MB_YESNO), IDYES);
        ASSERT_EQ(boxes.Calls().size(), 2u);
        EXPECT_EQ(boxes.Calls()[0].type, MB_RETRYCANCEL | MB_ICONEXCLAMATION);
        EXPECT_EQ(boxes.Calls()[1].text, u"Stop the pairing?");
    }
    EXPECT_EQ(AfxMessageBox(u"after", MB_OK), IDOK);
    EXPECT_EQ(outer.Calls().size(), 1u);
    const struct {
        unsigned type;
        int answer;
    } defaults[] = {{MB_OK, IDOK},       {MB_OKCANCEL, IDOK}, {MB_YESNO, IDYES},
                    {MB_RETRYCANCEL, IDRETRY}, {MB_YESNOCANCEL, IDYES}, {MB_ABORTRETRYIGNORE, IDABORT}};
    for (const auto& d : defaults)
        EXPECT_EQ(DefaultAnswer(d.type | MB_ICONEXCLAMATION), d.answer);
}

TEST(Platform, ShellHookKeepsUrlsAndSleepsInside)
{
    ShellHook shell;
    EXPECT_TRUE(OpenUrl(u"http://198.18.0.20:80"));
    QElapsedTimer clock;
    clock.start();
    SleepMs(5000);
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_EQ(shell.urls, std::vector<std::u16string>{u"http://198.18.0.20:80"});
    EXPECT_EQ(shell.sleeps, std::vector<int>{5000});
}

TEST(Platform, ProgramFolderVersionClipboardAndCursor)
{
    const std::string real = ProgramFolder();
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(real.back(), '/');
    EXPECT_EQ(real, QCoreApplication::applicationDirPath().toStdString() + "/");

    char buf[260];
    ASSERT_TRUE(GetModuleDirA(buf, sizeof buf));
    EXPECT_EQ(std::string(buf) + "/", real);
    OverrideProgramFolder("/opt/" + std::string(300, 'x'));
    std::memset(buf, 'z', sizeof buf);
    EXPECT_FALSE(GetModuleDirA(buf, sizeof buf));
    EXPECT_EQ(buf[0], '\0');
    OverrideProgramFolder("");
    EXPECT_EQ(ProgramFolder(), real);

    const ProgramVersionInfo v = ProgramVersion();
    EXPECT_EQ(v.major, 1);
    EXPECT_EQ(v.minor, 0);
    EXPECT_EQ(v.patch, 0);
    EXPECT_EQ(v.build, 0);

    SetClipboardText(u"12345670");
    EXPECT_EQ(ClipboardText(), u"12345670");

    {
        CWaitCursor wait;
        ShowWaitCursor(true); // a timer tick showing it again
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
