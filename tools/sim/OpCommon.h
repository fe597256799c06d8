#pragma once
// Shared steps of the simulated template operations: admission (dropped
// requests, request log), the login check, the reply with the camera's
// forced faults, the state file, and the camera-side byte routines.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Handlers.h"
#include "sim/SimLayouts.h"

namespace orvsim {

constexpr std::size_t kTemplatePayloadOffset = 150;

// Logs the request; false when the camera drops it on purpose.
bool Admit(const Request& req, SimCamera& cam);
bool LoginOk(const Request& req, const SimCamera& cam);
// `text` zero-padded to `size` bytes and scrambled as ChangeIDPWD sends it.
std::vector<uint8_t> ScrambledText(const std::string& text, std::size_t size);
// The request's payload bytes (zero past the datagram's end).
std::vector<uint8_t> RequestPayload(const Request& req, std::size_t size);
// Sends the reply (with the camera's forced status and MAC), then writes the
// camera's state file.
void Answer(const Request& req, SimCamera& cam, Outbox& out, uint16_t status, std::vector<uint8_t> payload);
// The login check and the refusal every operation shares: false when the
// request was dropped or refused (already answered).
bool Begin(const Request& req, SimCamera& cam, Outbox& out);
// The reply of a settings step: empty, or the 16-byte wait reply.
std::vector<uint8_t> SettingsReplyPayload(const SimCamera& cam);

std::string GetText(const std::vector<uint8_t>& p, tpl::Field f);
void PutText(std::vector<uint8_t>& p, tpl::Field f, const std::string& text);
uint32_t GetU32(const std::vector<uint8_t>& p, std::size_t at);
void WriteState(const SimCamera& cam);

std::string Base64(const std::string& bytes);
void CameraScrambleKey(uint8_t* b, std::size_t n);
void CameraUnscrambleKey(uint8_t* b, std::size_t n);
// The credential scrambler of the ChangeIDPWD texts. It loses information
// (several texts give the same bytes), so the camera never undoes it: it
// keeps the scrambled password and compares scrambled forms.
void CameraZtScramble(uint8_t* b, std::size_t n);
std::string Base64Decode(const uint8_t* text, std::size_t n);

} // namespace orvsim
