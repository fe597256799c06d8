// DecodeReply of every reply type over arbitrary reply bytes with an
// arbitrary parsed template, then the encoder over the decoded values.
// Input: type selector, flags, template length (2 bytes, little-endian),
// the template text (one unit per byte), then the reply bytes, placed as the
// transaction places a status block: from unit 0, one byte per unit.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "FuzzSupport.h"
#include "engine/CamEngine.h"
#include "template/KeyAgreement.h"

using namespace orv;

namespace {

constexpr int32_t kTypes[] = {161, 163, 165, 166, 168, 172, 174, 175, 178, 180, 162, 0};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::QuietCheapKeyAgreement();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const int32_t type = kTypes[data[0] % (sizeof kTypes / sizeof kTypes[0])];
    const uint8_t flags = data[1];
    std::size_t textLength = data[2] | (data[3] << 8);
    data += 4;
    size -= 4;
    if (textLength > size)
        textLength = size;

    // One engine for the whole run: every input starts from a cleared field
    // table and buffers, which is all the decoder reads.
    static CCamEngine* const engine = new CCamEngine;
    CCamEngine* const e = engine;
    std::memset(e->m_DhSecret, 0, sizeof e->m_DhSecret);
    e->ClearFields();
    e->ResetFieldTable();
    std::size_t n = textLength < kWorkUnits - 1 ? textLength : kWorkUnits - 1;
    for (std::size_t i = 0; i < n; ++i)
        e->m_WorkText[i] = data[i];
    e->m_WorkText[n] = 0;
    e->ClearFields();
    e->ParseTemplate(u"\r\n");

    // A held key pair lets "TGDHSKey" compute a secret from the reply.
    if (flags & 1) {
        uint8_t key[512];
        int length = 0;
        GenerateDHPublicKey(key, length);
    }
    std::memset(e->m_WorkText, 0, sizeof e->m_WorkText);
    std::memset(e->m_WireBytes, 0, sizeof e->m_WireBytes);
    const uint8_t* reply = data + textLength;
    const std::size_t replySize = size - textLength < kWorkUnits ? size - textLength : kWorkUnits;
    for (std::size_t k = 0; k < replySize; ++k) {
        e->m_WireBytes[k] = reply[k];
        // Units above 255 must be taken by their low byte.
        e->m_WorkText[k] = (flags & 2) ? static_cast<wchar>(reply[k] | 0x100) : reply[k];
    }
    e->DecodeReply(type);

    if (e->m_nFieldCount < 0 || e->m_nFieldCount > kMaxFields)
        std::abort();
    wchar out[300];
    for (int i = 0; i < e->m_nFieldCount; ++i) {
        e->GetVar(e->m_Fields[i].Name, out);
        if (WLen(out, 300) >= 300)
            std::abort();
    }
    fuzzsupport::KeepOnePublicKeyField(*e);
    if (flags & 4) {
        e->EncodeRequest();
        if (e->m_nPayloadLength < 0 || e->m_nPayloadLength > kWorkUnits - 6)
            std::abort();
    }
    ReleaseKeyAgreement();
    return 0;
}
