#include "engine/WSClient.h"

#include <arpa/inet.h>
#include <net/if.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/core/Adapters.h"
#include "platform/core/DatagramSend.h"

namespace orv {

namespace {

// The member keeps its value whether or not the system takes it.
void SetMillisecondsOption(int fd, int option, int32_t member)
{
    timeval tv{};
    tv.tv_sec = member / 1000;
    tv.tv_usec = static_cast<suseconds_t>(member % 1000) * 1000;
    setsockopt(fd, SOL_SOCKET, option, &tv, sizeof tv);
}

} // namespace

CUT_WSClient::CUT_WSClient() = default;

CUT_WSClient::~CUT_WSClient()
{
    CloseSockets();
}

int CUT_WSClient::OpenDatagram(const char* destination, int remotePort, const char* localAddress)
{
    if (m_hSocket != -1)
        return kWsAlreadyOpen;
    std::snprintf(m_szHost, sizeof m_szHost, "%s", destination ? destination : "");
    m_nFamily = 2;
    m_nSockType = 2;
    m_hSocket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_hSocket < 0) {
        m_hSocket = -1;
        return kWsCreateFailed;
    }
    m_nIfIndex = 0;
    m_LocalAddr = {};
    if (localAddress) {
        // A socket bound to the adapter's own address never sees the replies
        // that cameras on a foreign subnet broadcast back. Bind the wildcard
        // address and tie the socket to the adapter's interface instead; the
        // requests still leave from the adapter's address (see SendDatagram).
        std::string ifName;
        unsigned ifIndex = 0;
        sockaddr_in local{};
        local.sin_family = AF_INET;
        bool ok = inet_pton(AF_INET, localAddress, &local.sin_addr) == 1 &&
                  FindInterfaceOfAddress(localAddress, ifName, ifIndex);
        if (ok) {
            m_LocalAddr = local.sin_addr;
            // Kernels before 5.7 refuse the interface tie without CAP_NET_RAW.
            // The socket then stays on the wildcard address all the same: the
            // request still leaves by the adapter (IP_PKTINFO, see
            // SendDatagram) and the answers to this socket's own port, the
            // broadcast ones included, still arrive; only an answer coming in
            // on another adapter is no longer kept out.
            setsockopt(m_hSocket, SOL_SOCKET, SO_BINDTODEVICE, ifName.c_str(), static_cast<socklen_t>(ifName.size() + 1));
            m_nIfIndex = ifIndex;
            local.sin_addr.s_addr = htonl(INADDR_ANY);
            ok = bind(m_hSocket, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
        }
        if (!ok) {
            close(m_hSocket);
            m_hSocket = -1;
            m_nIfIndex = 0;
            return kWsBindFailed;
        }
    }
    sockaddr_in bound{};
    socklen_t len = sizeof bound;
    if (getsockname(m_hSocket, reinterpret_cast<sockaddr*>(&bound), &len) == 0)
        m_nLocalPort = ntohs(bound.sin_port);
    m_nRemotePort = remotePort;
    SetMillisecondsOption(m_hSocket, SO_RCVTIMEO, m_nReceiveTimeout);
    SetMillisecondsOption(m_hSocket, SO_SNDTIMEO, m_nSendTimeout);
    return 0;
}

int CUT_WSClient::EnableBroadcast()
{
    int32_t on = 1;
    return setsockopt(m_hSocket, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
}

int CUT_WSClient::SetReceiveBuffer(int bytes)
{
    if (m_hSocket == -1)
        return 0;
    // The forced variant lifts the system-wide cap when we may; otherwise the
    // plain request gets as much as the cap allows.
    if (setsockopt(m_hSocket, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) != 0)
        setsockopt(m_hSocket, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
    int granted = 0;
    socklen_t len = sizeof granted;
    getsockopt(m_hSocket, SOL_SOCKET, SO_RCVBUF, &granted, &len);
    return granted;
}

int CUT_WSClient::SendDatagram(const void* data, int& length)
{
    if (m_hSocket == -1)
        return kWsNoSocket;
    m_Peer = {};
    m_Peer.sin_family = AF_INET;
    m_Peer.sin_port = htons(static_cast<uint16_t>(m_nRemotePort));
    // Text that is not an address must not turn into the broadcast address.
    if (inet_pton(AF_INET, m_szHost, &m_Peer.sin_addr) != 1 || length < 0 || (length > 0 && !data))
        return kWsSendFailed;

    // With an adapter chosen, send from its address, as a socket bound to it would.
    const ssize_t sent = SendDatagramVia(m_hSocket, data, static_cast<std::size_t>(length), m_Peer,
        static_cast<int>(m_nIfIndex), m_LocalAddr);
    length = static_cast<int>(sent);
    return sent == -1 ? kWsSendFailed : 0;
}

int CUT_WSClient::ReceiveDatagram(void* buffer, int& length, int timeoutSeconds)
{
    if (m_hSocket == -1)
        return kWsNoSocket;
    // poll rather than select: select cannot watch descriptors past its
    // fixed set size.
    pollfd p{m_hSocket, POLLIN, 0};
    const int waitMs = timeoutSeconds <= 0 ? 0 : (timeoutSeconds > 2000000 ? 2000000000 : timeoutSeconds * 1000);
    int ready;
    do
        ready = poll(&p, 1, waitMs);
    while (ready < 0 && errno == EINTR);
    if (ready != 1)
        return kWsTimedOut;
    if (length < 0 || (length > 0 && !buffer))
        return kWsReceiveFailed;
    socklen_t peerLen = sizeof m_Peer;
    const ssize_t got = recvfrom(m_hSocket, buffer, static_cast<std::size_t>(length), 0,
        reinterpret_cast<sockaddr*>(&m_Peer), &peerLen);
    length = static_cast<int>(got);
    return got == -1 ? kWsReceiveFailed : 0;
}

int CUT_WSClient::CloseSockets()
{
    int failed = 0;
    if (m_hSocket != -1) {
        if (m_nSockType == 1 && shutdown(m_hSocket, SHUT_RDWR) != 0)
            failed = 1;
        if (close(m_hSocket) != 0)
            failed = 1;
    }
    if (m_hSocket2 != -1) {
        if (shutdown(m_hSocket2, SHUT_RDWR) != 0)
            failed = 1;
        if (close(m_hSocket2) != 0)
            failed = 1;
    }
    m_hSocket = -1;
    m_hSocket2 = -1;
    m_nRemotePort = 0;
    m_nLocalPort = 0;
    m_szHost[0] = 0;
    m_nIfIndex = 0;
    m_LocalAddr = {};
    return failed;
}

} // namespace orv
