// Wireless settings through the whole wizard inside the pc namespace, read
// back from what the simulated camera stored: once through the older pages
// (the choice page, the settings page and the key page), twice through the
// newer one-page form, and once for a camera that offers two channels only.
#include "ui/support/UiTestMain.h"

#include <unistd.h>

#include <QDir>
#include <QComboBox>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <fstream>
#include <map>
#include <memory>

#include "app/OrvantaDlg.h"
#include "pages/DlgIdPwd.h"
#include "pages/DlgWireless.h"
#include "pages/DlgWirelessKey.h"
#include "pages/DlgWirelessNew.h"
#include "pages/DlgWirelessSelect.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "support/NetnsLab.h"
#include "support/WizardDriver.h"

using namespace orv;
using orvtest::NetnsLab;
using orvtest::ReadState;
using orvtest::ScopedNetns;
using orvtest::WizardDriver;

namespace {

// The entries of a list on the current page, in order.
QStringList Entries(WizardDriver& w, int id)
{
    QStringList out;
    if (auto* c = dynamic_cast<QComboBox*>(w.Ctrl(id)))
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
    return out;
}

QString Current(WizardDriver& w, int id)
{
    auto* c = dynamic_cast<QComboBox*>(w.Ctrl(id));
    return c ? c->currentText() : QString();
}

QStringList Channels(int first, int last)
{
    QStringList out;
    for (int n = first; n <= last; ++n)
        out << QString::number(n);
    return out;
}

constexpr const char* kOlderMac = "02.00.00.00.0c.01";
constexpr const char* kNewerMac = "02.00.00.00.0c.02";
constexpr const char* kTwoChannelMac = "02.00.00.00.0c.03";

// The installed program folder with one switch of its settings file
// changed: the older wireless pages instead of the newer form.
class OlderPagesFolder {
public:
    OlderPagesFolder()
    {
        const QString bin = QStringLiteral(ORVANTA_BIN_DIR);
        QFile in(bin + QStringLiteral("/Orvanta.ini"));
        if (!in.open(QIODevice::ReadOnly))
            return;
        QByteArray ini = in.readAll();
        ini.replace("ONLY_WIRELLESSNEW=1", "ONLY_WIRELLESSNEW=0");
        QFile out(m_dir.path() + QStringLiteral("/Orvanta.ini"));
        m_ok = ini.contains("ONLY_WIRELLESSNEW=0") && out.open(QIODevice::WriteOnly) && out.write(ini) == ini.size();
        out.close();
        for (const char* sub : {"Image", "tOrvanta"})
            m_ok = m_ok && QFile::link(bin + "/" + sub, m_dir.path() + "/" + sub);
        if (m_ok)
            OverrideProgramFolder(m_dir.path().toStdString());
    }
    ~OlderPagesFolder() { OverrideProgramFolder(""); }
    OlderPagesFolder(const OlderPagesFolder&) = delete;
    OlderPagesFolder& operator=(const OlderPagesFolder&) = delete;
    bool Ok() const { return m_ok; }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

class WizardWireless : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        lab = std::make_unique<NetnsLab>();
        const int seg = lab->AddSegment();
        lab->AddPcAdapter(seg, "eth0", {"198.18.1.1/24"});
        const std::string prefix = "/tmp/" + lab->PcNamespace();
        olderState = prefix + "-older.state";
        newerState = prefix + "-newer.state";
        twoChannelState = prefix + "-two.state";
        lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.61/24"),
            {"--camera", "mac=02:00:00:00:0c:01,model=FW-200,name=Porch,ip=198.18.1.61,wifi=1,wlan=0,essid=old,"
                         "id=admin,pwd=secret,state=" + olderState});
        // No WPS among its capabilities: straight to the newer form.
        lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.62/24"),
            {"--camera", "mac=02:00:00:00:0c:02,model=FW-210,name=Attic,ip=198.18.1.62,wifi=1,wlan=1,essid=old,"
                         "id=admin,pwd=secret,caps=162:163:164:165:168:169:170,state=" + newerState});
        // A camera that offers channels 1 and 2 only.
        lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.63/24"),
            {"--camera", "mac=02:00:00:00:0c:03,model=FW-210,name=Shed,ip=198.18.1.63,wifi=1,wlan=1,essid=old,"
                         "id=admin,pwd=secret,caps=162:163:164:165:168:169:170,channels=1:2,state=" + twoChannelState});
        ASSERT_TRUE(lab->Ok()) << lab->Error();
    }
    void TearDown() override
    {
        lab.reset();
        for (const std::string& s : {olderState, newerState, twoChannelState})
            if (!s.empty())
                unlink(s.c_str());
    }

    // List page -> ID and password -> network page (DHCP as it is) -> Next.
    static void ThroughNetworkPage(WizardDriver& w, const char* mac)
    {
        ASSERT_TRUE(w.WaitForPage(kPageListCam));
        ASSERT_TRUE(w.WaitSearchDone());
        ASSERT_TRUE(w.PickCamera(mac));
        ASSERT_TRUE(w.Click(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageIdPwd)) << w.BoxTexts();
        ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmId, "admin"));
        ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmPwd, "secret"));
        ASSERT_TRUE(w.Click(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageNetWork)) << w.BoxTexts();
        ASSERT_TRUE(w.Click(IDC_NEXT));
    }
    // A summary page's Next applies; a new list page follows.
    static void ApplyFromSummary(WizardDriver& w, int summaryCode)
    {
        ASSERT_TRUE(w.WaitForPage(summaryCode)) << w.BoxTexts();
        ASSERT_TRUE(w.Click(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageListCam, 30000)) << w.BoxTexts();
        w.Page()->SendCommand(IDC_EXIT);
    }

    std::unique_ptr<NetnsLab> lab;
    std::string olderState, newerState, twoChannelState;
};

} // namespace

TEST_F(WizardWireless, OlderPagesSwitchWirelessOnWithANewName)
{
    OlderPagesFolder folder;
    ASSERT_TRUE(folder.Ok());
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    {
        COrvantaDlg host;
        WizardDriver w(host);
        w.Run([&] {
            ThroughNetworkPage(w, kOlderMac);
            ASSERT_TRUE(w.WaitForPage(kPageWirelessSelect)) << w.BoxTexts();
            ASSERT_TRUE(w.SetCheck(CDlgWirelessSelect::IDC_STANDARD, true));
            EXPECT_EQ(host.m_Settings.WpsChosen, 0);
            ASSERT_TRUE(w.Click(IDC_NEXT));

            ASSERT_TRUE(w.WaitForPage(kPageWireless)) << w.BoxTexts();
            EXPECT_TRUE(w.SetCheck(CDlgWireless::IDC_WLANOFF, true)); // the camera's wireless is off
            EXPECT_FALSE(w.IsEnabled(CDlgWireless::IDC_SSID));
            ASSERT_TRUE(w.Click(CDlgWireless::IDC_WLANON));
            EXPECT_EQ(w.Text(CDlgWireless::IDC_SSID), "old");
            // What the camera offers: channels 1-11 (its own, 6, shown) and
            // every kind of security.
            EXPECT_EQ(Entries(w, CDlgWireless::IDC_CHANNEL), Channels(1, 11));
            EXPECT_EQ(Current(w, CDlgWireless::IDC_CHANNEL), "6");
            EXPECT_EQ(Entries(w, CDlgWireless::IDC_SECURITY), QStringList({"None", "WEP", "WPA/WPA2"}));
            // Wireless on with an accented name is refused and the page stays.
            // (pasted: a key click cannot carry it)
            dynamic_cast<CEdit*>(w.Ctrl(CDlgWireless::IDC_SSID))->setText(QStringLiteral("Jard\u00edn"));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_EQ(w.Boxes().Calls().size(), 1u);
            EXPECT_EQ(w.PageCode(), kPageWireless);
            w.Boxes().Clear();
            ASSERT_TRUE(w.SetText(CDlgWireless::IDC_SSID, "Garden"));
            // Ad-hoc: the channel is the user's, and WPA is not offered.
            ASSERT_TRUE(w.Click(CDlgWireless::IDC_ADHOC));
            EXPECT_TRUE(w.IsEnabled(CDlgWireless::IDC_CHANNEL));
            EXPECT_EQ(Entries(w, CDlgWireless::IDC_SECURITY), QStringList({"None", "WEP"}));
            ASSERT_TRUE(w.SelectCombo(CDlgWireless::IDC_CHANNEL, Channels(1, 11).indexOf("9")));
            ASSERT_TRUE(w.SelectCombo(CDlgWireless::IDC_SECURITY, 1));
            ASSERT_TRUE(w.Click(IDC_NEXT));

            ASSERT_TRUE(w.WaitForPage(kPageWirelessKey)) << w.BoxTexts();
            EXPECT_EQ(Entries(w, CDlgWirelessKey::IDC_KEYLEN), QStringList({"64bits", "128bits"}));
            EXPECT_EQ(Entries(w, CDlgWirelessKey::IDC_KEYFORMAT), QStringList({"ASCII", "HEX"}));
            EXPECT_EQ(Entries(w, CDlgWirelessKey::IDC_DEFKEY),
                QStringList({"WEP Key1", "WEP Key2", "WEP Key3", "WEP Key4"}));
            ASSERT_TRUE(w.SetText(CDlgWirelessKey::IDC_KEY1, "abcde")); // 64 bits, ASCII
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ApplyFromSummary(w, kPageWirelessFinish);
        });
        EXPECT_TRUE(host.Ended());
        EXPECT_TRUE(w.Boxes().Calls().empty()) << w.BoxTexts();
    }
    auto st = ReadState(olderState);
    EXPECT_EQ(st["essid"], "Garden");
    EXPECT_EQ(st["wlan"], "1");
    EXPECT_EQ(st["channel"], "9");
    EXPECT_EQ(st["encmode"], std::to_string((1 << 4) | 1)); // WEP, ad-hoc
    EXPECT_EQ(st["keylenauth"], "0");                        // 64 bits, open
    EXPECT_EQ(st["dkeyformat"], "0");                        // key 1, ASCII
    EXPECT_EQ(st["wepkey1"], "abcde");
    EXPECT_EQ(st["passkey"], "");
}

TEST_F(WizardWireless, NewerFormStoresAWpa2PassPhrase)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    const std::string pass = "correct horse battery";
    {
        COrvantaDlg host;
        WizardDriver w(host);
        w.Run([&] {
            ThroughNetworkPage(w, kNewerMac);
            ASSERT_TRUE(w.WaitForPage(kPageWirelessNew)) << w.BoxTexts();
            EXPECT_TRUE(w.SetCheck(CDlgWirelessNew::IDC_WLANON, true));
            EXPECT_EQ(w.Text(CDlgWirelessNew::IDC_SSID), "old");
            ASSERT_TRUE(w.SetText(CDlgWirelessNew::IDC_SSID, "Attic net"));
            // Infrastructure: the access point's channel, and every
            // authentication the camera offers.
            EXPECT_EQ(Entries(w, CDlgWirelessNew::IDC_CHANNEL), QStringList({"Auto"}));
            const QStringList auths = Entries(w, CDlgWirelessNew::IDC_AUTH);
            EXPECT_EQ(auths, QStringList({"Open", "Shared", "Both", "WPA-PSK", "WPA2-PSK", "WPA/WPA2"}));
            ASSERT_TRUE(w.SelectCombo(CDlgWirelessNew::IDC_AUTH, auths.indexOf("WPA2-PSK")));
            const QStringList encs = Entries(w, CDlgWirelessNew::IDC_ENC);
            EXPECT_EQ(encs, QStringList({"TKIP", "AES", "TKIP&AES"}));
            ASSERT_TRUE(w.SelectCombo(CDlgWirelessNew::IDC_ENC, encs.indexOf("AES")));
            // Too short first: message 33 and the page stays.
            ASSERT_TRUE(w.SetText(CDlgWirelessNew::IDC_KEY, "short"));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_EQ(w.Boxes().Calls().size(), 1u);
            EXPECT_EQ(w.PageCode(), kPageWirelessNew);
            w.Boxes().Clear();
            ASSERT_TRUE(w.SetText(CDlgWirelessNew::IDC_KEY, QString::fromStdString(pass)));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ApplyFromSummary(w, kPageWirelessFinishNew);
        });
        EXPECT_TRUE(host.Ended());
        EXPECT_TRUE(w.Boxes().Calls().empty()) << w.BoxTexts();
    }
    auto st = ReadState(newerState);
    EXPECT_EQ(st["essid"], "Attic net");
    EXPECT_EQ(st["wlan"], "1");
    EXPECT_EQ(st["passkey"], pass);
    EXPECT_EQ(st["encmode"], std::to_string(3 << 4)); // AES, infrastructure
    EXPECT_EQ(std::stoi(st["keylenauth"]) & 0x0F, 4);  // WPA2-PSK
}

TEST_F(WizardWireless, NewerFormStoresA128BitWepKeyInTheDefaultSlot)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    {
        COrvantaDlg host;
        WizardDriver w(host);
        w.Run([&] {
            ThroughNetworkPage(w, kNewerMac);
            ASSERT_TRUE(w.WaitForPage(kPageWirelessNew)) << w.BoxTexts();
            ASSERT_TRUE(w.SelectCombo(CDlgWirelessNew::IDC_AUTH,
                Entries(w, CDlgWirelessNew::IDC_AUTH).indexOf("Shared")));
            EXPECT_EQ(Entries(w, CDlgWirelessNew::IDC_ENC), QStringList({"WEP"}));
            ASSERT_EQ(Current(w, CDlgWirelessNew::IDC_ENC), "WEP");
            ASSERT_TRUE(w.SetText(CDlgWirelessNew::IDC_KEY, "thirteen-char"));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ApplyFromSummary(w, kPageWirelessFinishNew);
        });
        EXPECT_TRUE(w.Boxes().Calls().empty()) << w.BoxTexts();
    }
    auto st = ReadState(newerState);
    EXPECT_EQ(st["essid"], "old");
    EXPECT_EQ(st["wepkey1"], "thirteen-char"); // the camera's default key is the first
    EXPECT_EQ(st["encmode"], std::to_string(1 << 4));         // WEP, infrastructure
    EXPECT_EQ(st["keylenauth"], std::to_string((1 << 4) | 1)); // 128 bits, shared
    EXPECT_EQ(st["dkeyformat"], "0");                          // key 1, ASCII
}

TEST_F(WizardWireless, OnlyTheChannelsTheCameraOffersAreShown)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    {
        COrvantaDlg host;
        WizardDriver w(host);
        w.Run([&] {
            ThroughNetworkPage(w, kTwoChannelMac);
            ASSERT_TRUE(w.WaitForPage(kPageWirelessNew)) << w.BoxTexts();
            ASSERT_TRUE(w.Click(CDlgWirelessNew::IDC_ADHOC));
            EXPECT_EQ(Entries(w, CDlgWirelessNew::IDC_CHANNEL), QStringList({"1", "2"}));
            EXPECT_EQ(Entries(w, CDlgWirelessNew::IDC_AUTH), QStringList({"Open", "Shared"}));
            EXPECT_EQ(Entries(w, CDlgWirelessNew::IDC_ENC), QStringList({"Disabled", "WEP"}));
            ASSERT_TRUE(w.SelectCombo(CDlgWirelessNew::IDC_CHANNEL, 1));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ApplyFromSummary(w, kPageWirelessFinishNew);
        });
        EXPECT_TRUE(w.Boxes().Calls().empty()) << w.BoxTexts();
    }
    auto st = ReadState(twoChannelState);
    EXPECT_EQ(st["channel"], "2");
    EXPECT_EQ(st["encmode"], "1"); // no encryption, ad-hoc
}
