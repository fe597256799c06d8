#pragma once
// The camera's template operations: one table of what each sends and how it
// waits, the request header, and the reply's status block.
#include <cstddef>
#include <cstdint>

#include "platform/core/WideText.h"

namespace orv {

// Opcodes of the template protocol (also the capability codes a camera lists).
enum : uint16_t {
    kOpSetBasic = 0xA2,
    kOpVerification = 0xA3,
    kOpChangeIDPWD = 0xA4,
    kOpGetCapabilities = 0xA5,
    kOpGetWLan = 0xA8,
    kOpSetWLan = 0xA9,
    kOpReset = 0xAA,
    kOpQueryWPS = 0xB2,
    kOpInitWPS = 0xB3,
    kOpPollWPSInf = 0xB4,
    kOpSendWPS = 0xB5,
    kOpPollWPSStatus = 0xB6,
};

struct TemplateOperation {
    const char* Name;         // the operation's name, as scripts and reports use it
    const char* TemplateFile; // nullptr: the reply is decoded without a template
    uint16_t Opcode;
    int RequestSize;          // bytes sent, always this many
    int ReplySize;            // bytes the transaction waits for
    int Tries;
    bool HasPayload;          // the encoded payload travels from offset 150
};

constexpr int kTemplateOperationCount = 12;
extern const TemplateOperation kTemplateOperations[kTemplateOperationCount];

// nullptr for an opcode that is not a template operation.
const TemplateOperation* FindTemplateOperation(uint16_t opcode);

// Request and reply framing.
constexpr uint16_t kRequestMagic = 0xFDFD;
constexpr uint16_t kReplyMagic = 0xFEEE;
constexpr uint16_t kRequestMarker = 0x7777;
constexpr int kRequestHeaderSize = 150;  // header and both credential slots
constexpr int kCredentialSlotSize = 64;
constexpr int kUserSlotOffset = 22;
constexpr int kPasswordSlotOffset = 86;
constexpr int kBodyBaseLength = 128;
constexpr int kReplyHeaderSize = 22;
constexpr int kStatusBlockOffset = 16;   // Status, reserved, PayloadLength, payload
constexpr int kStatusBlockSize = 2048;
constexpr int kMaxRequestSize = 388;
constexpr int kMaxReplySize = 534;
// InitWPS sends payload bytes 4..203 scrambled.
constexpr int kInitWpsScrambleOffset = kRequestHeaderSize + 4;
constexpr int kInitWpsScrambleLength = 200;
// A reply status that means "still running" (WPS polls).
constexpr int kStatusRunning = 257;

// How the transaction judges one datagram against the request it sent: not
// a camera's reply at all (ignored), another camera's or request's reply, or
// the answer (magic, sequence number, opcode and MAC address all match).
enum class ReplyKind { NotAReply, OtherReply, Answer };
ReplyKind JudgeReply(const uint8_t* datagram, int length, const uint8_t* request);

// "00:1a:2b:3c:4d:5e" or any other single separator: six hexadecimal pairs,
// each followed by one character. Digits that are missing or not hexadecimal
// end that pair's number, as a scanf "%2x" would. Reads no further than the
// text's terminator.
void ParseMacText(const wchar* text, uint8_t mac[6]);

// Dotted text to four bytes in text order; empty or short text gives zeros.
void ParseIpText(const wchar* text, uint8_t ip[4]);

// The credential slot: base64 of `text` as ASCII, zero-padded, cut at 64.
void WriteCredentialSlot(uint8_t slot[kCredentialSlotSize], const wchar* text);

} // namespace orv
