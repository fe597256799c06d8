#pragma once
// Byte scramblers of the template protocol. All work in place on n bytes; the
// camera firmware holds the matching routines, so every step is fixed.
#include <cstdint>

namespace orv {

// Credential scrambler ("TS2ZTEncode" and "TS2ZTDecode" alike): two identical
// passes of a nibble substitution keyed by the byte's column (i mod 8).
void ZtScramble(uint8_t* bytes, int n);

// Key-material scrambler ("TSDHSKey", WPS set-up request) and its exact
// inverse ("TGDHSKey").
void ScrambleKey(uint8_t* bytes, int n);
void UnscrambleKey(uint8_t* bytes, int n);

} // namespace orv
