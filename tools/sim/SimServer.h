#pragma once
// The simulator's network side: one UDP socket on the camera port, every
// request dispatched to the cameras it addresses, replies sent back unicast
// to the requester or by broadcast on the interface the request came in on,
// after the camera's misbehaviours are applied.
#include <netinet/in.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <unordered_map>
#include <vector>

#include "sim/Handlers.h"
#include "sim/SimConfig.h"

namespace orvsim {

class SimServer : public Outbox {
public:
    explicit SimServer(SimOptions options);
    ~SimServer() override;

    // Binds the camera port. False (errno kept) when it cannot.
    bool Open();
    // Serves until `stop` becomes true (checked at least every 200 ms).
    void Run(const volatile bool& stop);

    void Send(const SimCamera& cam, std::vector<uint8_t> reply) override;

private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        std::vector<uint8_t> Bytes;
        sockaddr_in To;
        int IfIndex;
    };

    void HandleDatagram(const uint8_t* data, std::size_t size, const sockaddr_in& from, int ifIndex);
    void Transmit(const Pending& p);
    void FlushDue();

    SimOptions m_Options;
    std::unordered_map<uint64_t, std::size_t> m_ByMac;
    int m_Socket = -1;
    std::FILE* m_Log = nullptr;
    // The request being answered: where replies go.
    sockaddr_in m_From{};
    int m_IfIndex = 0;
    std::multimap<Clock::time_point, Pending> m_Later;
    // Requesters being flooded with empty datagrams, and until when.
    struct Flood {
        sockaddr_in To;
        int IfIndex;
        Clock::time_point Until;
    };
    std::vector<Flood> m_Floods;
    void FloodTick();
};

} // namespace orvsim
