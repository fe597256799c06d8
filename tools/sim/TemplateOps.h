#pragma once
// Template operations of the simulated camera (opcodes 0xA2-0xAA, 0xB2-0xB6).
#include <string>

#include "sim/Handlers.h"

namespace orvsim {

void HandleVerification(const Request& req, SimCamera& cam, Outbox& out);    // 0xA3
void HandleGetCapabilities(const Request& req, SimCamera& cam, Outbox& out); // 0xA5
void HandleGetWLan(const Request& req, SimCamera& cam, Outbox& out);         // 0xA8
void HandleSetBasic(const Request& req, SimCamera& cam, Outbox& out);        // 0xA2
void HandleChangeIDPWD(const Request& req, SimCamera& cam, Outbox& out);     // 0xA4
void HandleSetWLan(const Request& req, SimCamera& cam, Outbox& out);         // 0xA9
void HandleReset(const Request& req, SimCamera& cam, Outbox& out);           // 0xAA
void HandleQueryWPS(const Request& req, SimCamera& cam, Outbox& out);        // 0xB2
void HandleInitWPS(const Request& req, SimCamera& cam, Outbox& out);         // 0xB3
void HandlePollWPSInf(const Request& req, SimCamera& cam, Outbox& out);      // 0xB4
void HandleSendWPS(const Request& req, SimCamera& cam, Outbox& out);         // 0xB5
void HandlePollWPSStatus(const Request& req, SimCamera& cam, Outbox& out);   // 0xB6

// Camera description items for the template operations (see SimConfig.h):
//   caps=163:165:168 (or caps=none)  power=N  fw=TEXT
//   essid=TEXT wlan=0|1 channel=N  wait=ACTION:MS  tstatus=N  errcode=N
//   drop=N  othermac=1  wpspbc=N wpspin=N wpspolls=N  state=PATH
// False when the key is not one of these or the value is bad.
bool ApplyTemplateItem(const std::string& key, const std::string& value, SimCamera& cam);

} // namespace orvsim
