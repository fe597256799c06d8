#include "support/NetnsLab.h"

#include <fstream>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

namespace orvtest {

namespace {

constexpr const char* kPrefix = "orvt";

std::vector<char*> ArgvOf(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// Reads everything from `fd` until it closes.
std::string Drain(int fd)
{
    std::string out;
    char buf[4096];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0)
            out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
}

// Output of the program, standard error included (for failure messages).
int Capture(const std::vector<std::string>& args, std::string& out, bool withStderr)
{
    int pipeFd[2];
    if (pipe2(pipeFd, O_CLOEXEC) != 0)
        return -1;
    std::vector<char*> argv = ArgvOf(args);
    const pid_t pid = fork();
    if (pid < 0) {
        close(pipeFd[0]);
        close(pipeFd[1]);
        return -1;
    }
    if (pid == 0) {
        dup2(pipeFd[1], 1);
        if (withStderr)
            dup2(pipeFd[1], 2);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(pipeFd[1]);
    out = Drain(pipeFd[0]);
    close(pipeFd[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void KillNamespaceProcesses(const std::string& ns)
{
    std::string pids;
    Capture({"ip", "netns", "pids", ns}, pids, false);
    std::size_t pos = 0;
    while (pos < pids.size()) {
        const pid_t pid = static_cast<pid_t>(std::strtol(pids.c_str() + pos, nullptr, 10));
        if (pid > 1 && pid != getpid())
            kill(pid, SIGKILL);
        pos = pids.find('\n', pos);
        if (pos == std::string::npos)
            break;
        ++pos;
    }
}

void DeleteNamespace(const std::string& ns)
{
    KillNamespaceProcesses(ns);
    std::string ignored;
    Capture({"ip", "netns", "del", ns}, ignored, true);
}

// Namespaces of earlier runs whose process is gone (a crash, a kill -9).
void RemoveLeftovers()
{
    DIR* dir = opendir("/run/netns");
    if (!dir)
        return;
    std::vector<std::string> stale;
    while (const dirent* e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name.rfind(kPrefix, 0) != 0)
            continue;
        const pid_t owner = static_cast<pid_t>(std::strtol(name.c_str() + std::strlen(kPrefix), nullptr, 10));
        if (owner > 0 && kill(owner, 0) != 0 && errno == ESRCH)
            stale.push_back(name);
    }
    closedir(dir);
    for (const auto& ns : stale)
        DeleteNamespace(ns);
}

} // namespace

int RunProgram(const std::vector<std::string>& argv, std::string* out)
{
    std::string ignored;
    return Capture(argv, out ? *out : ignored, false);
}

std::string NetnsLab::SimulatorPath()
{
    return std::string(ORVANTA_BIN_DIR) + "/orvanta-sim";
}

std::string NetnsLab::CliPath()
{
    return std::string(ORVANTA_BIN_DIR) + "/orvanta-cli";
}

std::string NetnsLab::SkipReason()
{
    if (geteuid() != 0)
        return "needs root to create network namespaces; run as root (e.g. sudo ctest -L netns)";
    std::string version;
    if (Capture({"ip", "-V"}, version, true) != 0)
        return "the 'ip' program (iproute2) is missing";
    if (access(SimulatorPath().c_str(), X_OK) != 0)
        return "the camera simulator is not built: " + SimulatorPath();
    return {};
}

std::string NetnsLab::CliSkipReason()
{
    std::string why = SkipReason();
    if (why.empty() && access(CliPath().c_str(), X_OK) != 0)
        why = "orvanta-cli is not built: " + CliPath();
    return why;
}

NetnsLab::NetnsLab()
{
    static std::once_flag leftovers;
    std::call_once(leftovers, RemoveLeftovers);
    static std::atomic<int> counter{0};
    m_Prefix = std::string(kPrefix) + std::to_string(getpid()) + "n" + std::to_string(++counter);
    m_Switch = MakeNamespace("sw");
    m_Pc = MakeNamespace("pc");
    // Replies from cameras on a foreign subnet must not be dropped by the
    // reverse-path check (a setting the machine may have).
    std::string out;
    if (Ok() && Capture({"ip", "netns", "exec", m_Pc, "sysctl", "-qw", "net.ipv4.conf.all.rp_filter=0",
                            "net.ipv4.conf.default.rp_filter=0"},
                    out, true) != 0)
        Fail("sysctl in the pc namespace: " + out);
}

NetnsLab::~NetnsLab()
{
    for (pid_t pid : m_Simulators)
        StopSimulator(pid);
    for (auto it = m_Namespaces.rbegin(); it != m_Namespaces.rend(); ++it)
        DeleteNamespace(*it);
}

void NetnsLab::Fail(const std::string& what)
{
    if (m_Error.empty())
        m_Error = what;
}

bool NetnsLab::Ip(const std::vector<std::string>& args)
{
    std::vector<std::string> full{"ip"};
    full.insert(full.end(), args.begin(), args.end());
    std::string out;
    if (Capture(full, out, true) == 0)
        return true;
    std::string cmd;
    for (const auto& a : full)
        cmd += a + " ";
    Fail(cmd + ": " + out);
    return false;
}

std::string NetnsLab::MakeNamespace(const std::string& role)
{
    const std::string ns = m_Prefix + "-" + role;
    if (Ip({"netns", "add", ns})) {
        m_Namespaces.push_back(ns);
        Ip({"-n", ns, "link", "set", "lo", "up"});
    }
    return ns;
}

int NetnsLab::AddSegment()
{
    const int seg = ++m_Segments;
    const std::string br = "br" + std::to_string(seg);
    Ip({"-n", m_Switch, "link", "add", br, "type", "bridge"});
    Ip({"-n", m_Switch, "link", "set", br, "up"});
    return seg;
}

bool NetnsLab::AddPcAdapter(int segment, const std::string& ifName, const std::vector<std::string>& cidrs, bool up)
{
    const std::string port = "p" + std::to_string(++m_Links);
    bool ok = Ip({"-n", m_Switch, "link", "add", port, "type", "veth", "peer", "name", ifName, "netns", m_Pc}) &&
              Ip({"-n", m_Switch, "link", "set", port, "master", "br" + std::to_string(segment), "up"});
    for (const auto& cidr : cidrs) {
        // "eth0:1:198.18.1.2/24" gives the address the label eth0:1.
        const std::size_t last = cidr.rfind(':');
        if (last == std::string::npos)
            ok = ok && Ip({"-n", m_Pc, "addr", "add", cidr, "dev", ifName});
        else
            ok = ok && Ip({"-n", m_Pc, "addr", "add", cidr.substr(last + 1), "dev", ifName, "label",
                           cidr.substr(0, last)});
    }
    if (up)
        ok = ok && Ip({"-n", m_Pc, "link", "set", ifName, "up"});
    return ok;
}

std::string NetnsLab::AddCameraHost(int segment, const std::string& cidr)
{
    const std::string ns = MakeNamespace("c" + std::to_string(m_Namespaces.size()));
    const std::string port = "p" + std::to_string(++m_Links);
    Ip({"-n", m_Switch, "link", "add", port, "type", "veth", "peer", "name", "eth0", "netns", ns});
    Ip({"-n", m_Switch, "link", "set", port, "master", "br" + std::to_string(segment), "up"});
    Ip({"-n", ns, "addr", "add", cidr, "dev", "eth0"});
    Ip({"-n", ns, "link", "set", "eth0", "up"});
    return ns;
}

pid_t NetnsLab::StartSimulator(const std::string& ns, const std::vector<std::string>& args)
{
    std::vector<std::string> full{"ip", "netns", "exec", ns, SimulatorPath()};
    full.insert(full.end(), args.begin(), args.end());
    std::vector<char*> argv = ArgvOf(full);
    int pipeFd[2];
    if (pipe2(pipeFd, O_CLOEXEC) != 0) {
        Fail("pipe");
        return -1;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFd[1], 1);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(pipeFd[1]);
    if (pid < 0) {
        close(pipeFd[0]);
        Fail("fork");
        return -1;
    }
    m_Simulators.push_back(pid);
    // The simulator says "ready" once it listens.
    std::string said;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (said.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd p{pipeFd[0], POLLIN, 0};
        if (poll(&p, 1, 100) == 1) {
            char buf[256];
            const ssize_t n = read(pipeFd[0], buf, sizeof buf);
            if (n <= 0)
                break;
            said.append(buf, static_cast<std::size_t>(n));
        }
    }
    close(pipeFd[0]);
    if (said.rfind("ready", 0) != 0) {
        Fail("the simulator in " + ns + " did not start");
        return -1;
    }
    return pid;
}

void NetnsLab::StopSimulator(pid_t pid)
{
    auto it = std::find(m_Simulators.begin(), m_Simulators.end(), pid);
    if (pid <= 0 || it == m_Simulators.end())
        return;
    m_Simulators.erase(it);
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
}

bool NetnsLab::RunInPc(const std::function<void()>& fn)
{
    const int fd = open(("/run/netns/" + m_Pc).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool entered = false;
    std::thread inside([&] {
        entered = setns(fd, CLONE_NEWNET) == 0;
        if (entered)
            fn();
    });
    inside.join();
    close(fd);
    return entered;
}

int NetnsLab::RunProgramInPc(const std::vector<std::string>& argv, std::string& out)
{
    std::vector<std::string> full{"ip", "netns", "exec", m_Pc};
    full.insert(full.end(), argv.begin(), argv.end());
    return Capture(full, out, false);
}

std::vector<std::string> SeenRequests(const std::string& statePath)
{
    std::vector<std::string> seen;
    std::ifstream in(statePath);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("request=", 0) == 0)
            seen.push_back(line.substr(8));
    return seen;
}

std::unique_ptr<NetnsLab> OneCameraLab(const std::string& camera)
{
    auto lab = std::make_unique<NetnsLab>();
    const int seg = lab->AddSegment();
    lab->AddPcAdapter(seg, "eth0", {"198.18.1.1/24"});
    lab->StartSimulator(lab->AddCameraHost(seg, "198.18.1.50/24"), {"--camera", camera});
    return lab;
}

std::map<std::string, std::string> ReadState(const std::string& path)
{
    std::map<std::string, std::string> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos)
            out[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return out;
}

} // namespace orvtest
