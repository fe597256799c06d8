#include "sim/SimServer.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/core/DatagramSend.h"

namespace orvsim {

namespace {

uint64_t MacKey(const uint8_t* mac)
{
    uint64_t key = 0;
    for (int i = 0; i < 6; ++i)
        key = (key << 8) | mac[i];
    return key;
}

} // namespace

SimServer::SimServer(SimOptions options) : m_Options(std::move(options))
{
    for (std::size_t i = 0; i < m_Options.Cameras.size(); ++i)
        m_ByMac.emplace(MacKey(m_Options.Cameras[i].Mac), i);
}

SimServer::~SimServer()
{
    if (m_Socket >= 0)
        close(m_Socket);
    if (m_Log)
        std::fclose(m_Log);
}

bool SimServer::Open()
{
    if (!m_Options.LogPath.empty() && !(m_Log = std::fopen(m_Options.LogPath.c_str(), "a")))
        return false;
    m_Socket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_Socket < 0)
        return false;
    int on = 1;
    setsockopt(m_Socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    setsockopt(m_Socket, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    setsockopt(m_Socket, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
    // Bursts of thousands of replies: a large send buffer keeps sendto from
    // stalling on every datagram.
    int bytes = 8 * 1024 * 1024;
    if (setsockopt(m_Socket, SOL_SOCKET, SO_SNDBUFFORCE, &bytes, sizeof bytes) != 0)
        setsockopt(m_Socket, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(static_cast<uint16_t>(m_Options.Port));
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    return bind(m_Socket, reinterpret_cast<sockaddr*>(&any), sizeof any) == 0;
}

void SimServer::Run(const volatile bool& stop)
{
    uint8_t buffer[65536];
    while (!stop) {
        int waitMs = 200;
        if (!m_Later.empty()) {
            const auto due = std::chrono::duration_cast<std::chrono::milliseconds>(m_Later.begin()->first - Clock::now());
            waitMs = due.count() < 0 ? 0 : (due.count() < waitMs ? static_cast<int>(due.count()) : waitMs);
        }
        if (!m_Floods.empty())
            waitMs = std::min(waitMs, 1);
        pollfd p{m_Socket, POLLIN, 0};
        if (poll(&p, 1, waitMs) == 1) {
            sockaddr_in from{};
            iovec iov{buffer, sizeof buffer};
            alignas(cmsghdr) char control[256];
            msghdr msg{};
            msg.msg_name = &from;
            msg.msg_namelen = sizeof from;
            msg.msg_iov = &iov;
            msg.msg_iovlen = 1;
            msg.msg_control = control;
            msg.msg_controllen = sizeof control;
            const ssize_t got = recvmsg(m_Socket, &msg, 0);
            if (got >= 0) {
                int ifIndex = 0;
                for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
                    if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
                        in_pktinfo info;
                        std::memcpy(&info, CMSG_DATA(c), sizeof info);
                        ifIndex = info.ipi_ifindex;
                    }
                }
                HandleDatagram(buffer, static_cast<std::size_t>(got), from, ifIndex);
            }
        }
        FlushDue();
        FloodTick();
    }
}

void SimServer::FloodTick()
{
    const auto now = Clock::now();
    for (std::size_t i = 0; i < m_Floods.size();) {
        if (now >= m_Floods[i].Until) {
            m_Floods.erase(m_Floods.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        Transmit(Pending{{}, m_Floods[i].To, m_Floods[i].IfIndex});
        ++i;
    }
}

void SimServer::HandleDatagram(const uint8_t* data, std::size_t size, const sockaddr_in& from, int ifIndex)
{
    Request req;
    if (!ParseRequest(data, size, req))
        return;
    if (m_Log) {
        char from_text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &from.sin_addr, from_text, sizeof from_text);
        std::fprintf(m_Log, "request opcode=0x%04x seq=%u from=%s:%u if=%d\n", req.Opcode,
            req.SeqBytes[0] | (req.SeqBytes[1] << 8), from_text, ntohs(from.sin_port), ifIndex);
        std::fflush(m_Log);
    }
    if (m_Options.StrayBytes > 0)
        Transmit(Pending{std::vector<uint8_t>(static_cast<std::size_t>(m_Options.StrayBytes), 0x5A), from, ifIndex});
    if (m_Options.FloodMs > 0 && m_Floods.size() < 64)
        m_Floods.push_back(Flood{from, ifIndex, Clock::now() + std::chrono::milliseconds(m_Options.FloodMs)});
    const OpcodeEntry* entry = FindHandler(req.Opcode);
    if (!entry)
        return;
    m_From = from;
    m_IfIndex = ifIndex;
    if (req.ForEveryCamera()) {
        for (auto& cam : m_Options.Cameras)
            entry->Fn(req, cam, *this);
        return;
    }
    const auto it = m_ByMac.find(MacKey(req.TargetMac));
    if (it != m_ByMac.end())
        entry->Fn(req, m_Options.Cameras[it->second], *this);
}

void SimServer::Send(const SimCamera& cam, std::vector<uint8_t> reply)
{
    const Misbehaviour& f = cam.Faults;
    if (f.Silent)
        return;
    if (reply.size() >= kRequestHeaderSize) {
        if (f.WrongSeq)
            reply[2] = static_cast<uint8_t>(reply[2] + 1);
        if (f.WrongOpcode)
            reply[4] = static_cast<uint8_t>(reply[4] ^ 0x5A);
        if (f.Status)
            PutU16(&reply[16], f.Status);
    }
    if (f.Length >= 0)
        reply.resize(static_cast<std::size_t>(f.Length), 0xA5);

    Pending p{std::move(reply), m_From, m_IfIndex};
    if (cam.Reply == ReplyStyle::Broadcast)
        p.To.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    for (int copy = 0; copy <= f.Duplicates; ++copy) {
        if (f.DelayMs > 0)
            m_Later.emplace(Clock::now() + std::chrono::milliseconds(f.DelayMs), p);
        else
            Transmit(p);
    }
}

void SimServer::FlushDue()
{
    const auto now = Clock::now();
    while (!m_Later.empty() && m_Later.begin()->first <= now) {
        Transmit(m_Later.begin()->second);
        m_Later.erase(m_Later.begin());
    }
}

void SimServer::Transmit(const Pending& p)
{
    // Leave by the interface the request came in on: a camera answering by
    // broadcast has no route of its own to the requester's subnet. Any other
    // failure is a lost datagram, as on a real network: EPERM when a firewall
    // rule drops it on the way out, ENETUNREACH, and the like.
    while (orv::SendDatagramVia(m_Socket, p.Bytes.data(), p.Bytes.size(), p.To, p.IfIndex, in_addr{}) < 0 &&
        (errno == EINTR || errno == ENOBUFS || errno == EAGAIN))
        usleep(100);
}

} // namespace orvsim
