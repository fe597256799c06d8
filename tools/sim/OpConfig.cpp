// The configuration operations of a simulated camera: login check,
// capabilities, wireless settings, name and network, administrator, restart.
#include <cstring>

#include "sim/OpCommon.h"
#include "sim/TemplateOps.h"
#include "sim/TemplateState.h"

namespace orvsim {

using namespace tpl;

void HandleVerification(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    std::vector<uint8_t> p(kVerificationPayload, 0);
    PutU32(&p[kPower.Offset], static_cast<uint32_t>(cam.Tpl.Power));
    PutText(p, kFirmware, cam.Tpl.Firmware);
    Answer(req, cam, out, 0, std::move(p));
}

void HandleGetCapabilities(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    std::vector<uint8_t> p(cam.Tpl.Caps.size() * 2, 0);
    for (std::size_t i = 0; i < cam.Tpl.Caps.size(); ++i)
        PutU16(&p[2 * i], cam.Tpl.Caps[i]);
    Answer(req, cam, out, 0, std::move(p));
}

namespace {

void PutWlan(std::vector<uint8_t>& p, const WlanSettings& w)
{
    PutText(p, kEssid, w.Essid);
    for (int k = 0; k < 4; ++k)
        PutText(p, kWepKey[k], w.WepKey[k]);
    PutText(p, kPassKey, w.PassKey);
    p[kWlanEnable.Offset] = w.Enable;
    p[kChannel.Offset] = w.Channel;
    p[kEncMode.Offset] = w.EncMode;
    p[kKeyLenAuth.Offset] = w.KeyLenAuth;
    p[kDKeyFormat.Offset] = w.DKeyFormat;
    p[kTxRateBits.Offset] = w.TxRate;
}

} // namespace

void HandleGetWLan(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    const WlanSettings& w = cam.Tpl.Wlan;
    std::vector<uint8_t> p(kGetWLanPayload, 0);
    PutWlan(p, w);
    const WlanOffer& o = cam.Tpl.Offer;
    PutU32(&p[kChannelRange.Offset], o.Channels);
    p[kWireMode] = o.WireModes;
    p[kEncryption] = o.Encryptions;
    p[kAuthentication] = o.Auths;
    p[kWepKeyLen] = o.KeyLens;
    p[kWepKeyFormat] = o.KeyFormats;
    p[kWepDefaultKey] = o.DefaultKeys;
    p[kTxRate] = o.TxRates;
    Answer(req, cam, out, 0, std::move(p));
}

void HandleSetWLan(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    const std::vector<uint8_t> p = RequestPayload(req, kSetWLanPayload);
    WlanSettings& w = cam.Tpl.Wlan;
    w.Essid = GetText(p, kEssid);
    for (int k = 0; k < 4; ++k)
        w.WepKey[k] = GetText(p, kWepKey[k]);
    w.PassKey = GetText(p, kPassKey);
    w.Enable = p[kWlanEnable.Offset];
    w.Channel = p[kChannel.Offset];
    w.EncMode = p[kEncMode.Offset];
    w.KeyLenAuth = p[kKeyLenAuth.Offset];
    w.DKeyFormat = p[kDKeyFormat.Offset];
    w.TxRate = p[kTxRateBits.Offset];
    Answer(req, cam, out, 0, SettingsReplyPayload(cam));
}

void HandleSetBasic(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    const std::vector<uint8_t> p = RequestPayload(req, kSetBasicPayload);
    cam.Name = GetText(p, kBasicName);
    std::memcpy(cam.Ip, &p[kBasicIp.Offset], 4);
    std::memcpy(cam.Mask, &p[kBasicMask.Offset], 4);
    std::memcpy(cam.Gateway, &p[kBasicGateway.Offset], 4);
    std::memcpy(cam.Dns1, &p[kBasicDns1.Offset], 4);
    std::memcpy(cam.Dns2, &p[kBasicDns2.Offset], 4);
    cam.Dhcp = p[kBasicDhcp.Offset] != 0;
    cam.WebPort = static_cast<uint16_t>(p[kBasicWebport.Offset] | (p[kBasicWebport.Offset + 1] << 8));
    cam.Reserved = static_cast<int32_t>(GetU32(p, kBasicReserved.Offset));
    cam.DnsSpec = static_cast<int32_t>(GetU32(p, kBasicDnsSpec.Offset));
    Answer(req, cam, out, 0, SettingsReplyPayload(cam));
}

void HandleChangeIDPWD(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    const std::vector<uint8_t> p = RequestPayload(req, kEncryptedPassword.Offset + kEncryptedPassword.Size);
    // The ID names the account whose password changes; it must be ours.
    const auto id = p.begin() + static_cast<long>(kEncryptedId.Offset);
    if (std::vector<uint8_t>(id, id + static_cast<long>(kEncryptedId.Size)) !=
        ScrambledText(cam.AdminId, kEncryptedId.Size)) {
        Answer(req, cam, out, 3, {});
        return;
    }
    const auto pwd = p.begin() + static_cast<long>(kEncryptedPassword.Offset);
    cam.Tpl.ScrambledPwd.assign(pwd, pwd + static_cast<long>(kEncryptedPassword.Size));
    cam.AdminPwd = "(changed)";
    Answer(req, cam, out, 0, SettingsReplyPayload(cam));
}

void HandleReset(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!Begin(req, cam, out))
        return;
    ++cam.Tpl.Resets;
    Answer(req, cam, out, 0, SettingsReplyPayload(cam));
}

} // namespace orvsim
