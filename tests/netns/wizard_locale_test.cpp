// Camera text under a UTF-8 desktop locale, through the whole program
// against a simulated camera in namespaces: a password with accented letters
// set by the wizard (and by orvanta-cli) must log in afterwards; a character
// no camera can store is refused before anything is sent; a camera name with
// a Latin-1 letter survives a whole apply run byte for byte.
#include "ui/support/UiTestMain.h"

#include <unistd.h>

#include <clocale>
#include <memory>

#include "app/OrvantaDlg.h"
#include "pages/DlgIdPwd.h"
#include "pages/DlgListCam.h"
#include "platform/qt/WinDefs.h"
#include "support/NetnsLab.h"
#include "support/WizardDriver.h"

using namespace orv;
using orvtest::NetnsLab;
using orvtest::ReadState;
using orvtest::ScopedNetns;
using orvtest::WizardDriver;

namespace {

const QString kAccented = QStringLiteral("p\u00e4ssw\u00f6rd1"); // "pässwörd1"
const QString kNoByte = QStringLiteral("pa\u20acss1");         // holds the euro sign

// Types `text` into edit `id` as a keyboard does, one key event per
// character (accented letters and symbols included).
bool TypeInto(WizardDriver& w, int id, const QString& text)
{
    auto* edit = dynamic_cast<QLineEdit*>(w.Ctrl(id));
    if (!edit || !edit->isEnabled())
        return false;
    edit->setFocus();
    edit->selectAll();
    edit->del();
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    return edit->text() == text;
}

class LocaleRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        // A desktop's locale, whatever the test was started with.
        m_OldLocale = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, "C.UTF-8"))
            GTEST_SKIP() << "locale C.UTF-8 is not installed";
        lab = std::make_unique<NetnsLab>();
        seg = lab->AddSegment();
        lab->AddPcAdapter(seg, "eth0", {"198.18.1.1/24"});
        ASSERT_TRUE(lab->Ok()) << lab->Error();
    }
    void TearDown() override
    {
        lab.reset();
        for (const std::string& s : states)
            unlink(s.c_str());
        if (!m_OldLocale.empty())
            std::setlocale(LC_ALL, m_OldLocale.c_str());
    }
    // A camera on the segment; `name` is sent as raw bytes. Returns the path
    // of its state file.
    std::string AddCamera(const std::string& mac, const std::string& ip, const std::string& name)
    {
        const std::string state = "/tmp/" + lab->PcNamespace() + "-" + ip + ".state";
        states.push_back(state);
        lab->StartSimulator(lab->AddCameraHost(seg, ip + "/24"),
            {"--camera", "mac=" + mac + ",model=K81-X,name=" + name + ",ip=" + ip +
                             ",mask=255.255.255.0,gw=198.18.1.254,dhcp=1,wifi=0,id=admin,pwd=secret,state=" + state});
        return state;
    }

    std::unique_ptr<NetnsLab> lab;
    int seg = 0;
    std::vector<std::string> states;

private:
    std::string m_OldLocale;
};

} // namespace

TEST_F(LocaleRun, WizardSetsAnAccentedPasswordAndLogsInWithIt)
{
    const std::string state = AddCamera("02:00:00:00:0b:01", "198.18.1.50", "K\xFC" "che");
    ASSERT_TRUE(lab->Ok()) << lab->Error();
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    {
        COrvantaDlg host;
        WizardDriver w(host);
        w.Run([&] {
            ASSERT_TRUE(w.WaitSearchDone());
            ASSERT_TRUE(w.PickCamera(QStringLiteral("K\u00fcche")));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_TRUE(w.WaitForPage(kPageIdPwd)) << w.BoxTexts();
            ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmId, "admin"));
            ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmPwd, "secret"));
            ASSERT_TRUE(w.SetCheck(CDlgIdPwd::kIdCkbxPwd, true));

            // A character no camera can store: refused on the page, the
            // focus on the new password, and not one request sent.
            ASSERT_TRUE(TypeInto(w, CDlgIdPwd::kIdNewPwd, kNoByte));
            ASSERT_TRUE(TypeInto(w, CDlgIdPwd::kIdChkPwd, kNoByte));
            w.Ctrl(CDlgIdPwd::kIdAdmId)->setFocus();
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_EQ(w.Boxes().Calls().size(), 1u) << w.BoxTexts();
            EXPECT_NE(w.BoxTexts().find("cannot store"), std::string::npos) << w.BoxTexts();
            EXPECT_EQ(w.PageCode(), kPageIdPwd);
            EXPECT_EQ(w.Page()->focusWidget(), w.Ctrl(CDlgIdPwd::kIdNewPwd));
            EXPECT_TRUE(orvtest::SeenRequests(state).empty());

            ASSERT_TRUE(TypeInto(w, CDlgIdPwd::kIdNewPwd, kAccented));
            ASSERT_TRUE(TypeInto(w, CDlgIdPwd::kIdChkPwd, kAccented));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_TRUE(w.WaitForPage(kPageNetWork)) << w.BoxTexts();
            ASSERT_TRUE(w.Click(IDC_NEXT)); // the camera's DHCP as it is
            ASSERT_TRUE(w.WaitForPage(kPageNetWorkFinish)) << w.BoxTexts();
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_TRUE(w.WaitForPage(kPageListCam, 30000)) << w.BoxTexts();
            w.Page()->SendCommand(IDC_EXIT);
        });
        EXPECT_EQ(w.Boxes().Calls().size(), 1u) << w.BoxTexts();
    }
    auto st = ReadState(state);
    EXPECT_EQ(st["pwd"], "(changed)");
    EXPECT_EQ(st["name"], "K\xFC" "che"); // written back as the one byte it came as

    // The next run logs in with the new password; the old one is refused.
    {
        COrvantaDlg host;
        WizardDriver w(host);
        w.Run([&] {
            ASSERT_TRUE(w.WaitSearchDone());
            ASSERT_TRUE(w.PickCamera(QStringLiteral("K\u00fcche")));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_TRUE(w.WaitForPage(kPageIdPwd));
            ASSERT_TRUE(w.SetText(CDlgIdPwd::kIdAdmId, "admin"));
            ASSERT_TRUE(TypeInto(w, CDlgIdPwd::kIdAdmPwd, kAccented));
            ASSERT_TRUE(w.Click(IDC_NEXT));
            ASSERT_TRUE(w.WaitForPage(kPageNetWork)) << w.BoxTexts();
            EXPECT_EQ(QString::fromStdU16String(host.m_Settings.AdminPwd), kAccented);
        });
        EXPECT_TRUE(w.Boxes().Calls().empty()) << w.BoxTexts();
    }
}

// The command-line tool reads its arguments as UTF-8 and sends the same
// bytes as the wizard, under the C locale and a UTF-8 one alike.
TEST_F(LocaleRun, CliChangesToAnAccentedPasswordUnderEitherLocale)
{
    const struct {
        const char* locale;
        const char* mac;
        const char* ip;
    } runs[] = {{"C", "02:00:00:00:0b:11", "198.18.1.61"}, {"C.UTF-8", "02:00:00:00:0b:12", "198.18.1.62"}};
    std::vector<std::string> statePaths;
    for (const auto& r : runs)
        statePaths.push_back(AddCamera(r.mac, r.ip, "Cam"));
    ASSERT_TRUE(lab->Ok()) << lab->Error();
    const std::string accented = kAccented.toStdString();
    for (std::size_t i = 0; i < std::size(runs); ++i) {
        const auto& r = runs[i];
        SCOPED_TRACE(r.locale);
        std::string out; // standard output and error together
        auto cli = [&](std::vector<std::string> args) {
            std::vector<std::string> argv{"env", std::string("LC_ALL=") + r.locale, "sh", "-c",
                "exec \"$0\" \"$@\" 2>&1", NetnsLab::CliPath()};
            argv.insert(argv.end(), args.begin(), args.end());
            argv.insert(argv.end(), {"--mac", r.mac, "--reply-wait", "2"});
            out.clear();
            return lab->RunProgramInPc(argv, out);
        };
        EXPECT_EQ(cli({"change-password", "--password", "secret", "--new-password", kNoByte.toStdString()}), 2);
        EXPECT_NE(out.find("--new-password holds a character that a camera cannot store"), std::string::npos) << out;
        EXPECT_EQ(out.find("\xE2\x82\xAC"), std::string::npos) << "a password is never echoed";
        EXPECT_EQ(cli({"set-network", "--password", "secret", "--dhcp", "--name", "\xD0\x96uk"}), 2);
        EXPECT_NE(out.find("--name holds a character '\xD0\x96'"), std::string::npos) << out;
        EXPECT_EQ(cli({"verify", "--password", "secret\xE4"}), 2);
        EXPECT_NE(out.find("is not UTF-8 text"), std::string::npos) << out;
        EXPECT_TRUE(orvtest::SeenRequests(statePaths[i]).empty());

        EXPECT_EQ(cli({"change-password", "--password", "secret", "--new-password", accented}), 0);
        EXPECT_EQ(ReadState(statePaths[i])["pwd"], "(changed)");
        EXPECT_EQ(cli({"verify", "--password", accented}), 0);
        EXPECT_EQ(cli({"verify", "--password", "secret"}), 5);
    }
}
