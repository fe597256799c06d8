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
// and what GetWLan says the camera offers:
//   channels=1-11 (or 1:2:6, 1-4:9-13, none; channels 1 to 32)
//   wiremodes=N encryptions=N auths=N keylens=N keyformats=N defkeys=N
//   txrates=N: bit masks 0-255 (0x1F allowed), bit k offering choice k as
//   the wireless settings number them (wiremodes: 0 infrastructure, 1 ad-hoc;
//   encryptions: none, WEP, TKIP, AES, TKIP and AES; auths: open, shared,
//   both, WPA-PSK, WPA2-PSK, WPA/WPA2; keylens: 64, 128 bits; keyformats:
//   ASCII, hex; defkeys: keys 1-4). Every choice is offered by default.
// False when the key is not one of these or the value is bad.
bool ApplyTemplateItem(const std::string& key, const std::string& value, SimCamera& cam);

} // namespace orvsim
