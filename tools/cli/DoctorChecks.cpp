#include "DoctorChecks.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace orvcli {

namespace {

std::string Dotted(const sockaddr* sa)
{
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(sa)->sin_addr, text, sizeof text);
    return text;
}

int PrefixOf(const sockaddr* mask)
{
    if (!mask)
        return 32;
    uint32_t m = ntohl(reinterpret_cast<const sockaddr_in*>(mask)->sin_addr.s_addr);
    int bits = 0;
    for (; m & 0x80000000u; m <<= 1)
        ++bits;
    return bits;
}

// The subnet's broadcast address (the address with every host bit set).
std::string SubnetBroadcast(const sockaddr* address, int prefix)
{
    sockaddr_in in = *reinterpret_cast<const sockaddr_in*>(address);
    const uint32_t hostBits = prefix >= 32 ? 0u : 0xFFFFFFFFu >> prefix;
    in.sin_addr.s_addr = htonl(ntohl(in.sin_addr.s_addr) | hostBits);
    return Dotted(reinterpret_cast<const sockaddr*>(&in));
}

AdapterFacts& AdapterNamed(std::vector<AdapterFacts>& list, const std::string& name)
{
    for (AdapterFacts& a : list)
        if (a.Name == name)
            return a;
    list.push_back({});
    list.back().Name = name;
    return list.back();
}

// One small number from a /proc/sys file; -1 when it cannot be read.
int ReadSmallNumber(const std::string& path)
{
    std::ifstream in(path);
    int value = -1;
    if (!(in >> value))
        return -1;
    return value;
}

// Interfaces that a default route of the main table leaves by.
std::vector<std::string> DefaultRouteInterfaces()
{
    std::vector<std::string> out;
    std::ifstream in("/proc/net/route");
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string iface, dest, gateway, flags, refcnt, use, metric, mask;
        if (!(fields >> iface >> dest >> gateway >> flags >> refcnt >> use >> metric >> mask))
            continue;
        const unsigned long f = std::strtoul(flags.c_str(), nullptr, 16);
        if (dest == "00000000" && mask == "00000000" && (f & 1u))
            out.push_back(iface);
    }
    return out;
}

// A program's standard output and whether it ran and exited 0. Standard error
// is dropped. `command` is fixed text, never built from input.
bool Capture(const char* command, std::string& out)
{
    out.clear();
    FILE* p = popen(command, "r");
    if (!p)
        return false;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0 && out.size() < (4u << 20))
        out.append(buf, n);
    const int status = pclose(p);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Signs in an nftables rule set that datagrams coming in are filtered: an
// input-hook chain that drops by default or holds drop or reject rules,
// unless a rule already accepts the cameras' answers.
void JudgeNftRules(const std::string& ruleset, std::vector<std::string>& signs)
{
    std::istringstream in(ruleset);
    std::string line, table, chain;
    bool inputChain = false, dropsByDefault = false, dropRules = false, allowsCameras = false;
    auto close = [&] {
        if (inputChain && !allowsCameras && (dropsByDefault || dropRules)) {
            signs.push_back("nftables: chain " + chain + " of table " + table +
                            (dropsByDefault ? " drops what no rule accepts (policy drop)" : " drops or rejects datagrams"));
        }
        inputChain = dropsByDefault = dropRules = allowsCameras = false;
    };
    const std::string port = std::to_string(kDoctorCameraPort);
    while (std::getline(in, line)) {
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos)
            continue;
        const std::string t = line.substr(first);
        if (t.rfind("table ", 0) == 0) {
            close();
            table = t.substr(6, t.find(" {") == std::string::npos ? std::string::npos : t.find(" {") - 6);
        } else if (t.rfind("chain ", 0) == 0) {
            close();
            chain = t.substr(6, t.find(" {") == std::string::npos ? std::string::npos : t.find(" {") - 6);
        } else if (t.find("hook input") != std::string::npos) {
            inputChain = true;
            dropsByDefault = t.find("policy drop") != std::string::npos;
        } else if (t.find("sport " + port) != std::string::npos && t.find("accept") != std::string::npos) {
            allowsCameras = true;
        } else if (t.find(" drop") != std::string::npos || t.rfind("drop", 0) == 0 ||
                   t.find("reject") != std::string::npos) {
            dropRules = true;
        }
    }
    close();
}

bool ProcessRuns(const std::string& comm)
{
    bool found = false;
    DIR* proc = opendir("/proc");
    if (!proc)
        return false;
    while (const dirent* e = readdir(proc)) {
        if (!std::all_of(e->d_name, e->d_name + std::char_traits<char>::length(e->d_name),
                [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        std::ifstream in(std::string("/proc/") + e->d_name + "/comm");
        std::string name;
        if (std::getline(in, name) && name == comm) {
            found = true;
            break;
        }
    }
    closedir(proc);
    return found;
}

bool UfwEnabled()
{
    std::ifstream in("/etc/ufw/ufw.conf");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("ENABLED=", 0) == 0)
            return line.find("yes") != std::string::npos;
    }
    return false;
}

FirewallFacts GatherFirewall()
{
    FirewallFacts f;
    std::string ruleset;
    if (Capture("nft list ruleset 2>/dev/null", ruleset)) {
        f.RulesRead = true;
        JudgeNftRules(ruleset, f.Signs);
    }
    if (UfwEnabled())
        f.Signs.push_back("ufw is enabled (/etc/ufw/ufw.conf)");
    if (ProcessRuns("firewalld"))
        f.Signs.push_back("firewalld is running");
    return f;
}

// "net.ipv4.conf.eth0.rp_filter=2"; an interface name with a dot takes the
// slash form of the key.
std::string RpSetting(const std::string& name, int value)
{
    const std::string v = "=" + std::to_string(value);
    if (name.find('.') != std::string::npos)
        return "net/ipv4/conf/" + name + "/rp_filter" + v;
    return "net.ipv4.conf." + name + ".rp_filter" + v;
}

} // namespace

HostFacts GatherHostFacts()
{
    HostFacts facts;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) == 0) {
        for (const ifaddrs* a = list; a; a = a->ifa_next) {
            if (!a->ifa_name || (a->ifa_flags & IFF_LOOPBACK))
                continue;
            std::string name = a->ifa_name;
            name = name.substr(0, name.find(':'));
            AdapterFacts& ad = AdapterNamed(facts.Adapters, name);
            ad.Up = ad.Up || (a->ifa_flags & IFF_UP);
            ad.Running = ad.Running || (a->ifa_flags & IFF_RUNNING);
            ad.CanBroadcast = ad.CanBroadcast || (a->ifa_flags & IFF_BROADCAST);
            if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET)
                continue;
            const int prefix = PrefixOf(a->ifa_netmask);
            ad.Ipv4.push_back(Dotted(a->ifa_addr) + "/" + std::to_string(prefix));
            if (ad.Broadcast.empty() && (a->ifa_flags & IFF_BROADCAST))
                ad.Broadcast = SubnetBroadcast(a->ifa_addr, prefix);
        }
        freeifaddrs(list);
    }
    facts.RpFilterAll = ReadSmallNumber("/proc/sys/net/ipv4/conf/all/rp_filter");
    const std::vector<std::string> defaults = DefaultRouteInterfaces();
    facts.AnyDefaultRoute = !defaults.empty();
    for (AdapterFacts& a : facts.Adapters) {
        a.RpFilter = ReadSmallNumber("/proc/sys/net/ipv4/conf/" + a.Name + "/rp_filter");
        a.DefaultRoute = std::find(defaults.begin(), defaults.end(), a.Name) != defaults.end();
    }
    facts.Firewall = GatherFirewall();
    return facts;
}

int EffectiveRpFilter(const AdapterFacts& a, int all)
{
    return std::max(a.RpFilter, all);
}

std::vector<Finding> JudgeHost(const HostFacts& facts)
{
    std::vector<Finding> warnings, notes;
    bool usable = false;
    for (const AdapterFacts& a : facts.Adapters) {
        if (!a.Up) {
            notes.push_back({false, a.Name, a.Name + " is down: it is not searched.", ""});
            continue;
        }
        if (a.Ipv4.empty()) {
            notes.push_back({false, a.Name, a.Name + " has no IPv4 address: it is not searched.", ""});
            continue;
        }
        if (!a.Running) {
            notes.push_back({false, a.Name,
                a.Name + " is up but not running (no cable or no link): its search finds nothing.", ""});
            continue;
        }
        usable = true;
        if (!a.CanBroadcast) {
            notes.push_back({false, a.Name,
                a.Name + " cannot broadcast (a point-to-point link): no camera is found through it.", ""});
        }
        const int rp = EffectiveRpFilter(a, facts.RpFilterAll);
        const bool drops = (rp == 1 && !a.DefaultRoute) || (rp == 2 && !facts.AnyDefaultRoute);
        if (!drops)
            continue;
        const std::string values = "rp_filter " + std::to_string(rp) + ": all " + std::to_string(facts.RpFilterAll) +
                                   ", " + a.Name + " " + std::to_string(a.RpFilter);
        std::string text = a.Name + ": reverse-path filtering is " + (rp == 1 ? "strict" : "loose") + " (" + values +
                           ") and " +
                           (rp == 1 ? "no default route leaves by " + a.Name : std::string("there is no default route")) +
                           ", so the answers of a camera outside " + a.Name +
                           "'s own subnets are dropped before they reach the wizard.";
        // Loose filtering is enough wherever some default route exists, and
        // the adapter's own 2 wins over "all" (the larger value counts), so
        // nothing else changes. Without any default route only 0 helps.
        std::string fix = "sudo sysctl -w";
        if (facts.AnyDefaultRoute) {
            fix += " " + RpSetting(a.Name, 2);
        } else {
            if (facts.RpFilterAll > 0)
                fix += " " + RpSetting("all", 0);
            if (a.RpFilter > 0)
                fix += " " + RpSetting(a.Name, 0);
        }
        fix += "   (to keep it after a restart, put the same settings in /etc/sysctl.d/90-cameras.conf)";
        warnings.push_back({true, a.Name, text, fix});
    }
    if (!usable) {
        warnings.insert(warnings.begin(),
            {true, "", "No network adapter is up and running with an IPv4 address: there is nothing to search from.",
                "Connect this computer to the cameras' network (cable or Wi-Fi) and give it an IPv4 address."});
    }
    const std::string port = std::to_string(kDoctorCameraPort);
    if (!facts.Firewall.Signs.empty()) {
        std::string signs;
        for (const std::string& s : facts.Firewall.Signs)
            signs += (signs.empty() ? "" : "; ") + s;
        warnings.push_back({true, "",
            "A host firewall seems active (" + signs + "). A camera answers a search with a datagram from UDP port " +
                port + " that belongs to no tracked connection, so the firewall must let it in.",
            "nftables: sudo nft insert rule inet filter input udp sport " + port +
                " accept   ufw: sudo ufw allow proto udp from any port " + port +
                "   firewalld: sudo firewall-cmd --permanent --add-rich-rule='rule family=\"ipv4\" source-port port=\"" +
                port + "\" protocol=\"udp\" accept' && sudo firewall-cmd --reload"});
    } else if (!facts.Firewall.RulesRead) {
        notes.push_back({false, "",
            "The packet filter's rules can be read only by root (or nft is not installed): run "
            "\"sudo orvanta-cli doctor\" to check them too.",
            ""});
    }
    warnings.insert(warnings.end(), notes.begin(), notes.end());
    return warnings;
}

} // namespace orvcli
