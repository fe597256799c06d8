#pragma once
// Bit-string helpers for the "_bit0" variables of the wireless pages.
#include <cstdint>

#include "platform/core/WideText.h"

namespace orv {

// out := the low four bits of value as "0"/"1", most significant first, then
// a terminator (out holds 5 units).
void IntToBits4(int32_t value, wchar* out);

// The first n characters of text as a binary number, most significant first;
// "1" is a one bit, anything else a zero bit. Characters past the end of the
// text count as zero bits, so a short string never reads past its end.
int32_t BitsToInt(int32_t n, const wchar* text);

} // namespace orv
