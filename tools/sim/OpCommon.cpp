#include "sim/OpCommon.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "sim/TemplateState.h"

namespace orvsim {

bool Admit(const Request& req, SimCamera& cam)
{
    TemplateState& t = cam.Tpl;
    t.Seen.emplace_back(req.Opcode, static_cast<uint16_t>(req.SeqBytes[0] | (req.SeqBytes[1] << 8)));
    if (t.DropRequests > 0) {
        --t.DropRequests;
        WriteState(cam);
        return false;
    }
    return true;
}

std::string Base64(const std::string& bytes)
{
    static const char* abc = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        uint32_t v = 0;
        for (std::size_t k = 0; k < 3; ++k)
            v = (v << 8) | (k < n ? static_cast<uint8_t>(bytes[i + k]) : 0);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? abc[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

namespace {

// The slot as the program must have filled it: base64, cut at 64, zero-padded.
bool SlotHolds(const Request& req, std::size_t offset, const std::string& secret)
{
    if (req.Size < offset + 64)
        return false;
    uint8_t want[64] = {};
    const std::string b64 = Base64(secret);
    std::memcpy(want, b64.data(), std::min<std::size_t>(64, b64.size()));
    return std::memcmp(want, req.Bytes + offset, 64) == 0;
}

} // namespace

std::vector<uint8_t> ScrambledText(const std::string& text, std::size_t size)
{
    std::vector<uint8_t> b(size, 0);
    std::memcpy(b.data(), text.data(), std::min(size, text.size()));
    CameraZtScramble(b.data(), size);
    return b;
}

bool LoginOk(const Request& req, const SimCamera& cam)
{
    if (!SlotHolds(req, 22, cam.AdminId))
        return false;
    const std::vector<uint8_t>& stored = cam.Tpl.ScrambledPwd;
    if (stored.empty())
        return SlotHolds(req, 86, cam.AdminPwd);
    if (req.Size < 150)
        return false;
    return ScrambledText(Base64Decode(req.Bytes + 86, 64), stored.size()) == stored;
}

std::vector<uint8_t> RequestPayload(const Request& req, std::size_t size)
{
    std::vector<uint8_t> p(size, 0);
    if (req.Size > kTemplatePayloadOffset)
        std::memcpy(p.data(), req.Bytes + kTemplatePayloadOffset, std::min(size, req.Size - kTemplatePayloadOffset));
    return p;
}

void Answer(const Request& req, SimCamera& cam, Outbox& out, uint16_t status, std::vector<uint8_t> payload)
{
    const TemplateState& t = cam.Tpl;
    if (t.ForcedStatus != 0) {
        status = static_cast<uint16_t>(t.ForcedStatus);
        payload.clear();
        if (t.ErrorCode >= 0) {
            payload.resize(4);
            for (int i = 0; i < 4; ++i)
                payload[i] = static_cast<uint8_t>(static_cast<uint32_t>(t.ErrorCode) >> (8 * i));
        }
    }
    std::vector<uint8_t> reply = BuildReply(req, cam, status, payload);
    if (t.OtherMac)
        reply[11] ^= 0x01;
    WriteState(cam);
    out.Send(cam, std::move(reply));
}

bool Begin(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Admit(req, cam))
        return false;
    if (!LoginOk(req, cam)) {
        Answer(req, cam, out, 2, {});
        return false;
    }
    if (cam.Tpl.ForcedStatus != 0) {
        Answer(req, cam, out, 0, {}); // refused as configured, nothing applied
        return false;
    }
    return true;
}

std::vector<uint8_t> SettingsReplyPayload(const SimCamera& cam)
{
    if (cam.Tpl.WaitAction == 0)
        return {};
    std::vector<uint8_t> p(16, 0);
    PutU32(&p[4], static_cast<uint32_t>(cam.Tpl.WaitAction));
    PutU32(&p[8], static_cast<uint32_t>(cam.Tpl.WaitMs));
    return p;
}

std::string GetText(const std::vector<uint8_t>& p, tpl::Field f)
{
    std::string s;
    for (std::size_t i = f.Offset; i < f.Offset + f.Size && i < p.size() && p[i]; ++i)
        s += static_cast<char>(p[i]);
    return s;
}

void PutText(std::vector<uint8_t>& p, tpl::Field f, const std::string& text)
{
    std::memcpy(&p[f.Offset], text.data(), std::min(text.size(), f.Size));
}

uint32_t GetU32(const std::vector<uint8_t>& p, std::size_t at)
{
    uint32_t v = 0;
    for (std::size_t i = 0; i < 4 && at + i < p.size(); ++i)
        v |= static_cast<uint32_t>(p[at + i]) << (8 * i);
    return v;
}

void CameraScrambleKey(uint8_t* b, std::size_t n)
{
    auto chain = [&] {
        for (std::size_t i = 0; i + 1 < n; ++i)
            b[i] ^= b[i + 1];
    };
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(~b[i]);
    chain();
    for (std::size_t i = 0; i < n; ++i)
        b[i] ^= 0xAA;
    chain();
    for (std::size_t i = 0; i < n; ++i)
        b[i] ^= 0x55;
    chain();
}

void CameraUnscrambleKey(uint8_t* b, std::size_t n)
{
    auto unchain = [&] {
        for (std::size_t i = n; i-- > 1;)
            b[i - 1] ^= b[i];
    };
    unchain();
    for (std::size_t i = 0; i < n; ++i)
        b[i] ^= 0x55;
    unchain();
    for (std::size_t i = 0; i < n; ++i)
        b[i] ^= 0xAA;
    unchain();
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(~b[i]);
}

namespace {

uint8_t ZtForward(uint8_t byte, std::size_t column)
{
    static const uint8_t A[8] = {0x5E, 0x13, 0xC8, 0x91, 0x07, 0xD4, 0x6A, 0x2F};
    static const uint8_t B[8] = {0xB3, 0x48, 0xE1, 0x0C, 0x9A, 0x75, 0x26, 0xFD};
    for (int pass = 0; pass < 2; ++pass) {
        const uint8_t x = byte ^ A[column];
        uint8_t lo = x & 0x0F, hi = x & 0xF0;
        if (x & 0x01)
            lo = (lo ^ B[column]) & 0x0F;
        if (x & 0x10)
            hi = (hi ^ B[column]) & 0xF0;
        byte = hi | lo;
    }
    return byte;
}

} // namespace

void CameraZtScramble(uint8_t* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        b[i] = ZtForward(b[i], i % 8);
}

std::string Base64Decode(const uint8_t* text, std::size_t n)
{
    std::string out;
    uint32_t acc = 0;
    int bits = 0;
    for (std::size_t i = 0; i < n && text[i] && text[i] != '='; ++i) {
        const char c = static_cast<char>(text[i]);
        int v = c >= 'A' && c <= 'Z' ? c - 'A' : c >= 'a' && c <= 'z' ? c - 'a' + 26 : c >= '0' && c <= '9' ? c - '0' + 52
              : c == '+' ? 62 : c == '/' ? 63 : -1;
        if (v < 0)
            continue;
        acc = (acc << 6) | static_cast<uint32_t>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((acc >> bits) & 0xFF);
        }
    }
    return out;
}

void WriteState(const SimCamera& cam)
{
    const TemplateState& t = cam.Tpl;
    if (t.StatePath.empty())
        return;
    const std::string tmp = t.StatePath + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "w");
    if (!f)
        return;
    auto ip = [](const uint8_t* a) { return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." +
                                            std::to_string(a[2]) + "." + std::to_string(a[3]); };
    std::fprintf(f, "id=%s\npwd=%s\nname=%s\nip=%s\nmask=%s\ngw=%s\ndns1=%s\ndns2=%s\n", cam.AdminId.c_str(),
        cam.AdminPwd.c_str(), cam.Name.c_str(), ip(cam.Ip).c_str(), ip(cam.Mask).c_str(), ip(cam.Gateway).c_str(),
        ip(cam.Dns1).c_str(), ip(cam.Dns2).c_str());
    std::fprintf(f, "dhcp=%d\nwebport=%u\nreserved=%d\ndnsspec=%d\n", cam.Dhcp ? 1 : 0, cam.WebPort, cam.Reserved,
        cam.DnsSpec);
    const WlanSettings& w = t.Wlan;
    std::fprintf(f, "essid=%s\nwepkey1=%s\nwepkey2=%s\nwepkey3=%s\nwepkey4=%s\npasskey=%s\n", w.Essid.c_str(),
        w.WepKey[0].c_str(), w.WepKey[1].c_str(), w.WepKey[2].c_str(), w.WepKey[3].c_str(), w.PassKey.c_str());
    std::fprintf(f, "wlan=%u\nchannel=%u\nencmode=%u\nkeylenauth=%u\ndkeyformat=%u\ntxrate=%u\n", w.Enable, w.Channel,
        w.EncMode, w.KeyLenAuth, w.DKeyFormat, w.TxRate);
    // What GetWLan offers, in the form the camera description items take.
    const WlanOffer& o = t.Offer;
    std::string channels;
    for (int n = 1; n <= 32; ++n)
        if (o.Channels & (1u << (n - 1)))
            channels += (channels.empty() ? "" : ":") + std::to_string(n);
    std::fprintf(f, "channels=%s\nwiremodes=0x%02x\nencryptions=0x%02x\nauths=0x%02x\n",
        channels.empty() ? "none" : channels.c_str(), o.WireModes, o.Encryptions, o.Auths);
    std::fprintf(f, "keylens=0x%02x\nkeyformats=0x%02x\ndefkeys=0x%02x\ntxrates=0x%02x\n", o.KeyLens, o.KeyFormats,
        o.DefaultKeys, o.TxRates);
    std::fprintf(f, "resets=%d\nwps_mode=%u\nwps_pin=%s\nwps_secret_ok=%d\nwps_paired=%d\n", t.Resets, t.Wps.Mode,
        t.Wps.Pin.c_str(), t.Wps.SecretOk ? 1 : 0, t.Wps.Paired ? 1 : 0);
    for (const auto& [opcode, seq] : t.Seen)
        std::fprintf(f, "request=%u:%u\n", opcode, seq);
    std::fclose(f);
    std::rename(tmp.c_str(), t.StatePath.c_str());
}

} // namespace orvsim
