#pragma once
// orvanta-cli doctor: what on this computer can stop cameras from being
// found, read without root where the system allows it. The facts are
// gathered from the system (GatherHostFacts) and judged by a pure function
// (JudgeHost), so the rules can be tested with any facts.
//
// Reverse-path filtering, as the kernel applies it to a camera's answer
// (the effective value of an adapter is the larger of its own rp_filter and
// "all"):
//   0  nothing is dropped;
//   1  strict: an answer is accepted only when the route back to its sender
//      leaves by the adapter it came in on. A camera outside the adapter's
//      own subnets is reached back by the default route, so its answers are
//      dropped unless a default route leaves by that adapter;
//   2  loose: an answer is accepted when any route leads back to its sender,
//      so a camera outside every local subnet is dropped only when there is
//      no default route at all.
// Only the main routing table is read (/proc/net/route).
#include <string>
#include <vector>

namespace orvcli {

struct AdapterFacts {
    std::string Name;
    std::vector<std::string> Ipv4;  // "198.18.1.1/24"
    std::string Broadcast;          // subnet broadcast of the first IPv4 address; "" without IFF_BROADCAST
    bool Up = false, Running = false, CanBroadcast = false;
    int RpFilter = -1;              // the adapter's own value; -1 when unreadable
    bool DefaultRoute = false;      // a default route leaves by this adapter
};

struct FirewallFacts {
    bool RulesRead = false;         // the packet filter's rules could be read (root)
    std::vector<std::string> Signs; // "nftables: inet filter input drops by default", "ufw is enabled", ...
};

struct HostFacts {
    std::vector<AdapterFacts> Adapters; // every interface except loopback
    int RpFilterAll = -1;
    bool AnyDefaultRoute = false;
    FirewallFacts Firewall;
};

struct Finding {
    bool Warning = false;  // false: for information only
    std::string Adapter;   // the adapter it is about, or ""
    std::string Text;
    std::string Fix;       // the exact commands, or ""
};

// The camera port the answers come from.
constexpr int kDoctorCameraPort = 62976;

HostFacts GatherHostFacts();

// The effective rp_filter of an adapter: the larger of its own and "all";
// -1 when neither could be read.
int EffectiveRpFilter(const AdapterFacts& a, int all);

// Every finding about `facts`, warnings first in adapter order.
std::vector<Finding> JudgeHost(const HostFacts& facts);

} // namespace orvcli
