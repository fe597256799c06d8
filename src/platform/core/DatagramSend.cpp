#include "platform/core/DatagramSend.h"

#include <sys/socket.h>

#include <cstring>

namespace orv {

ssize_t SendDatagramVia(int socket, const void* data, std::size_t length, const sockaddr_in& to, int ifIndex,
    in_addr source)
{
    sockaddr_in peer = to;
    iovec iov{const_cast<void*>(data), length};
    msghdr msg{};
    msg.msg_name = &peer;
    msg.msg_namelen = sizeof peer;
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    if (ifIndex > 0) {
        msg.msg_control = control;
        msg.msg_controllen = sizeof control;
        cmsghdr* c = CMSG_FIRSTHDR(&msg);
        c->cmsg_level = IPPROTO_IP;
        c->cmsg_type = IP_PKTINFO;
        c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info{};
        info.ipi_ifindex = ifIndex;
        info.ipi_spec_dst = source;
        std::memcpy(CMSG_DATA(c), &info, sizeof info);
    }
    return sendmsg(socket, &msg, MSG_NOSIGNAL);
}

} // namespace orv
