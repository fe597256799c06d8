// The three summary pages through their real widgets: what they show, and
// what the camera simulator (on loopback, the engine aimed at it instead of
// the broadcast address) stores when Next applies the settings, with the
// messages of a failed apply.
#include "ui/support/UiTestMain.h"

#include "app/PageFlow.h"
#include "core/operations_fixture.h"
#include "pages/DlgNetWorkFinish.h"
#include "pages/DlgWirelessFinish.h"
#include "pages/DlgWirelessFinishNew.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "ui/support/HostRecorder.h"
#include "ui/support/TempSkin.h"

#include <QFile>
#include <QTest>

#include <chrono>
#include <memory>

using namespace orv;
using namespace orv::test;
using opstest::LoopbackSim;

namespace {

const char* kCam = "mac=02:00:00:00:00:01,id=admin,pwd=secret";

enum Id {
    kAdmId = 1101, kAdmPwd = 1102, kIpAddr = 1106, kSubMask, kGateway, kPriDns, kSecDns,
    kSsid = 1113, kChannel = 1114, kKey1 = 1115, kKey2, kKey3, kKey4, kPKey,
    kWireless = 1207, kAuth = 1401, kEncrypt = 1402, kKey = 1115,
};

// Every edit of the three pages in one column; messages by number.
std::string Ini()
{
    std::string ini;
    int y = 0;
    for (const char* page : {"DlgNetWorkFinish", "DlgWirelessFinish", "DlgWirelessFinishNEW"}) {
        y = 0;
        for (const char* edit : {"ADMID", "ADMPWD", "IPADDR", "SUBMASK", "GATEWAY", "PRIDNS", "SECDNS", "Wireless",
                                 "SSID", "CHANNEL", "KEY1", "KEY2", "KEY3", "KEY4", "PKEY", "AUTH", "ENCRYPT", "KEY"})
            ini += "[" + std::string(page) + "." + edit + "]\ny=" + std::to_string(y += 22) + "\nw=100\nh=20\n";
        for (const char* button : {"Exit", "Back", "Next"})
            ini += "[" + std::string(page) + "." + button + "]\nx=120\ny=" + std::to_string(y += 22) +
                   "\nw=20\nh=20\nnormalImage=btn.png\n";
    }
    return ini + "[Message]\nMessage4=M4\nMessage22=M22\nMessage62=M62\nMessage507=M507\nMessage500=M500\n"
                 "Message2000=M2000\nMessage2007=M2007\nMessage2008=M2008\n";
}

class SummaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.WriteIni(Ini());
        skin.WritePicture(QStringLiteral("Image/btn.png"), 20, 20);
        QFile::link(QStringLiteral(ORVANTA_BIN_DIR "/tOrvanta"), skin.Path(QStringLiteral("tOrvanta")));
        WCopy(settings.MacText, u"02.00.00.00.00.01");
        WCopy(settings.ListedIP, u"192.168.0.20");
        settings.AdapterIndex = -1;
        settings.Kind = 2;
        WCopy(settings.Model, u"IPC-100");
        WCopy(settings.CameraName, u"Porch");
        WCopy(settings.AdminID, u"admin");
        WCopy(settings.AdminPwd, u"secret");
        WCopy(settings.CameraIP, u"192.168.7.9");
        WCopy(settings.SubnetMask, u"255.255.255.0");
        WCopy(settings.Gateway, u"192.168.7.1");
        WCopy(settings.PrimaryDNS, u"9.9.9.9");
        WCopy(settings.SecondaryDNS, u"1.1.1.1");
        settings.WebPort = 80;
        settings.DhcpEnabled = 0;
    }
    template <class Page>
    Page& Open(int simPort = 0)
    {
        auto made = std::make_unique<Page>(&host);
        Page& p = *made;
        page = std::move(made);
        page->Create();
        if (simPort)
            opstest::AimAtLoopback(engine, simPort, 1);
        page->SetEngine(&engine);
        page->InitFromSettings(&settings);
        page->show();
        return p;
    }
    QString Text(int id) const
    {
        auto* edit = page->FindCtrlAs<CEdit>(id);
        return edit ? edit->text() : QStringLiteral("<none>");
    }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> out;
        for (const auto& c : boxes.Calls())
            out.push_back(Utf8(c.text));
        return out;
    }
    bool PostedNext()
    {
        const auto& m = host.Drain();
        return m.size() == 1 && m[0].wParam == kNavNext && m[0].lParam == reinterpret_cast<intptr_t>(page.get());
    }

    TempSkin skin;
    HostRecorder host;
    CCamEngine engine;
    WizardSettings settings;
    std::unique_ptr<CSummaryPage> page;
    MessageBoxHook boxes;
};

void FillWireless(WizardSettings& s)
{
    WCopy(s.ESSID, u"home");
    WCopy(s.WEPKey1, u"k1"), WCopy(s.WEPKey2, u"k2"), WCopy(s.WEPKey3, u"k3"), WCopy(s.WEPKey4, u"k4");
    WCopy(s.PassKey, u"a long pass phrase");
    WCopy(s.WirelessEnableText, u"1");
    s.Channel = 6;
    s.WirelessMode = 0;
    s.EncryptionType = 1;
    s.DefaultKeyIndex = 2;
    s.AuthType = 1;
}

} // namespace

TEST_F(SummaryTest, NetworkSummaryShowsAutoForDhcpAndTheConfirmedPassword)
{
    settings.DhcpEnabled = 1;
    settings.ChangePwd = 1;
    WCopy(settings.ConfirmPwd, u"n3w");
    Open<CDlgNetWorkFinish>();
    for (int id : {kIpAddr, kSubMask, kGateway, kPriDns, kSecDns})
        EXPECT_EQ(Text(id), "Auto") << id;
    EXPECT_EQ(Text(kAdmId), "admin");
    EXPECT_EQ(Text(kAdmPwd), "n3w");
    EXPECT_EQ(Text(kSsid), "<none>"); // no wireless rows on this page
    EXPECT_NE(page->FindCtrl(IDC_EXIT), nullptr);
}

TEST_F(SummaryTest, OlderWirelessSummaryShowsKeysAndNoAddressForDhcp)
{
    settings.DhcpEnabled = 1;
    FillWireless(settings);
    Open<CDlgWirelessFinish>();
    for (int id : {kIpAddr, kSubMask, kGateway, kPriDns, kSecDns})
        EXPECT_EQ(Text(id), "") << id;
    EXPECT_EQ(Text(kAdmPwd), "secret");
    EXPECT_EQ(Text(kWireless), "Enable");
    EXPECT_EQ(Text(kSsid), "home");
    EXPECT_EQ(Text(kChannel), "6");
    const char* keys[5] = {"k1", "k2", "k3", "k4", "a long pass phrase"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Text(kKey1 + i).toStdString(), keys[i]);
    EXPECT_EQ(Text(kAuth), "<none>");
    EXPECT_EQ(page->FindCtrl(IDC_EXIT), nullptr); // back or on only
}

TEST_F(SummaryTest, NewerWirelessSummaryNamesTheChoices)
{
    FillWireless(settings);
    WCopy(settings.WirelessEnableText, u"0");
    Open<CDlgWirelessFinishNew>();
    EXPECT_EQ(Text(kIpAddr), "192.168.7.9");
    EXPECT_EQ(Text(kWireless), "Disable");
    EXPECT_EQ(Text(kChannel), "Auto"); // infrastructure mode
    EXPECT_EQ(Text(kAuth), "Shared");
    EXPECT_EQ(Text(kEncrypt), "WEP");
    EXPECT_EQ(Text(kKey), "k3"); // the WEP key DefaultKeyIndex 2 points at
    settings.WirelessMode = 1, settings.EncryptionType = 3, settings.AuthType = 9;
    Open<CDlgWirelessFinishNew>();
    EXPECT_EQ(Text(kChannel), "6");
    EXPECT_EQ(Text(kEncrypt), "AES");
    EXPECT_EQ(Text(kKey), "a long pass phrase");
    EXPECT_EQ(Text(kAuth), "");
}

TEST_F(SummaryTest, NetworkSummarySendsAutoWithDhcp)
{
    LoopbackSim sim({kCam});
    ASSERT_TRUE(sim.Ready);
    settings.DhcpEnabled = 1;
    Open<CDlgNetWorkFinish>(sim.Port);
    page->SendCommand(IDC_NEXT);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_TRUE(PostedNext());
    // Copied back from the edits as they stood, and sent so.
    for (const wchar* field : {settings.CameraIP, settings.SubnetMask, settings.Gateway, settings.PrimaryDNS,
                               settings.SecondaryDNS})
        EXPECT_EQ(Utf8(field), "Auto");
    wchar sent[300] = {};
    for (const char16_t* var : {u"CameraIP", u"SubNetMask", u"Gateway", u"PriDNS", u"SecDNS"}) {
        engine.GetVar(var, sent);
        EXPECT_EQ(Utf8(sent), "Auto") << Utf8(var);
    }
    auto st = sim.State();
    EXPECT_EQ(st["dhcp"], "1");
    EXPECT_EQ(st["name"], "Porch");
    EXPECT_EQ(st["resets"], "0");
}

TEST_F(SummaryTest, FixedAddressNewPasswordAndResetReachTheCamera)
{
    LoopbackSim sim({kCam});
    ASSERT_TRUE(sim.Ready);
    WCopy(settings.Model, u"K81-PRO");
    settings.ChangePwd = 1;
    WCopy(settings.NewPwd, u"n3w-pass");
    WCopy(settings.ConfirmPwd, u"n3w-pass");
    Open<CDlgNetWorkFinish>(sim.Port);
    // What the user types here is applied as it stands.
    page->FindCtrlAs<CEdit>(kGateway)->setText(QStringLiteral("192.168.7.254"));
    page->SendCommand(IDC_NEXT);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_TRUE(PostedNext());
    EXPECT_EQ(Utf8(settings.AdminPwd), "n3w-pass");
    auto st = sim.State();
    EXPECT_EQ(st["ip"], "192.168.7.9");
    EXPECT_EQ(st["mask"], "255.255.255.0");
    EXPECT_EQ(st["gw"], "192.168.7.254");
    EXPECT_EQ(st["dns1"], "9.9.9.9");
    EXPECT_EQ(st["dns2"], "1.1.1.1");
    EXPECT_EQ(st["dhcp"], "0");
    EXPECT_EQ(st["resets"], "1");
    // The camera now takes the new password only.
    CameraSession check(engine, settings, std::string(ORVANTA_BIN_DIR) + "/tOrvanta/");
    EXPECT_EQ(check.RunVerification(u"admin", u"n3w-pass"), -1);
    EXPECT_EQ(check.RunVerification(u"admin", u"secret"), 18);
}

TEST_F(SummaryTest, WirelessSummariesWriteTheWirelessSettings)
{
    for (bool newer : {false, true}) {
        SCOPED_TRACE(newer ? "newer" : "older");
        LoopbackSim sim({kCam});
        ASSERT_TRUE(sim.Ready);
        SetUp();
        FillWireless(settings);
        WCopy(settings.Model, u"Q47-W");
        settings.DhcpEnabled = 1; // the stored address goes out, not "Auto"
        host.messages.clear();
        if (newer)
            Open<CDlgWirelessFinishNew>(sim.Port);
        else
            Open<CDlgWirelessFinish>(sim.Port);
        page->SendCommand(IDC_NEXT);
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_TRUE(PostedNext());
        auto st = sim.State();
        EXPECT_EQ(st["essid"], "home");
        EXPECT_EQ(st["wepkey3"], "k3");
        EXPECT_EQ(st["wlan"], "1");
        EXPECT_EQ(st["channel"], "6");
        EXPECT_EQ(st["dhcp"], "1");
        EXPECT_EQ(st["ip"], "192.168.7.9");
        EXPECT_EQ(st["resets"], "1");
        EXPECT_EQ(Utf8(settings.CameraIP), "192.168.7.9");
    }
}

TEST_F(SummaryTest, FailedApplyShowsThePagesMessageAndStays)
{
    struct Case {
        const char* camera;
        const char* network;  // network and older wireless summary
        const char* newer;    // newer wireless summary
    } cases[] = {
        {"tstatus=5,errcode=7", "M507", "M507"},
        {"tstatus=2", "M4", "M4"},
        {"tstatus=3", "M22", "M22"},
        // No answer: 1500 on the first two pages, the time-out itself on the newer one.
        {"silent=1", "M2000",
         "Some error occured, error number is 3\r\nPlease try it again or contact your vendor."},
    };
    for (const Case& c : cases) {
        for (int kind = 0; kind < 3; ++kind) {
            SCOPED_TRACE(std::string(c.camera) + " page " + std::to_string(kind));
            LoopbackSim sim({std::string(kCam) + "," + c.camera});
            ASSERT_TRUE(sim.Ready);
            SetUp();
            boxes.Clear();
            host.messages.clear();
            if (kind == 0)
                Open<CDlgNetWorkFinish>(sim.Port);
            else if (kind == 1)
                Open<CDlgWirelessFinish>(sim.Port);
            else
                Open<CDlgWirelessFinishNew>(sim.Port);
            page->SendCommand(IDC_NEXT);
            EXPECT_EQ(Shown(), std::vector<std::string>{kind == 2 ? c.newer : c.network});
            EXPECT_TRUE(host.Drain().empty());
            EXPECT_TRUE(page->isVisible());
            if (std::string(c.camera) != "silent=1") { // a silent camera applies, only its answer is missing
                EXPECT_EQ(sim.State()["name"], "Camera");
            }
        }
    }
}

TEST_F(SummaryTest, MissingTemplateShowsMessage62)
{
    QFile::remove(skin.Path(QStringLiteral("tOrvanta")));
    Open<CDlgNetWorkFinish>(opstest::FreeUdpPort());
    page->SendCommand(IDC_NEXT);
    EXPECT_EQ(Shown(), std::vector<std::string>{"M62"});
    EXPECT_TRUE(host.Drain().empty());
}

TEST_F(SummaryTest, NextAgainAuthenticatesWithTheChangedPassword)
{
    // Once the password step went through, every later step and a repeated
    // sequence sign in with the new password (the boxes still ticked change
    // it again).
    LoopbackSim sim({kCam});
    ASSERT_TRUE(sim.Ready);
    settings.ChangePwd = 1;
    WCopy(settings.NewPwd, u"n3w-pass");
    Open<CDlgNetWorkFinish>(sim.Port);
    page->FindCtrlAs<CEdit>(kIpAddr)->setText(QStringLiteral("192.168.7.10"));
    page->SendCommand(IDC_NEXT);
    EXPECT_TRUE(PostedNext());
    page->SendCommand(IDC_NEXT);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(host.Drain().size(), 2u);
}

TEST_F(SummaryTest, CameraAskedWaitIsSleptOnThePage)
{
    LoopbackSim sim({std::string(kCam) + ",wait=2:5000"});
    ASSERT_TRUE(sim.Ready);
    Open<CDlgNetWorkFinish>(sim.Port);
    {
        ShellHook shell;
        page->SendCommand(IDC_NEXT);
        EXPECT_EQ(shell.sleeps, std::vector<int>{5000});
    }
    EXPECT_TRUE(PostedNext());
    EXPECT_FALSE(WaitCursorShown());
    // And for real: the page is busy for the whole wait before Next goes out.
    host.messages.clear();
    const auto start = std::chrono::steady_clock::now();
    page->SendCommand(IDC_NEXT);
    const auto busy = std::chrono::steady_clock::now() - start;
    EXPECT_GE(busy, std::chrono::milliseconds(5000));
    EXPECT_TRUE(PostedNext());
}

TEST_F(SummaryTest, EnterAndEscapeNeverHideASummaryPage)
{
    LoopbackSim sim({kCam});
    ASSERT_TRUE(sim.Ready);
    for (int kind = 0; kind < 3; ++kind) {
        if (kind == 0)
            Open<CDlgNetWorkFinish>(sim.Port);
        else if (kind == 1)
            Open<CDlgWirelessFinish>(sim.Port);
        else
            Open<CDlgWirelessFinishNew>(sim.Port);
        QWidget* edit = page->FindCtrl(kAdmId);
        edit->setFocus();
        for (QWidget* target : {static_cast<QWidget*>(page.get()), edit}) {
            QTest::keyClick(target, Qt::Key_Return);
            QTest::keyClick(target, Qt::Key_Enter);
            QTest::keyClick(target, Qt::Key_Escape);
        }
        QCoreApplication::sendPostedEvents();
        EXPECT_TRUE(page->isVisible()) << kind;
    }
    EXPECT_TRUE(host.Drain().empty());
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(sim.State().count("request"), 0u); // nothing was sent
}
