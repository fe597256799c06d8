// The network page through its real widgets: the DHCP/fixed choice, the
// address, mask, gateway and DNS checks with their messages and focus, and
// what reaches the settings block.
#include "ui/support/UiTestMain.h"

#include "app/PageFlow.h"
#include "pages/DlgNetWork.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "skin/PicButton.h"
#include "ui/support/HostRecorder.h"
#include "ui/support/TempSkin.h"

#include <QTest>

#include <memory>

using namespace orv;
using namespace orv::test;

namespace {

// Messages by number, so a box tells which one was shown.
const char* kIni = "[DlgNetWork.Exit]\nw=20\nh=20\nnormalImage=btn.png\n"
                   "[DlgNetWork.Back]\nx=30\nw=20\nh=20\nnormalImage=btn.png\n"
                   "[DlgNetWork.Next]\nx=60\nw=20\nh=20\nnormalImage=btn.png\n"
                   "[DlgNetWork.LABIPADDR]\ny=30\nw=60\nh=20\ncaption=IP\n"
                   "[DlgNetWork.IPADDR]\nx=70\ny=30\nw=100\nh=20\n"
                   "[DlgNetWork.SUBMASK]\nx=70\ny=60\nw=100\nh=20\n"
                   "[DlgNetWork.GATEWAY]\nx=70\ny=90\nw=100\nh=20\n"
                   "[DlgNetWork.PRIDNS]\nx=70\ny=120\nw=100\nh=20\n"
                   "[DlgNetWork.SECDNS]\nx=70\ny=150\nw=100\nh=20\n"
                   "[DlgNetWork.DHCPON]\ny=180\nw=80\nh=20\n[DlgNetWork.DHCPOFF]\nx=90\ny=180\nw=80\nh=20\n"
                   "[Message]\nMessage54=M54\nMessage55=M55\nMessage56=M56\nMessage57=M57\nMessage58=M58\n";

constexpr int kEdits[5] = {CDlgNetWork::kIdIpAddr, CDlgNetWork::kIdSubMask, CDlgNetWork::kIdGateway,
                           CDlgNetWork::kIdPriDns, CDlgNetWork::kIdSecDns};

class NetworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.WriteIni(kIni);
        skin.WritePicture(QStringLiteral("Image/btn.png"), 20, 20);
        WCopy(settings.CameraIP, u"10.0.0.5");
        WCopy(settings.SubnetMask, u"255.0.0.0");
        WCopy(settings.Gateway, u"10.0.0.1");
        WCopy(settings.PrimaryDNS, u"10.0.0.2");
        WCopy(settings.SecondaryDNS, u"10.0.0.3");
    }
    CDlgNetWork& Open()
    {
        page = std::make_unique<CDlgNetWork>(&host);
        page->Create();
        page->InitFromSettings(&settings);
        page->show();
        return *page;
    }
    CEdit* Edit(int i) const { return page->FindCtrlAs<CEdit>(kEdits[i]); }
    CRadioButton* Radio(int id) const { return page->FindCtrlAs<CRadioButton>(id); }
    void Type(const char* const (&texts)[5])
    {
        for (int i = 0; i < 5; ++i)
            Edit(i)->setText(QString::fromUtf8(texts[i]));
    }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> out;
        for (const auto& c : boxes.Calls())
            out.push_back(Utf8(c.text));
        return out;
    }
    bool PostedNext() { return !host.Drain().empty() && host.messages.back().wParam == kNavNext; }

    TempSkin skin;
    HostRecorder host;
    WizardSettings settings;
    std::unique_ptr<CDlgNetWork> page;
    MessageBoxHook boxes;
};

} // namespace

TEST_F(NetworkTest, InitFromSettingsShowsTheCameraChoice)
{
    settings.DhcpEnabled = 1;
    Open();
    EXPECT_TRUE(Radio(CDlgNetWork::kIdDhcpOn)->isChecked());
    EXPECT_FALSE(Radio(CDlgNetWork::kIdDhcpOff)->isChecked());
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(Edit(i)->isEnabled());
        EXPECT_TRUE(Edit(i)->text().isEmpty());
    }
    settings.DhcpEnabled = 0;
    Open();
    EXPECT_FALSE(Radio(CDlgNetWork::kIdDhcpOn)->isChecked());
    EXPECT_TRUE(Radio(CDlgNetWork::kIdDhcpOff)->isChecked());
    const char* values[5] = {"10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2", "10.0.0.3"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(Edit(i)->isEnabled());
        EXPECT_EQ(Edit(i)->text().toStdString(), values[i]);
    }
}

TEST_F(NetworkTest, RadioClicksSwitchTheEdits)
{
    settings.DhcpEnabled = 1;
    Open();
    QTest::mouseClick(Radio(CDlgNetWork::kIdDhcpOff), Qt::LeftButton);
    EXPECT_TRUE(Radio(CDlgNetWork::kIdDhcpOff)->isChecked());
    EXPECT_FALSE(Radio(CDlgNetWork::kIdDhcpOn)->isChecked());
    EXPECT_TRUE(Edit(0)->isEnabled());
    EXPECT_EQ(Edit(0)->text(), "10.0.0.5");
    EXPECT_EQ(Edit(4)->text(), "10.0.0.3");
    Edit(0)->setText(QStringLiteral("typed"));
    QTest::mouseClick(Radio(CDlgNetWork::kIdDhcpOn), Qt::LeftButton);
    EXPECT_TRUE(Radio(CDlgNetWork::kIdDhcpOn)->isChecked());
    EXPECT_FALSE(Radio(CDlgNetWork::kIdDhcpOff)->isChecked());
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(Edit(i)->isEnabled());
        EXPECT_TRUE(Edit(i)->text().isEmpty());
    }
    // Back to a fixed address: the stored values again, not what was typed.
    QTest::mouseClick(Radio(CDlgNetWork::kIdDhcpOff), Qt::LeftButton);
    EXPECT_EQ(Edit(0)->text(), "10.0.0.5");
}

TEST_F(NetworkTest, FieldChecksOnNext)
{
    struct Case {
        const char* typed[5];
        int message; // 0: accepted
        const char* stored[5]; // after Next (nullptr: the old value stays)
    } cases[] = {
        {{"192.168.001.010", "255.255.255.0", "", "", ""}, 0, {"192.168.1.10", "255.255.255.0", "", "", ""}},
        {{" 192 . 168 . 1 . 10 ", " 255.255.255.0", "192.168.1.1 ", "8.8.8.8", "1.1.1.1"}, 0,
         {"192.168.1.10", "255.255.255.0", "192.168.1.1", "8.8.8.8", "1.1.1.1"}},
        {{"1..2.3.4", "255.0.0.0", "0.0.0.0", "", "9.9.9.9"}, 0, {"1.2.3.4", "255.0.0.0", "0.0.0.0", "", "9.9.9.9"}},
        {{"192.168.1.10", "255.255.255.252", "192.168.1.9", "", ""}, 0,
         {"192.168.1.10", "255.255.255.252", "192.168.1.9", "", ""}},
        // The address.
        {{"", "255.255.255.0", "", "", ""}, 54, {}},
        {{"1.2.3", "255.255.255.0", "", "", ""}, 54, {}},
        {{"1.2.3.4.5", "255.255.255.0", "", "", ""}, 54, {}},
        {{"1.2.3.a", "255.255.255.0", "", "", ""}, 54, {}},
        {{"256.1.1.1", "255.255.255.0", "", "", ""}, 54, {}},
        {{"0.0.0.0", "255.255.255.0", "", "", ""}, 54, {}},
        {{"255.255.255.255", "255.255.255.0", "", "", ""}, 54, {}},
        // The mask; the address before it stays stored.
        {{"192.168.1.10", "255.255.255.254", "", "", ""}, 55, {"192.168.1.10"}},
        {{"192.168.1.10", "255.0.255.0", "", "", ""}, 55, {"192.168.1.10"}},
        {{"192.168.1.10", "", "", "", ""}, 55, {"192.168.1.10"}},
        {{"192.168.1.10", "0.0.0.0", "", "", ""}, 55, {"192.168.1.10"}},
        // The gateway must lie strictly inside the subnet.
        {{"192.168.1.10", "255.255.255.0", "192.168.1.0", "", ""}, 56, {"192.168.1.10", "255.255.255.0"}},
        {{"192.168.1.10", "255.255.255.0", "192.168.1.255", "", ""}, 56, {"192.168.1.10", "255.255.255.0"}},
        {{"192.168.1.10", "255.255.255.0", "192.168.2.1", "", ""}, 56, {"192.168.1.10", "255.255.255.0"}},
        {{"192.168.1.10", "255.255.255.0", "gw", "", ""}, 56, {"192.168.1.10", "255.255.255.0"}},
        // The DNS servers: empty is fine, malformed is not.
        {{"192.168.1.10", "255.255.255.0", "192.168.1.1", "1.2.3", ""}, 57,
         {"192.168.1.10", "255.255.255.0", "192.168.1.1"}},
        {{"192.168.1.10", "255.255.255.0", "", "8.8.8.8", "8.8.4"}, 58,
         {"192.168.1.10", "255.255.255.0", "", "8.8.8.8"}},
    };
    const char* old[5] = {"10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2", "10.0.0.3"};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed[0]) + " / " + c.typed[1] + " / " + c.typed[2] + " / " + c.typed[3] +
                     " / " + c.typed[4]);
        SetUp();
        host.messages.clear();
        boxes.Clear();
        Open();
        QTest::mouseClick(Radio(CDlgNetWork::kIdDhcpOff), Qt::LeftButton);
        Type(c.typed);
        page->SendCommand(IDC_NEXT);
        const wchar* fields[5] = {settings.CameraIP, settings.SubnetMask, settings.Gateway, settings.PrimaryDNS,
                                  settings.SecondaryDNS};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(Utf8(fields[i]), c.stored[i] ? c.stored[i] : old[i]) << "field " << i;
        EXPECT_EQ(settings.DhcpEnabled, 0);
        if (c.message == 0) {
            EXPECT_TRUE(boxes.Calls().empty());
            EXPECT_TRUE(PostedNext());
            continue;
        }
        ASSERT_EQ(Shown(), std::vector<std::string>{"M" + std::to_string(c.message)});
        EXPECT_EQ(boxes.Calls()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
        EXPECT_EQ(page->focusWidget(), Edit(c.message - 54));
        EXPECT_TRUE(host.Drain().empty());
        EXPECT_TRUE(page->isVisible());
    }
}

TEST_F(NetworkTest, AcceptedEntriesPostNextOnceWithTheButtonsDisabled)
{
    Open();
    QTest::mouseClick(Radio(CDlgNetWork::kIdDhcpOff), Qt::LeftButton);
    const char* typed[5] = {"192.168.1.10", "255.255.255.0", "192.168.1.1", "", ""};
    Type(typed);
    auto* next = page->FindCtrlAs<CPicButton>(IDC_NEXT);
    // Next handled, its navigation still queued for the host: the buttons
    // are off, so a second press posts nothing.
    page->SendCommand(IDC_NEXT);
    for (int id : {IDC_EXIT, IDC_BACK, IDC_NEXT})
        EXPECT_EQ(page->FindCtrlAs<CPicButton>(id)->m_bDisabled, 1) << id;
    QTest::mouseClick(next, Qt::LeftButton);
    host.Drain();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].msg, static_cast<unsigned>(kNavMessage));
    EXPECT_EQ(host.messages[0].wParam, kNavNext);
    EXPECT_EQ(host.messages[0].lParam, reinterpret_cast<intptr_t>(page.get()));
}

// A host that keeps the page after Next (a wireless camera reporting no
// wireless settings has no next page) must not leave it without buttons.
TEST_F(NetworkTest, ButtonsComeBackWhenTheHostKeepsThePage)
{
    Open();
    QTest::mouseClick(Radio(CDlgNetWork::kIdDhcpOn), Qt::LeftButton);
    QTest::mouseClick(page->FindCtrlAs<CPicButton>(IDC_NEXT), Qt::LeftButton);
    // Events posted while others are delivered wait for the next round.
    for (int round = 0; round < 4; ++round)
        host.Drain();
    EXPECT_EQ(host.messages.size(), 1u);
    for (int id : {IDC_EXIT, IDC_BACK, IDC_NEXT})
        EXPECT_EQ(page->FindCtrlAs<CPicButton>(id)->m_bDisabled, 0) << id;
    EXPECT_TRUE(page->isVisible());
}

TEST_F(NetworkTest, DhcpChecksAndStoresNothingElse)
{
    WCopy(settings.CameraIP, u"not an address");
    settings.DhcpEnabled = 0;
    Open();
    QTest::mouseClick(Radio(CDlgNetWork::kIdDhcpOn), Qt::LeftButton);
    page->SendCommand(IDC_NEXT);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(settings.DhcpEnabled, 1);
    EXPECT_EQ(Utf8(settings.CameraIP), "not an address");
    EXPECT_EQ(Utf8(settings.SecondaryDNS), "10.0.0.3");
    EXPECT_TRUE(PostedNext());
}

TEST_F(NetworkTest, EnterAndEscapeKeepThePage)
{
    settings.DhcpEnabled = 0;
    Open();
    Edit(0)->setFocus();
    for (QWidget* target : {static_cast<QWidget*>(page.get()), static_cast<QWidget*>(Edit(0))}) {
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter);
        QTest::keyClick(target, Qt::Key_Escape);
    }
    EXPECT_TRUE(page->isVisible());
    EXPECT_TRUE(host.Drain().empty());
    EXPECT_TRUE(boxes.Calls().empty());
}
