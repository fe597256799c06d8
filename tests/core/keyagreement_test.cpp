// Diffie-Hellman key agreement in RFC 3526 group 5: known answers against
// libcrypto's own prime, both directions of an agreement, exponent size,
// minimal-length encodings and the one-secret-per-key-pair rule.
#include <gtest/gtest.h>

#include <openssl/bn.h>
#include <string>
#include <vector>

#include "template/KeyAgreement.h"
#include "template/KeyAgreementDetail.h"

using namespace orv;
using Bytes = std::vector<uint8_t>;

namespace {

struct Bn {
    BIGNUM* v = BN_new();
    ~Bn() { BN_free(v); }
    Bytes ToBytes() const
    {
        Bytes b(static_cast<std::size_t>(BN_num_bytes(v)));
        BN_bn2bin(v, b.data());
        return b;
    }
};

// base^exp mod p, with the library's own copy of the prime.
Bytes ModExp(const Bytes& base, const Bytes& exp)
{
    Bn p, b, e, r;
    BN_get_rfc3526_prime_1536(p.v);
    BN_bin2bn(base.data(), static_cast<int>(base.size()), b.v);
    BN_bin2bn(exp.data(), static_cast<int>(exp.size()), e.v);
    BN_CTX* ctx = BN_CTX_new();
    BN_mod_exp(r.v, b.v, e.v, p.v, ctx);
    BN_CTX_free(ctx);
    return r.ToBytes();
}

Bytes PublicFrom(const Bytes& exponent, std::string* trace = nullptr)
{
    uint8_t out[512] = {};
    int length = -5;
    testing::internal::CaptureStdout();
    GenerateDHPublicKeyFromExponent(exponent.data(), static_cast<int>(exponent.size()), out, length);
    const std::string t = testing::internal::GetCapturedStdout();
    if (trace)
        *trace = t;
    return Bytes(out, out + (length > 0 ? length : 0));
}

Bytes Public(std::string* trace = nullptr)
{
    uint8_t out[512] = {};
    int length = -5;
    testing::internal::CaptureStdout();
    GenerateDHPublicKey(out, length);
    const std::string t = testing::internal::GetCapturedStdout();
    if (trace)
        *trace = t;
    return Bytes(out, out + (length > 0 ? length : 0));
}

// The secret and its reported length (which may be 0 or -1).
std::pair<int, Bytes> Secret(const Bytes& peer, std::string* trace = nullptr, bool withBuffer = true)
{
    uint8_t out[512] = {};
    int length = -5;
    testing::internal::CaptureStdout();
    GenerateDHSecreteKey(peer.data(), static_cast<int>(peer.size()), length, withBuffer ? out : nullptr);
    const std::string t = testing::internal::GetCapturedStdout();
    if (trace)
        *trace = t;
    return {length, Bytes(out, out + (length > 0 ? length : 0))};
}

Bytes RandomExponent()
{
    Bn x;
    BN_priv_rand(x.v, 1535, BN_RAND_TOP_ONE, BN_RAND_BOTTOM_ANY);
    return x.ToBytes();
}

} // namespace

TEST(KeyAgreement, GroupKnownAnswers)
{
    // g^1 = 2; g^1535 = 2^1535 (below p); g^1536 = 2^1536 - p, a value with
    // leading zero bytes that must come back short with its true length.
    EXPECT_EQ(PublicFrom({1}), Bytes {2});
    const Bytes top = PublicFrom({0x05, 0xFF});
    ASSERT_EQ(top.size(), 192u);
    EXPECT_EQ(top[0], 0x80);
    std::string trace;
    const Bytes wrapped = PublicFrom({0x06, 0x00}, &trace);
    const Bytes want = ModExp({2}, {0x06, 0x00});
    ASSERT_LT(want.size(), 192u);
    EXPECT_EQ(wrapped, want);
    EXPECT_EQ(trace, "GenerateDHPublicKey Success dhkey_len" + std::to_string(want.size()) + "\n");
    ReleaseKeyAgreement();
}

TEST(KeyAgreement, RandomExponentIs1535Bits)
{
    for (int i = 0; i < 8; ++i) {
        std::string trace;
        const Bytes y = Public(&trace);
        EXPECT_EQ(HeldExponentBits(), 1535);
        EXPECT_FALSE(y.empty());
        EXPECT_LE(y.size(), 192u);
        EXPECT_NE(y[0], 0); // minimal encoding
        EXPECT_EQ(trace, "GenerateDHPublicKey Success dhkey_len" + std::to_string(y.size()) + "\n");
    }
    ReleaseKeyAgreement();
    EXPECT_EQ(HeldExponentBits(), 0);
}

TEST(KeyAgreement, BothSidesAgree)
{
    for (int i = 0; i < 3; ++i) {
        const Bytes y = RandomExponent();
        const Bytes gy = ModExp({2}, y);
        const Bytes gx = Public();
        std::string trace;
        const auto [length, ours] = Secret(gy, &trace);
        EXPECT_EQ(trace, "GenerateDHSecreteKey Success\nGenerateDHSecreteKey EXIT\n");
        EXPECT_EQ(length, static_cast<int>(ours.size()));
        EXPECT_EQ(ours, ModExp(gx, y));
    }
}

TEST(KeyAgreement, OneSecretPerKeyPair)
{
    PublicFrom({1});
    PublicFrom({2}); // replaces the first pair
    // The peer value may carry leading zero bytes; the secret 9 comes back as
    // one byte.
    Bytes peer(192, 0);
    peer[191] = 3;
    EXPECT_EQ(Secret(peer), (std::pair<int, Bytes> {1, {9}}));
    std::string trace;
    EXPECT_EQ(Secret(peer, &trace).first, 0);
    EXPECT_EQ(trace, "GenerateDHSecreteKey EXIT\n");
}

TEST(KeyAgreement, PeerValuesAreNotValidated)
{
    const Bytes random = RandomExponent();
    const struct {
        Bytes exponent, peer;
        std::pair<int, Bytes> want;
    } cases[] = {
        {random, {0}, {0, {}}},
        {random, {}, {0, {}}},
        {random, {1}, {1, {1}}},
        {{1}, {0, 0, 0x01, 0x00}, {2, {0x01, 0x00}}},
    };
    for (const auto& c : cases) {
        PublicFrom(c.exponent);
        EXPECT_EQ(Secret(c.peer), c.want);
    }
    // p - 1 and p + 1 are used as they come, too.
    Bn p;
    BN_get_rfc3526_prime_1536(p.v);
    BN_add_word(p.v, 1);
    PublicFrom({0x07});
    EXPECT_EQ(Secret(p.ToBytes()), (std::pair<int, Bytes> {1, {1}}));
    BN_sub_word(p.v, 2);
    PublicFrom({0x07});
    EXPECT_EQ(Secret(p.ToBytes()).second, p.ToBytes()); // (p-1)^odd = p-1
}

TEST(KeyAgreement, NoBufferOrNoPairComputesNothing)
{
    ReleaseKeyAgreement();
    std::string trace;
    EXPECT_EQ(Secret({2}, &trace).first, 0);
    EXPECT_EQ(trace, "GenerateDHSecreteKey EXIT\n");
    PublicFrom({1});
    EXPECT_EQ(Secret({2}, &trace, false).first, 0);
    EXPECT_EQ(trace, "GenerateDHSecreteKey EXIT\n");
    EXPECT_EQ(HeldExponentBits(), 0); // the pair is discarded anyway
}
