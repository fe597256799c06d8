// The whole wizard without a mouse, against simulated cameras in namespaces:
// every step is a key event to the focused control (arrows in the camera
// list, Tab to move, typing into edits, Space on buttons and radios).
#include "ui/support/UiTestMain.h"

#include <unistd.h>

#include <memory>

#include "app/OrvantaDlg.h"
#include "pages/DlgIdPwd.h"
#include "pages/DlgListCam.h"
#include "platform/qt/ListCtrl.h"
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

constexpr int kIpAddr = 1106, kSubMask = 1107, kGateway = 1108, kDhcpOff = 1204;

// Keys go where the keyboard focus is, as they do for a user.
class Keyboard {
public:
    explicit Keyboard(WizardDriver& w) : m_w(w) {}

    // The current page is the active window (the host shows each new page).
    bool PageActive()
    {
        QWidget* page = m_w.Page();
        if (!page)
            return false;
        page->activateWindow();
        return QTest::qWaitForWindowActive(page) && QApplication::focusWidget();
    }
    int FocusedId() const { return GetDlgCtrlID(QApplication::focusWidget()); }
    void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
        QCoreApplication::sendPostedEvents();
    }
    // Tab until control `id` has the focus; false when a whole round of the
    // page's controls never reaches it.
    bool TabTo(int id)
    {
        for (int i = 0; i < 40 && FocusedId() != id; ++i)
            Press(Qt::Key_Tab);
        return FocusedId() == id;
    }
    void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    // Tab to `id`, replace its text by typing.
    bool TypeInto(int id, const QString& text)
    {
        if (!TabTo(id))
            return false;
        Press(Qt::Key_A, Qt::ControlModifier);
        Press(Qt::Key_Delete);
        Type(text);
        return m_w.Text(id) == text;
    }
    bool Activate(int id)
    {
        if (!TabTo(id))
            return false;
        Press(Qt::Key_Space);
        return true;
    }

private:
    WizardDriver& m_w;
};

class KeyboardRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::SkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
        state = "/tmp/orvanta-keys-" + std::to_string(getpid()) + ".state";
        lab = orvtest::OneCameraLab("mac=02:00:00:00:0c:01,model=K81-X,name=Porch,ip=198.18.1.50,"
                                    "mask=255.255.255.0,gw=198.18.1.254,dhcp=1,wifi=0,id=admin,pwd=secret,state=" +
            state);
        // A second camera, so the pick is made with the arrows.
        lab->StartSimulator(lab->AddCameraHost(1, "198.18.1.51/24"),
            {"--camera", "mac=02:00:00:00:0c:02,model=K20,name=Garden,ip=198.18.1.51,wifi=0,id=admin,pwd=other"});
        ASSERT_TRUE(lab->Ok()) << lab->Error();
    }
    void TearDown() override
    {
        lab.reset();
        if (!state.empty())
            unlink(state.c_str());
    }

    std::unique_ptr<NetnsLab> lab;
    std::string state;
};

} // namespace

TEST_F(KeyboardRun, PickLoginFixedAddressApplyByKeysOnly)
{
    ScopedNetns inside(lab->PcNamespace());
    ASSERT_TRUE(inside.Entered());
    COrvantaDlg host;
    WizardDriver w(host);
    Keyboard keys(w);
    w.Run([&] {
        ASSERT_TRUE(w.WaitSearchDone());
        ASSERT_TRUE(WizardDriver::WaitUntil([&] {
            auto* list = dynamic_cast<CListCtrl*>(w.Ctrl(CDlgListCam::kIdList));
            return list && list->rowCount() == 2;
        }));
        ASSERT_TRUE(keys.PageActive());
        // The finished search hands the focus to the list, first row chosen;
        // the arrows move the choice to the camera wanted.
        ASSERT_EQ(keys.FocusedId(), CDlgListCam::kIdList);
        auto* list = dynamic_cast<CListCtrl*>(w.Ctrl(CDlgListCam::kIdList));
        for (int guard = 0; guard < 3 && !list->SelectedRows().empty(); ++guard) {
            const int row = list->SelectedRows().front();
            bool ours = false;
            for (int c = 0; c < list->columnCount(); ++c)
                ours = ours || list->GetItemText(row, c) == QStringLiteral("Porch");
            if (ours)
                break;
            keys.Press(Qt::Key_Down);
        }
        ASSERT_TRUE(keys.Activate(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageIdPwd)) << w.BoxTexts();
        EXPECT_EQ(QString::fromStdU16String(host.m_Settings.CameraName), QStringLiteral("Porch"));

        ASSERT_TRUE(keys.PageActive());
        ASSERT_TRUE(keys.TypeInto(CDlgIdPwd::kIdAdmId, QStringLiteral("admin")));
        // Tab from the ID lands on the password, the next in the layout.
        keys.Press(Qt::Key_Tab);
        ASSERT_EQ(keys.FocusedId(), CDlgIdPwd::kIdAdmPwd);
        keys.Type(QStringLiteral("secret"));
        // Enter and Escape keep the page, as on every page.
        keys.Press(Qt::Key_Return);
        keys.Press(Qt::Key_Escape);
        EXPECT_EQ(w.PageCode(), kPageIdPwd);
        ASSERT_TRUE(keys.Activate(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageNetWork)) << w.BoxTexts();

        ASSERT_TRUE(keys.PageActive());
        ASSERT_TRUE(keys.Activate(kDhcpOff)); // Space on the radio
        ASSERT_TRUE(WizardDriver::WaitUntil([&] { return w.IsEnabled(kIpAddr); }));
        ASSERT_TRUE(keys.TypeInto(kIpAddr, QStringLiteral("198.18.1.77")));
        ASSERT_TRUE(keys.TypeInto(kSubMask, QStringLiteral("255.255.255.0")));
        ASSERT_TRUE(keys.TypeInto(kGateway, QStringLiteral("198.18.1.254")));
        ASSERT_TRUE(keys.Activate(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageNetWorkFinish)) << w.BoxTexts();

        ASSERT_TRUE(keys.PageActive());
        ASSERT_TRUE(keys.Activate(IDC_NEXT));
        ASSERT_TRUE(w.WaitForPage(kPageListCam, 30000)) << w.BoxTexts();
        ASSERT_TRUE(w.WaitSearchDone());
        ASSERT_TRUE(keys.PageActive());
        ASSERT_TRUE(keys.Activate(IDC_EXIT));
        ASSERT_TRUE(WizardDriver::WaitUntil([&] { return host.Ended(); }));
    });
    EXPECT_TRUE(host.Ended());
    EXPECT_TRUE(w.Boxes().Calls().empty()) << w.BoxTexts();
    auto st = ReadState(state);
    EXPECT_EQ(st["ip"], "198.18.1.77");
    EXPECT_EQ(st["gw"], "198.18.1.254");
    EXPECT_EQ(st["dhcp"], "0");
}
