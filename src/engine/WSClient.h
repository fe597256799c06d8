#pragma once
// A small wrapper around one IPv4 socket, used for the camera protocol's UDP
// datagrams: open towards the broadcast address from one PC adapter, send one
// request, wait for replies, close. Every failure is a small integer code.
#include <netinet/in.h>

#include <cstdint>

namespace orv {

// Result codes of the socket client (0 = success).
enum : int {
    kWsNoSocket = 15,
    kWsAlreadyOpen = 16,
    kWsCreateFailed = 17,
    kWsBindFailed = 18,
    kWsTimedOut = 20,
    kWsReceiveFailed = 21,
    kWsSendFailed = 22,
};

class CUT_WSClient {
public:
    CUT_WSClient();
    ~CUT_WSClient();
    CUT_WSClient(const CUT_WSClient&) = delete;
    CUT_WSClient& operator=(const CUT_WSClient&) = delete;

    // `localAddress` (dotted text of a PC address, or nullptr) chooses the
    // adapter: the socket then sends from that address out of that adapter
    // and receives what reaches the adapter, broadcast replies included.
    int OpenDatagram(const char* destination, int remotePort, const char* localAddress);
    int EnableBroadcast();
    int SendDatagram(const void* data, int& length);
    int ReceiveDatagram(void* buffer, int& length, int timeoutSeconds);
    int CloseSockets();

    // Asks for a receive buffer of `bytes` so that a burst of replies is not
    // dropped before it is read. Returns the size the system granted.
    int SetReceiveBuffer(int bytes);

    int32_t m_nRemotePort = 0;
    int32_t m_nLocalPort = 0;
    int32_t m_nFamily = 2;
    int32_t m_nSockType = 1;
    int m_hSocket = -1;
    int m_hSocket2 = -1;
    int32_t m_bStartupOk = 1;
    int32_t m_nSendTimeout = 30000;
    int32_t m_nReceiveTimeout = 30000;
    int32_t m_bNonBlocking = 0;
    char m_szHost[60] = {};
    sockaddr_in m_Peer = {};

private:
    // The adapter the socket is tied to (0 = none) and the address it sends
    // from; the system-level equivalent of binding to the adapter's address.
    unsigned m_nIfIndex = 0;
    in_addr m_LocalAddr = {};
};

} // namespace orv
