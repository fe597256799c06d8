#pragma once
// Turns the bytes of a settings file into wide text (see ProfileFile.h for the
// encoding rules).
#include <string>
#include <string_view>

namespace orv {

// Strict UTF-8 to UTF-16; false (and `out` unspecified) on any invalid,
// overlong or surrogate sequence.
bool DecodeUtf8Strict(std::string_view bytes, std::u16string& out);

std::u16string DecodeProfileBytes(std::string_view bytes);

} // namespace orv
