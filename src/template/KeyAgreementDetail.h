#pragma once
// Inside view of the key agreement, for tests and tools that need to check
// the exponent or reproduce a known key pair.
#include <cstdint>

namespace orv {

constexpr int kDhPrimeBytes = 192;

// GenerateDHPublicKey with the given private exponent (big-endian) instead of
// a random one; same results, same trace lines.
void GenerateDHPublicKeyFromExponent(const uint8_t* exponent, int exponentLength, uint8_t* publicKey, int& length);

// Bit length of the held private exponent; 0 when no key pair is held.
int HeldExponentBits();

// For fuzzing only: every later key pair uses this exponent (big-endian, at
// most 192 bytes) instead of a random one, so that a small exponent makes
// each pair and secret cheap; a length of 0 goes back to random exponents.
// Never used with a camera.
void UseFixedExponent(const uint8_t* exponent, int exponentLength);

} // namespace orv
