#pragma once
// Standard base64 (RFC 4648 alphabet, "=" padding, no line breaks) over the
// low bytes of wide text, as the credential slots and "TS2BASE64" use it.
#include <string>
#include <string_view>

#include "platform/core/WideText.h"

namespace orv {

constexpr std::size_t kBase64EncodedMax = 1024; // characters of encoded text
constexpr std::size_t kBase64DecodedMax = 1026; // characters of decoded text

// Encodes the low byte of each unit. The output never passes 1024
// characters: longer input is cut to whole groups that fit.
std::u16string Base64EncodeText(std::u16string_view text);
// out holds kBase64EncodedMax + 1 units.
void Base64Encode(wchar* out, const wchar* text);

// Decodes up to the end of the text or its first "="; characters outside the
// alphabet are not rejected, they spoil their group. Output longer than 1026
// characters gives "ERROR".
std::u16string Base64DecodeText(std::u16string_view text);
// out holds kBase64DecodedMax + 1 units.
void Base64Decode(const wchar* text, wchar* out);

} // namespace orv
