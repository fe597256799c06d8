#include "sim/Handlers.h"

#include <iterator>

namespace orvsim {

namespace {

// Add template operations here, one line each.
constexpr OpcodeEntry kHandlers[] = {
    {0x00A1, "Discovery", HandleDiscovery},
};

} // namespace

const OpcodeEntry* FindHandler(uint16_t opcode)
{
    for (const auto& entry : kHandlers) {
        if (entry.Opcode == opcode)
            return &entry;
    }
    return nullptr;
}

} // namespace orvsim
