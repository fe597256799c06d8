#pragma once
// Text as cameras store it: one byte per character, the byte equal to the
// character's code (ISO-8859-1). This holds whatever the user's locale is:
// a camera compares the bytes of a password, so "ä" must always be the one
// byte E4, on the wire in the clear, in base64 and scrambled alike.
// Characters beyond U+00FF have no byte of their own; the pages and the
// command-line tool refuse them before anything is sent (FindNonCameraChar).
// Should one reach the encoder anyway, every field takes its low byte, the
// same in the clear, in base64 and scrambled.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

constexpr char16_t kLastCameraChar = 0xFF;

constexpr bool IsCameraChar(char16_t c) { return c <= kLastCameraChar; }

// Position of the first character a camera cannot store, or npos.
std::size_t FindNonCameraChar(std::u16string_view text);
inline bool IsCameraText(std::u16string_view text) { return FindNonCameraChar(text) == std::u16string_view::npos; }

constexpr uint8_t CameraByte(char16_t c)
{
    return static_cast<uint8_t>(c & 0xFF);
}

// Wide text to camera bytes, one per character.
std::string CameraBytes(std::u16string_view text);

// Camera bytes to wide text, one character per byte, stopping at the first
// zero byte and never reading past `len`.
std::u16string CameraTextFromBytes(const char* bytes, std::size_t len);
std::u16string CameraTextFromBytes(std::string_view bytes);

} // namespace orv
