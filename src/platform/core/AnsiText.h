#pragma once
// Conversion between narrow text in the system's "ANSI code page" and wide
// text, for files saved in it (template files, a settings file that is not
// UTF-8). On this platform the code page is the locale's character set (set
// by the program with setlocale at start-up); in the C/POSIX locale, or when
// a byte sequence is not valid in it, bytes map one to one onto
// U+0000..U+00FF. Text that goes to or comes from a camera never depends on
// the locale: see CameraText.h.
#include <string>
#include <string_view>

namespace orv {

// Converts narrow bytes (stopping at the first zero byte, never past `len`).
std::u16string AnsiToWide(const char* bytes, std::size_t len);
std::u16string AnsiToWide(std::string_view bytes);

// Converts wide text to narrow bytes; characters the code page cannot hold
// become '?'.
std::string WideToAnsi(std::u16string_view text);

// Name of the character set in use ("ISO-8859-1" for the byte-for-byte
// fallback).
std::string AnsiCodePageName();

} // namespace orv
