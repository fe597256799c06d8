#pragma once
// --interface NAME: which adapters a command's search may use. The engine's
// adapter source is wrapped, so the search itself is the wizard's, only
// fed fewer adapters.
#include <string>

namespace orv {
class CCamEngine;
}

namespace orvcli {

// From now on `engine` searches only from the adapter called `name` (a label
// such as "eth0:1" names its interface "eth0"). False, with the reason and the
// adapters that can be searched in `why`, when no adapter of that name is up
// with an IPv4 address right now.
bool RestrictSearchTo(orv::CCamEngine& engine, const std::string& name, std::string& why);

// Whether this computer's adapter `name` is up with an IPv4 address right
// now; when not, `why` says so and lists the adapters that are. For
// --interface, checked while the command line is read.
bool AdapterCanBeSearched(const std::string& name, std::string& why);

} // namespace orvcli
