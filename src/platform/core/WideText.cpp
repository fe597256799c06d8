#include "WideText.h"

#include <climits>

namespace orv {

std::size_t WLen(const wchar* s, std::size_t cap)
{
    if (!s)
        return 0;
    std::size_t n = 0;
    while (n < cap && s[n] != 0)
        ++n;
    return n;
}

void WCopy(wchar* dst, std::size_t cap, std::u16string_view src)
{
    if (!dst || cap == 0)
        return;
    std::size_t n = src.size() < cap - 1 ? src.size() : cap - 1;
    for (std::size_t i = 0; i < n; ++i)
        dst[i] = src[i];
    dst[n] = 0;
}

void WCopy(wchar* dst, std::size_t cap, const wchar* src)
{
    WCopy(dst, cap, src ? std::u16string_view(src, WLen(src, cap)) : std::u16string_view());
}

bool WEqual(const wchar* a, const wchar* b)
{
    if (!a || !b)
        return a == b;
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

std::u16string U16(std::string_view s)
{
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        char32_t cp = c;
        std::size_t extra = 0;
        if (c >= 0xF0) { cp = c & 0x07; extra = 3; }
        else if (c >= 0xE0) { cp = c & 0x0F; extra = 2; }
        else if (c >= 0xC0) { cp = c & 0x1F; extra = 1; }
        if (extra && i + extra >= s.size()) { out.push_back(u'?'); break; }
        for (std::size_t k = 1; k <= extra; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        i += extra + 1;
        AppendUtf16(out, cp);
    }
    return out;
}

void AppendUtf16(std::u16string& out, char32_t codePoint)
{
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(codePoint));
    }
}

std::string Utf8(std::u16string_view t)
{
    std::string out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        char32_t cp = t[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < t.size() && t[i + 1] >= 0xDC00 && t[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (t[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::string Utf8(const wchar* text)
{
    return text ? Utf8(std::u16string_view(text, WLen(text))) : std::string();
}

std::u16string WFromInt(long long value)
{
    return U16(std::to_string(value));
}

int32_t WToInt(std::u16string_view t)
{
    std::size_t i = 0;
    while (i < t.size() && (t[i] == u' ' || (t[i] >= u'\t' && t[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    long long v = 0;
    for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) {
        v = v * 10 + (t[i] - u'0');
        if (v > INT_MAX + 1LL)
            v = INT_MAX + 1LL;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        v = INT_MAX;
    return static_cast<int32_t>(v);
}

int32_t WToInt(const wchar* text)
{
    return WToInt(text ? std::u16string_view(text, WLen(text)) : std::u16string_view());
}

} // namespace orv
