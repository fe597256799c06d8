#include "engine/SearchSockets.h"

#include <sys/socket.h>

#include <cerrno>
#include <cstring>

#include "engine/CamEngine.h"

namespace orv {

namespace {

// Room for a burst of thousands of replies to every request while the
// worker reads them.
constexpr int kReceiveBufferBytes = 8 * 1024 * 1024;

} // namespace

SearchSockets::SearchSockets() : m_Records(new CamRecord[kBatch]) {}

SearchSockets::~SearchSockets() = default;

int SearchSockets::Open(const std::string& localAddress, int32_t addrIndex)
{
    auto client = std::make_unique<CUT_WSClient>();
    if (client->OpenDatagram("255.255.255.255", kCameraPort, localAddress.c_str()) != 0)
        return 12;
    if (client->EnableBroadcast() != 0)
        return 13;
    client->SetReceiveBuffer(kReceiveBufferBytes);
    m_Poll.push_back(pollfd{client->m_hSocket, POLLIN, 0});
    m_Sockets.push_back(Socket{std::move(client), addrIndex});
    return 0;
}

int SearchSockets::SendFromLast(const uint8_t* request, int length)
{
    if (m_Sockets.empty())
        return 14;
    int sent = length;
    if (m_Sockets.back().Client->SendDatagram(request, sent) == 0)
        return 0;
    Drop(m_Sockets.size() - 1);
    return 14;
}

void SearchSockets::SendFromAll(const uint8_t* request, int length)
{
    for (Socket& s : m_Sockets) {
        int sent = length;
        s.Client->SendDatagram(request, sent);
    }
}

WaitResult SearchSockets::Wait(WaitClock::time_point deadline, const std::atomic<bool>* stop)
{
    return WaitForDatagrams(m_Poll, deadline, stop);
}

bool SearchSockets::ReadBatch(std::size_t socket, int& count)
{
    // One system call for many datagrams: a burst of thousands of replies
    // costs little more than the kernel's copy of each.
    mmsghdr messages[kBatch];
    iovec parts[kBatch];
    for (int i = 0; i < kBatch; ++i) {
        parts[i] = iovec{m_Records[i].Bytes(), kDiscoveryReplySize};
        messages[i] = mmsghdr{};
        messages[i].msg_hdr.msg_iov = &parts[i];
        messages[i].msg_hdr.msg_iovlen = 1;
    }
    int got;
    do
        got = recvmmsg(m_Poll[socket].fd, messages, kBatch, MSG_DONTWAIT, nullptr);
    while (got < 0 && errno == EINTR);
    if (got < 0) {
        count = 0;
        return errno == EAGAIN || errno == EWOULDBLOCK;
    }
    for (int i = 0; i < got; ++i) {
        // A longer datagram was cut to the record by the receive; a shorter
        // one leaves the rest of the record zero.
        const int length = static_cast<int>(messages[i].msg_len);
        m_Lengths[i] = length;
        std::memset(m_Records[i].Bytes() + length, 0, sizeof(CamRecord) - static_cast<std::size_t>(length));
    }
    count = got;
    return true;
}

void SearchSockets::Drop(std::size_t socket)
{
    m_Sockets[socket].Client->CloseSockets();
    m_Sockets.erase(m_Sockets.begin() + static_cast<std::ptrdiff_t>(socket));
    m_Poll.erase(m_Poll.begin() + static_cast<std::ptrdiff_t>(socket));
}

} // namespace orv
