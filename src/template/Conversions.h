// Conversions between a field's Value text and its Length bytes on the wire.
// Each works on one field held in a zeroed scratch area of kScratchUnits
// bytes, so a field is always followed by a zero byte.
#pragma once
#include <cstdint>

#include "template/FieldTableLimits.h"

namespace orv {

enum class Conversion {
    None, // unknown or empty name: zeros out, nothing in
    Number,       // "TW2S", "TB2S"
    Chars,        // "TC2S"
    IpAddress,    // "TIP2S"
    BitString,    // "Tb2S0"
    Base64,       // "TS2BASE64"
    ZtEncode,     // "TS2ZTEncode"
    ZtDecode,     // "TS2ZTDecode"
    DhPublicKey,  // "TGDHPKey"
    DhSendSecret, // "TSDHSKey"
    DhPeerKey,    // "TGDHSKey"
};

// Conversion names are matched exactly (case-sensitive).
Conversion ConversionOf(const wchar* transform);

constexpr int kBitStringMaxBytes = 37;
constexpr int kZtEncodeMaxBytes = 84;
constexpr int kZtDecodeMaxBytes = 100;
constexpr int kDhSecretBytes = 256;

// Plain conversions (ConvertPlain.cpp). `len` is 0..kMaxFieldUnits.
void EncodeNumber(const TemplateField& f, int len, uint8_t* out);
void DecodeNumber(TemplateField& f, const uint8_t* in);
void EncodeChars(const TemplateField& f, int len, uint8_t* out);
void DecodeChars(TemplateField& f, int len, const uint8_t* in);
void EncodeIpAddress(const TemplateField& f, int len, uint8_t* out);
void DecodeIpAddress(TemplateField& f, int len, const uint8_t* in);
void EncodeBitString(const TemplateField& f, int len, uint8_t* out);
void DecodeBitString(TemplateField& f, int len, const uint8_t* in);
void EncodeBase64(const TemplateField& f, int len, uint8_t* out);
void DecodeBase64(TemplateField& f, const uint8_t* in);

// Scrambled and key-agreement conversions (ConvertKeys.cpp).
void EncodeZt(const TemplateField& f, int len, uint8_t* out);
void DecodeZt(TemplateField& f, int len, const uint8_t* in);
// Puts a public value of keyLength bytes into a field of len bytes.
void PlaceDhPublicKey(const uint8_t* key, int keyLength, int len, uint8_t* out);
void EncodeDhPublicKey(int len, uint8_t* out);
void EncodeDhSecret(int len, uint8_t* out, uint8_t (&dhSecret)[kDhSecretBytes]);
void DecodeDhPeerKey(int len, const uint8_t* in, uint8_t (&dhSecret)[kDhSecretBytes]);

} // namespace orv
