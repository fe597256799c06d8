#include "CliOptions.h"

namespace orvcli {

namespace {

using K = OptionKind;

// Options every camera command shares.
std::vector<OptionHelp> CameraOptions(std::vector<OptionHelp> own)
{
    std::vector<OptionHelp> all = {
        {"--mac", K::Value, "MAC", "the camera, by the MAC address the search lists (any separators)"},
        {"--user", K::Value, "ID", "administrator ID (default: ORVANTA_USER, else admin)"},
        {"--password", K::Value, "PWD", "administrator password (default: ORVANTA_PASSWORD)"},
    };
    all.insert(all.end(), own.begin(), own.end());
    const std::vector<OptionHelp> common = {
        {"--interface", K::Value, "NAME", "search from this network adapter only (e.g. eth0)"},
        {"--templates", K::Value, "DIR", "template folder (default: tOrvanta in the program's data folder)"},
        {"--reply-wait", K::Value, "SECONDS", "how long each try waits for the camera's reply (default 10)"},
        {"--json", K::Flag, nullptr, "machine-readable output"},
        {"--to", K::Value, "HOST[:PORT]", "ask this one address instead of searching every adapter (testing)"},
    };
    all.insert(all.end(), common.begin(), common.end());
    return all;
}

std::vector<CommandHelp> MakeCommands()
{
    return {
        {"search", "[--json | --csv] [--details] [--interface NAME]",
            "Lists the cameras on every network this computer is attached to.",
            {
                {"--json", K::Flag, nullptr, "one JSON array of cameras"},
                {"--csv", K::Flag, nullptr, "a header line and one CSV row per camera (RFC 4180 quoting)"},
                {"--details", K::Flag, nullptr, "also each camera's name, network settings and Wi-Fi (as 'details')"},
                {"--interface", K::Value, "NAME", "search from this network adapter only (e.g. eth0)"},
                {"--templates", K::Value, "DIR", "template folder, for --details"},
            }},
        {"doctor", "[--json]",
            "Checks what on this computer can stop cameras from being found.\n"
            "It reads the adapters, reverse-path filtering (rp_filter) and signs of a host firewall, and\n"
            "gives the fix for each problem. Exit 0 when nothing is wrong, 1 when it warns.",
            {
                {"--json", K::Flag, nullptr, "machine-readable output"},
            }},
        {"details", "[--interface NAME] [--templates DIR] [--json]",
            "Every camera's settings, read from its search reply.",
            {
                {"--interface", K::Value, "NAME", "search from this network adapter only (e.g. eth0)"},
                {"--templates", K::Value, "DIR", "template folder (default: tOrvanta in the program's data folder)"},
                {"--json", K::Flag, nullptr, "machine-readable output"},
                {"--to", K::Value, "HOST[:PORT]", "ask this one address instead of searching every adapter (testing)"},
            }},
        {"verify", "--mac MAC [options]", "Checks the administrator ID and password.", CameraOptions({})},
        {"caps", "--mac MAC [options]", "Lists the camera's capability codes.", CameraOptions({})},
        {"wlan", "--mac MAC [options]", "Shows the camera's wireless settings and what it offers.",
            CameraOptions({})},
        {"set-network", "--mac MAC (--dhcp | --ip A --mask M [--gw G] [--dns1 D] [--dns2 D]) [--name N] [--web-port P]",
            "Sets the camera's network.\n"
            "Addresses are checked as the wizard's network page checks them, before anything is sent.",
            CameraOptions({
                {"--dhcp", K::Flag, nullptr, "the camera takes its address by DHCP"},
                {"--ip", K::Value, "A", "fixed address"},
                {"--mask", K::Value, "M", "subnet mask (default: the camera's current one)"},
                {"--gw", K::Value, "G", "gateway, inside the subnet, or empty (default: the camera's current one)"},
                {"--dns1", K::Value, "D", "preferred DNS server (default: the camera's current one)"},
                {"--dns2", K::Value, "D", "alternate DNS server (default: the camera's current one)"},
                {"--name", K::Value, "N", "new camera name"},
                {"--web-port", K::Value, "P", "new web port"},
            })},
        {"set-wlan", "--mac MAC [--enable | --disable] [--essid S] [--channel N] [--mode infra|adhoc] "
                     "[--security none|wep|wpa|wpa2] [--key K] [--wep-index 1-4]",
            "Sets the camera's wireless network.",
            CameraOptions({
                {"--enable", K::Flag, nullptr, "wireless on (the default)"},
                {"--disable", K::Flag, nullptr, "wireless off"},
                {"--essid", K::Value, "S", "network name"},
                {"--channel", K::Value, "N", "channel"},
                {"--mode", K::Value, "infra|adhoc", "infrastructure or ad-hoc"},
                {"--security", K::Value, "none|wep|wpa|wpa2", "security"},
                {"--key", K::Value, "K", "WEP key or WPA pass phrase (8 to 63 characters)"},
                {"--wep-index", K::Value, "1-4", "which WEP key the camera uses (default 1)"},
            })},
        {"change-password", "--mac MAC --new-password P", "Sets a new administrator password.",
            CameraOptions({
                {"--new-password", K::Value, "P", "the new password"},
            })},
        {"reset", "--mac MAC [options]", "Restarts the camera.", CameraOptions({})},
        {"wps", "--mac MAC (--pbc | --pin [PIN])", "Pairs the camera with an access point by WPS.",
            CameraOptions({
                {"--pbc", K::Flag, nullptr, "push-button mode"},
                {"--pin", K::OptionalValue, "[PIN]", "PIN mode; without a PIN one is made and printed"},
            })},
        {"provision", "PLAN.csv [--jobs N] [--dry-run] [--json | --csv] [options]",
            "Sets up every camera of a plan: one search, then each camera as the wizard would.\n"
            "PLAN.csv: a header line, then one row per camera; columns in any order, only mac required:\n"
            "  mac, user, password, name, dhcp, ip, mask, gateway, dns1, dns2, web_port, new_password,\n"
            "  essid, security (none|wep|wpa|wpa2), key, channel\n"
            "  An empty cell keeps the camera's value; an address implies dhcp 0; any wireless column turns\n"
            "  Wi-Fi on. user/password default to --user/--password or ORVANTA_USER/ORVANTA_PASSWORD.\n"
            "Output: one result per row in plan order; progress on stderr.",
            {
                {"--jobs", K::Value, "N", "cameras set up at the same time (default 8)"},
                {"--dry-run", K::Flag, nullptr, "check the plan against the search; send nothing else"},
                {"--json", K::Flag, nullptr, "one JSON array of results"},
                {"--csv", K::Flag, nullptr, "a header line and one CSV row per result"},
                {"--user", K::Value, "ID", "administrator ID for rows without one (default: ORVANTA_USER, else admin)"},
                {"--password", K::Value, "PWD", "password for rows without one (default: ORVANTA_PASSWORD)"},
                {"--interface", K::Value, "NAME", "search from this network adapter only (e.g. eth0)"},
                {"--templates", K::Value, "DIR", "template folder (default: tOrvanta in the program's data folder)"},
                {"--reply-wait", K::Value, "SECONDS", "how long each try waits for a camera's reply (default 10)"},
                {"--to", K::Value, "HOST[:PORT]", "ask this one address instead of searching every adapter (testing)"},
            }},
        {"template", "parse|encode|decode FILE ... [--json]",
            "Runs the template parser, encoder or decoder on a file (see --help of each form).",
            {
                {"--json", K::Flag, nullptr, "machine-readable output"},
            }},
    };
}

} // namespace

const std::vector<CommandHelp>& AllCommands()
{
    static const std::vector<CommandHelp> commands = MakeCommands();
    return commands;
}

const CommandHelp* FindCommandHelp(std::string_view name)
{
    for (const CommandHelp& c : AllCommands())
        if (name == c.Name)
            return &c;
    return nullptr;
}

OptionKind KindOf(const CommandHelp& command, std::string_view option)
{
    for (const OptionHelp& o : command.Options)
        if (option == o.Name)
            return o.Kind;
    return OptionKind::Unknown;
}

void PrintCommandHelp(const CommandHelp& command, std::FILE* out)
{
    std::fprintf(out, "usage: orvanta-cli %s %s\n%s\n", command.Name, command.Synopsis, command.Purpose);
    if (command.Options.empty())
        return;
    std::fputs("options:\n", out);
    for (const OptionHelp& o : command.Options) {
        const std::string head = std::string(o.Name) + (o.Value ? std::string(" ") + o.Value : "");
        std::fprintf(out, "  %-24s %s\n", head.c_str(), o.Help);
    }
}

std::string TemplateDirOption(const std::string& value)
{
    if (value.empty())
        return "./";
    return value.back() == '/' ? value : value + '/';
}

bool ParseSeconds(const std::string& text, int& seconds)
{
    if (text.empty() || text.size() > 4)
        return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (v < 1 || v > 3600)
        return false;
    seconds = v;
    return true;
}

bool IsHelp(std::string_view arg)
{
    return arg == "--help" || arg == "-h";
}

int RefuseOption(const CommandHelp& command, std::string_view option)
{
    std::fprintf(stderr, "orvanta-cli %s: unknown option '%.*s' (see orvanta-cli %s --help)\n", command.Name,
        static_cast<int>(option.size()), option.data(), command.Name);
    return kExitUsageError;
}

} // namespace orvcli
