#include "SearchScope.h"

#include <algorithm>

#include "engine/CamEngine.h"

namespace orvcli {

namespace {

std::string InterfaceOf(const std::string& name)
{
    return name.substr(0, name.find(':'));
}

std::vector<orv::AdapterAddresses> Named(std::vector<orv::AdapterAddresses> adapters, const std::string& name)
{
    const std::string wanted = InterfaceOf(name);
    adapters.erase(std::remove_if(adapters.begin(), adapters.end(),
                       [&](const orv::AdapterAddresses& a) { return a.Name != wanted; }),
        adapters.end());
    return adapters;
}

bool Refuse(const std::vector<orv::AdapterAddresses>& all, const std::string& name, std::string& why)
{
    std::string usable;
    for (const orv::AdapterAddresses& a : all)
        usable += (usable.empty() ? "" : ", ") + a.Name;
    why = "no network adapter called '" + name + "' is up with an IPv4 address (adapters that can be searched: " +
          (usable.empty() ? "none" : usable) + ")";
    return false;
}

} // namespace

bool RestrictSearchTo(orv::CCamEngine& engine, const std::string& name, std::string& why)
{
    auto all = engine.m_AdapterSource;
    auto list = [all] { return all ? all() : std::vector<orv::AdapterAddresses>{}; };
    if (Named(list(), name).empty())
        return Refuse(list(), name, why);
    engine.m_AdapterSource = [list, name] { return Named(list(), name); };
    return true;
}

bool AdapterCanBeSearched(const std::string& name, std::string& why)
{
    const std::vector<orv::AdapterAddresses> all = orv::ListAdapters();
    return !Named(all, name).empty() || Refuse(all, name, why);
}

} // namespace orvcli
