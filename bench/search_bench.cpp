// Discovery burst: the simulator plays 100, 1,000 and 5,000 cameras that all
// answer each request at once. For each size: cameras found and lost, time
// from the first request to the last record, and CPU time per reply datagram
// of the engine's search next to a bare recvfrom loop that sends the same
// requests on the same schedule and receives the same replies. Runs in
// private network namespaces (needs root).
//
//   search_bench [repetitions]   (default 3; the median run is shown)
#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/CamEngine.h"
#include "engine/DiscoveryPacket.h"
#include "support/NetnsLab.h"

using namespace orv;
using orvtest::NetnsLab;

namespace {

constexpr double kTailSeconds = 3.0; // the search's wait after the last reply
// The search's request schedule (milliseconds after the first), repeated by
// the bare loop so both receive the same traffic.
constexpr int kRequestMs[] = {0, 150, 300, 450, 600, 750, 900};

struct Run {
    int Received = 0;  // records (engine) or distinct cameras (bare)
    long Datagrams = 0; // reply datagrams received
    double ToLastSeconds = 0;
    double CpuSeconds = 0;
};

double ThreadCpu()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The engine's own pass over one adapter, on this thread.
Run EngineRun()
{
    CCamEngine engine;
    const double wall0 = Now(), cpu0 = ThreadCpu();
    engine.Discover();
    Run r;
    r.CpuSeconds = ThreadCpu() - cpu0;
    r.ToLastSeconds = Now() - wall0 - kTailSeconds;
    r.Received = engine.CountRecords();
    r.Datagrams = -1; // counted by the bare loop, which gets the same traffic
    return r;
}

// The least a receiver can do: the same socket set-up, then recvfrom until
// the same 3-second silence.
Run BareRun(uint16_t seq)
{
    Run r;
    const double wall0 = Now(), cpu0 = ThreadCpu();
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    const char dev[] = "eth0";
    setsockopt(fd, SOL_SOCKET, SO_BINDTODEVICE, dev, sizeof dev);
    int on = 1, bytes = 8 * 1024 * 1024;
    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(kCameraPort);
    to.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    uint8_t req[kDiscoveryRequestSize];
    BuildDiscoveryRequest(req, seq, 1);
    double last = wall0;
    uint8_t buf[kDiscoveryReplySize];
    std::unordered_set<uint64_t> cameras;
    std::size_t sent = 0;
    for (;;) {
        const double now = Now();
        if (sent < std::size(kRequestMs) && now >= wall0 + kRequestMs[sent] / 1e3) {
            sendto(fd, req, sizeof req, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
            ++sent;
            last = std::max(last, now);
            continue;
        }
        double wake = last + kTailSeconds;
        if (sent < std::size(kRequestMs))
            wake = std::min(wake, wall0 + kRequestMs[sent] / 1e3);
        if (now >= wake && sent >= std::size(kRequestMs))
            break;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, std::max(0, static_cast<int>((wake - now) * 1e3))) != 1)
            continue;
        sockaddr_in from{};
        socklen_t len = sizeof from;
        if (recvfrom(fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len) >= 0) {
            ++r.Datagrams;
            uint64_t mac = 0;
            for (int i = 6; i < 12; ++i)
                mac = (mac << 8) | buf[i];
            cameras.insert(mac);
            last = Now();
        }
    }
    r.Received = static_cast<int>(cameras.size());
    close(fd);
    r.CpuSeconds = ThreadCpu() - cpu0;
    r.ToLastSeconds = last - wall0;
    return r;
}

Run Median(std::vector<Run> runs)
{
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.CpuSeconds < b.CpuSeconds; });
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const std::string why = NetnsLab::SkipReason();
    if (!why.empty()) {
        std::printf("search_bench: skipped: %s\n", why.c_str());
        return 0;
    }
    const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("%7s | %-6s %6s %5s %10s %12s | %-6s %6s %8s %10s %12s | %5s\n", "cameras", "engine", "found", "lost",
        "last(ms)", "cpu/reply(us)", "bare", "found", "replies", "last(ms)", "cpu/reply(us)", "ratio");
    for (int cameras : {100, 1000, 5000}) {
        NetnsLab lab;
        const int seg = lab.AddSegment();
        lab.AddPcAdapter(seg, "eth0", {"198.18.1.1/24"});
        lab.StartSimulator(lab.AddCameraHost(seg, "198.18.1.50/24"),
            {"--generate", std::to_string(cameras) + ",mac=02:5e:00:00:00:00,model=BENCH,name=Cam"});
        if (!lab.Ok()) {
            std::fprintf(stderr, "search_bench: %s\n", lab.Error().c_str());
            return 1;
        }
        std::vector<Run> engineRuns, bareRuns;
        lab.RunInPc([&] {
            for (int i = 0; i < reps; ++i) {
                engineRuns.push_back(EngineRun());
                bareRuns.push_back(BareRun(static_cast<uint16_t>(1000 + i)));
            }
        });
        const Run e = Median(engineRuns), b = Median(bareRuns);
        // Per reply datagram: both received the same replies (the bare loop
        // counted them).
        const double replies = static_cast<double>(b.Datagrams);
        const double ePer = replies > 0 ? e.CpuSeconds / replies * 1e6 : 0;
        const double bPer = replies > 0 ? b.CpuSeconds / replies * 1e6 : 0;
        std::printf("%7d | %-6s %6d %5d %10.1f %12.2f | %-6s %6d %8ld %10.1f %12.2f | %5.2f\n", cameras, "",
            e.Received, cameras - e.Received, e.ToLastSeconds * 1e3, ePer, "", b.Received, b.Datagrams,
            b.ToLastSeconds * 1e3, bPer, bPer > 0 ? ePer / bPer : 0.0);
        std::fflush(stdout);
    }
    return 0;
}
