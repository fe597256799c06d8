// Camera description items for the template operations.
#include <cstdlib>
#include <sstream>

#include "sim/SimCamera.h"
#include "sim/TemplateOps.h"

namespace orvsim {

namespace {

bool ToInt(const std::string& text, long lo, long hi, long& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 0);
    return *end == 0 && out >= lo && out <= hi;
}

// "163:165:168", or "none" for an empty list.
bool ParseCaps(const std::string& value, std::vector<uint16_t>& caps)
{
    caps.clear();
    if (value == "none")
        return true;
    std::stringstream in(value);
    std::string item;
    while (std::getline(in, item, ':')) {
        long n = 0;
        if (!ToInt(item, 0, 65535, n))
            return false;
        caps.push_back(static_cast<uint16_t>(n));
    }
    return !caps.empty();
}

// "1-11", "1:2:6", "1-4:9-11", or "none": bit n-1 set for channel n (1-32).
bool ParseChannels(const std::string& value, uint32_t& mask)
{
    mask = 0;
    if (value == "none")
        return true;
    std::stringstream in(value);
    std::string item;
    while (std::getline(in, item, ':')) {
        const std::size_t dash = item.find('-');
        long lo = 0, hi = 0;
        if (!ToInt(item.substr(0, dash), 1, 32, lo))
            return false;
        hi = lo;
        if (dash != std::string::npos && !ToInt(item.substr(dash + 1), lo, 32, hi))
            return false;
        for (long n = lo; n <= hi; ++n)
            mask |= 1u << (n - 1);
    }
    return mask != 0;
}

// The capability bytes GetWLan reports, by item name.
uint8_t* OfferByte(const std::string& key, WlanOffer& o)
{
    if (key == "wiremodes")
        return &o.WireModes;
    if (key == "encryptions")
        return &o.Encryptions;
    if (key == "auths")
        return &o.Auths;
    if (key == "keylens")
        return &o.KeyLens;
    if (key == "keyformats")
        return &o.KeyFormats;
    if (key == "defkeys")
        return &o.DefaultKeys;
    if (key == "txrates")
        return &o.TxRates;
    return nullptr;
}

} // namespace

bool ApplyTemplateItem(const std::string& key, const std::string& value, SimCamera& cam)
{
    TemplateState& t = cam.Tpl;
    long n = 0;
    if (key == "caps")
        return ParseCaps(value, t.Caps);
    if (key == "fw")
        return t.Firmware = value, true;
    if (key == "essid")
        return t.Wlan.Essid = value, true;
    if (key == "state")
        return t.StatePath = value, !value.empty();
    if (key == "channels")
        return ParseChannels(value, t.Offer.Channels);
    if (uint8_t* offer = OfferByte(key, t.Offer)) {
        if (!ToInt(value, 0, 255, n))
            return false;
        *offer = static_cast<uint8_t>(n);
        return true;
    }
    if (key == "wait") {
        const std::size_t colon = value.find(':');
        long ms = 0;
        if (colon == std::string::npos || !ToInt(value.substr(0, colon), 0, 100, n) ||
            !ToInt(value.substr(colon + 1), -2147483647L, 2147483647L, ms))
            return false;
        t.WaitAction = static_cast<int>(n);
        t.WaitMs = static_cast<int>(ms);
        return true;
    }
    if (!ToInt(value, -2147483647L - 1, 2147483647L, n))
        return false;
    if (key == "power")
        return t.Power = static_cast<int>(n), true;
    if (key == "wlan" && (n == 0 || n == 1))
        return t.Wlan.Enable = static_cast<uint8_t>(n), true;
    if (key == "channel" && n >= 0 && n <= 255)
        return t.Wlan.Channel = static_cast<uint8_t>(n), true;
    if (key == "tstatus" && n >= 0 && n <= 65535)
        return t.ForcedStatus = static_cast<int>(n), true;
    if (key == "errcode")
        return t.ErrorCode = static_cast<int>(n), true;
    if (key == "drop" && n >= 0)
        return t.DropRequests = static_cast<int>(n), true;
    if (key == "othermac" && (n == 0 || n == 1))
        return t.OtherMac = n != 0, true;
    if (key == "wpspbc")
        return t.WpsPbc = static_cast<int>(n), true;
    if (key == "wpspin")
        return t.WpsPin = static_cast<int>(n), true;
    if (key == "wpspolls" && n >= 0)
        return t.WpsPolls = static_cast<int>(n), true;
    return false;
}

} // namespace orvsim
