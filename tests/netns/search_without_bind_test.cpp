// A search where the kernel refuses to tie a socket to an adapter
// (SO_BINDTODEVICE needs CAP_NET_RAW before Linux 5.7): refused here by a
// seccomp filter around orvanta-cli. The camera on a foreign subnet that
// answers by broadcast must still be found, as well as the one on the
// adapter's own subnet.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

#include "support/NetnsLab.h"

using orvtest::NetnsLab;

namespace {

// Makes setsockopt(SOL_SOCKET, SO_BINDTODEVICE) fail with EPERM in this
// process and everything it runs.
bool RefuseBindToDevice()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_setsockopt, 0, 5),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[1])),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SOL_SOCKET, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SO_BINDTODEVICE, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog prog{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &prog) == 0;
}

// orvanta-cli search --json in the pc namespace under that filter. Returns
// its exit status (99: the filter did not take).
int SearchWithoutBind(const std::string& pc, std::string& out)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        const int probe = socket(AF_INET, SOCK_DGRAM, 0);
        if (!RefuseBindToDevice() || setsockopt(probe, SOL_SOCKET, SO_BINDTODEVICE, "lo", 3) == 0 || errno != EPERM)
            _exit(99);
        close(probe);
        const std::string cli = NetnsLab::CliPath();
        execlp("ip", "ip", "netns", "exec", pc.c_str(), cli.c_str(), "search", "--json", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char buf[4096];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            out.append(buf, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SearchWithoutBind, ForeignBroadcastAnswersStillArrive)
{
    const std::string why = NetnsLab::SkipReason();
    if (!why.empty())
        GTEST_SKIP() << why;
    NetnsLab lab;
    const int seg = lab.AddSegment();
    lab.AddPcAdapter(seg, "eth0", {"198.18.1.1/24"});
    lab.StartSimulator(lab.AddCameraHost(seg, "198.18.1.50/24"),
        {"--camera", "mac=02:00:00:00:01:01,model=NEAR,ip=198.18.1.50"});
    lab.StartSimulator(lab.AddCameraHost(seg, "198.19.77.5/24"),
        {"--camera", "mac=02:00:00:00:07:07,model=FAR,ip=198.19.77.5,reply=broadcast"});
    ASSERT_TRUE(lab.Ok()) << lab.Error();

    std::string out;
    ASSERT_EQ(SearchWithoutBind(lab.PcNamespace(), out), 0) << out;
    EXPECT_NE(out.find("\"model\": \"NEAR\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"model\": \"FAR\""), std::string::npos) << out;
}

} // namespace
