// The template operations of the configuration and WPS flows: each builds
// its fixed-size request, runs the transaction and leaves the reply's status
// block in the engine buffers for the caller to read and decode.
#include "template/Operations.h"

#include <algorithm>
#include <cstring>

#include "engine/CamEngine.h"
#include "template/Base64.h"
#include "template/Scramblers.h"

namespace orv {

const TemplateOperation kTemplateOperations[kTemplateOperationCount] = {
    // name              template file          opcode              req  reply tries payload
    {"Verification", "Verification_temp", kOpVerification, 150, 42, 3, false},
    {"GetCapabilities", nullptr, kOpGetCapabilities, 150, 534, 3, false},
    {"GetWLan", "GetWLan_temp", kOpGetWLan, 150, 274, 3, false},
    {"SetBasic", "SetBasic_temp", kOpSetBasic, 239, 38, 3, true},
    {"ChangeIDPWD", "ChangeIDPWD_temp", kOpChangeIDPWD, 278, 38, 1, true},
    {"SetWLan", "SetWLan_temp", kOpSetWLan, 388, 38, 3, true},
    {"Reset", "Reset_temp", kOpReset, 150, 38, 1, false},
    {"QueryWPS", "QueryWPS_temp", kOpQueryWPS, 150, 218, 1, false},
    {"InitWPS", "InitWPS_temp", kOpInitWPS, 354, 38, 1, true},
    {"PollWPSInf", "PollWPSInf_temp", kOpPollWPSInf, 150, 218, 1, false},
    {"SendWPS", "SendWPS_temp", kOpSendWPS, 346, 38, 1, true},
    // Its caller encodes the template, but the request never carries it.
    {"PollWPSStatus", "PollWPSStatus_temp", kOpPollWPSStatus, 150, 38, 1, false},
};

const TemplateOperation* FindTemplateOperation(uint16_t opcode)
{
    for (const TemplateOperation& op : kTemplateOperations)
        if (op.Opcode == opcode)
            return &op;
    return nullptr;
}

namespace {

int HexDigit(wchar c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

void Put16(uint8_t* at, unsigned value)
{
    at[0] = static_cast<uint8_t>(value & 0xFF);
    at[1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

} // namespace

void ParseMacText(const wchar* text, uint8_t mac[6])
{
    std::memset(mac, 0, 6);
    const std::size_t len = WLen(text, 260);
    for (std::size_t pair = 0; pair < 6; ++pair) {
        const std::size_t at = pair * 3;
        unsigned value = 0;
        for (std::size_t k = 0; k < 2 && at + k < len; ++k) {
            const int d = HexDigit(text[at + k]);
            if (d < 0)
                break;
            value = value * 16 + static_cast<unsigned>(d);
        }
        mac[pair] = static_cast<uint8_t>(value);
    }
}

void ParseIpText(const wchar* text, uint8_t ip[4])
{
    std::memset(ip, 0, 4);
    const std::size_t len = WLen(text, 260);
    std::size_t i = 0;
    for (int k = 0; k < 4 && i < len; ++k) {
        unsigned value = 0;
        while (i < len && text[i] >= u'0' && text[i] <= u'9') {
            value = (value * 10 + (text[i] - u'0')) & 0xFFFFu;
            ++i;
        }
        ip[k] = static_cast<uint8_t>(value);
        while (i < len && text[i] != u'.')
            ++i;
        if (i < len)
            ++i; // the dot
    }
}

void WriteCredentialSlot(uint8_t slot[kCredentialSlotSize], const wchar* text)
{
    std::memset(slot, 0, kCredentialSlotSize);
    // Base64 output is bounded at 1024 characters; cut the input so the
    // encoder never has to refuse it (only 48 input bytes reach the slot).
    wchar input[64] = {};
    WCopy(input, 64, text);
    wchar encoded[1100] = {};
    Base64Encode(encoded, input);
    for (int i = 0; i < kCredentialSlotSize && encoded[i] != 0; ++i)
        slot[i] = static_cast<uint8_t>(encoded[i] & 0x7F);
}

int CCamEngine::RunTemplateOperation(uint16_t opcode, const wchar* macText, const wchar* adminId,
    const wchar* cameraIp, const wchar* adminPwd)
{
    const TemplateOperation* op = FindTemplateOperation(opcode);
    if (!op) {
        m_nStatus = 12;
        return 12;
    }
    if (opcode == kOpQueryWPS)
        std::memset(m_DhSecret, 0, sizeof m_DhSecret); // a new key agreement starts
    ++m_nSeq;

    uint8_t request[kMaxRequestSize] = {};
    int payloadLength = 0;
    if (op->HasPayload) {
        // Never more than the operation's payload area, whatever was encoded.
        payloadLength = std::clamp(m_nPayloadLength, 0, op->RequestSize - kRequestHeaderSize);
        std::memcpy(request + kRequestHeaderSize, m_WireBytes + 6, static_cast<std::size_t>(payloadLength));
    }
    Put16(request, kRequestMagic);
    Put16(request + 2, m_nSeq);
    Put16(request + 4, opcode);
    ParseMacText(macText, request + 6);
    ParseIpText(cameraIp, request + 12);
    Put16(request + 16, m_nRequestOption == 0 ? kRequestMarker : 0);
    Put16(request + 18, m_wProtoVersion);
    Put16(request + 20, static_cast<unsigned>(kBodyBaseLength + payloadLength));
    WriteCredentialSlot(request + kUserSlotOffset, adminId);
    WriteCredentialSlot(request + kPasswordSlotOffset, adminPwd);
    if (opcode == kOpInitWPS)
        ScrambleKey(request + kInitWpsScrambleOffset, kInitWpsScrambleLength);

    uint8_t reply[kMaxReplySize] = {};
    const int result = ExchangeTemplatePacket(request, op->RequestSize, reply, op->ReplySize, op->Tries);
    if (result == -1)
        PlaceStatusBlock(reply, op->ReplySize);
    return result;
}

void CCamEngine::PlaceStatusBlock(const uint8_t* reply, int replySize)
{
    const int payloadLength = reply[20] | (reply[21] << 8);
    // The camera's PayloadLength is only a claim: copy what the reply buffer
    // holds and zero the rest, so decoding never sees another exchange's bytes.
    const int n = std::clamp(std::min(payloadLength + 6, replySize - kStatusBlockOffset), 0, kStatusBlockSize);
    std::memset(m_WireBytes, 0, sizeof m_WireBytes);
    std::memset(m_WorkText, 0, sizeof m_WorkText);
    for (int i = 0; i < n; ++i) {
        m_WireBytes[i] = reply[kStatusBlockOffset + i];
        m_WorkText[i] = reply[kStatusBlockOffset + i];
    }
}

void CCamEngine::GetStatusBlock(uint8_t* out) const
{
    std::memcpy(out, m_WireBytes, kStatusBlockSize);
}

#define ORV_TEMPLATE_OPERATION(name, opcode)                                                      \
    int CCamEngine::name(const wchar* macText, const wchar* adminId, const wchar* cameraIp,       \
        const wchar* adminPwd)                                                                    \
    {                                                                                             \
        return RunTemplateOperation(opcode, macText, adminId, cameraIp, adminPwd);                \
    }
ORV_TEMPLATE_OPERATION(Verification, kOpVerification)
ORV_TEMPLATE_OPERATION(GetCapabilities, kOpGetCapabilities)
ORV_TEMPLATE_OPERATION(GetWLan, kOpGetWLan)
ORV_TEMPLATE_OPERATION(SetBasic, kOpSetBasic)
ORV_TEMPLATE_OPERATION(ChangeIDPWD, kOpChangeIDPWD)
ORV_TEMPLATE_OPERATION(SetWLan, kOpSetWLan)
ORV_TEMPLATE_OPERATION(Reset, kOpReset)
ORV_TEMPLATE_OPERATION(QueryWPS, kOpQueryWPS)
ORV_TEMPLATE_OPERATION(InitWPS, kOpInitWPS)
ORV_TEMPLATE_OPERATION(PollWPSInf, kOpPollWPSInf)
ORV_TEMPLATE_OPERATION(SendWPS, kOpSendWPS)
ORV_TEMPLATE_OPERATION(PollWPSStatus, kOpPollWPSStatus)
#undef ORV_TEMPLATE_OPERATION

} // namespace orv
