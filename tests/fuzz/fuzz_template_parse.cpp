// ParseTemplate over arbitrary text, then the name/value operations and the
// encoder over whatever table it built. The first byte picks how the rest
// becomes wide text: one unit per byte, 16-bit little-endian units, or (bit
// 1) a template file's bytes as the pages hand them over: the first 9999
// bytes converted from the ANSI code page.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "FuzzSupport.h"
#include "engine/CamEngine.h"
#include "template/KeyAgreement.h"
#include "template/TemplateFile.h"

using namespace orv;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::QuietCheapKeyAgreement();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const bool wide = data[0] & 1;
    const bool asFile = data[0] & 2;
    ++data;
    --size;
    // One engine for the whole run: parsing starts from a cleared table.
    static CCamEngine* const engine = new CCamEngine;
    CCamEngine* const e = engine;
    std::memset(e->m_DhSecret, 0, sizeof e->m_DhSecret);
    e->ClearFields();
    if (asFile) {
        static char text[kTemplateTextBytes];
        std::memset(text, 0, sizeof text);
        std::memcpy(text, data, size < kTemplateKeptBytes ? size : kTemplateKeptBytes);
        HandTemplateToEngine(*e, text);
    } else {
        e->ResetFieldTable();
        std::size_t units = 0;
        for (std::size_t i = 0; units < kWorkUnits - 1 && i < size; i += wide ? 2 : 1, ++units)
            e->m_WorkText[units] = wide && i + 1 < size ? static_cast<wchar>(data[i] | (data[i + 1] << 8)) : data[i];
        e->m_WorkText[units] = 0;
        e->ClearFields();
        e->ParseTemplate(u"\r\n");
    }

    if (e->m_nFieldCount < 0 || e->m_nFieldCount > kMaxFields)
        std::abort();
    for (int i = 0; i < e->m_nFieldCount; ++i) {
        const TemplateField& f = e->m_Fields[i];
        if (f.Kind == kFree || WLen(f.Value, 300) >= 300 || WLen(f.Name, 300) >= 300)
            std::abort();
    }
    if (e->m_nFieldCount > 0) {
        wchar out[300];
        e->SetVar(e->m_Fields[0].Name, u"192.168.0.20");
        e->GetVar(e->m_Fields[e->m_nFieldCount - 1].Name, out);
        if (WLen(out, 300) >= 300)
            std::abort();
    }
    fuzzsupport::KeepOnePublicKeyField(*e);
    e->SetVarInt(u"Extra", 7);
    e->EncodeRequest();
    if (e->m_nPayloadLength < 0 || e->m_nPayloadLength > kWorkUnits - 6)
        std::abort();
    ReleaseKeyAgreement();
    return 0;
}
