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

} // namespace orv
