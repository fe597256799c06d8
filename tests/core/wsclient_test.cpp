// The socket client's result codes, over loopback only.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "engine/WSClient.h"

using namespace orv;

namespace {

// A loopback receiver on a port of its own.
struct Listener {
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    int port = 0;
    Listener()
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
        port = ntohs(a.sin_port);
    }
    ~Listener() { close(fd); }
};

TEST(WSClient, ClosedClientRefusesEveryTransfer)
{
    CUT_WSClient c;
    char buf[8] = {};
    int len = sizeof buf;
    EXPECT_EQ(c.SendDatagram(buf, len), kWsNoSocket);
    EXPECT_EQ(c.ReceiveDatagram(buf, len, 1), kWsNoSocket);
    EXPECT_NE(c.EnableBroadcast(), 0);
    EXPECT_EQ(c.CloseSockets(), 0);
    EXPECT_EQ(c.m_hSocket, -1);
    EXPECT_EQ(c.m_nLocalPort, 0);
    EXPECT_STREQ(c.m_szHost, "");
}

TEST(WSClient, SecondOpenKeepsTheFirstSocket)
{
    CUT_WSClient c;
    ASSERT_EQ(c.OpenDatagram("127.0.0.1", 9, "127.0.0.1"), 0);
    const int first = c.m_hSocket;
    EXPECT_EQ(c.m_nSockType, 2);
    EXPECT_NE(c.m_nLocalPort, 0);
    EXPECT_EQ(c.m_nRemotePort, 9);
    EXPECT_EQ(c.OpenDatagram("127.0.0.1", 9, "127.0.0.1"), kWsAlreadyOpen);
    EXPECT_EQ(c.m_hSocket, first);
    // A closed client can be opened again.
    EXPECT_EQ(c.CloseSockets(), 0);
    EXPECT_EQ(c.OpenDatagram("127.0.0.1", 9, nullptr), 0);
}

TEST(WSClient, LocalAddressNotOnThisMachineFailsToBind)
{
    CUT_WSClient c;
    for (const char* local : {"198.18.254.254", "not an address", ""}) {
        EXPECT_EQ(c.OpenDatagram("127.0.0.1", 9, local), kWsBindFailed) << local;
        EXPECT_EQ(c.m_hSocket, -1);
    }
}

TEST(WSClient, SilenceTimesOutAfterTheWaitAndLeavesLengthAlone)
{
    CUT_WSClient c;
    ASSERT_EQ(c.OpenDatagram("127.0.0.1", 9, "127.0.0.1"), 0);
    char buf[16];
    int len = 16;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(c.ReceiveDatagram(buf, len, 1), kWsTimedOut);
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(waited, 0.95);
    EXPECT_EQ(len, 16);
}

TEST(WSClient, DatagramsGoOutAndComeBackWhole)
{
    Listener peer;
    CUT_WSClient c;
    ASSERT_EQ(c.OpenDatagram("127.0.0.1", peer.port, "127.0.0.1"), 0);
    int len = 5;
    ASSERT_EQ(c.SendDatagram("hello", len), 0);
    EXPECT_EQ(len, 5);

    char got[16] = {};
    sockaddr_in from{};
    socklen_t fromLen = sizeof from;
    ASSERT_EQ(recvfrom(peer.fd, got, sizeof got, 0, reinterpret_cast<sockaddr*>(&from), &fromLen), 5);
    EXPECT_EQ(std::string(got, 5), "hello");
    EXPECT_EQ(ntohs(from.sin_port), c.m_nLocalPort);
    EXPECT_EQ(from.sin_addr.s_addr, htonl(INADDR_LOOPBACK));

    // One receive delivers one datagram, cut to the buffer.
    sendto(peer.fd, "0123456789", 10, 0, reinterpret_cast<sockaddr*>(&from), fromLen);
    sendto(peer.fd, "ab", 2, 0, reinterpret_cast<sockaddr*>(&from), fromLen);
    char buf[4] = {};
    int n = 4;
    ASSERT_EQ(c.ReceiveDatagram(buf, n, 1), 0);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(std::string(buf, 4), "0123");
    n = 4;
    ASSERT_EQ(c.ReceiveDatagram(buf, n, 1), 0);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(ntohs(c.m_Peer.sin_port), peer.port);
}

TEST(WSClient, SendFailuresReportTwentyTwo)
{
    CUT_WSClient c;
    // Port 0 is refused by the system; a destination that is not an address
    // must not quietly become the broadcast address.
    ASSERT_EQ(c.OpenDatagram("127.0.0.1", 0, "127.0.0.1"), 0);
    int len = 3;
    EXPECT_EQ(c.SendDatagram("abc", len), kWsSendFailed);
    c.CloseSockets();
    ASSERT_EQ(c.OpenDatagram("no.such.host", 9, "127.0.0.1"), 0);
    len = 3;
    EXPECT_EQ(c.SendDatagram("abc", len), kWsSendFailed);
}

TEST(WSClient, ReceiveBufferCanBeEnlarged)
{
    CUT_WSClient c;
    ASSERT_EQ(c.OpenDatagram("127.0.0.1", 9, "127.0.0.1"), 0);
    int before = 0;
    socklen_t l = sizeof before;
    getsockopt(c.m_hSocket, SOL_SOCKET, SO_RCVBUF, &before, &l);
    EXPECT_GE(c.SetReceiveBuffer(4 * 1024 * 1024), before);
}

} // namespace
