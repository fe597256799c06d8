// The process-wide key pair behind the "TGDHPKey", "TGDHSKey" and "TSDHSKey"
// conversions, as a thin wrapper over libcrypto's big numbers. The private
// exponent is drawn here rather than by the library's DH key generation,
// which would pick a short exponent for this well-known group.
#include "template/KeyAgreement.h"

#include <cstdio>
#include <mutex>
#include <openssl/bn.h>

#include "template/KeyAgreementDetail.h"

namespace orv {
namespace {

// RFC 3526 group 5, the 1536-bit MODP prime, most significant byte first.
constexpr uint8_t kPrime[kDhPrimeBytes] = {
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xC9, 0x0F, 0xDA, 0xA2,
    0x21, 0x68, 0xC2, 0x34, 0xC4, 0xC6, 0x62, 0x8B, 0x80, 0xDC, 0x1C, 0xD1,
    0x29, 0x02, 0x4E, 0x08, 0x8A, 0x67, 0xCC, 0x74, 0x02, 0x0B, 0xBE, 0xA6,
    0x3B, 0x13, 0x9B, 0x22, 0x51, 0x4A, 0x08, 0x79, 0x8E, 0x34, 0x04, 0xDD,
    0xEF, 0x95, 0x19, 0xB3, 0xCD, 0x3A, 0x43, 0x1B, 0x30, 0x2B, 0x0A, 0x6D,
    0xF2, 0x5F, 0x14, 0x37, 0x4F, 0xE1, 0x35, 0x6D, 0x6D, 0x51, 0xC2, 0x45,
    0xE4, 0x85, 0xB5, 0x76, 0x62, 0x5E, 0x7E, 0xC6, 0xF4, 0x4C, 0x42, 0xE9,
    0xA6, 0x37, 0xED, 0x6B, 0x0B, 0xFF, 0x5C, 0xB6, 0xF4, 0x06, 0xB7, 0xED,
    0xEE, 0x38, 0x6B, 0xFB, 0x5A, 0x89, 0x9F, 0xA5, 0xAE, 0x9F, 0x24, 0x11,
    0x7C, 0x4B, 0x1F, 0xE6, 0x49, 0x28, 0x66, 0x51, 0xEC, 0xE4, 0x5B, 0x3D,
    0xC2, 0x00, 0x7C, 0xB8, 0xA1, 0x63, 0xBF, 0x05, 0x98, 0xDA, 0x48, 0x36,
    0x1C, 0x55, 0xD3, 0x9A, 0x69, 0x16, 0x3F, 0xA8, 0xFD, 0x24, 0xCF, 0x5F,
    0x83, 0x65, 0x5D, 0x23, 0xDC, 0xA3, 0xAD, 0x96, 0x1C, 0x62, 0xF3, 0x56,
    0x20, 0x85, 0x52, 0xBB, 0x9E, 0xD5, 0x29, 0x07, 0x70, 0x96, 0x96, 0x6D,
    0x67, 0x0C, 0x35, 0x4E, 0x4A, 0xBC, 0x98, 0x04, 0xF1, 0x74, 0x6C, 0x08,
    0xCA, 0x23, 0x73, 0x27, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
};
constexpr uint8_t kGenerator[4] = {0x00, 0x00, 0x00, 0x02};

struct KeyPair {
    BIGNUM* p = nullptr;
    BIGNUM* g = nullptr;
    BIGNUM* x = nullptr;
    BIGNUM* y = nullptr;
    ~KeyPair()
    {
        BN_free(p);
        BN_free(g);
        BN_clear_free(x);
        BN_free(y);
    }
};

// Used from the user-interface thread only; but every engine's destructor
// releases it, and engines may live and die on other threads (one per
// camera when several are set up at once), so every touch holds the lock.
KeyPair* g_pair = nullptr;
std::mutex g_pairLock;
// The exponent fuzzing asks for (UseFixedExponent); empty: random ones.
uint8_t g_fixedExponent[kDhPrimeBytes];
int g_fixedExponentLength = 0;

void Discard()
{
    delete g_pair;
    g_pair = nullptr;
}

// Builds p, g and y = g^x mod p around the exponent x (taken over); nullptr
// on any failure.
KeyPair* MakePair(BIGNUM* x)
{
    auto* pair = new KeyPair;
    pair->x = x;
    BN_CTX* ctx = BN_CTX_new();
    pair->p = BN_bin2bn(kPrime, sizeof kPrime, nullptr);
    pair->g = BN_bin2bn(kGenerator, sizeof kGenerator, nullptr);
    pair->y = BN_new();
    bool ok = ctx && pair->x && pair->p && pair->g && pair->y;
    if (ok) {
        BN_set_flags(pair->x, BN_FLG_CONSTTIME);
        ok = BN_mod_exp(pair->y, pair->g, pair->x, pair->p, ctx) == 1;
    }
    BN_CTX_free(ctx);
    if (!ok) {
        delete pair;
        return nullptr;
    }
    return pair;
}

void Publish(BIGNUM* x, uint8_t* publicKey, int& length)
{
    length = 0;
    Discard();
    g_pair = x ? MakePair(x) : nullptr;
    if (!g_pair || !publicKey || BN_num_bytes(g_pair->y) > kDhPrimeBytes) {
        Discard();
        std::printf("GenerateDHPublicKey EXIT\n");
        return;
    }
    length = BN_bn2bin(g_pair->y, publicKey);
    std::printf("GenerateDHPublicKey Success dhkey_len%d\n", length);
}

} // namespace

void GenerateDHPublicKey(uint8_t* publicKey, int& length)
{
    std::lock_guard lock(g_pairLock);
    if (g_fixedExponentLength > 0) {
        Publish(BN_bin2bn(g_fixedExponent, g_fixedExponentLength, nullptr), publicKey, length);
        return;
    }
    BIGNUM* x = BN_new();
    // 2^1534 <= x < 2^1535: one bit shorter than p, top bit set.
    if (x && BN_priv_rand(x, kDhPrimeBytes * 8 - 1, BN_RAND_TOP_ONE, BN_RAND_BOTTOM_ANY) != 1) {
        BN_free(x);
        x = nullptr;
    }
    Publish(x, publicKey, length);
}

void GenerateDHPublicKeyFromExponent(const uint8_t* exponent, int exponentLength, uint8_t* publicKey, int& length)
{
    std::lock_guard lock(g_pairLock);
    BIGNUM* x = exponentLength >= 0 ? BN_bin2bn(exponent, exponentLength, nullptr) : nullptr;
    Publish(x, publicKey, length);
}

void GenerateDHSecreteKey(const uint8_t* peerKey, int peerLength, int& length, uint8_t* secret)
{
    std::lock_guard lock(g_pairLock);
    length = 0;
    if (secret && g_pair) {
        BN_CTX* ctx = BN_CTX_new();
        static const uint8_t kNone = 0;
        BIGNUM* peer = peerKey && peerLength > 0 ? BN_bin2bn(peerKey, peerLength, nullptr) : BN_bin2bn(&kNone, 0, nullptr);
        BIGNUM* s = BN_new();
        // The camera's value is used as it comes: 0 gives an empty secret.
        if (ctx && peer && s && BN_mod_exp(s, peer, g_pair->x, g_pair->p, ctx) == 1
            && BN_num_bytes(s) <= kDhPrimeBytes) {
            length = BN_bn2bin(s, secret);
            std::printf("GenerateDHSecreteKey Success\n");
        } else {
            length = -1;
        }
        BN_clear_free(s);
        BN_free(peer);
        BN_CTX_free(ctx);
    }
    Discard();
    std::printf("GenerateDHSecreteKey EXIT\n");
}

void UseFixedExponent(const uint8_t* exponent, int exponentLength)
{
    std::lock_guard lock(g_pairLock);
    g_fixedExponentLength = 0;
    if (!exponent || exponentLength <= 0 || exponentLength > kDhPrimeBytes)
        return;
    for (int i = 0; i < exponentLength; ++i)
        g_fixedExponent[i] = exponent[i];
    g_fixedExponentLength = exponentLength;
}

void ReleaseKeyAgreement()
{
    std::lock_guard lock(g_pairLock);
    Discard();
}

int HeldExponentBits()
{
    std::lock_guard lock(g_pairLock);
    return g_pair ? BN_num_bits(g_pair->x) : 0;
}

} // namespace orv
