#include "skin/core/ProfileDecode.h"

#include "platform/core/AnsiText.h"
#include "platform/core/WideText.h"

namespace orv {

namespace {

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto lo = static_cast<unsigned char>(bytes[i]);
        auto hi = static_cast<unsigned char>(bytes[i + 1]);
        if (bigEndian)
            std::swap(lo, hi);
        out.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return out;
}

} // namespace

bool DecodeUtf8Strict(std::string_view s, std::u16string& out)
{
    out.clear();
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(c);
            ++i;
            continue;
        }
        std::size_t extra = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; min = 0x80; }
        else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0F; min = 0x800; }
        else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; min = 0x10000; }
        else return false;
        if (s.size() - i <= extra)
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
            return false;
        AppendUtf16(out, cp);
        i += extra + 1;
    }
    return true;
}

std::u16string DecodeProfileBytes(std::string_view bytes)
{
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return DecodeUtf16(bytes.substr(2), false);
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return DecodeUtf16(bytes.substr(2), true);
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::u16string out;
    if (DecodeUtf8Strict(bytes, out))
        return out;
    // Not UTF-8: a file saved in the ANSI code page. The converter stops at a
    // zero byte, so each one becomes a line break instead of ending the file.
    out.clear();
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t nul = bytes.find('\0', start);
        std::size_t end = nul == std::string_view::npos ? bytes.size() : nul;
        out += AnsiToWide(bytes.substr(start, end - start));
        if (nul == std::string_view::npos)
            break;
        out.push_back(u'\n');
        start = nul + 1;
    }
    return out;
}

} // namespace orv
