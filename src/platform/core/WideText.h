#pragma once
// 16-bit wide text helpers. Engine, settings and UI text is held as char16_t
// units in fixed buffers; every copy is cut to the destination's size and
// always terminated.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

using wchar = char16_t;

// Length of a terminated wide string, never looking past `cap` units.
std::size_t WLen(const wchar* s, std::size_t cap = SIZE_MAX);

// Copies src into dst (capacity `cap` units incl. terminator), cut to fit.
void WCopy(wchar* dst, std::size_t cap, const wchar* src);
void WCopy(wchar* dst, std::size_t cap, std::u16string_view src);
template <std::size_t N>
void WCopy(wchar (&dst)[N], std::u16string_view src) { WCopy(dst, N, src); }

// Exact, case-sensitive comparison of two terminated strings.
bool WEqual(const wchar* a, const wchar* b);

// ASCII/UTF-8 bridges for formatting, printing and tests (not the ANSI code
// page: see AnsiText.h for text that crosses the wire or comes from files).
std::u16string U16(std::string_view utf8);
std::string Utf8(std::u16string_view text);
std::string Utf8(const wchar* text);
// Appends one Unicode code point as UTF-16 (a surrogate pair above U+FFFF).
void AppendUtf16(std::u16string& out, char32_t codePoint);

// "%d"-style decimal helpers.
std::u16string WFromInt(long long value);
// _wtoi semantics: leading white space, optional sign, leading digits; 0 when
// there are none. Saturates instead of overflowing.
int32_t WToInt(const wchar* text);
int32_t WToInt(std::u16string_view text);

} // namespace orv
