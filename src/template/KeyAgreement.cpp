#include "template/KeyAgreement.h"

// Placeholder until the key agreement lands.
namespace orv {
void GenerateDHPublicKey(uint8_t*, int& length) { length = 0; }
void GenerateDHSecreteKey(const uint8_t*, int, int& length, uint8_t*) { length = 0; }
void ReleaseKeyAgreement() {}
} // namespace orv
