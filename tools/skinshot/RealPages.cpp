#include "RealPages.h"

#include "SampleData.h"

#include "app/PageFactory.h"
#include "app/PageFlow.h"
#include "pages/DlgListCam.h"
#include "pages/DlgWPSSetting.h"
#include "pages/WizardPage.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/StdControls.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace orv::skinshot {

namespace {

using Tune = std::function<void(WizardSettings&)>;
using Act = std::function<void(CWizardPage&)>;

struct Shot {
    const char* name;
    int32_t code;
    Tune before; // settings as the pages before this one leave them
    Act after;   // what a user does on the page before the picture
};

void Nothing(WizardSettings&) {}
void Untouched(CWizardPage&) {}

// The list page clears the login before it opens the WPS page directly; the
// user types it into the page itself.
void ClearLogin(WizardSettings& s)
{
    s.AdminID[0] = 0;
    s.AdminPwd[0] = 0;
}
void TypeLogin(CWizardPage& page)
{
    if (auto* id = page.FindCtrlAs<CEdit>(CDlgWPSSetting::kIdAdmId))
        id->setText(QStringLiteral("admin"));
    if (auto* pwd = page.FindCtrlAs<CEdit>(CDlgWPSSetting::kIdAdmPwd))
        pwd->setText(QStringLiteral("secret"));
}
void ChoosePin(CWizardPage& page)
{
    if (auto* pin = page.FindCtrlAs<CRadioButton>(CDlgWPSSetting::kIdOptPin))
        pin->click();
}
void ChooseWps(WizardSettings& s) { s.WpsChosen = 1; }
void ChooseStandard(WizardSettings& s) { s.WpsChosen = 0; }

const std::vector<Shot>& Shots()
{
    static const std::vector<Shot> shots = {
        {"list", kPageListCam, Nothing, Untouched},
        {"about", kPageAbout, Nothing, Untouched},
        {"wps-direct", kPageWpsDirect, ClearLogin, TypeLogin},
        {"idpwd", kPageIdPwd, Nothing, Untouched},
        {"network", kPageNetWork, Nothing, Untouched},
        {"wireless-choice", kPageWirelessSelect, ChooseStandard, Untouched},
        {"wps-pin", kPageWpsFollow, ChooseWps, ChoosePin},
        {"wireless", kPageWireless, UseSampleWep, Untouched},
        {"wireless-key", kPageWirelessKey, UseSampleWep, Untouched},
        {"wireless-new", kPageWirelessNew, UseSampleWpa2, Untouched},
        {"network-finish", kPageNetWorkFinish, Nothing, Untouched},
        {"wireless-finish", kPageWirelessFinish, UseSampleWep, Untouched},
        {"wireless-finish-new", kPageWirelessFinishNew, UseSampleWpa2, Untouched},
    };
    return shots;
}

void Pump(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The host's hand-over for a freshly created page (COrvantaDlg::OnNavigate).
void HandOver(CWizardPage& page, int32_t code, CCamEngine& engine, WizardSettings& settings)
{
    const PageInfo* info = FindPageInfo(code);
    if (info && info->directMode >= 0)
        page.SetDirectMode(info->directMode);
    if (info && info->givesEngine)
        page.SetEngine(&engine);
    if (code == kPageListCam)
        page.StartListPage(&settings);
    else if (info && info->givesSettings)
        page.InitFromSettings(&settings);
}

bool Grab(CWizardPage& page, const QString& file)
{
    page.show();
    QCoreApplication::processEvents();
    // A blinking text cursor would be caught half the time.
    if (auto* edit = qobject_cast<QLineEdit*>(page.focusWidget()))
        edit->clearFocus();
    if (!page.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

} // namespace

QStringList RealPageNames()
{
    QStringList names;
    for (const Shot& shot : Shots())
        names << QString::fromLatin1(shot.name);
    return names;
}

int RenderRealPages(const QString& outDir, const QStringList& only)
{
    // Pages ask nothing of a camera while they are set up; a box that shows
    // anyway is answered here and told on standard error, never left open.
    MessageBoxHook boxes;
    CCamEngine engine;
    FeedSampleCameras(engine);
    WizardSettings settings;
    QWidget host;
    int failed = 0;
    for (const Shot& shot : Shots()) {
        const QString name = QString::fromLatin1(shot.name);
        // The list page always runs: it resets the settings block and makes
        // the shared page font, as it does at the start of every run.
        const bool wanted = only.isEmpty() || only.contains(name);
        if (!wanted && shot.code != kPageListCam)
            continue;
        WizardSettings used = settings;
        shot.before(used);
        std::unique_ptr<CWizardPage> page(NewPage(shot.code, &host));
        if (!page || !page->Create()) {
            std::fprintf(stderr, "%s: the page cannot be made\n", shot.name);
            ++failed;
            continue;
        }
        HandOver(*page, shot.code, engine, shot.code == kPageListCam ? settings : used);
        if (shot.code == kPageListCam) {
            auto* list = dynamic_cast<CDlgListCam*>(page.get());
            Pump([list] { return list == nullptr || !list->Searching(); }, 15000);
            FillSampleSettings(settings);
        }
        shot.after(*page);
        if (wanted && !Grab(*page, QDir(outDir).filePath(QStringLiteral("page-%1.png").arg(name))))
            ++failed;
    }
    for (const MessageBoxCall& call : boxes.Calls())
        std::fprintf(stderr, "message box answered: %s\n", Utf8(call.text).c_str());
    return failed;
}

} // namespace orv::skinshot
