// orvanta-cli provision against 200 simulated cameras on two subnets, each
// asking for a 2 s wait after its settings (one after another that is over
// 400 s of waiting alone). Reports the wall time, the CPU time per camera,
// the failures, and whether every camera's state file matches its plan row.
//
//   provision_bench [CAMERAS_PER_SUBNET=100] [JOBS]   (JOBS: the tool's default when left out)
//   PROVISION_BENCH_SHOW=1 prints the tool's JSON report on standard error.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/NetnsLab.h"

using orvtest::NetnsLab;

namespace {

double ChildCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Planned {
    std::string Mac, Name, Ip, State;
};

std::string Mac(int subnet, int n)
{
    char mac[18];
    std::snprintf(mac, sizeof mac, "02:5e:%02x:00:%02x:%02x", subnet, (n >> 8) & 0xFF, n & 0xFF);
    return mac;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string why = NetnsLab::SkipReason();
    if (!why.empty()) {
        std::printf("provision_bench: skipped: %s\n", why.c_str());
        return 0;
    }
    const int perSubnet = argc > 1 ? std::max(1, std::min(200, std::atoi(argv[1]))) : 100;
    const std::string jobs = argc > 2 ? argv[2] : "";

    NetnsLab lab;
    const std::string dir = "/tmp/" + lab.PcNamespace() + "-provision-bench";
    orvtest::RunProgram({"mkdir", "-p", dir});
    std::vector<Planned> plan;
    for (int subnet = 1; subnet <= 2; ++subnet) {
        const int seg = lab.AddSegment();
        const std::string net = "198.18." + std::to_string(seg) + ".";
        lab.AddPcAdapter(seg, "eth" + std::to_string(subnet - 1), {net + "1/24"});
        const std::string state = dir + "/subnet" + std::to_string(subnet);
        lab.StartSimulator(lab.AddCameraHost(seg, net + "250/24"),
            {"--generate", std::to_string(perSubnet) + ",mac=" + Mac(subnet, 0) + ",model=BENCH,name=Cam,ip=" + net +
                               "0,id=admin,pwd=secret,wait=2:2000,state=" + state});
        for (int n = 1; n <= perSubnet; ++n) {
            const std::string site = "198.18." + std::to_string(100 + subnet) + ".";
            // --generate numbers its cameras from 1 and their MAC addresses from the base.
            plan.push_back({Mac(subnet, n - 1), "Site " + std::to_string(subnet) + "-" + std::to_string(n),
                site + std::to_string(n + 1), state + "-" + std::to_string(n)});
        }
    }
    if (!lab.Ok()) {
        std::fprintf(stderr, "provision_bench: %s\n", lab.Error().c_str());
        orvtest::RunProgram({"rm", "-rf", dir});
        return 1;
    }
    {
        std::ofstream csv(dir + "/plan.csv");
        csv << "mac,name,ip,mask,gateway\r\n";
        for (const Planned& p : plan)
            csv << p.Mac << "," << p.Name << "," << p.Ip << ",255.255.255.0," << p.Ip.substr(0, p.Ip.rfind('.'))
                << ".1\r\n";
    }

    std::string cmd = NetnsLab::CliPath() + " provision " + dir + "/plan.csv --password secret --json";
    if (!jobs.empty())
        cmd += " --jobs " + jobs;
    std::string out;
    const double cpu0 = ChildCpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    const int rc = lab.RunProgramInPc({"sh", "-c", cmd}, out);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = ChildCpuSeconds() - cpu0;

    if (std::getenv("PROVISION_BENCH_SHOW")) // the tool's own report, for a failed run
        std::fputs(out.c_str(), stderr);
    std::size_t okRows = 0, failedRows = 0;
    for (std::size_t at = 0; (at = out.find("\"ok\": ", at)) != std::string::npos; ++at)
        (out.compare(at + 6, 4, "true") == 0 ? okRows : failedRows)++;
    std::size_t matching = 0;
    for (const Planned& p : plan) {
        auto st = orvtest::ReadState(p.State);
        if (st["name"] == p.Name && st["ip"] == p.Ip && st["mask"] == "255.255.255.0" &&
            st["gw"] == p.Ip.substr(0, p.Ip.rfind('.')) + ".1" && st["dhcp"] == "0")
            ++matching;
    }
    std::printf("cameras %zu  jobs %s  exit %d  ok %zu  failed %zu  state files matching the plan %zu/%zu\n",
        plan.size(), jobs.empty() ? "default" : jobs.c_str(), rc, okRows, failedRows, matching, plan.size());
    std::printf("wall %.1f s (target < 90 s)  cpu %.2f s  cpu per camera %.2f ms  (waits alone, one after another: "
                "%.0f s)\n",
        wall, cpu, plan.empty() ? 0.0 : cpu / static_cast<double>(plan.size()) * 1e3,
        2.0 * static_cast<double>(plan.size()));
    orvtest::RunProgram({"rm", "-rf", dir});
    return rc == 0 && matching == plan.size() ? 0 : 1;
}
