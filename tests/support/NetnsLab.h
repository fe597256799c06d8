#pragma once
// A private network for tests that need real sockets: a "pc" namespace with
// adapters on separate segments, camera namespaces on those segments running
// the camera simulator, and a "switch" namespace holding one bridge per
// segment. Nothing is created in the machine's own namespace except the
// namespaces themselves; every name carries the process id, and the
// destructor removes everything (a later run also removes what a crashed run
// left behind). Needs root; SkipReason() says why it cannot run.
//
//   NetnsLab lab;
//   int seg = lab.AddSegment();                      // 198.18.<seg>.0/24
//   lab.AddPcAdapter(seg, "eth0", {"198.18.1.1/24"});
//   std::string cam = lab.AddCameraHost(seg, "198.18.1.50/24");
//   lab.StartSimulator(cam, {"--camera", "mac=02:00:00:00:00:01,ip=198.18.1.50"});
//   lab.RunInPc([&] { ... sockets here live in the pc namespace ... });
#include <sys/types.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvtest {

class NetnsLab {
public:
    NetnsLab();
    ~NetnsLab();
    NetnsLab(const NetnsLab&) = delete;
    NetnsLab& operator=(const NetnsLab&) = delete;

    // Empty when the lab can run here; otherwise the reason it cannot.
    static std::string SkipReason();
    // The same, for tests that also run orvanta-cli.
    static std::string CliSkipReason();

    // False after any set-up step failed; Error() tells which.
    bool Ok() const { return m_Error.empty(); }
    const std::string& Error() const { return m_Error; }

    // A new segment (a bridge in the switch namespace). Returns its number,
    // starting at 1.
    int AddSegment();
    // An adapter of the pc, named `ifName` inside the pc, on `segment`, with
    // the given addresses ("198.18.1.1/24"; "label:ADDR/N" gives the
    // address the label, e.g. "eth0:1:198.18.1.2/24"). Empty list: up with no
    // IPv4 address. `up` false leaves it down.
    bool AddPcAdapter(int segment, const std::string& ifName, const std::vector<std::string>& cidrs, bool up = true);
    // A camera host on `segment` with address `cidr`; returns its namespace.
    std::string AddCameraHost(int segment, const std::string& cidr);
    // Starts orvanta-sim in `ns` and waits until it listens. Returns its pid,
    // or -1.
    pid_t StartSimulator(const std::string& ns, const std::vector<std::string>& args);
    void StopSimulator(pid_t pid);

    // Runs `fn` on a thread that has entered the pc namespace; threads it
    // starts stay there too. Returns false when the namespace could not be
    // entered.
    bool RunInPc(const std::function<void()>& fn);
    // Runs a program inside the pc namespace; its standard output is
    // returned in `out`. Returns its exit status, or -1.
    int RunProgramInPc(const std::vector<std::string>& argv, std::string& out);

    const std::string& PcNamespace() const { return m_Pc; }
    static std::string SimulatorPath();
    static std::string CliPath();

private:
    bool Ip(const std::vector<std::string>& args);
    std::string MakeNamespace(const std::string& role);
    void Fail(const std::string& what);

    std::string m_Prefix;
    std::string m_Switch;
    std::string m_Pc;
    std::vector<std::string> m_Namespaces;
    std::vector<pid_t> m_Simulators;
    int m_Segments = 0;
    int m_Links = 0;
    std::string m_Error;
};

// Runs a program and waits; stdout into `out` when given. Returns the exit
// status, or -1 when it could not run.
int RunProgram(const std::vector<std::string>& argv, std::string* out = nullptr);

// The key=value lines of a simulated camera's state file (what it stored).
std::map<std::string, std::string> ReadState(const std::string& path);
// The template requests a simulated camera saw, in order, as
// "<opcode>:<sequence>" in decimal ("163:1": Verification, sequence 1).
std::vector<std::string> SeenRequests(const std::string& statePath);

// The smallest lab: one segment with the pc's eth0 at 198.18.1.1/24 and one
// simulated camera host at 198.18.1.50/24 playing `camera` (a --camera
// description). Check Ok() before use.
std::unique_ptr<NetnsLab> OneCameraLab(const std::string& camera);

} // namespace orvtest
