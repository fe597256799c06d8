#pragma once
// Loopback set-ups for the template operation tests: the camera simulator
// as a child process on a port of 127.0.0.1, and a scripted fake camera
// thread that answers one request with whatever datagrams a test gives it.
// The engine is pointed at 127.0.0.1 instead of the broadcast address, with
// no adapter chosen, so no datagram leaves the machine's loopback.
#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/CamEngine.h"

namespace opstest {

inline int FreeUdpPort()
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    close(fd);
    return ntohs(a.sin_port);
}

// Runs a shell command line: its standard output into `out`, its standard
// error into `err` (each when given). Returns the exit code, or -1.
inline int RunShell(const std::string& command, std::string* out = nullptr, std::string* err = nullptr)
{
    char errPath[] = "/tmp/orv-shell-err-XXXXXX";
    const int errFd = mkstemp(errPath);
    if (errFd < 0)
        return -1;
    close(errFd);
    FILE* p = popen((command + " 2>" + errPath).c_str(), "r");
    std::string text;
    char buf[512];
    while (p && std::fgets(buf, sizeof buf, p))
        text += buf;
    const int status = p ? pclose(p) : -1;
    if (out)
        *out = text;
    if (err) {
        std::ifstream in(errPath);
        err->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    unlink(errPath);
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline void AimAtLoopback(orv::CCamEngine& e, int port, int waitSeconds = 1)
{
    std::strcpy(e.m_szRequestHost, "127.0.0.1");
    e.m_nRequestPort = static_cast<uint16_t>(port);
    e.m_nAdapterChoice = -1;
    e.m_nReplyWaitSeconds = waitSeconds;
}

// orvanta-sim on 127.0.0.1:<port>; stopped (by its pid) when destroyed.
class LoopbackSim {
public:
    explicit LoopbackSim(const std::vector<std::string>& cameras)
    {
        Port = FreeUdpPort();
        StatePath = "/tmp/orv-ops-" + std::to_string(getpid()) + "-" + std::to_string(Port) + ".state";
        std::vector<std::string> args = {std::string(ORVANTA_BIN_DIR) + "/orvanta-sim", "--port", std::to_string(Port)};
        for (const std::string& c : cameras) {
            args.push_back("--camera");
            args.push_back(c + ",state=" + StatePath);
        }
        int fds[2];
        if (pipe(fds) != 0)
            return;
        m_Pid = fork();
        if (m_Pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[1]);
        // Wait for "ready" (at most 5 s).
        std::string got;
        pollfd p{fds[0], POLLIN, 0};
        while (got.find("ready") == std::string::npos && poll(&p, 1, 5000) == 1) {
            char buf[128];
            const ssize_t n = read(fds[0], buf, sizeof buf);
            if (n <= 0)
                break;
            got.append(buf, static_cast<std::size_t>(n));
        }
        close(fds[0]);
        Ready = got.find("ready") != std::string::npos;
    }
    ~LoopbackSim()
    {
        if (m_Pid > 0) {
            kill(m_Pid, SIGTERM);
            waitpid(m_Pid, nullptr, 0);
        }
        unlink(StatePath.c_str());
    }
    // The camera's state file as key -> last value ("request" keeps all, joined by spaces).
    std::map<std::string, std::string> State() const
    {
        std::map<std::string, std::string> out;
        std::ifstream in(StatePath);
        std::string line;
        while (std::getline(in, line)) {
            const std::size_t eq = line.find('=');
            if (eq == std::string::npos)
                continue;
            const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
            if (key == "request" && out.count(key))
                out[key] += " " + value;
            else
                out[key] = value;
        }
        return out;
    }
    int Port = 0;
    bool Ready = false;
    std::string StatePath;

private:
    pid_t m_Pid = -1;
};

// Answers every request it receives (until stopped) by `script`, which gets
// the request bytes and returns the datagrams to send back. Keeps every
// request it saw.
class FakeCamera {
public:
    using Script = std::function<std::vector<std::vector<uint8_t>>(const std::vector<uint8_t>& request, int index)>;
    explicit FakeCamera(Script script) : m_Script(std::move(script))
    {
        m_Fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_Fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        getsockname(m_Fd, reinterpret_cast<sockaddr*>(&a), &len);
        Port = ntohs(a.sin_port);
        m_Thread = std::thread([this] { Serve(); });
    }
    ~FakeCamera()
    {
        m_Stop = true;
        m_Thread.join();
        close(m_Fd);
    }
    std::vector<std::vector<uint8_t>> Requests() const
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        return m_Requests;
    }
    // Where the last request came from (the engine's socket).
    sockaddr_in LastSender() const
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        return m_LastSender;
    }
    int Port = 0;

private:
    void Serve()
    {
        while (!m_Stop) {
            pollfd p{m_Fd, POLLIN, 0};
            if (poll(&p, 1, 50) != 1)
                continue;
            uint8_t buf[2048];
            sockaddr_in from{};
            socklen_t len = sizeof from;
            const ssize_t n = recvfrom(m_Fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
            if (n < 0)
                continue;
            std::vector<uint8_t> req(buf, buf + n);
            int index;
            {
                std::lock_guard<std::mutex> lock(m_Mutex);
                m_Requests.push_back(req);
                m_LastSender = from;
                index = static_cast<int>(m_Requests.size()) - 1;
            }
            for (const auto& d : m_Script(req, index))
                sendto(m_Fd, d.data(), d.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
        }
    }
    Script m_Script;
    int m_Fd = -1;
    std::atomic<bool> m_Stop{false};
    std::thread m_Thread;
    mutable std::mutex m_Mutex;
    std::vector<std::vector<uint8_t>> m_Requests;
    sockaddr_in m_LastSender{};
};

// A reply to `req`: header echoing seq and opcode, `mac` (the request's
// target when empty), `status`, and the payload.
inline std::vector<uint8_t> ReplyTo(const std::vector<uint8_t>& req, uint16_t status,
    const std::vector<uint8_t>& payload = {}, const std::vector<uint8_t>& mac = {})
{
    std::vector<uint8_t> r(22 + payload.size(), 0);
    r[0] = 0xEE, r[1] = 0xFE;
    r[2] = req[2], r[3] = req[3], r[4] = req[4], r[5] = req[5];
    for (int i = 0; i < 6; ++i)
        r[6 + i] = mac.empty() ? req[6 + i] : mac[static_cast<std::size_t>(i)];
    r[16] = static_cast<uint8_t>(status), r[17] = static_cast<uint8_t>(status >> 8);
    r[20] = static_cast<uint8_t>(payload.size()), r[21] = static_cast<uint8_t>(payload.size() >> 8);
    if (!payload.empty())
        std::memcpy(r.data() + 22, payload.data(), payload.size());
    return r;
}

inline uint16_t SeqOf(const std::vector<uint8_t>& req)
{
    return static_cast<uint16_t>(req[2] | (req[3] << 8));
}

} // namespace opstest
