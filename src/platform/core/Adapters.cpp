#include "platform/core/Adapters.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstring>

namespace orv {

namespace {

// "eth0:1" -> "eth0": a label names an address, not an interface.
std::string InterfaceName(const char* ifaName)
{
    std::string name = ifaName ? ifaName : "";
    const std::size_t colon = name.find(':');
    if (colon != std::string::npos)
        name.resize(colon);
    return name;
}

std::string Dotted(const sockaddr* sa)
{
    char text[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(sa);
    inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    return text;
}

} // namespace

std::vector<AdapterAddresses> ListAdapters()
{
    std::vector<AdapterAddresses> adapters;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return adapters;
    for (const ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET)
            continue;
        if (!(a->ifa_flags & IFF_UP) || (a->ifa_flags & IFF_LOOPBACK))
            continue;
        const std::string name = InterfaceName(a->ifa_name);
        AdapterAddresses* group = nullptr;
        for (auto& g : adapters) {
            if (g.Name == name)
                group = &g;
        }
        if (!group) {
            adapters.push_back({name, {}});
            group = &adapters.back();
        }
        group->Running = (a->ifa_flags & IFF_RUNNING) != 0;
        group->Addresses.push_back(Dotted(a->ifa_addr));
    }
    freeifaddrs(list);
    return adapters;
}

bool FindInterfaceOfAddress(const char* dotted, std::string& name, unsigned& index)
{
    in_addr wanted{};
    if (!dotted || inet_pton(AF_INET, dotted, &wanted) != 1)
        return false;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return false;
    bool found = false;
    for (const ifaddrs* a = list; a && !found; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET)
            continue;
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
        if (in->sin_addr.s_addr != wanted.s_addr)
            continue;
        name = InterfaceName(a->ifa_name);
        index = if_nametoindex(name.c_str());
        found = index != 0;
    }
    freeifaddrs(list);
    return found;
}

} // namespace orv
