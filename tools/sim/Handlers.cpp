#include "sim/Handlers.h"

#include <iterator>

#include "sim/TemplateOps.h"

namespace orvsim {

namespace {

// Add template operations here, one line each.
constexpr OpcodeEntry kHandlers[] = {
    {0x00A1, "Discovery", HandleDiscovery},
    {0x00A2, "SetBasic", HandleSetBasic},
    {0x00A3, "Verification", HandleVerification},
    {0x00A4, "ChangeIDPWD", HandleChangeIDPWD},
    {0x00A5, "GetCapabilities", HandleGetCapabilities},
    {0x00A8, "GetWLan", HandleGetWLan},
    {0x00A9, "SetWLan", HandleSetWLan},
    {0x00AA, "Reset", HandleReset},
    {0x00B2, "QueryWPS", HandleQueryWPS},
    {0x00B3, "InitWPS", HandleInitWPS},
    {0x00B4, "PollWPSInf", HandlePollWPSInf},
    {0x00B5, "SendWPS", HandleSendWPS},
    {0x00B6, "PollWPSStatus", HandlePollWPSStatus},
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
