// Number, text, address, bit-string and base64 conversions: one byte per
// character, numbers little-endian.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/core/CameraText.h"
#include "template/Base64.h"
#include "template/Conversions.h"

namespace orv {
namespace {

std::u16string_view ValueOf(const TemplateField& f)
{
    return {f.Value, WLen(f.Value, kValueUnits)};
}

// Bytes up to the first zero, one unit each.
std::u16string UnitsUpToZero(const uint8_t* in)
{
    std::u16string s;
    for (int i = 0; i < kScratchUnits && in[i]; ++i)
        s.push_back(in[i]);
    return s;
}

void SetValue(TemplateField& f, std::u16string_view text)
{
    WCopy(f.Value, text);
}

} // namespace

void EncodeNumber(const TemplateField& f, int len, uint8_t* out)
{
    const auto v = static_cast<uint32_t>(WToInt(ValueOf(f)));
    for (int k = 0; k < 4 && k < len; ++k)
        out[k] = static_cast<uint8_t>(v >> (8 * k));
}

void DecodeNumber(TemplateField& f, const uint8_t* in)
{
    // Bytes past a short field are the scratch area's zeros.
    const uint32_t v = in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<uint32_t>(in[3]) << 24);
    SetValue(f, WFromInt(static_cast<int32_t>(v)));
}

void EncodeChars(const TemplateField& f, int len, uint8_t* out)
{
    const auto v = ValueOf(f);
    for (int k = 0; k < len && static_cast<std::size_t>(k) < v.size(); ++k)
        out[k] = CameraByte(v[k]);
}

void DecodeChars(TemplateField& f, int len, const uint8_t* in)
{
    for (int k = 0; k < len; ++k)
        f.Value[k] = in[k];
    // A TextLength past the field keeps what Value held there; one past the
    // buffer is cut to it.
    int cut = f.TextLength < 0 ? 0 : f.TextLength;
    if (cut > static_cast<int>(kValueUnits) - 1)
        cut = static_cast<int>(kValueUnits) - 1;
    f.Value[cut] = 0;
    f.Value[kValueUnits - 1] = 0;
}

void EncodeIpAddress(const TemplateField& f, int len, uint8_t* out)
{
    const auto v = ValueOf(f);
    std::size_t pos = 0;
    for (int k = 0; k < len && pos <= v.size(); ++k) {
        std::size_t dot = v.find(u'.', pos);
        if (dot == std::u16string_view::npos)
            dot = v.size();
        out[k] = static_cast<uint8_t>(WToInt(v.substr(pos, dot - pos)) & 0xFF);
        pos = dot + 1;
    }
}

void DecodeIpAddress(TemplateField& f, int len, const uint8_t* in)
{
    std::string text = std::to_string(in[0]);
    for (int k = 1; k < len; ++k)
        text += "." + std::to_string(in[k]);
    SetValue(f, U16(text)); // cut to the 299 characters Value holds
}

void EncodeBitString(const TemplateField& f, int len, uint8_t* out)
{
    const int n = len < kBitStringMaxBytes ? len : kBitStringMaxBytes;
    const auto v = ValueOf(f);
    for (int k = 0; k < n; ++k) {
        uint8_t b = 0;
        const std::size_t first = 8 * static_cast<std::size_t>(n - 1 - k);
        for (std::size_t c = first; c < first + 8; ++c)
            b = static_cast<uint8_t>((b << 1) | (c < v.size() && v[c] == u'1' ? 1 : 0));
        out[k] = b;
    }
}

void DecodeBitString(TemplateField& f, int len, const uint8_t* in)
{
    const int n = len < kBitStringMaxBytes ? len : kBitStringMaxBytes;
    std::u16string text;
    for (int k = n - 1; k >= 0; --k)
        for (int bit = 7; bit >= 0; --bit)
            text.push_back((in[k] >> bit) & 1 ? u'1' : u'0');
    SetValue(f, text);
}

void EncodeBase64(const TemplateField& f, int len, uint8_t* out)
{
    const std::u16string b64 = Base64EncodeText(ValueOf(f));
    for (int k = 0; k < len && static_cast<std::size_t>(k) < b64.size(); ++k)
        out[k] = static_cast<uint8_t>(b64[k]);
}

void DecodeBase64(TemplateField& f, const uint8_t* in)
{
    SetValue(f, Base64DecodeText(UnitsUpToZero(in)));
}

} // namespace orv
