// Every Back, Next, About, WPS and Exit path of the page flow, walked
// through the real host and its real pages against simulated cameras in the
// pc namespace. Each run is a table of steps: what the user does and the
// page code the host must show afterwards (kStay: the very same page object
// is still shown).
#include "ui/support/UiTestMain.h"

#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "app/OrvantaDlg.h"
#include "pages/DlgIdPwd.h"
#include "pages/DlgListCam.h"
#include "pages/DlgWirelessSelect.h"
#include "platform/qt/PostedMessage.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WinDefs.h"
#include "support/NetnsLab.h"
#include "support/WizardDriver.h"

using namespace orv;
using orvtest::NetnsLab;
using orvtest::ScopedNetns;
using orvtest::WizardDriver;

namespace {

// Wi-Fi camera offering WPS (178) and the wireless read-back (168).
constexpr const char* kWifiMac = "02.00.00.00.0d.01";
// Wi-Fi camera without the wireless read-back (no 168 among its capabilities).
constexpr const char* kNo168Mac = "02.00.00.00.0d.02";
// Model with "Q47": the list page offers WPS for it.
constexpr const char* kQ47Mac = "02.00.00.00.0d.03";
// Wired only.
constexpr const char* kWiredMac = "02.00.00.00.0d.04";

constexpr int kStay = -1;

enum class Act {
    Back,         // the page's Back button
    Next,         // the page's Next button
    PostBack,     // Back posted to the host by hand (no usable Back button)
    Post1527,     // the list page's control 1007 code
    About,        // the list page's About button (once its search ended)
    Wps,          // the list page's WPS button (after picking arg)
    Pick,         // list page: wait for the search, pick arg, Next
    Login,        // ID and password page: admin/secret, Next
    ChooseStd,    // choice page: standard wireless, Next
    ChooseWps,    // choice page: WPS, Next
    Exit,         // the page's Exit button: the run ends
};

struct Step {
    Act act;
    int expect;
    const char* arg = nullptr;
};

bool Perform(WizardDriver& w, const Step& s)
{
    switch (s.act) {
    case Act::Back:
        return w.Click(IDC_BACK);
    case Act::Next:
        return w.Click(IDC_NEXT);
    case Act::PostBack:
        PostMessage(&w.Host(), WM_PAGE_NAV, kNavBack, 0);
        return true;
    case Act::Post1527:
        PostMessage(&w.Host(), WM_PAGE_NAV, 1527, 0);
        return true;
    case Act::About:
        return w.WaitSearchDone() && w.Click(CDlgListCam::kIdAbout);
    case Act::Wps:
        return w.WaitSearchDone() && w.PickCamera(s.arg) && w.Click(CDlgListCam::kIdWps);
    case Act::Pick:
        return w.WaitSearchDone() && w.PickCamera(s.arg) && w.Click(IDC_NEXT);
    case Act::Login:
        return w.SetText(CDlgIdPwd::kIdAdmId, "admin") && w.SetText(CDlgIdPwd::kIdAdmPwd, "secret")
            && w.Click(IDC_NEXT);
    case Act::ChooseStd:
        return w.SetCheck(CDlgWirelessSelect::IDC_STANDARD, true) && w.Click(IDC_NEXT);
    case Act::ChooseWps:
        return w.SetCheck(CDlgWirelessSelect::IDC_WPS, true) && w.Click(IDC_NEXT);
    case Act::Exit:
        return w.Click(IDC_EXIT);
    }
    return false;
}

// Walks `steps` from the first list page; stops at the first step that
// does not land where it should.
void Walk(WizardDriver& w, const std::vector<Step>& steps)
{
    ASSERT_TRUE(w.WaitForPage(kPageListCam));
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        const int before = w.PageCode();
        const CWizardPage* page = w.Page();
        ASSERT_TRUE(Perform(w, s)) << "step " << i << " on page " << before << ": " << w.BoxTexts();
        if (s.act == Act::Exit) {
            ASSERT_TRUE(WizardDriver::WaitUntil([&] { return w.Host().Ended(); })) << "step " << i;
            return;
        }
        if (s.expect == kStay) {
            // Long enough for the host to handle whatever was posted.
            WizardDriver::WaitUntil([] { return false; }, 400);
            ASSERT_EQ(w.PageCode(), before) << "step " << i;
            ASSERT_EQ(w.Page(), page) << "step " << i << ": the page was replaced";
            ASSERT_TRUE(page->isVisible()) << "step " << i;
            continue;
        }
        ASSERT_TRUE(w.WaitForPage(s.expect, 60000))
            << "step " << i << " from page " << before << " now " << w.PageCode() << ": " << w.BoxTexts();
        ASSERT_NE(w.Page(), page) << "step " << i << ": no new page object";
    }
}

// The installed program folder with its settings file's two flow switches
// set as given.
class SwitchedFolder {
public:
    SwitchedFolder(int wpsShow, int onlyWirelessNew)
    {
        const QString bin = QStringLiteral(ORVANTA_BIN_DIR);
        QFile in(bin + QStringLiteral("/Orvanta.ini"));
        if (!in.open(QIODevice::ReadOnly))
            return;
        QByteArray ini = in.readAll();
        const QByteArray wps = "WPS_Show=" + QByteArray::number(wpsShow);
        const QByteArray only = "ONLY_WIRELLESSNEW=" + QByteArray::number(onlyWirelessNew);
        ini.replace("WPS_Show=1", wps).replace("ONLY_WIRELLESSNEW=1", only);
        QFile out(m_dir.path() + QStringLiteral("/Orvanta.ini"));
        m_ok = ini.contains(wps) && ini.contains(only) && out.open(QIODevice::WriteOnly)
            && out.write(ini) == ini.size();
        out.close();
        for (const char* sub : {"Image", "tOrvanta"})
            m_ok = m_ok && QFile::link(bin + "/" + sub, m_dir.path() + "/" + sub);
        if (m_ok)
            OverrideProgramFolder(m_dir.path().toStdString());
    }
    ~SwitchedFolder() { OverrideProgramFolder(""); }
    SwitchedFolder(const SwitchedFolder&) = delete;
    SwitchedFolder& operator=(const SwitchedFolder&) = delete;
    bool Ok() const { return m_ok; }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

class WizardFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        lab = std::make_unique<NetnsLab>();
        const int seg = lab->AddSegment();
        lab->AddPcAdapter(seg, "eth0", {"198.18.1.1/24"});
        lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.71/24"),
            {"--camera", "mac=02:00:00:00:0d:01,model=FW-200,name=Yard,ip=198.18.1.71,wifi=1,wlan=1,essid=old,"
                         "id=admin,pwd=secret,wpspolls=1"});
        lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.72/24"),
            {"--camera", "mac=02:00:00:00:0d:02,model=FW-210,name=Attic,ip=198.18.1.72,wifi=1,wlan=1,essid=old,"
                         "id=admin,pwd=secret,caps=162:163:164:165:169:170"});
        lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.73/24"),
            {"--camera", "mac=02:00:00:00:0d:03,model=Q47-W,name=Gate,ip=198.18.1.73,wifi=1,wlan=0,"
                         "id=admin,pwd=secret"});
        lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.74/24"),
            {"--camera", "mac=02:00:00:00:0d:04,model=FW-100,name=Hall,ip=198.18.1.74,wifi=0,"
                         "id=admin,pwd=secret"});
        ASSERT_TRUE(lab->Ok()) << lab->Error();
    }
    void TearDown() override { lab.reset(); }

    // One whole run of the program over `steps`.
    void RunSteps(const std::vector<Step>& steps)
    {
        ScopedNetns inside(lab->PcNamespace());
        ASSERT_TRUE(inside.Entered());
        ShellHook shell; // the pauses the pages ask for are recorded, not slept
        COrvantaDlg host;
        WizardDriver w(host);
        bool ended = false;
        w.Run([&] {
            Walk(w, steps);
            ended = host.Ended();
        });
        EXPECT_TRUE(host.Ended());
        if (!steps.empty() && steps.back().act == Act::Exit) {
            EXPECT_TRUE(ended) << "Exit did not end the run";
        }
    }

    std::unique_ptr<NetnsLab> lab;
};

} // namespace

// The installed switches: WPS shown, the newer wireless form only.
TEST_F(WizardFlow, ListAboutWpsAndTheNewerWirelessForm)
{
    RunSteps({
        {Act::PostBack, kStay},                // Back on the list does nothing
        {Act::Post1527, kStay},                // nor does control 1007's code
        {Act::About, kPageAbout},
        {Act::PostBack, kStay},                // Back on About does nothing
        {Act::Next, kPageListCam},             // a new list page
        {Act::Wps, kPageWpsDirect, kQ47Mac},
        {Act::Back, kPageListCam},             // 13 -> 0
        {Act::Pick, kPageIdPwd, kNo168Mac},
        {Act::Back, kPageListCam},             // 1 -> 0
        {Act::Pick, kPageIdPwd, kNo168Mac},
        {Act::Login, kPageNetWork},
        {Act::Next, kStay},                    // Wi-Fi but no 168: stays
        // The page greys its buttons once it has posted Next, so Back is
        // posted by hand here; the button's own Back is walked below.
        {Act::PostBack, kPageIdPwd},           // 2 -> 1
        {Act::Back, kPageListCam},
        {Act::Pick, kPageIdPwd, kWiredMac},
        {Act::Login, kPageNetWork},
        {Act::Next, kPageNetWorkFinish},
        {Act::Back, kPageNetWork},             // 9 -> 2
        {Act::Back, kPageIdPwd},
        {Act::Back, kPageListCam},
        {Act::Pick, kPageIdPwd, kWifiMac},
        {Act::Login, kPageNetWork},
        {Act::Next, kPageWirelessSelect},
        {Act::Back, kPageNetWork},             // 15 -> 2
        {Act::Next, kPageWirelessSelect},
        {Act::ChooseStd, kPageWirelessNew},    // newer form only
        {Act::Next, kPageWirelessFinishNew},
        {Act::Back, kPageWirelessNew},         // 17 -> 16
        {Act::Back, kPageWirelessSelect},      // 16 -> 15 (WPS shown, 178)
        {Act::ChooseWps, kPageWpsFollow},
        {Act::Back, kPageWirelessSelect},      // 14 -> 15
        {Act::ChooseWps, kPageWpsFollow},
        {Act::Next, kPageWirelessFinish},      // pairs, then on to 11
        {Act::Back, kPageWpsFollow},           // 11 -> 14 (WPS chosen)
        {Act::Back, kPageWirelessSelect},
    });
}

// WPS shown, older wireless pages: through the choice page to 3, 10, 11.
TEST_F(WizardFlow, OlderWirelessPagesAndExitFromTheMiddle)
{
    SwitchedFolder folder(1, 0);
    ASSERT_TRUE(folder.Ok());
    RunSteps({
        {Act::Pick, kPageIdPwd, kWifiMac},
        {Act::Login, kPageNetWork},
        {Act::Next, kPageWirelessSelect},
        {Act::ChooseStd, kPageWireless},
        {Act::Back, kPageWirelessSelect},      // 3 -> 15 (WPS shown, 178)
        {Act::ChooseStd, kPageWireless},
        {Act::Next, kPageWirelessKey},
        {Act::Back, kPageWireless},            // 10 -> 3
        {Act::Next, kPageWirelessKey},
        {Act::Next, kPageWirelessFinish},
        {Act::Back, kPageWirelessKey},         // 11 -> 10 (standard chosen)
        {Act::Exit, kStay},                    // ends the run from page 10
    });
}

// WPS not shown: the choice page never appears, and Back from 3 and 16
// returns to the network page.
TEST_F(WizardFlow, WithoutWpsTheChoicePageNeverShows)
{
    {
        SwitchedFolder folder(0, 0);
        ASSERT_TRUE(folder.Ok());
        RunSteps({
            {Act::Pick, kPageIdPwd, kWifiMac},
            {Act::Login, kPageNetWork},
            {Act::Next, kPageWireless},
            {Act::Back, kPageNetWork},         // 3 -> 2
            {Act::Next, kPageWireless},
        });
    }
    if (HasFatalFailure())
        return;
    SwitchedFolder folder(0, 1);
    ASSERT_TRUE(folder.Ok());
    RunSteps({
        {Act::Pick, kPageIdPwd, kWifiMac},
        {Act::Login, kPageNetWork},
        {Act::Next, kPageWirelessNew},
        {Act::Back, kPageNetWork},             // 16 -> 2
        {Act::Next, kPageWirelessNew},
    });
}
