// The WPS run of a simulated camera: support query, start with the
// program's public value, progress polls that hand back the camera's own
// public value, the secret check, and the final status polls.
#include <openssl/bn.h>

#include <cstring>
#include <memory>

#include "sim/OpCommon.h"
#include "sim/TemplateOps.h"
#include "sim/TemplateState.h"

namespace orvsim {

using namespace tpl;

namespace {

using Bn = std::unique_ptr<BIGNUM, decltype(&BN_clear_free)>;
Bn MakeBn(BIGNUM* b)
{
    return Bn(b, &BN_clear_free);
}

// Big-endian bytes of `v`, minimal length.
std::vector<uint8_t> Bytes(const BIGNUM* v)
{
    std::vector<uint8_t> out(static_cast<std::size_t>(BN_num_bytes(v)));
    BN_bn2bin(v, out.data());
    return out;
}

// g^e mod p, or peer^e mod p, in the 1536-bit MODP group.
std::vector<uint8_t> ModExp(const std::vector<uint8_t>& base, const std::vector<uint8_t>& exponent)
{
    Bn p = MakeBn(BN_get_rfc3526_prime_1536(nullptr));
    Bn b = MakeBn(BN_bin2bn(base.data(), static_cast<int>(base.size()), nullptr));
    Bn e = MakeBn(BN_bin2bn(exponent.data(), static_cast<int>(exponent.size()), nullptr));
    Bn r = MakeBn(BN_new());
    BN_CTX* ctx = BN_CTX_new();
    BN_mod_exp(r.get(), b.get(), e.get(), p.get(), ctx);
    BN_CTX_free(ctx);
    return Bytes(r.get());
}

// The secret as the program sends it: big-endian, minimal length, from the
// start of the 192-byte field.
std::vector<uint8_t> SecretField(const std::vector<uint8_t>& peer, const std::vector<uint8_t>& x)
{
    std::vector<uint8_t> s = ModExp(peer, x);
    s.resize(kSecret.Size, 0);
    return s;
}

} // namespace

void HandleQueryWPS(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    cam.Tpl.Wps = WpsRun{};
    std::vector<uint8_t> p(8, 0);
    PutU32(&p[kWpsPbc.Offset], static_cast<uint32_t>(cam.Tpl.WpsPbc));
    PutU32(&p[kWpsPin.Offset], static_cast<uint32_t>(cam.Tpl.WpsPin));
    Answer(req, cam, out, 0, std::move(p));
}

void HandleInitWPS(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    std::vector<uint8_t> p = RequestPayload(req, kInitWpsScrambled + kInitWpsScrambledSize);
    CameraUnscrambleKey(&p[kInitWpsScrambled], kInitWpsScrambledSize);
    WpsRun& w = cam.Tpl.Wps;
    w = WpsRun{};
    w.Started = true;
    w.Mode = GetU32(p, kWpsMode.Offset);
    w.Pin = GetText(p, kWpsPinCode);
    w.ClientKey.assign(p.begin() + static_cast<long>(kClientKey.Offset),
        p.begin() + static_cast<long>(kClientKey.Offset + kClientKey.Size));
    Bn x = MakeBn(BN_new());
    BN_priv_rand(x.get(), 1535, BN_RAND_TOP_ONE, BN_RAND_BOTTOM_ANY);
    w.CameraPrivate = Bytes(x.get());
    w.PollsLeft = cam.Tpl.WpsPolls;
    Answer(req, cam, out, 0, {});
}

void HandlePollWPSInf(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    WpsRun& w = cam.Tpl.Wps;
    if (!w.Started) {
        Answer(req, cam, out, 7, std::vector<uint8_t>{7, 0, 0, 0});
        return;
    }
    if (w.PollsLeft > 0) {
        --w.PollsLeft;
        Answer(req, cam, out, 257, {});
        return;
    }
    std::vector<uint8_t> p(kWpsState.Size + kCameraKey.Size, 0);
    PutU32(&p[kWpsState.Offset], 1);
    std::vector<uint8_t> y = ModExp({2}, w.CameraPrivate);
    // Fixed width, big-endian: leading zero bytes stay in front.
    std::memcpy(&p[kCameraKey.Offset + kCameraKey.Size - y.size()], y.data(), y.size());
    CameraScrambleKey(&p[kCameraKey.Offset], kCameraKey.Size);
    w.PollsLeft = cam.Tpl.WpsPolls;
    Answer(req, cam, out, 0, std::move(p));
}

void HandleSendWPS(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    WpsRun& w = cam.Tpl.Wps;
    std::vector<uint8_t> p = RequestPayload(req, kConfirm.Size + kSecret.Size);
    CameraUnscrambleKey(&p[kSecret.Offset], kSecret.Size);
    const std::vector<uint8_t> got(p.begin() + static_cast<long>(kSecret.Offset), p.end());
    w.SecretSeen = true;
    w.SecretOk = false;
    if (w.Started && !w.CameraPrivate.empty()) {
        // The program's public value travels from the start of its field; a
        // value one byte short arrives followed by a zero. Accept either.
        w.SecretOk = SecretField(w.ClientKey, w.CameraPrivate) == got;
        if (!w.SecretOk && w.ClientKey.back() == 0) {
            const std::vector<uint8_t> shorter(w.ClientKey.begin(), w.ClientKey.end() - 1);
            w.SecretOk = SecretField(shorter, w.CameraPrivate) == got;
        }
    }
    if (!w.SecretOk) {
        Answer(req, cam, out, 9, std::vector<uint8_t>{9, 0, 0, 0});
        return;
    }
    Answer(req, cam, out, 0, {});
}

void HandlePollWPSStatus(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    WpsRun& w = cam.Tpl.Wps;
    if (!w.SecretOk) {
        Answer(req, cam, out, 9, std::vector<uint8_t>{9, 0, 0, 0});
        return;
    }
    if (w.PollsLeft > 0) {
        --w.PollsLeft;
        Answer(req, cam, out, 257, {});
        return;
    }
    w.Paired = true;
    cam.Tpl.Wlan.Enable = 1;
    cam.Tpl.Wlan.Essid = "wps-network";
    Answer(req, cam, out, 0, {});
}

} // namespace orvsim
