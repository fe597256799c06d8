// A full configuration sequence (verify, caps, wlan read, set basic, set wlan,
// reset) against the camera simulator on loopback, with no camera waits.
// Reports, per operation, the whole step time, the bare round trip of a
// request of the same size to the same simulator, and the difference: the
// program's own share (template load and parse, encode, request, decode).
// Target: the program's share of the whole sequence <= 50 ms.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "template/CameraSession.h"

namespace {

std::string BinDir()
{
    char path[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string p(path, n > 0 ? static_cast<std::size_t>(n) : 0);
    return p.substr(0, p.rfind('/'));
}

} // namespace

#include "core/operations_fixture.h"

using namespace orv;
using Clock = std::chrono::steady_clock;

namespace {

double Micros(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

double Median(std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    opstest::LoopbackSim sim({"mac=02:00:00:00:00:01,id=admin,pwd=secret,model=Q47"});
    if (!sim.Ready) {
        std::fprintf(stderr, "operations_bench: the simulator did not start\n");
        return 1;
    }
    CCamEngine engine;
    opstest::AimAtLoopback(engine, sim.Port, 2);
    WizardSettings s;
    CameraSession session(engine, s, BinDir() + "/tOrvanta/");
    session.m_Sleep = [](int) {};
    WCopy(s.MacText, u"02.00.00.00.00.01");
    WCopy(s.ListedIP, u"192.168.0.20");
    WCopy(s.CameraIP, u"192.168.0.20");
    WCopy(s.AdminID, u"admin");
    WCopy(s.AdminPwd, u"secret");
    WCopy(s.CameraName, u"Bench");
    WCopy(s.ESSID, u"bench-net");
    WCopy(s.WirelessEnableText, u"1");
    s.AdapterIndex = -1;

    struct Step {
        const char* Name;
        uint16_t Opcode;
        std::function<int()> Run;
        std::vector<double> Times;
    } steps[] = {
        {"verify", kOpVerification, [&] { return session.RunVerification(u"admin", u"secret"); }, {}},
        {"caps", kOpGetCapabilities, [&] { return session.QueryCapabilities(u"admin", u"secret"); }, {}},
        {"wlan read", kOpGetWLan, [&] { return session.ReadBackWireless(u"admin", u"secret"); }, {}},
        {"set basic", kOpSetBasic, [&] { return session.StepSetBasic(); }, {}},
        {"set wlan", kOpSetWLan, [&] { return session.StepSetWLan(); }, {}},
        {"reset", kOpReset, [&] { return session.StepReset(); }, {}},
    };
    for (int i = 0; i < rounds; ++i) {
        for (Step& st : steps) {
            const auto start = Clock::now();
            const int r = st.Run();
            st.Times.push_back(Micros(Clock::now() - start));
            if (r != -1) {
                std::fprintf(stderr, "operations_bench: %s failed with %d\n", st.Name, r);
                return 1;
            }
        }
    }
    // The transaction alone (socket, send, the simulator's answer, placing
    // the reply), and the template work alone with no socket at all: load
    // and parse the file, encode, decode the reply the camera left.
    std::printf("%-10s %10s %12s %14s   (median of %d, microseconds)\n", "operation", "step", "transaction",
        "template work", rounds);
    double total = 0, totalWork = 0;
    char text[kTemplateTextBytes];
    for (Step& st : steps) {
        const TemplateOperation* op = FindTemplateOperation(st.Opcode);
        std::vector<double> exchange, work;
        for (int i = 0; i < rounds; ++i) {
            auto start = Clock::now();
            engine.RunTemplateOperation(st.Opcode, s.MacText, u"admin", engine.m_szCameraIP, u"secret");
            exchange.push_back(Micros(Clock::now() - start));
            uint8_t block[kStatusBlockSize];
            engine.GetStatusBlock(block);
            start = Clock::now();
            if (op->TemplateFile)
                LoadTemplateInto(engine, BinDir() + "/tOrvanta/", op->TemplateFile, text);
            engine.EncodeRequest();
            std::memcpy(engine.m_WireBytes, block, sizeof block);
            for (int k = 0; k < kStatusBlockSize; ++k)
                engine.m_WorkText[k] = block[k];
            engine.DecodeReply(st.Opcode);
            work.push_back(Micros(Clock::now() - start));
        }
        const double step = Median(st.Times), trip = Median(exchange), program = Median(work);
        total += step;
        totalWork += program;
        std::printf("%-10s %10.1f %12.1f %14.1f\n", st.Name, step, trip, program);
    }
    std::printf("%-10s %10.1f %12s %14.1f   target: program share <= 50000\n", "sequence", total, "", totalWork);
    return 0;
}
