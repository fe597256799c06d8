#include "ui/support/UiTestMain.h"

#include "core/operations_fixture.h"
#include "pages/DlgIdPwd.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "support/WizardDriver.h"
#include "ui/support/HostRecorder.h"
#include "ui/support/TempSkin.h"

#include <QFile>
#include <QTest>

#include <memory>

using namespace orv;
using namespace orv::test;
using opstest::LoopbackSim;

namespace {

const char* kCam = "mac=02:00:00:00:00:01,id=admin,pwd=secret";

// Messages by number, so a box tells which one was shown.
const char* kIni = "[DlgIdPwd.ADMID]\nw=100\nh=20\n[DlgIdPwd.ADMPWD]\ny=30\nw=100\nh=20\npassword=1\n"
                   "[DlgIdPwd.NEWPWD]\ny=60\nw=100\nh=20\n[DlgIdPwd.CHKPWD]\ny=90\nw=100\nh=20\n"
                   "[DlgIdPwd.CKBXPWD]\ny=120\nw=100\nh=20\ncaption=Change\n"
                   "[Message]\nMessage4=M4\nMessage16=M16\nMessage18=M18\nMessage22=M22\nMessage62=M62\n"
                   "Message2000=M2000\nMessage507=M507\n";

class IdPwdTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.WriteIni(kIni);
        QFile::link(QStringLiteral(ORVANTA_BIN_DIR "/tOrvanta"), skin.Path(QStringLiteral("tOrvanta")));
        WCopy(settings.MacText, u"02.00.00.00.00.01");
        WCopy(settings.CameraIP, u"192.168.0.20");
        settings.AdapterIndex = -1;
        settings.Kind = 2;
    }
    CDlgIdPwd& Open()
    {
        page = std::make_unique<CDlgIdPwd>(&host);
        page->Create();
        page->SetEngine(&engine);
        page->InitFromSettings(&settings);
        page->show();
        return *page;
    }
    void Type(int id, const char* text) { page->FindCtrlAs<CEdit>(id)->setText(QString::fromUtf8(text)); }
    std::vector<std::string> Shown()
    {
        std::vector<std::string> out;
        for (const auto& c : boxes.Calls())
            out.push_back(Utf8(c.text));
        return out;
    }

    TempSkin skin;
    HostRecorder host;
    CCamEngine engine;
    WizardSettings settings;
    std::unique_ptr<CDlgIdPwd> page;
    MessageBoxHook boxes;
};

} // namespace

TEST_F(IdPwdTest, InitFromSettingsFillsEditsAndBoxes)
{
    WCopy(settings.AdminID, u"admin");
    WCopy(settings.NewPwd, u"n1");
    WCopy(settings.ConfirmPwd, u"n2");
    settings.ChangePwd = 1;
    Open();
    EXPECT_EQ(page->FindCtrlAs<CEdit>(CDlgIdPwd::kIdAdmId)->text(), "admin");
    EXPECT_EQ(page->FindCtrlAs<CEdit>(CDlgIdPwd::kIdNewPwd)->text(), "n1");
    EXPECT_EQ(page->FindCtrlAs<CEdit>(CDlgIdPwd::kIdChkPwd)->text(), "n2");
    EXPECT_TRUE(page->FindCtrlAs<CCheckBox>(CDlgIdPwd::kIdCkbxPwd)->isChecked());
    EXPECT_TRUE(page->FindCtrl(CDlgIdPwd::kIdNewPwd)->isEnabled());
    EXPECT_FALSE(page->FindCtrl(CDlgIdPwd::kIdCkbxId)->isEnabled());
    EXPECT_FALSE(page->FindCtrl(CDlgIdPwd::kIdNewId)->isEnabled());
    EXPECT_FALSE(page->FindCtrl(CDlgIdPwd::kIdChkId)->isEnabled());
    EXPECT_TRUE(page->FindCtrlAs<CEdit>(CDlgIdPwd::kIdAdmPwd)->echoMode() == QLineEdit::Password);

    // Clicking the box turns the change off and on again.
    QTest::mouseClick(page->FindCtrl(CDlgIdPwd::kIdCkbxPwd), Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(settings.ChangePwd, 0);
    EXPECT_FALSE(page->FindCtrl(CDlgIdPwd::kIdNewPwd)->isEnabled());
    EXPECT_FALSE(page->FindCtrl(CDlgIdPwd::kIdChkPwd)->isEnabled());
    QTest::mouseClick(page->FindCtrl(CDlgIdPwd::kIdCkbxPwd), Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(settings.ChangePwd, 1);
    EXPECT_TRUE(page->FindCtrl(CDlgIdPwd::kIdChkPwd)->isEnabled());
}

TEST_F(IdPwdTest, NewPasswordChecksStopBeforeTheCamera)
{
    struct Case {
        const char *cur, *fresh, *confirm;
        const char* message;
        int focus;
    } cases[] = {
        {"secret", "abc", "abC", "M18", CDlgIdPwd::kIdChkPwd}, // case counts
        {"secret", "secret", "secret", "M16", CDlgIdPwd::kIdNewPwd},
        {"", "", "", "M16", CDlgIdPwd::kIdNewPwd}, // empty new equals empty current
    };
    for (const Case& c : cases) {
        settings.ChangePwd = 1;
        Open();
        Type(CDlgIdPwd::kIdAdmId, "admin");
        Type(CDlgIdPwd::kIdAdmPwd, c.cur);
        Type(CDlgIdPwd::kIdNewPwd, c.fresh);
        Type(CDlgIdPwd::kIdChkPwd, c.confirm);
        boxes.Clear();
        page->SendCommand(IDC_NEXT);
        ASSERT_EQ(Shown(), std::vector<std::string>{c.message}) << c.fresh;
        EXPECT_EQ(boxes.Calls()[0].type, MB_ICONEXCLAMATION);
        EXPECT_FALSE(boxes.Calls()[0].waitCursor);
        EXPECT_EQ(page->focusWidget(), page->FindCtrl(c.focus)) << c.message;
        EXPECT_TRUE(host.Drain().empty());
        EXPECT_EQ(settings.NewPwd[0], 0); // nothing stored yet
        page.reset();
    }
}

// A camera stores one byte per character: an entry it cannot hold is refused
// before the first request, with the focus on it.
TEST_F(IdPwdTest, CharactersACameraCannotStoreStopBeforeTheCamera)
{
    struct Case {
        int edit;
        const char* text;
        int changePwd;
    } cases[] = {
        {CDlgIdPwd::kIdAdmId, "adm\u0456n", 0},        // Cyrillic
        {CDlgIdPwd::kIdAdmPwd, "s\u20accret", 0},      // euro sign
        {CDlgIdPwd::kIdNewPwd, "new\U0001F600", 1},    // emoji
        {CDlgIdPwd::kIdChkPwd, "\u65b0\u3057\u3044", 1}, // CJK, only in the confirmation
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        settings.ChangePwd = c.changePwd;
        Open();
        Type(CDlgIdPwd::kIdAdmId, "admin");
        Type(CDlgIdPwd::kIdAdmPwd, "secret");
        Type(CDlgIdPwd::kIdNewPwd, "fresh1");
        Type(CDlgIdPwd::kIdChkPwd, "fresh1");
        Type(c.edit, c.text);
        page->FindCtrl(CDlgIdPwd::kIdAdmId)->setFocus();
        boxes.Clear();
        page->SendCommand(IDC_NEXT);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_NE(Utf8(boxes.Calls()[0].text).find("cannot store"), std::string::npos) << Shown()[0];
        EXPECT_EQ(boxes.Calls()[0].type, MB_ICONEXCLAMATION);
        EXPECT_EQ(page->focusWidget(), page->FindCtrl(c.edit));
        EXPECT_TRUE(host.Drain().empty());
        EXPECT_EQ(settings.AdminID[0], 0);
        page.reset();
    }
}

// Latin-1 letters are camera text like any other; a new password that is not
// to be set is never sent, so it is not checked.
TEST_F(IdPwdTest, LatinLettersLogInAndAnUnusedNewPasswordIsNotChecked)
{
    LoopbackSim sim({"mac=02:00:00:00:00:01,id=admin,pwd=s\xE9" "cret,wifi=0"});
    opstest::AimAtLoopback(engine, sim.Port, 1);
    settings.ChangePwd = 0;
    Open();
    Type(CDlgIdPwd::kIdAdmId, "admin");
    Type(CDlgIdPwd::kIdAdmPwd, "s\u00e9cret");
    Type(CDlgIdPwd::kIdNewPwd, "unused\u20ac");
    page->SendCommand(IDC_NEXT);
    EXPECT_TRUE(Shown().empty());
    ASSERT_EQ(host.Drain().size(), 1u);
    EXPECT_EQ(host.messages[0].wParam, kNavNext);
    EXPECT_EQ(Utf8(settings.AdminPwd), "s\u00e9cret");
}

TEST_F(IdPwdTest, AcceptedLoginStoresTextsAndReadsTheCamera)
{
    LoopbackSim sim({std::string(kCam) + ",wifi=1,essid=office,channel=11"});
    opstest::AimAtLoopback(engine, sim.Port, 1);
    settings.WlanEnabled = 1;
    settings.ChangePwd = 1;
    Open();
    Type(CDlgIdPwd::kIdAdmId, "admin");
    Type(CDlgIdPwd::kIdAdmPwd, "secret");
    Type(CDlgIdPwd::kIdNewPwd, "fresh1");
    Type(CDlgIdPwd::kIdChkPwd, "fresh1");
    page->SendCommand(IDC_NEXT);
    EXPECT_TRUE(Shown().empty());
    ASSERT_EQ(host.Drain().size(), 1u);
    EXPECT_EQ(host.messages[0].wParam, kNavNext);
    EXPECT_EQ(Utf8(settings.AdminID), "admin");
    EXPECT_EQ(Utf8(settings.AdminPwd), "secret");
    EXPECT_EQ(Utf8(settings.NewPwd), "fresh1");
    EXPECT_EQ(Utf8(settings.ConfirmPwd), "fresh1");
    EXPECT_TRUE(HasCapability(settings, 168));
    EXPECT_EQ(Utf8(settings.ESSID), "office");
    EXPECT_EQ(settings.Channel, 11);
}

TEST_F(IdPwdTest, WithoutWirelessTheReadBackIsSkipped)
{
    LoopbackSim sim({std::string(kCam) + ",wifi=1,essid=office"});
    opstest::AimAtLoopback(engine, sim.Port, 1);
    settings.WlanEnabled = 0;
    Open();
    Type(CDlgIdPwd::kIdAdmId, "admin");
    Type(CDlgIdPwd::kIdAdmPwd, "secret");
    page->SendCommand(IDC_NEXT);
    ASSERT_EQ(host.Drain().size(), 1u);
    EXPECT_EQ(settings.ESSID[0], 0);
}

TEST_F(IdPwdTest, FailuresShowTheirMessageAndStay)
{
    struct Case {
        const char* camera;
        const char* pwd;
        const char* message;
    } cases[] = {
        {"", "wrong", "M4"},
        {",power=0", "secret", "M4"},
        {",tstatus=5,errcode=7", "secret", "M4"}, // Verification: any error is a refusal
        {",tstatus=3", "secret", "M22"},
        {",silent=1", "secret", "M2000"},
    };
    for (const Case& c : cases) {
        LoopbackSim sim({std::string(kCam) + c.camera});
        opstest::AimAtLoopback(engine, sim.Port, 1);
        Open();
        Type(CDlgIdPwd::kIdAdmId, "admin");
        Type(CDlgIdPwd::kIdAdmPwd, c.pwd);
        boxes.Clear();
        page->SendCommand(IDC_NEXT);
        ASSERT_EQ(Shown(), std::vector<std::string>{c.message}) << c.camera;
        // A warning, read with the arrow: the login's wait cursor is gone by
        // the time the box opens.
        EXPECT_EQ(boxes.Calls()[0].type, MB_ICONEXCLAMATION) << c.camera;
        EXPECT_FALSE(boxes.Calls()[0].waitCursor) << c.camera;
        EXPECT_TRUE(host.Drain().empty());
        EXPECT_EQ(settings.AdminID[0], 0) << c.camera;
        page.reset();
    }
}

TEST_F(IdPwdTest, MissingTemplateShowsMessage62WithoutTraffic)
{
    QFile::remove(skin.Path(QStringLiteral("tOrvanta")));
    opstest::AimAtLoopback(engine, opstest::FreeUdpPort(), 1);
    Open();
    Type(CDlgIdPwd::kIdAdmId, "admin");
    Type(CDlgIdPwd::kIdAdmPwd, "secret");
    page->SendCommand(IDC_NEXT);
    ASSERT_EQ(Shown(), std::vector<std::string>{"M62"});
    EXPECT_EQ(boxes.Calls()[0].type, MB_ICONEXCLAMATION);
    EXPECT_EQ(page->LastResult(), 1);
}

TEST_F(IdPwdTest, EnterAndEscapeKeepThePage)
{
    Open();
    for (int key : {Qt::Key_Return, Qt::Key_Escape})
        QTest::keyClick(page->FindCtrl(CDlgIdPwd::kIdAdmId), static_cast<Qt::Key>(key));
    EXPECT_TRUE(host.Drain().empty());
    EXPECT_TRUE(page->isVisible());
    EXPECT_TRUE(Shown().empty());
}
