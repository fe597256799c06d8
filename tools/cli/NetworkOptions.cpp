#include "NetworkOptions.h"

#include <cstdlib>

#include "CliText.h"
#include "pages/NetworkChecks.h"
#include "platform/core/WideText.h"

using namespace orv;

namespace orvcli {

namespace {

// The address options in the page's checking order, with their messages.
struct AddressOption {
    const char* Name;
    int32_t Message;
};
constexpr AddressOption kAddressOptions[] = {
    {"--ip", kMsgBadAddress},
    {"--mask", kMsgBadMask},
    {"--gw", kMsgBadGateway},
    {"--dns1", kMsgBadPrimaryDns},
    {"--dns2", kMsgBadSecondaryDns},
};

bool Refuse(NetworkRefusal& why, int32_t message, const std::string& option, const std::string& value)
{
    why.message = message;
    why.text = option + " " + Printable(value) + ": " + SkinMessage(message);
    return false;
}

bool Usage(NetworkRefusal& why, const std::string& text)
{
    why.message = 0;
    why.text = text;
    return false;
}

bool HasAddressOption(const CameraArgs& a)
{
    for (const AddressOption& o : kAddressOptions)
        if (a.Values.count(o.Name))
            return true;
    return false;
}

} // namespace

bool PrecheckNetworkOptions(const CameraArgs& args, NetworkRefusal& why)
{
    const bool dhcp = args.Has("--dhcp");
    const bool fixed = args.Values.count("--ip") != 0;
    if (dhcp && HasAddressOption(args))
        return Usage(why, "--dhcp does not go with --ip, --mask, --gw, --dns1 or --dns2");
    if (!fixed && HasAddressOption(args))
        return Usage(why, "--mask, --gw, --dns1 and --dns2 go with --ip");
    if (!dhcp && !fixed && args.Value("--name").empty() && args.Value("--web-port").empty())
        return Usage(why, "give --dhcp, or --ip with --mask and --gw");
    if (const std::string webPort = args.Value("--web-port"); !webPort.empty()) {
        // `end` points into the text, so the text must outlive it.
        char* end = nullptr;
        const long port = std::strtol(webPort.c_str(), &end, 10);
        if (*end != '\0' || port < 1 || port > 65535)
            return Usage(why, "--web-port wants a port number from 1 to 65535");
    }
    std::u16string given[5];
    for (int i = 0; i < 5; ++i) {
        const AddressOption& o = kAddressOptions[i];
        if (!args.Values.count(o.Name))
            continue;
        given[i] = U16(args.Value(o.Name));
        const bool strict = i < 2;
        if (!ValidateIPv4(given[i], strict) || (i == 1 && !IsValidMask(given[i])))
            return Refuse(why, o.Message, o.Name, args.Value(o.Name));
    }
    if (args.Values.count("--mask") && !given[2].empty() && !IsGatewayInSubnet(given[0], given[1], given[2]))
        return Refuse(why, kMsgBadGateway, "--gw", args.Value("--gw"));
    return true;
}

bool ChooseNetwork(const CameraArgs& args, WizardSettings& s, NetworkRefusal& why)
{
    if (args.Has("--dhcp")) {
        ApplyNetworkEntries(true, {}, s);
        // As the network summary page sends a DHCP choice.
        for (wchar* f : {s.CameraIP, s.SubnetMask, s.Gateway, s.PrimaryDNS, s.SecondaryDNS})
            WCopy(f, 64, u"Auto");
    } else if (args.Values.count("--ip")) {
        auto typed = [&](const char* option, const wchar* current) {
            return args.Values.count(option) ? U16(args.Value(option)) : std::u16string(current);
        };
        const NetworkEntries entries{typed("--ip", s.CameraIP), typed("--mask", s.SubnetMask),
            typed("--gw", s.Gateway), typed("--dns1", s.PrimaryDNS), typed("--dns2", s.SecondaryDNS)};
        const int32_t refused = ApplyNetworkEntries(false, entries, s);
        if (refused != 0) {
            const AddressOption& o = kAddressOptions[refused - kMsgBadAddress];
            const std::u16string* fields[] = {&entries.address, &entries.mask, &entries.gateway, &entries.primaryDns,
                &entries.secondaryDns};
            const std::string value = Utf8(*fields[refused - kMsgBadAddress]);
            return Refuse(why, refused, args.Values.count(o.Name) ? o.Name : std::string("the camera's current ") +
                (o.Name + 2), value);
        }
    }
    if (!args.Value("--name").empty())
        WCopy(s.CameraName, U16(args.Value("--name")));
    if (!args.Value("--web-port").empty())
        s.WebPort = std::atoi(args.Value("--web-port").c_str());
    return true;
}

} // namespace orvcli
