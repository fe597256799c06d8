// What each camera command does once the camera is selected: the ID and
// password page's login check first, then the page sequence it stands for.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include <unistd.h>

#include "CameraArgs.h"
#include "NetworkOptions.h"
#include "engine/CamEngine.h"
#include "template/CameraSession.h"

using namespace orv;
using namespace orvcli;

namespace {

std::string Text(const wchar* w)
{
    return Utf8(w);
}

template <std::size_t N>
void Put(wchar (&dst)[N], const std::string& utf8)
{
    WCopy(dst, U16(utf8));
}

// The choices a read-back capability text offers, read as the wireless pages
// read it: character width-1-k is "1" when choice first+k is offered.
std::vector<long long> Offered(const wchar* text, std::size_t width, long long first)
{
    std::vector<long long> out;
    const std::size_t len = WLen(text, 64);
    for (std::size_t k = 0; k < width; ++k) {
        if (width - 1 - k < len && text[width - 1 - k] == u'1')
            out.push_back(first + static_cast<long long>(k));
    }
    return out;
}

void AddWireless(Report& r, const WizardSettings& s)
{
    r.Add("wirelessEnable", Text(s.WirelessEnableText));
    r.Add("essid", Text(s.ESSID));
    r.AddNumber("channel", s.Channel);
    r.Add("channelRange", Text(s.ChannelRange));
    r.AddList("channels", Offered(s.ChannelRange, 32, 1));
    r.AddList("wirelessModes", Offered(s.WireModeText, 8, 0));
    r.AddList("encryptionTypes", Offered(s.EncryptionText, 8, 0));
    r.AddList("authTypes", Offered(s.AuthenticationText, 8, 0));
    r.AddList("keyLengths", Offered(s.WEPKeyLenText, 8, 0));
    r.AddList("keyFormats", Offered(s.WEPKeyFormatText, 8, 0));
    r.AddList("defaultKeys", Offered(s.WEPdefaultKeyText, 8, 0));
    r.AddNumber("wirelessMode", s.WirelessMode);
    r.AddNumber("authType", s.AuthType);
    r.AddNumber("encryptionType", s.EncryptionType);
    r.AddNumber("defaultKeyIndex", s.DefaultKeyIndex);
}

std::string MakePin()
{
    uint32_t a = static_cast<uint32_t>(std::time(nullptr)) % 10000000u;
    uint32_t sum = 0, v = a;
    for (int i = 0; i < 7; ++i, v /= 10)
        sum += (i % 2 == 0 ? 3 : 1) * (v % 10);
    char pin[16];
    std::snprintf(pin, sizeof pin, "%08u", a * 10 + (10 - sum % 10) % 10);
    return pin;
}

bool ChooseWireless(const CameraArgs& a, WizardSettings& s)
{
    if (a.Has("--disable"))
        WCopy(s.WirelessEnableText, u"0");
    else
        WCopy(s.WirelessEnableText, u"1");
    if (!a.Value("--essid").empty())
        Put(s.ESSID, a.Value("--essid"));
    if (!a.Value("--channel").empty())
        s.Channel = std::atoi(a.Value("--channel").c_str());
    const std::string mode = a.Value("--mode");
    if (!mode.empty())
        s.WirelessMode = mode == "adhoc" ? 1 : 0;
    const std::string sec = a.Value("--security");
    const std::string key = a.Value("--key");
    if (sec == "none") {
        s.AuthType = 0, s.EncryptionType = 0;
    } else if (sec == "wep") {
        const int index = std::atoi(a.Value("--wep-index", "1").c_str());
        if (index < 1 || index > 4 || key.empty()) {
            std::fputs("orvanta-cli set-wlan: WEP wants --key and --wep-index 1-4\n", stderr);
            return false;
        }
        s.AuthType = 0, s.EncryptionType = 1, s.DefaultKeyIndex = index - 1;
        s.KeyFormat = key.size() == 10 || key.size() == 26 ? 1 : 0;
        s.KeyLength = key.size() >= 13 ? 1 : 0;
        wchar(*keys[4])[64] = {&s.WEPKey1, &s.WEPKey2, &s.WEPKey3, &s.WEPKey4};
        Put(*keys[index - 1], key);
    } else if (sec == "wpa" || sec == "wpa2") {
        if (key.size() < 8 || key.size() > 63) {
            std::fputs("orvanta-cli set-wlan: a WPA pass phrase has 8 to 63 characters\n", stderr);
            return false;
        }
        s.AuthType = sec == "wpa" ? 3 : 4, s.EncryptionType = sec == "wpa" ? 2 : 3;
        Put(s.PassKey, key);
    } else if (!sec.empty()) {
        std::fprintf(stderr, "orvanta-cli set-wlan: unknown security '%s'\n", sec.c_str());
        return false;
    }
    return true;
}

} // namespace

int RunCameraWork(const CameraArgs& args, CCamEngine& engine, WizardSettings& settings, CameraSession& session)
{
    (void)engine;
    Report report(args.Json);
    const std::u16string id = U16(args.User), pwd = U16(args.Password);
    const std::string& cmd = args.Command;

    if (cmd == "change-password") {
        if (args.Value("--new-password").empty() || args.Value("--new-password") == args.Password) {
            std::fputs("orvanta-cli change-password: --new-password must differ from the current one\n", stderr);
            return kExitUsage;
        }
        settings.ChangePwd = 1;
        Put(settings.NewPwd, args.Value("--new-password"));
        Put(settings.ConfirmPwd, args.Value("--new-password"));
    }
    if (cmd == "set-network") {
        // The camera's current values fill what the options leave out; a
        // refusal ends the command before the login is sent.
        WizardSettings probe = settings;
        NetworkRefusal why;
        if (!ChooseNetwork(args, probe, why)) {
            std::fprintf(stderr, "orvanta-cli set-network: %s\n", why.text.c_str());
            return kExitUsage;
        }
    }
    int r = session.CheckLogin(id.c_str(), pwd.c_str());
    if (r != -1)
        return report.Finish(r, session.m_nMsgCode);

    if (cmd == "verify") {
        report.Add("login", "accepted");
    } else if (cmd == "caps") {
        std::vector<long long> caps;
        for (int32_t c : settings.Capabilities)
            if (c != 0)
                caps.push_back(c);
        report.AddList("capabilities", caps);
    } else if (cmd == "wlan") {
        if (!settings.WlanEnabled)
            report.Add("wireless", "none");
        else
            AddWireless(report, settings);
    } else if (cmd == "set-network" || cmd == "change-password") {
        NetworkRefusal why;
        if (cmd == "set-network" && !ChooseNetwork(args, settings, why)) {
            std::fprintf(stderr, "orvanta-cli set-network: %s\n", why.text.c_str());
            return kExitUsage;
        }
        r = session.ApplySettings(false);
    } else if (cmd == "set-wlan") {
        if (!ChooseWireless(args, settings))
            return kExitUsage;
        r = session.ApplySettings(true);
    } else if (cmd == "reset") {
        r = session.StepReset();
    } else if (cmd == "wps") {
        // --pbc or --pin, checked before the search.
        settings.WpsMode = args.Has("--pbc") ? 1 : 2;
        const std::string pin = args.Value("--pin").empty() ? MakePin() : args.Value("--pin");
        if (settings.WpsMode == 2)
            report.Add("pin", pin);
        // The key agreement prints trace lines on the standard output; keep
        // them out of the command's own (JSON) output.
        std::fflush(stdout);
        const int saved = dup(1);
        dup2(2, 1);
        r = session.RunWpsPairing(id.c_str(), pwd.c_str(), pin.c_str());
        if (r == -1)
            session.ReadBackWireless(id.c_str(), pwd.c_str());
        std::fflush(stdout);
        dup2(saved, 1);
        close(saved);
        if (r == -1) {
            AddWireless(report, settings);
        } else if (r == 30 && session.m_nMsgCode == 0) {
            r = 8; // the pairing window passed or the camera gave up
        }
    } else {
        std::fprintf(stderr, "orvanta-cli: unknown camera command '%s'\n", cmd.c_str());
        return kExitUsage;
    }
    return report.Finish(r, session.m_nMsgCode);
}
