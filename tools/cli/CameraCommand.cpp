// orvanta-cli camera commands: each finds the camera by a search, then runs
// the same conversation the wizard's pages run (see CameraSession).
#include <arpa/inet.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <cctype>
#include <thread>

#include "CameraArgs.h"
#include "CameraSearch.h"
#include "CliOptions.h"
#include "CliText.h"
#include "NetworkOptions.h"
#include "SearchScope.h"
#include "Commands.h"
#include "engine/CamEngine.h"
#include "engine/WSClient.h"
#include "template/CameraSession.h"

using namespace orv;
using namespace orvcli;

namespace {

// Only the hexadecimal digits of a MAC text, lower case.
std::string MacKey(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Discovery towards one address instead of every adapter (tests on loopback).
void DiscoverAt(CCamEngine& engine, const std::string& hostPort)
{
    const std::size_t colon = hostPort.rfind(':');
    const std::string host = hostPort.substr(0, colon);
    const int port = colon == std::string::npos ? kCameraPort : std::atoi(hostPort.c_str() + colon + 1);
    std::snprintf(engine.m_szRequestHost, sizeof engine.m_szRequestHost, "%s", host.c_str());
    engine.m_nRequestPort = static_cast<uint16_t>(port);
    CUT_WSClient client;
    if (client.OpenDatagram(host.c_str(), port, nullptr) != 0)
        return;
    ++engine.m_nSeq;
    uint8_t req[22] = {0xFD, 0xFD, static_cast<uint8_t>(engine.m_nSeq), static_cast<uint8_t>(engine.m_nSeq >> 8),
        0xA1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    int len = sizeof req;
    client.SendDatagram(req, len);
    for (;;) {
        CamRecord rec{};
        len = static_cast<int>(kDiscoveryReplySize);
        if (client.ReceiveDatagram(&rec, len, 1) != 0)
            break;
        if (len < static_cast<int>(kDiscoveryReplySize) || rec.Magic[0] != 0xEE || rec.Magic[1] != 0xFE ||
            std::memcmp(rec.Seq, req + 2, 2) != 0 || rec.Opcode[0] != 0xA1 || rec.Status[0] || rec.Status[1])
            continue;
        const int32_t none = -1;
        std::memcpy(rec.AddrIndex, &none, 4);
        std::lock_guard<std::mutex> lock(engine.m_csDone);
        engine.m_Found.push_back(rec);
    }
}

std::string Text(const wchar* w)
{
    return Utf8(w);
}

void AddNetwork(Report& r, const WizardSettings& s)
{
    r.Add("name", Text(s.CameraName));
    r.Add("model", Text(s.Model));
    r.Add("mac", Text(s.MacText));
    r.AddNumber("dhcp", s.DhcpEnabled);
    r.Add("ip", Text(s.CameraIP));
    r.Add("mask", Text(s.SubnetMask));
    r.Add("gateway", Text(s.Gateway));
    r.Add("dns1", Text(s.PrimaryDNS));
    r.Add("dns2", Text(s.SecondaryDNS));
    r.AddNumber("webPort", s.WebPort);
    r.AddNumber("wifi", s.WlanEnabled);
}

int Details(CCamEngine& engine, WizardSettings& settings, CameraSession& session, const CameraArgs& args)
{
    std::printf(args.Json ? "[" : "");
    for (int32_t i = 0; i < engine.CountRecords(); ++i) {
        session.PrepareSelected(i);
        Report r(args.Json);
        AddNetwork(r, settings);
        if (args.Json && i)
            std::printf(",");
        if (!args.Json && i)
            std::printf("\n");
        r.Finish(-1, 0);
    }
    std::printf(args.Json ? "]\n" : "%d camera%s found\n", engine.CountRecords(), engine.CountRecords() == 1 ? "" : "s");
    return kExitOk;
}

} // namespace

namespace orvcli {

void FindCameras(CCamEngine& engine, const CameraArgs& args)
{
    if (!args.To.empty()) {
        DiscoverAt(engine, args.To);
        return;
    }
    std::string why;
    if (!args.Interface.empty() && !RestrictSearchTo(engine, args.Interface, why)) {
        // The adapter went away since the command line was read.
        std::fprintf(stderr, "orvanta-cli %s: %s\n", args.Command.c_str(), why.c_str());
        return;
    }
    engine.StartSearch();
    while (!engine.IsSearchDone())
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    engine.WaitForSearch();
}

int FindIndex(CCamEngine& engine, const std::string& mac)
{
    for (int32_t i = 0; i < engine.CountRecords(); ++i) {
        engine.SelectRecord(i);
        if (MacKey(Utf8(engine.GetSelMacText())) == MacKey(mac))
            return i;
    }
    return -1;
}

} // namespace orvcli

int RunCameraWork(const CameraArgs& args, CCamEngine& engine, WizardSettings& settings, CameraSession& session);

int RunCameraCommand(int argc, char** argv)
{
    CameraArgs args;
    for (int i = 1; i < argc; ++i) {
        if (IsHelp(argv[i])) {
            PrintCameraUsage(argv[0], stdout);
            return kExitOk;
        }
    }
    if (!ParseCameraArgs(argc, argv, args))
        return kExitUsage;
    if (args.Command != "details" && args.Mac.empty()) {
        std::fprintf(stderr, "orvanta-cli %s: --mac is required (see orvanta-cli %s --help)\n", args.Command.c_str(),
            args.Command.c_str());
        return kExitUsage;
    }
    if (args.Command == "wps" && args.Has("--pbc") == args.Has("--pin")) {
        std::fputs("orvanta-cli wps: give --pbc or --pin [PIN]\n", stderr);
        return kExitUsage;
    }
    if (args.Command == "change-password" && args.Value("--new-password").empty()) {
        std::fputs("orvanta-cli change-password: --new-password is required\n", stderr);
        return kExitUsage;
    }
    if (args.Command == "set-network") {
        NetworkRefusal why;
        if (!PrecheckNetworkOptions(args, why)) {
            std::fprintf(stderr, "orvanta-cli set-network: %s\n", why.text.c_str());
            return kExitUsage;
        }
    }
    // Every text is checked before the search, so a refused one leaves the
    // camera untouched.
    if (!CheckCameraTexts(args))
        return kExitUsage;
    CCamEngine engine;
    engine.m_nReplyWaitSeconds = args.WaitSeconds;
    WizardSettings settings;
    CameraSession session(engine, settings, args.TemplateDir.empty() ? TemplateFolder() : args.TemplateDir);
    FindCameras(engine, args);
    if (args.Command == "details")
        return Details(engine, settings, session, args);
    const int index = FindIndex(engine, args.Mac);
    if (index < 0) {
        std::fprintf(stderr, "orvanta-cli %s: no camera with MAC %s answered the search\n", args.Command.c_str(),
            Printable(args.Mac).c_str());
        return kExitNotFound;
    }
    session.PrepareSelected(index);
    return RunCameraWork(args, engine, settings, session);
}

bool IsCameraCommand(const char* name)
{
    for (const char* c : {"details", "verify", "caps", "wlan", "set-network", "set-wlan", "change-password", "reset", "wps"})
        if (!std::strcmp(name, c))
            return true;
    return false;
}
