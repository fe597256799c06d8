#pragma once
// Opcode dispatch: one table entry, and one handler function, per opcode the
// simulated cameras understand. A handler looks at the request and the
// camera, changes the camera's state if the operation asks for it, and hands
// its replies to the outbox (which adds the camera's misbehaviours).
#include <cstdint>
#include <vector>

#include "sim/Packet.h"
#include "sim/SimCamera.h"

namespace orvsim {

class Outbox {
public:
    virtual ~Outbox() = default;
    virtual void Send(const SimCamera& cam, std::vector<uint8_t> reply) = 0;
};

using Handler = void (*)(const Request& req, SimCamera& cam, Outbox& out);

struct OpcodeEntry {
    uint16_t Opcode;
    const char* Name;
    Handler Fn;
};

// The handler for `opcode`, or nullptr when cameras ignore it.
const OpcodeEntry* FindHandler(uint16_t opcode);

// ---- handlers, one per opcode ----
void HandleDiscovery(const Request& req, SimCamera& cam, Outbox& out); // 0x00A1

// The 334-byte discovery reply of `cam` (also used by tests and tools).
std::vector<uint8_t> BuildDiscoveryReply(const Request& req, const SimCamera& cam);

} // namespace orvsim
