#include "ProvisionCamera.h"

#include <cstring>
#include <mutex>

#include "CameraArgs.h"
#include "engine/WizardSettings.h"
#include "pages/NetworkChecks.h"
#include "pages/WirelessChecks.h"
#include "pages/WirelessLogic.h"
#include "template/CameraSession.h"

namespace orvcli {

namespace {

using orv::WizardSettings;
using orv::wchar;

std::u16string_view View(const wchar* text, std::size_t cap = 64)
{
    return {text, orv::WLen(text, cap)};
}

// The network page's choice for the row, on top of the camera's current
// values. 0, or the check message of the first refused address.
int32_t PlanNetwork(const PlanRow& row, WizardSettings& s)
{
    if (row.Name)
        orv::WCopy(s.CameraName, *row.Name);
    if (row.WebPort)
        s.WebPort = *row.WebPort;
    if (row.Dhcp == 1)
        return orv::ApplyNetworkEntries(true, {}, s);
    if (!row.FixedAddress())
        return 0;
    const orv::NetworkEntries typed{row.Ip.value_or(std::u16string(View(s.CameraIP))),
        row.Mask.value_or(std::u16string(View(s.SubnetMask))), row.Gateway.value_or(std::u16string(View(s.Gateway))),
        row.Dns1.value_or(std::u16string(View(s.PrimaryDNS))), row.Dns2.value_or(std::u16string(View(s.SecondaryDNS)))};
    return orv::ApplyNetworkEntries(false, typed, s);
}

// The newer wireless page's choice for the row, on top of what the camera
// read back: Wi-Fi on, the planned security, name, channel and key, offered
// and checked as that page offers and checks them. "" or why not.
std::string PlanWireless(const PlanRow& row, WizardSettings& s)
{
    if (!orv::HasCapability(s, orv::kCapWireless) || s.WlanEnabled != 1)
        return "the camera has no wireless settings";
    orv::WCopy(s.WirelessEnableText, u"1");
    const bool adhoc = s.WirelessMode != 0;
    switch (row.Security) {
    case PlanSecurity::None: s.AuthType = 0, s.EncryptionType = 0; break;
    case PlanSecurity::Wep:
        if (s.AuthType < 0 || s.AuthType > 2)
            s.AuthType = 0;
        s.EncryptionType = 1;
        break;
    case PlanSecurity::Wpa: s.AuthType = 3, s.EncryptionType = 2; break;
    case PlanSecurity::Wpa2: s.AuthType = 4, s.EncryptionType = 3; break;
    case PlanSecurity::Keep: break;
    }
    if (s.DefaultKeyIndex < 0 || s.DefaultKeyIndex > 3)
        s.DefaultKeyIndex = 0;
    if (row.Security != PlanSecurity::Keep &&
        (orv::IndexOfData(orv::FillAuthList(adhoc, s.AuthenticationText), s.AuthType) < 0 ||
            orv::IndexOfData(orv::FillEncList(s.AuthType, s.EncryptionText), s.EncryptionType) < 0))
        return "security " + SecurityName(row.Security) + ": not offered by the camera";
    if (row.Channel) {
        if (orv::IndexOfData(orv::FillChannelList(s.ChannelRange), *row.Channel) < 0)
            return "channel " + std::to_string(*row.Channel) + ": not offered by the camera";
        s.Channel = *row.Channel;
    }
    // A row that keeps the key hands the page the camera's own key again.
    std::u16string key;
    if (row.Key)
        key = *row.Key;
    else if (s.EncryptionType == 1)
        key = View(orv::WepSlot(s, s.DefaultKeyIndex));
    else if (s.EncryptionType >= 2)
        key = View(s.PassKey, std::size(s.PassKey));
    orv::WirelessNewEntries typed{row.Essid.value_or(std::u16string(View(s.ESSID))), s.Channel, key};
    const orv::PageCheck check = orv::ApplyWirelessNewNext(typed, s);
    return check.proceed ? "" : WirelessCheckText(check.message);
}

void AddIf(std::vector<std::string>& out, bool changed, const char* column)
{
    if (changed)
        out.emplace_back(column);
}

std::vector<std::string> NetworkChanges(const WizardSettings& a, const WizardSettings& b)
{
    std::vector<std::string> out;
    AddIf(out, View(a.CameraName) != View(b.CameraName), "name");
    AddIf(out, a.DhcpEnabled != b.DhcpEnabled, "dhcp");
    AddIf(out, View(a.CameraIP) != View(b.CameraIP), "ip");
    AddIf(out, View(a.SubnetMask) != View(b.SubnetMask), "mask");
    AddIf(out, View(a.Gateway) != View(b.Gateway), "gateway");
    AddIf(out, View(a.PrimaryDNS) != View(b.PrimaryDNS), "dns1");
    AddIf(out, View(a.SecondaryDNS) != View(b.SecondaryDNS), "dns2");
    AddIf(out, a.WebPort != b.WebPort, "web_port");
    return out;
}

std::vector<std::string> WirelessChanges(const WizardSettings& a, const WizardSettings& b)
{
    std::vector<std::string> out;
    AddIf(out, orv::WlanOnNewer(a.WirelessEnableText) != orv::WlanOnNewer(b.WirelessEnableText), "wifi");
    AddIf(out, View(a.ESSID) != View(b.ESSID), "essid");
    AddIf(out, a.AuthType != b.AuthType || a.EncryptionType != b.EncryptionType, "security");
    bool key = View(a.PassKey, std::size(a.PassKey)) != View(b.PassKey, std::size(b.PassKey)) ||
               a.KeyLength != b.KeyLength || a.KeyFormat != b.KeyFormat;
    const wchar* const keysA[] = {a.WEPKey1, a.WEPKey2, a.WEPKey3, a.WEPKey4};
    const wchar* const keysB[] = {b.WEPKey1, b.WEPKey2, b.WEPKey3, b.WEPKey4};
    for (int k = 0; k < 4; ++k)
        key = key || View(keysA[k]) != View(keysB[k]);
    AddIf(out, key, "key");
    AddIf(out, a.Channel != b.Channel, "channel");
    return out;
}

CameraOutcome Failed(std::string message)
{
    CameraOutcome o;
    o.Message = std::move(message);
    return o;
}

} // namespace

std::unique_ptr<orv::CCamEngine> MakeCameraEngine(const orv::CCamEngine& search, int index,
    const ProvisionSetup& setup)
{
    auto engine = std::make_unique<orv::CCamEngine>();
    {
        std::lock_guard lock(search.m_csDone);
        engine->m_Found.push_back(search.m_Found.at(static_cast<std::size_t>(index)));
    }
    std::memcpy(engine->m_AddrText, search.m_AddrText, sizeof engine->m_AddrText);
    std::memcpy(engine->m_AddrAdapter, search.m_AddrAdapter, sizeof engine->m_AddrAdapter);
    engine->m_nAddrCount = search.m_nAddrCount;
    std::memcpy(engine->m_szRequestHost, search.m_szRequestHost, sizeof engine->m_szRequestHost);
    engine->m_nRequestPort = search.m_nRequestPort;
    engine->m_nSeq = search.m_nSeq.load();
    engine->m_wProtoVersion = search.m_wProtoVersion;
    engine->m_nReplyWaitSeconds = setup.ReplyWaitSeconds;
    return engine;
}

CameraOutcome ProvisionCamera(const orv::CCamEngine& search, int index, const PlanRow& row,
    const ProvisionSetup& setup)
{
    const std::unique_ptr<orv::CCamEngine> engine = MakeCameraEngine(search, index, setup);
    WizardSettings s;
    orv::CameraSession session(*engine, s, setup.TemplateDir);
    if (setup.Sleep)
        session.m_Sleep = setup.Sleep;
    session.PrepareSelected(0);

    // Everything the row asks of the network page is checked before the
    // camera is asked anything.
    WizardSettings planned = s;
    if (const int32_t msg = PlanNetwork(row, planned))
        return Failed(NetworkCheckText(msg));
    if (setup.DryRun) {
        CameraOutcome o{true, NetworkChanges(s, planned), ""};
        AddIf(o.Changed, row.NewPassword.has_value(), "password");
        AddIf(o.Changed, row.Essid.has_value(), "essid");
        AddIf(o.Changed, row.Security != PlanSecurity::Keep, "security");
        AddIf(o.Changed, row.Key.has_value(), "key");
        AddIf(o.Changed, row.Channel.has_value(), "channel");
        return o;
    }

    const std::u16string user = row.User.value_or(setup.User), password = row.Password.value_or(setup.Password);
    int r = session.CheckLogin(user.c_str(), password.c_str());
    if (r != -1)
        return Failed(DescribeOutcome(r, session.m_nMsgCode).Message);

    const WizardSettings before = s;
    PlanNetwork(row, s);
    const bool wireless = row.ChangesWireless();
    if (wireless) {
        if (std::string why = PlanWireless(row, s); !why.empty())
            return Failed(why);
    }
    CameraOutcome o{true, NetworkChanges(before, s), ""};
    for (std::string& c : WirelessChanges(before, s))
        o.Changed.push_back(std::move(c));
    if (row.NewPassword) {
        s.ChangePwd = 1;
        orv::WCopy(s.NewPwd, *row.NewPassword);
        orv::WCopy(s.ConfirmPwd, *row.NewPassword);
        o.Changed.emplace_back("password");
    }
    if (o.Changed.empty())
        return o; // the camera already holds the plan: nothing is sent
    r = session.ApplySettings(wireless);
    if (r == -1)
        return o;
    std::string why = DescribeOutcome(r, session.m_nMsgCode).Message;
    // Once the password step went through, the sequence signs in with the
    // new one: a second run with the old password would be refused.
    if (row.NewPassword && password != *row.NewPassword && View(s.AdminPwd) == *row.NewPassword)
        why += "; the new password is already set";
    return Failed(why);
}

} // namespace orvcli
