#pragma once
// One simulated camera: what it is (set from its description) and how it
// misbehaves on purpose. Template operations added later keep their state
// here too, so every handler sees the same camera.
#include <cstdint>
#include <string>

#include "sim/TemplateState.h"

namespace orvsim {

enum class ReplyStyle { Unicast, Broadcast };

struct Misbehaviour {
    bool WrongSeq = false;    // answer with another sequence number
    bool WrongOpcode = false; // answer with another opcode
    uint16_t Status = 0;      // nonzero: refuse with this status
    int Length = -1;          // >= 0: send exactly this many bytes (cut or padded)
    int Duplicates = 0;       // extra copies of every reply
    int DelayMs = 0;          // wait before answering
    bool Silent = false;      // never answer
};

struct SimCamera {
    uint8_t Mac[6] = {0x02, 0, 0, 0, 0, 1};
    std::string Model = "SIM-CAM";
    std::string Name = "Camera";
    uint8_t Ip[4] = {192, 168, 0, 20};
    uint8_t Mask[4] = {255, 255, 255, 0};
    uint8_t Gateway[4] = {0, 0, 0, 0};
    uint8_t Dns1[4] = {0, 0, 0, 0};
    uint8_t Dns2[4] = {0, 0, 0, 0};
    bool Dhcp = false;
    uint16_t WebPort = 80;
    bool Wireless = false;
    std::string HwSpec; // empty: made from `Wireless`
    int32_t Reserved = 0;
    int32_t DnsSpec = 0;
    std::string AdminId = "admin";
    std::string AdminPwd = "";
    ReplyStyle Reply = ReplyStyle::Unicast;
    Misbehaviour Faults;
    TemplateState Tpl; // template operations (TemplateOps.h)
};

} // namespace orvsim
