// Wizard start and list-page load, measured in-process on the offscreen
// platform (or the display given by QT_QPA_PLATFORM):
//   - program start (main entered) to the first list page shown and painted;
//   - the list page taking in 5,000 cameras: the longest search tick and the
//     longest gap in the event loop, for one burst of 5,000 and for 50 bursts
//     of 100 (10 ms apart);
//   - resident memory after the search of 5,000.
// The host's searches are fed by the engine's adapter seam: no datagram is
// sent anywhere. Targets: start <= 300 ms, no tick over 50 ms, <= 60 MB.
#include <QApplication>
#include <QElapsedTimer>

#include <clocale>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "app/OrvantaDlg.h"
#include "pages/DlgListCam.h"
#include "platform/qt/ListCtrl.h"
#include "support/WizardCameras.h"

using namespace orv;

namespace {

long ResidentKb()
{
    std::ifstream in("/proc/self/status");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == "VmRSS:") {
            in >> value;
            return value;
        }
        std::getline(in, key);
    }
    return -1;
}

std::vector<CamRecord> Cameras(uint32_t first, uint32_t count)
{
    std::vector<CamRecord> out;
    for (uint32_t i = first; i < first + count; ++i) {
        const uint8_t ip[4] = {198, 18, static_cast<uint8_t>(i / 250), static_cast<uint8_t>(1 + i % 250)};
        out.push_back(orvtest::MakeCameraRecord(i + 1, "OV-" + std::to_string(100 + i % 7),
            "Camera " + std::to_string(i + 1), ip));
    }
    return out;
}

// Milliseconds since the kernel started this process (10 ms resolution):
// includes loading the program and its libraries, which main() cannot see.
double MsSinceExec()
{
    std::ifstream statFile("/proc/self/stat");
    std::string stat;
    std::getline(statFile, stat);
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 22) {
            double uptime = 0;
            std::ifstream("/proc/uptime") >> uptime;
            return (uptime - std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK))) * 1000.0;
        }
    }
    return -1;
}

struct LoadFigures {
    double longestTickMs = 0;
    double longestGapMs = 0;
    double totalMs = 0;
    int rows = 0;
};

// Runs one search on the current list page and waits for its end, noting
// the longest time the event loop was away.
LoadFigures Load(COrvantaDlg& host, std::vector<std::vector<CamRecord>> bursts, int pauseMs)
{
    auto* page = dynamic_cast<CDlgListCam*>(host.CurrentPage());
    orvtest::FeedCameras(host.m_Engine, std::move(bursts), pauseMs);
    LoadFigures f;
    QElapsedTimer total, gap;
    total.start();
    page->SendCommand(CDlgListCam::kIdSearch);
    gap.start();
    while (page->Searching()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        f.longestGapMs = std::max(f.longestGapMs, gap.nsecsElapsed() / 1e6);
        gap.restart();
    }
    f.totalMs = total.nsecsElapsed() / 1e6;
    f.longestTickMs = page->LongestTickNs() / 1e6;
    f.rows = page->List()->GetItemCount();
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer start;
    start.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setQuitOnLastWindowClosed(false);

    auto host = std::make_unique<COrvantaDlg>();
    orvtest::FeedCameras(host->m_Engine, {});
    host->OnInitDialog();
    QWidget* page = host->CurrentPage();
    page->repaint();
    const double startMs = start.nsecsElapsed() / 1e6;
    const long startKb = ResidentKb();
    const double execMs = MsSinceExec();
    std::printf("start to list page shown:        %7.1f ms from main(), %.0f ms from exec  (target <= 300)\n",
        startMs, execMs);
    std::printf("resident memory at start:        %7.1f MB\n", startKb / 1024.0);

    // Let the first (empty) search end.
    while (dynamic_cast<CDlgListCam*>(host->CurrentPage())->Searching())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);

    const LoadFigures burst = Load(*host, {Cameras(0, 5000)}, 0);
    std::printf("5,000 in one burst: %d rows, longest tick %6.1f ms, longest loop gap %6.1f ms, total %6.1f ms"
                "  (target tick <= 50)\n", burst.rows, burst.longestTickMs, burst.longestGapMs, burst.totalMs);
    std::vector<std::vector<CamRecord>> bursts;
    for (uint32_t b = 0; b < 50; ++b)
        bursts.push_back(Cameras(b * 100, 100));
    const LoadFigures spread = Load(*host, std::move(bursts), 10);
    std::printf("5,000 in 50 bursts: %d rows, longest tick %6.1f ms, longest loop gap %6.1f ms, total %6.1f ms\n",
        spread.rows, spread.longestTickMs, spread.longestGapMs, spread.totalMs);
    std::printf("resident memory after 5,000:     %7.1f MB  (target <= 60)\n", ResidentKb() / 1024.0);
    host.reset();
    return 0;
}
