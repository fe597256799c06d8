#include "template/Base64.h"

#include <cstdint>

#include "platform/core/CameraText.h"

namespace orv {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

uint32_t SextetOf(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return c - u'A';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 26;
    if (c >= u'0' && c <= u'9')
        return c - u'0' + 52;
    if (c == u'+')
        return 62;
    if (c == u'/')
        return 63;
    return 0; // not in the alphabet: the group decodes to whatever this gives
}

} // namespace

std::u16string Base64EncodeText(std::u16string_view text)
{
    constexpr std::size_t kMaxInput = kBase64EncodedMax / 4 * 3;
    if (text.size() > kMaxInput)
        text = text.substr(0, kMaxInput);
    std::u16string out;
    out.reserve((text.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < text.size(); i += 3) {
        const std::size_t n = text.size() - i < 3 ? text.size() - i : 3;
        uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < n ? CameraByte(text[i + k]) : 0u);
        out.push_back(static_cast<char16_t>(kAlphabet[(group >> 18) & 63]));
        out.push_back(static_cast<char16_t>(kAlphabet[(group >> 12) & 63]));
        out.push_back(n > 1 ? static_cast<char16_t>(kAlphabet[(group >> 6) & 63]) : u'=');
        out.push_back(n > 2 ? static_cast<char16_t>(kAlphabet[group & 63]) : u'=');
    }
    return out;
}

void Base64Encode(wchar* out, const wchar* text)
{
    if (!out)
        return;
    std::u16string_view in = text ? std::u16string_view(text, WLen(text)) : std::u16string_view();
    WCopy(out, kBase64EncodedMax + 1, Base64EncodeText(in));
}

std::u16string Base64DecodeText(std::u16string_view text)
{
    if (auto eq = text.find(u'='); eq != std::u16string_view::npos)
        text = text.substr(0, eq);
    const std::size_t whole = text.size() / 4;
    const std::size_t rest = text.size() % 4;
    const std::size_t size = whole * 3 + (rest > 1 ? rest - 1 : 0);
    if (size > kBase64DecodedMax)
        return u"ERROR";
    std::u16string out;
    out.reserve(size);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const std::size_t n = text.size() - i < 4 ? text.size() - i : 4;
        if (n < 2)
            break; // a lone character carries no whole byte
        uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k)
            group = (group << 6) | (k < n ? SextetOf(text[i + k]) : 0u);
        for (std::size_t k = 0; k + 1 < n; ++k)
            out.push_back(static_cast<char16_t>((group >> (16 - 8 * k)) & 0xFF));
    }
    return out;
}

void Base64Decode(const wchar* text, wchar* out)
{
    if (!out)
        return;
    std::u16string_view in = text ? std::u16string_view(text, WLen(text)) : std::u16string_view();
    WCopy(out, kBase64DecodedMax + 1, Base64DecodeText(in));
}

} // namespace orv
