// Scrambled credentials and the key-agreement conversions.
#include <cstring>
#include <string>

#include "platform/core/CameraText.h"
#include "template/Conversions.h"
#include "template/KeyAgreement.h"
#include "template/KeyAgreementDetail.h"
#include "template/Scramblers.h"

namespace orv {

// The camera unscrambles credentials into single-byte text: whatever the
// user's locale, a character is its one camera byte, as in the credential
// slots of the request header (a locale's multi-byte form would lock the user
// out after a password change).
void EncodeZt(const TemplateField& f, int len, uint8_t* out)
{
    const int n = len < kZtEncodeMaxBytes ? len : kZtEncodeMaxBytes;
    const std::string narrow = CameraBytes({f.Value, WLen(f.Value, kValueUnits)});
    for (int k = 0; k < n && static_cast<std::size_t>(k) < narrow.size(); ++k)
        out[k] = static_cast<uint8_t>(narrow[k]);
    ZtScramble(out, n);
}

void DecodeZt(TemplateField& f, int len, const uint8_t* in)
{
    const int n = len < kZtDecodeMaxBytes ? len : kZtDecodeMaxBytes;
    std::u16string units;
    for (int k = 0; k < kScratchUnits && in[k]; ++k)
        units.push_back(in[k]);
    const std::string narrow = CameraBytes(units);
    uint8_t bytes[kZtDecodeMaxBytes] = {};
    for (int k = 0; k < n && static_cast<std::size_t>(k) < narrow.size(); ++k)
        bytes[k] = static_cast<uint8_t>(narrow[k]);
    ZtScramble(bytes, n);
    for (int k = 0; k < n; ++k)
        f.Value[k] = bytes[k];
}

void PlaceDhPublicKey(const uint8_t* key, int keyLength, int len, uint8_t* out)
{
    // The camera reads the value as a fixed 192-byte big-endian number. A
    // value that happens to be shorter (about one in 256) is placed at the
    // right of those 192 bytes; placed at the left it would be read as a
    // different number and the pairing would fail.
    int offset = 0;
    if (len >= kDhPrimeBytes && keyLength > 0 && keyLength < kDhPrimeBytes)
        offset = kDhPrimeBytes - keyLength;
    for (int k = 0; k < keyLength && offset + k < len; ++k)
        out[offset + k] = key[k];
}

void EncodeDhPublicKey(int len, uint8_t* out)
{
    uint8_t key[512] = {};
    int keyLength = 0;
    GenerateDHPublicKey(key, keyLength);
    if (keyLength > kDhPrimeBytes)
        keyLength = kDhPrimeBytes;
    PlaceDhPublicKey(key, keyLength, len, out);
}

void EncodeDhSecret(int len, uint8_t* out, uint8_t (&dhSecret)[kDhSecretBytes])
{
    // Scrambled again in place: a second such field sends it scrambled twice.
    const int n = len < kDhSecretBytes ? len : kDhSecretBytes;
    ScrambleKey(dhSecret, n);
    std::memcpy(out, dhSecret, static_cast<std::size_t>(n));
}

void DecodeDhPeerKey(int len, const uint8_t* in, uint8_t (&dhSecret)[kDhSecretBytes])
{
    uint8_t peer[kScratchUnits] = {};
    std::memcpy(peer, in, static_cast<std::size_t>(len));
    UnscrambleKey(peer, len);
    uint8_t secret[512] = {};
    int secretLength = 0;
    GenerateDHSecreteKey(peer, len, secretLength, secret);
    // 0 (nothing to compute with) and -1 (failed) leave the old secret.
    if (secretLength <= 0)
        return;
    const int n = secretLength < kDhSecretBytes ? secretLength : kDhSecretBytes;
    std::memcpy(dhSecret, secret, static_cast<std::size_t>(n));
}

} // namespace orv
