#pragma once
// The PC's network adapters and their IPv4 addresses, as the system lists
// them. Used by the search (which adapters to search from) and by the socket
// client (which interface a local address belongs to).
#include <string>
#include <vector>

namespace orv {

struct AdapterAddresses {
    std::string Name;                   // interface name, label stripped ("eth0")
    std::vector<std::string> Addresses; // dotted IPv4 text, primary first
    bool Running = true;                // false: up but without a carrier
};

// Interfaces that are up and are not loopback, in the system's order, each
// with its IPv4 addresses in the system's order. Labelled addresses
// ("eth0:1") belong to their interface. Interfaces without IPv4 are left out;
// those without a carrier (IFF_RUNNING clear) are listed with Running false.
std::vector<AdapterAddresses> ListAdapters();

// The interface (any, loopback included) holding the IPv4 address `dotted`.
// False when no interface holds it.
bool FindInterfaceOfAddress(const char* dotted, std::string& name, unsigned& index);

} // namespace orv
