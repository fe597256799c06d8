#pragma once
// What several fuzz targets share: a quiet, cheap key agreement, and a cap on
// the key pairs one input can ask for.
#include <cstdint>
#include <cstdio>

#include "engine/CamEngine.h"
#include "template/KeyAgreementDetail.h"

namespace fuzzsupport {

// The key agreement traces to standard output; keep the run quiet. A small
// fixed exponent makes each key pair and secret cost microseconds instead of
// a 1535-bit exponentiation.
inline void QuietCheapKeyAgreement()
{
    if (!std::freopen("/dev/null", "w", stdout))
        return;
    const uint8_t exponent[] = {0x01, 0x03};
    orv::UseFixedExponent(exponent, sizeof exponent);
}

// One "TGDHPKey" field per input covers the path; more only slow the run.
inline void KeepOnePublicKeyField(orv::CCamEngine& e)
{
    bool seen = false;
    for (int i = 0; i < e.m_nFieldCount; ++i) {
        if (!orv::WEqual(e.m_Fields[i].Transform, u"TGDHPKey"))
            continue;
        if (seen)
            e.m_Fields[i].Transform[0] = 0;
        seen = true;
    }
}

} // namespace fuzzsupport
