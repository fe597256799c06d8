#include "template/Bits.h"

namespace orv {

void IntToBits4(int32_t value, wchar* out)
{
    if (!out)
        return;
    for (int i = 0; i < 4; ++i)
        out[i] = (value >> (3 - i)) & 1 ? u'1' : u'0';
    out[4] = 0;
}

int32_t BitsToInt(int32_t n, const wchar* text)
{
    uint32_t v = 0;
    bool ended = !text;
    for (int32_t i = 0; i < n; ++i) {
        if (!ended && text[i] == 0)
            ended = true;
        v = (v << 1) | (!ended && text[i] == u'1' ? 1u : 0u);
    }
    return static_cast<int32_t>(v);
}

} // namespace orv
