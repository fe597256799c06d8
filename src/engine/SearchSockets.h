#pragma once
// The sockets of one search: one per searched adapter, each sending the
// discovery request from its adapter's address, all waited on together so
// that every adapter is searched at the same time.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/CamRecord.h"
#include "engine/DatagramWait.h"
#include "engine/WSClient.h"

namespace orv {

class SearchSockets {
public:
    // Datagrams read from one socket with one call.
    static constexpr int kBatch = 64;

    SearchSockets();
    ~SearchSockets();
    SearchSockets(const SearchSockets&) = delete;
    SearchSockets& operator=(const SearchSockets&) = delete;

    // A socket for the PC address `localAddress`, entry `addrIndex` of the
    // engine's address table: 0, or the engine status 12 (cannot open) or
    // 13 (broadcast refused).
    int Open(const std::string& localAddress, int32_t addrIndex);
    // Sends the request from the socket opened last: 0, or 14 (that socket
    // is then closed and dropped).
    int SendFromLast(const uint8_t* request, int length);
    // Sends the request again from every socket; a socket that cannot send
    // this time keeps listening for the answers to its earlier requests.
    void SendFromAll(const uint8_t* request, int length);
    int Count() const { return static_cast<int>(m_Sockets.size()); }

    // Waits until a socket has datagrams, `deadline` passes or `stop` is set.
    WaitResult Wait(WaitClock::time_point deadline, const std::atomic<bool>* stop);

    // One batch of datagrams from one socket: each datagram's first 334
    // bytes in a record (zeros after a shorter one), with its byte count.
    struct Batch {
        CamRecord* Records;
        const int* Lengths;
        int Count;
        int32_t AddrIndex;
    };
    // Reads, in batches, what waits on the sockets Wait found ready and hands
    // each batch to `take`. A socket whose receive fails is closed and
    // dropped; the result is then false.
    template <class Take> bool ReadReady(Take&& take)
    {
        bool ok = true;
        for (std::size_t s = 0; s < m_Sockets.size();) {
            if (!(m_Poll[s].revents & (POLLIN | POLLERR))) {
                ++s;
                continue;
            }
            int count = 0;
            const bool alive = ReadBatch(s, count);
            if (count > 0)
                take(Batch{m_Records.get(), m_Lengths, count, m_Sockets[s].AddrIndex});
            if (!alive) {
                Drop(s);
                ok = false;
                continue;
            }
            ++s;
        }
        return ok;
    }

private:
    struct Socket {
        std::unique_ptr<CUT_WSClient> Client;
        int32_t AddrIndex = -1;
    };
    // Reads up to kBatch datagrams without waiting. False when the receive
    // failed (not merely found nothing).
    bool ReadBatch(std::size_t socket, int& count);
    void Drop(std::size_t socket);

    std::vector<Socket> m_Sockets;
    std::vector<pollfd> m_Poll;
    std::unique_ptr<CamRecord[]> m_Records;
    int m_Lengths[kBatch] = {};
};

} // namespace orv
