// The WPS page with the camera replaced by scripted results and the tick
// clock by a number the test moves: modes, the PIN, the start of a pairing,
// the 120-second windows, the end messages and the confirmations.
#include "ui/support/UiTestMain.h"

#include "app/PageFlow.h"
#include "pages/DlgWPSSetting.h"
#include "pages/WpsLogic.h"
#include "platform/core/WideText.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "ui/support/HostRecorder.h"

#include <QTest>

#include <deque>
#include <memory>
#include <string>
#include <vector>

using namespace orv;
using namespace orv::test;

namespace {

using Page = CDlgWPSSetting;

// Stands in for the camera: every operation answers from its queue (polls
// answer "still running" when their queue is empty) and is recorded.
class ScriptedWpsPage : public CDlgWPSSetting {
public:
    using CDlgWPSSetting::CDlgWPSSetting;

    void Tick() { OnTimer(kWpsTimerId); }
    void OtherTimer() { OnTimer(1); }

    int queryResult = -1;
    int queryMsgCode = 0;
    int initResult = -1;
    std::deque<int> pollInfo, send, pollStatus;
    std::vector<std::string> calls;
    std::string pinSent;
    QString idSent, pwdSent;

protected:
    int RunQueryWps() override
    {
        calls.push_back("QueryWPS");
        idSent = m_strAdmId;
        pwdSent = m_strAdmPwd;
        m_nMsgCode = queryMsgCode;
        return queryResult;
    }
    int RunInitWps() override
    {
        calls.push_back("InitWPS");
        pinSent = m_szPin;
        return initResult;
    }
    int PollWpsInfo() override { return Next("PollWPSInf", pollInfo, -2); }
    int RunSendWps() override { return Next("SendWPS", send, -1); }
    int PollWpsStatus() override { return Next("PollWPSStatus", pollStatus, -2); }
    int EnableWireless() override { calls.push_back("EnableWireless"); return -1; }
    int ResetCamera() override { calls.push_back("Reset"); return -1; }
    int ReadBackWireless() override { calls.push_back("GetWLan"); return -1; }

private:
    int Next(const char* name, std::deque<int>& queue, int whenEmpty)
    {
        calls.push_back(name);
        if (queue.empty())
            return whenEmpty;
        const int r = queue.front();
        queue.pop_front();
        return r;
    }
};

class WpsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WCopy(settings.AdminID, u"admin");
        WCopy(settings.AdminPwd, u"secret");
        WCopy(settings.WirelessEnableText, u"1");
        WCopy(settings.Model, u"FW-100");
    }

    // Creates the page as the host does for code 13 (direct 1) or 14.
    ScriptedWpsPage& Make(int direct)
    {
        page = std::make_unique<ScriptedWpsPage>(&host);
        page->SetTickClock([this] { return now; });
        page->SetPinClock([this] { return pinSeconds++; });
        EXPECT_TRUE(page->Create());
        page->SetDirectMode(direct);
        page->SetEngine(&engine);
        page->InitFromSettings(&settings);
        return *page;
    }

    QWidget* Ctrl(int id) const { return page->FindCtrl(id); }
    bool Shown(int id) const { return Ctrl(id) && !Ctrl(id)->isHidden(); }
    bool Checked(int id) const { return page->FindCtrlAs<CRadioButton>(id)->GetCheck() != 0; }
    QString PinText() const { return page->FindCtrlAs<CEdit>(Page::kIdEditPin)->text(); }
    CProgressCtrl* Bar() const { return page->FindCtrlAs<CProgressCtrl>(Page::kIdProgress); }

    // The text ShowMessage gives for `number` with this skin.
    std::u16string Message(int number) const
    {
        std::u16string text = page->Profile().GetString(u"Message", U16("Message" + std::to_string(number)), u"0");
        for (std::size_t at; (at = text.find(u"\\\\")) != std::u16string::npos;)
            text.replace(at, 2, u"\r\n");
        if (text == u"0")
            return U16("Some error occurred, error number is " + std::to_string(number) + ".");
        return text;
    }
    std::vector<intptr_t> Navigation()
    {
        std::vector<intptr_t> codes;
        for (const RecordedMessage& m : host.Drain())
            codes.push_back(m.wParam);
        host.messages.clear();
        return codes;
    }
    // Starts a pairing with the push button; the camera accepts both steps.
    void StartRunning()
    {
        page->SendCommand(Page::kIdButPbcPush);
        ASSERT_TRUE(page->Running());
    }

    CCamEngine engine;
    WizardSettings settings;
    HostRecorder host;
    MessageBoxHook boxes;
    ShellHook shell;
    uint32_t now = 5000;
    int64_t pinSeconds = 1700000000;
    std::unique_ptr<ScriptedWpsPage> page;
};

bool ValidPin(const QString& pin)
{
    if (pin.size() != 8)
        return false;
    for (QChar c : pin)
        if (!c.isDigit())
            return false;
    const uint32_t value = pin.toUInt();
    return WpsPinChecksum(value / 10) == static_cast<int32_t>(value % 10);
}

} // namespace

TEST_F(WpsPageTest, ModesShowTheirOwnControls)
{
    struct Case {
        int direct;
        bool idFields, next;
    } cases[] = {{1, true, false}, {0, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direct);
        Make(c.direct);
        for (int id : {Page::kIdAdmId, Page::kIdAdmPwd, Page::kIdLabAdmId, Page::kIdLabAdmPwd})
            EXPECT_EQ(Shown(id), c.idFields) << id;
        EXPECT_EQ(Shown(IDC_NEXT), c.next);
        // Push-button mode to start with; the PIN is made but not shown.
        EXPECT_TRUE(Checked(Page::kIdOptPbc));
        EXPECT_FALSE(Checked(Page::kIdOptPin));
        EXPECT_TRUE(Shown(Page::kIdButPbcPush));
        for (int id : {Page::kIdEditPin, Page::kIdButPinStart, Page::kIdButPinRefresh, Page::kIdButPinCopy,
                 Page::kIdProgress, Page::kIdLabPbcNote6, Page::kIdLabPinNote1})
            EXPECT_FALSE(Shown(id)) << id;
        EXPECT_TRUE(Shown(Page::kIdLabPbcNote1));
        EXPECT_TRUE(PinText().isEmpty());
        EXPECT_TRUE(ValidPin(QString::fromLatin1(page->Pin())));
        EXPECT_TRUE(page->FindCtrlAs<CEdit>(Page::kIdEditPin)->isReadOnly());
        EXPECT_EQ(page->FindCtrlAs<CEdit>(Page::kIdAdmId)->text(), QStringLiteral("admin"));
        EXPECT_EQ(page->FindCtrlAs<CEdit>(Page::kIdAdmPwd)->text(), QStringLiteral("secret"));
        EXPECT_EQ(settings.WpsMode, 1);
        EXPECT_EQ(page->WpsResult(), -1);
    }
}

TEST_F(WpsPageTest, PinModeShowsANewPinWithItsChecksum)
{
    Make(1);
    const std::string first = page->Pin();
    page->SendCommand(Page::kIdOptPin);
    const QString shown = PinText();
    EXPECT_TRUE(ValidPin(shown)) << shown.toStdString();
    EXPECT_NE(shown.toStdString(), first);
    EXPECT_EQ(shown.toStdString(), std::string(page->Pin()));
    EXPECT_EQ(settings.WpsMode, 2);
    EXPECT_TRUE(Checked(Page::kIdOptPin));
    EXPECT_FALSE(Checked(Page::kIdOptPbc));
    for (int id : {Page::kIdEditPin, Page::kIdButPinStart, Page::kIdButPinRefresh, Page::kIdButPinCopy,
             Page::kIdLabPinNote1, Page::kIdLabPinNote1 + 4})
        EXPECT_TRUE(Shown(id)) << id;
    EXPECT_FALSE(Shown(Page::kIdButPbcPush));
    EXPECT_FALSE(Shown(Page::kIdLabPbcNote1));

    page->SendCommand(Page::kIdButPinRefresh);
    EXPECT_NE(PinText(), shown);
    EXPECT_TRUE(ValidPin(PinText()));

    // Back to the push button: a new PIN, not shown.
    const QString beforeSwitch = PinText();
    page->SendCommand(Page::kIdOptPbc);
    EXPECT_NE(std::string(page->Pin()), beforeSwitch.toStdString());
    EXPECT_EQ(PinText(), beforeSwitch);
    EXPECT_EQ(settings.WpsMode, 1);
}

TEST_F(WpsPageTest, CopyPutsThePinOnTheClipboard)
{
    Make(0);
    page->SendCommand(Page::kIdOptPin);
    SetClipboardText(u"something else");
    page->SendCommand(Page::kIdButPinCopy);
    EXPECT_EQ(ClipboardText(), U16(page->Pin()));
    EXPECT_EQ(QString::fromStdU16String(ClipboardText()), PinText());
}

TEST_F(WpsPageTest, StartSendsTheCurrentPinAndTheTypedCredentials)
{
    WCopy(settings.ListedIP, u"198.18.4.9");
    WCopy(settings.CameraIP, u"198.18.4.200"); // typed on the network page, not applied yet
    settings.AdapterIndex = 2;
    Make(1);
    page->SendCommand(Page::kIdOptPin);
    page->SendCommand(Page::kIdButPinRefresh);
    page->FindCtrlAs<CEdit>(Page::kIdAdmId)->setText(QStringLiteral("root"));
    page->FindCtrlAs<CEdit>(Page::kIdAdmPwd)->setText(QStringLiteral("pa55"));
    page->SendCommand(Page::kIdButPinStart);

    EXPECT_EQ(page->calls, (std::vector<std::string>{"QueryWPS", "InitWPS"}));
    EXPECT_EQ(page->pinSent, PinText().toStdString());
    EXPECT_EQ(page->idSent, QStringLiteral("root"));
    EXPECT_EQ(page->pwdSent, QStringLiteral("pa55"));
    // Aimed at the camera as listed, through the adapter it was found on.
    EXPECT_EQ(Utf8(engine.m_szCameraIP), "198.18.4.9");
    EXPECT_EQ(engine.m_nAdapterChoice, 2);
    EXPECT_TRUE(page->Running());
    EXPECT_TRUE(page->HasTimer(kWpsTimerId));
    EXPECT_EQ(page->WpsResult(), 0);
    // Running: the choice and the ID fields are locked, Copy stays usable.
    EXPECT_FALSE(Ctrl(Page::kIdOptPbc)->isEnabled());
    EXPECT_FALSE(Ctrl(Page::kIdOptPin)->isEnabled());
    EXPECT_FALSE(Shown(Page::kIdButPinStart));
    EXPECT_FALSE(Ctrl(Page::kIdButPinRefresh)->isEnabled());
    EXPECT_TRUE(Ctrl(Page::kIdButPinCopy)->isEnabled());
    EXPECT_FALSE(Ctrl(Page::kIdAdmId)->isEnabled());
    EXPECT_FALSE(Ctrl(Page::kIdAdmPwd)->isEnabled());
    EXPECT_TRUE(Shown(Page::kIdProgress));
    EXPECT_EQ(Bar()->maximum(), 120);
    EXPECT_EQ(Bar()->GetPos(), 0);
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(WpsPageTest, SuccessToldReadBackInFollowOnModeAndNextPosted)
{
    struct Case {
        int direct;
        bool readBack;
    } cases[] = {{0, true}, {1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direct);
        Make(c.direct);
        host.messages.clear();
        boxes.Clear();
        page->pollInfo = {-2, -1};
        page->send = {-1};
        page->pollStatus = {-2, -1};
        StartRunning();
        for (int i = 0; i < 5; ++i) {
            now += 1000;
            page->Tick();
        }
        EXPECT_FALSE(page->Running());
        EXPECT_FALSE(page->HasTimer(kWpsTimerId));
        const std::vector<std::string> expected = c.readBack
            ? std::vector<std::string>{"QueryWPS", "InitWPS", "PollWPSInf", "PollWPSInf", "SendWPS",
                  "PollWPSStatus", "PollWPSStatus", "GetWLan"}
            : std::vector<std::string>{"QueryWPS", "InitWPS", "PollWPSInf", "PollWPSInf", "SendWPS",
                  "PollWPSStatus", "PollWPSStatus"};
        EXPECT_EQ(page->calls, expected);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, Message(2003));
        EXPECT_EQ(boxes.Calls()[0].type & MB_ICONMASK, MB_ICONINFORMATION);
        EXPECT_EQ(page->WpsResult(), 1);
        EXPECT_EQ(Bar()->GetPos(), 120);
        EXPECT_EQ(Navigation(), std::vector<intptr_t>{kNavNext});
        // A late tick changes nothing.
        page->Tick();
        EXPECT_EQ(boxes.Calls().size(), 1u);
        page.reset();
    }
}

TEST_F(WpsPageTest, FirstWindowEndsAtTheHundredAndTwentiethSecond)
{
    Make(0);
    StartRunning(); // the camera keeps answering "still running"
    now += 119999;
    page->Tick();
    EXPECT_TRUE(page->Running());
    EXPECT_EQ(Bar()->GetPos(), 119);
    EXPECT_TRUE(boxes.Calls().empty());

    now += 1;
    page->Tick();
    EXPECT_FALSE(page->Running());
    EXPECT_FALSE(page->HasTimer(kWpsTimerId));
    EXPECT_EQ(Bar()->GetPos(), 120);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, Message(2002));
    EXPECT_EQ(boxes.Calls()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(shell.sleeps, std::vector<int>{2000});
    EXPECT_EQ(page->WpsResult(), 0);
    // Back to Idle: the choice and the start button again.
    EXPECT_TRUE(Ctrl(Page::kIdOptPbc)->isEnabled());
    EXPECT_TRUE(Shown(Page::kIdButPbcPush));
    EXPECT_FALSE(Shown(Page::kIdProgress));
    EXPECT_TRUE(Navigation().empty());
}

TEST_F(WpsPageTest, SendWpsStartsAFreshWindowForTheLastStep)
{
    Make(0);
    page->pollInfo = {-1};
    StartRunning();
    now += 100000;
    page->Tick(); // PollWPSInf done at 100 s
    now += 10000;
    page->Tick(); // SendWPS at 110 s: a new window from here
    EXPECT_EQ(page->calls.back(), "SendWPS");
    now += 119000;
    page->Tick(); // 229 s after the start, 119 s into the new window
    EXPECT_TRUE(page->Running());
    EXPECT_EQ(Bar()->GetPos(), 119);
    EXPECT_EQ(page->calls.back(), "PollWPSStatus");
    now += 1000;
    page->Tick();
    EXPECT_FALSE(page->Running());
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, Message(2002));
}

TEST_F(WpsPageTest, AFailingStepEndsThePairingWith2002)
{
    struct Case {
        const char* name;
        std::deque<int> pollInfo, send, pollStatus;
    } cases[] = {
        {"PollWPSInf error status", {30}, {}, {}},
        {"SendWPS no reply", {-1}, {3}, {}},
        {"PollWPSStatus socket failure", {-1}, {-1}, {-2, 14}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Make(0);
        boxes.Clear();
        shell.sleeps.clear();
        page->pollInfo = c.pollInfo;
        page->send = c.send;
        page->pollStatus = c.pollStatus;
        StartRunning();
        for (int i = 0; i < 6 && page->Running(); ++i) {
            now += 1000;
            page->Tick();
        }
        EXPECT_FALSE(page->Running());
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, Message(2002));
        EXPECT_EQ(shell.sleeps, std::vector<int>{2000});
        EXPECT_EQ(page->WpsResult(), 0);
        EXPECT_TRUE(Navigation().empty());
        page.reset();
    }
}

TEST_F(WpsPageTest, QueryWpsFailureShowsItsMessageAndStaysIdle)
{
    struct Case {
        int result, msgCode, message; // message 0: the generic text
    } cases[] = {{1, 0, 62}, {18, 0, 4}, {29, 0, 22}, {30, 1501, 2001}, {30, 1500, 2000}, {30, 2, 502}, {7, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result * 10000 + c.msgCode);
        Make(1);
        boxes.Clear();
        page->queryResult = c.result;
        page->queryMsgCode = c.msgCode;
        page->SendCommand(Page::kIdButPbcPush);
        EXPECT_EQ(page->calls, std::vector<std::string>{"QueryWPS"});
        EXPECT_FALSE(page->Running());
        EXPECT_EQ(page->WpsResult(), -1);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        const std::u16string expected = c.message ? Message(c.message)
            : U16("Some error occured, error number is " + std::to_string(c.result)
                  + "\r\nPlease try it again or contact your vendor.");
        EXPECT_EQ(boxes.Calls()[0].text, expected);
        EXPECT_TRUE(Ctrl(Page::kIdOptPbc)->isEnabled());
        EXPECT_TRUE(Shown(Page::kIdButPbcPush));
        EXPECT_FALSE(Shown(Page::kIdProgress));
        page.reset();
    }
}

TEST_F(WpsPageTest, InitWpsFailureReturnsToIdleSilently)
{
    Make(0);
    page->SendCommand(Page::kIdOptPin);
    page->initResult = 30;
    page->SendCommand(Page::kIdButPinStart);
    EXPECT_FALSE(page->Running());
    EXPECT_FALSE(page->HasTimer(kWpsTimerId));
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(page->WpsResult(), -1);
    EXPECT_TRUE(Checked(Page::kIdOptPin));
    EXPECT_TRUE(Shown(Page::kIdButPinStart));
    EXPECT_TRUE(Ctrl(Page::kIdButPinRefresh)->isEnabled());
}

TEST_F(WpsPageTest, WirelessSwitchedOnFirstUnlessAlreadyOn)
{
    struct Case {
        const char16_t* enable;
        const char16_t* model;
        std::vector<std::string> calls;
    } cases[] = {
        {u"1", u"Q47-cam", {"QueryWPS", "InitWPS"}},
        {u"0", u"FW-100", {"EnableWireless", "QueryWPS", "InitWPS"}},
        {u"", u"FW-Q47", {"EnableWireless", "Reset", "QueryWPS", "InitWPS"}},
        {u"1 ", u"FW-100", {"EnableWireless", "QueryWPS", "InitWPS"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.enable) + "/" + Utf8(c.model));
        WCopy(settings.WirelessEnableText, c.enable);
        WCopy(settings.Model, c.model);
        Make(0);
        page->SendCommand(Page::kIdButPbcPush);
        EXPECT_EQ(page->calls, c.calls);
        // The wait note is gone again and the instructions are back.
        EXPECT_FALSE(Shown(Page::kIdLabPbcNote6));
        EXPECT_TRUE(Shown(Page::kIdLabPbcNote1));
        page.reset();
    }
}

TEST_F(WpsPageTest, SwitchingWirelessOnInPinModeKeepsThePinInstructions)
{
    WCopy(settings.WirelessEnableText, u"0");
    Make(0);
    page->SendCommand(Page::kIdOptPin);
    page->SendCommand(Page::kIdButPinStart);
    EXPECT_EQ(page->calls.front(), "EnableWireless");
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(Shown(Page::kIdLabPbcNote1 + i)) << i;
        EXPECT_TRUE(Shown(Page::kIdLabPinNote1 + i)) << i;
    }
    EXPECT_FALSE(Shown(Page::kIdLabPbcNote6));
}

TEST_F(WpsPageTest, LeavingWhileRunningAsks2005)
{
    struct Case {
        int id;
        int answer;
        std::vector<intptr_t> posted;
    } cases[] = {
        {IDC_EXIT, IDNO, {}},   {IDC_EXIT, IDYES, {kNavExit}}, {IDC_BACK, IDNO, {}},
        {IDC_BACK, IDYES, {kNavBack}}, {IDC_NEXT, IDNO, {}},  {IDC_NEXT, IDYES, {kNavNext}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id * 10 + c.answer);
        Make(0);
        StartRunning();
        host.messages.clear();
        boxes.Clear();
        boxes.Answer(c.answer);
        page->SendCommand(c.id);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, Message(2005));
        EXPECT_EQ(boxes.Calls()[0].type & MB_TYPEMASK, MB_YESNO);
        EXPECT_EQ(Navigation(), c.posted);
        EXPECT_EQ(page->Running(), c.answer == IDNO);
        page.reset();
    }
}

TEST_F(WpsPageTest, LeavingWhileIdleAsksNothing)
{
    Make(0);
    page->SendCommand(IDC_EXIT);
    page->SendCommand(IDC_BACK);
    EXPECT_EQ(Navigation(), (std::vector<intptr_t>{kNavExit, kNavBack}));
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(WpsPageTest, NextDependsOnHowThePairingWent)
{
    // Nothing started yet: Next starts the pairing.
    Make(0);
    page->SendCommand(IDC_NEXT);
    EXPECT_TRUE(page->Running());
    EXPECT_TRUE(Navigation().empty());

    // Paired before (the host hands the result back): Next goes on at once.
    Make(0);
    page->SetWpsResult(1);
    page->SendCommand(IDC_NEXT);
    EXPECT_TRUE(page->calls.empty());
    EXPECT_EQ(Navigation(), std::vector<intptr_t>{kNavNext});
    EXPECT_TRUE(boxes.Calls().empty());

    // Started and failed: Retry starts again, Cancel leaves without pairing.
    struct Case {
        int answer;
        bool restarted;
    } cases[] = {{IDRETRY, true}, {IDCANCEL, false}};
    for (const Case& c : cases) {
        Make(0);
        page->SetWpsResult(0);
        boxes.Clear();
        boxes.Answer(c.answer);
        page->SendCommand(IDC_NEXT);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, Message(2004));
        EXPECT_EQ(boxes.Calls()[0].type & MB_TYPEMASK, MB_RETRYCANCEL);
        EXPECT_EQ(page->Running(), c.restarted);
        EXPECT_EQ(Navigation(), c.restarted ? std::vector<intptr_t>{} : std::vector<intptr_t>{kNavNext});
    }
}

TEST_F(WpsPageTest, TicksOfOtherTimersOrWhileIdleDoNothing)
{
    Make(0);
    page->Tick();
    EXPECT_TRUE(page->calls.empty());
    StartRunning();
    page->OtherTimer();
    EXPECT_EQ(page->calls.size(), 2u);
}

TEST_F(WpsPageTest, EnterAndEscapeNeverHideThePage)
{
    Make(0);
    page->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    StartRunning();
    for (QWidget* target : {static_cast<QWidget*>(page.get()), Ctrl(Page::kIdButPinCopy), Ctrl(Page::kIdAdmId)}) {
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter);
        QTest::keyClick(target, Qt::Key_Escape);
    }
    EXPECT_TRUE(page->isVisible());
    EXPECT_TRUE(page->Running());
    EXPECT_TRUE(Navigation().empty());
    EXPECT_TRUE(boxes.Calls().empty());
}
