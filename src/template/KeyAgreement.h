#pragma once
// Diffie-Hellman key agreement in the RFC 3526 1536-bit MODP group (group 5).
// One process-wide key pair, used only from the user-interface thread: each
// public value serves exactly one secret.
#include <cstdint>

namespace orv {

// Makes a fresh key pair and writes its public value big-endian, minimal
// length (at most 192 bytes) into `publicKey`; `length` its byte count, 0 on
// failure.
void GenerateDHPublicKey(uint8_t* publicKey, int& length);

// peerKey^x mod p with the held key pair, written big-endian minimal length
// into `secret` (at least 192 bytes); `length` 0 when there was nothing to
// compute with, -1 when the computation failed. Always discards the pair.
void GenerateDHSecreteKey(const uint8_t* peerKey, int peerLength, int& length, uint8_t* secret);

// Discards the key pair if one is held (engine destructor).
void ReleaseKeyAgreement();

} // namespace orv
