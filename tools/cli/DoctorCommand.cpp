// orvanta-cli doctor [--json]: each adapter as the search sees it, then what
// would stop cameras from being found, each with its fix. Exit 0 when nothing
// is wrong, 1 when it warns.
#include <cstdio>
#include <string>

#include "CliOptions.h"
#include "CliText.h"
#include "Commands.h"
#include "DoctorChecks.h"

using namespace orvcli;

namespace {

std::string Join(const std::vector<std::string>& items, const char* sep)
{
    std::string out;
    for (const std::string& i : items)
        out += (out.empty() ? "" : sep) + i;
    return out;
}

std::string JsonList(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? ", " : "") + JsonString(items[i]);
    return out + "]";
}

const char* Bool(bool b)
{
    return b ? "true" : "false";
}

void PrintJson(const HostFacts& facts, const std::vector<Finding>& findings, int warnings)
{
    std::printf("{\"ok\": %s, \"warnings\": %d, \"rpFilterAll\": %d, \"defaultRoute\": %s,\n \"adapters\": [",
        Bool(warnings == 0), warnings, facts.RpFilterAll, Bool(facts.AnyDefaultRoute));
    for (std::size_t i = 0; i < facts.Adapters.size(); ++i) {
        const AdapterFacts& a = facts.Adapters[i];
        std::printf("%s\n  {\"name\": %s, \"ipv4\": %s, \"up\": %s, \"running\": %s, \"broadcast\": %s, "
                    "\"rpFilter\": %d, \"rpFilterEffective\": %d, \"defaultRoute\": %s}",
            i ? "," : "", JsonString(a.Name).c_str(), JsonList(a.Ipv4).c_str(), Bool(a.Up), Bool(a.Running),
            a.CanBroadcast ? JsonString(a.Broadcast).c_str() : "null", a.RpFilter,
            EffectiveRpFilter(a, facts.RpFilterAll), Bool(a.DefaultRoute));
    }
    std::printf("],\n \"firewall\": {\"rulesRead\": %s, \"signs\": %s},\n \"findings\": [",
        Bool(facts.Firewall.RulesRead), JsonList(facts.Firewall.Signs).c_str());
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        std::printf("%s\n  {\"level\": \"%s\", \"adapter\": %s, \"text\": %s, \"fix\": %s}", i ? "," : "",
            f.Warning ? "warning" : "note", JsonString(f.Adapter).c_str(), JsonString(f.Text).c_str(),
            JsonString(f.Fix).c_str());
    }
    std::printf("]}\n");
}

void PrintText(const HostFacts& facts, const std::vector<Finding>& findings, int warnings)
{
    for (const AdapterFacts& a : facts.Adapters) {
        std::string state = a.Up ? "up" : "down";
        if (a.Up)
            state += a.Running ? ", running" : ", not running";
        if (a.CanBroadcast && !a.Broadcast.empty())
            state += ", broadcast " + a.Broadcast;
        std::printf("adapter %s: %s; %s; rp_filter %d (all %d, %s %d)%s\n", Printable(a.Name).c_str(),
            a.Ipv4.empty() ? "no IPv4 address" : Join(a.Ipv4, " ").c_str(), state.c_str(),
            EffectiveRpFilter(a, facts.RpFilterAll), facts.RpFilterAll, Printable(a.Name).c_str(), a.RpFilter,
            a.DefaultRoute ? "; default route" : "");
    }
    if (facts.Adapters.empty())
        std::printf("no network adapter besides loopback\n");
    for (const Finding& f : findings) {
        std::printf("%s: %s\n", f.Warning ? "warning" : "note", Printable(f.Text).c_str());
        if (!f.Fix.empty())
            std::printf("  fix: %s\n", Printable(f.Fix).c_str());
    }
    if (warnings == 0)
        std::printf("nothing found that would stop cameras from being found\n");
    else
        std::printf("%d warning%s\n", warnings, warnings == 1 ? "" : "s");
}

} // namespace

int RunDoctorCommand(int argc, char** argv)
{
    const CommandHelp& help = *FindCommandHelp("doctor");
    bool json = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (IsHelp(arg)) {
            PrintCommandHelp(help, stdout);
            return 0;
        }
        if (arg != "--json")
            return RefuseOption(help, arg);
        json = true;
    }
    const HostFacts facts = GatherHostFacts();
    const std::vector<Finding> findings = JudgeHost(facts);
    int warnings = 0;
    for (const Finding& f : findings)
        warnings += f.Warning ? 1 : 0;
    if (json)
        PrintJson(facts, findings, warnings);
    else
        PrintText(facts, findings, warnings);
    return warnings ? 1 : 0;
}
