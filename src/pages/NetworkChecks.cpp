#include "pages/NetworkChecks.h"

#include <array>
#include <optional>

namespace orv {

namespace {

using Quad = std::array<uint32_t, 4>;

// Four numbers of 0-255 separated by dots; empty pieces are skipped.
std::optional<Quad> ParseQuad(std::u16string_view text)
{
    Quad q{};
    std::size_t pieces = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u'.') {
            ++i;
            continue;
        }
        uint32_t value = 0;
        while (i < text.size() && text[i] != u'.') {
            if (text[i] < u'0' || text[i] > u'9')
                return std::nullopt;
            // Saturate: a long run of digits must not wrap into range.
            value = value > 255 ? 256 : value * 10 + static_cast<uint32_t>(text[i] - u'0');
            ++i;
        }
        if (value > 255 || pieces == 4)
            return std::nullopt;
        q[pieces++] = value;
    }
    if (pieces != 4)
        return std::nullopt;
    return q;
}

uint32_t ToNumber(const Quad& q)
{
    return (q[0] << 24) | (q[1] << 16) | (q[2] << 8) | q[3];
}

std::optional<uint32_t> ParseNumber(std::u16string_view text)
{
    auto q = ParseQuad(text);
    if (!q)
        return std::nullopt;
    return ToNumber(*q);
}

std::u16string Format(const Quad& q)
{
    std::u16string out;
    for (std::size_t k = 0; k < 4; ++k) {
        if (k)
            out += u'.';
        out += WFromInt(q[k]);
    }
    return out;
}

} // namespace

bool ValidateIPv4(std::u16string& text, bool strict)
{
    std::u16string compact;
    for (char16_t c : text) {
        if (c != u' ')
            compact += c;
    }
    if (compact.empty()) {
        if (strict)
            return false;
        text.clear();
        return true;
    }
    auto q = ParseQuad(compact);
    if (!q)
        return false;
    uint32_t n = ToNumber(*q);
    if (strict && (n == 0 || n == 0xFFFFFFFFu))
        return false;
    text = Format(*q);
    return true;
}

bool IsValidMask(std::u16string_view mask)
{
    auto n = ParseNumber(mask);
    if (!n)
        return false;
    if (*n == 0)
        return true;
    uint32_t lowest = *n & (~*n + 1);
    if (lowest == 2)
        return false;
    // Every bit above the lowest one must be set.
    uint32_t above = ~(lowest | (lowest - 1));
    return (*n & above) == above;
}

bool IsGatewayInSubnet(std::u16string_view address, std::u16string_view mask,
                       std::u16string_view gateway)
{
    auto gw = ParseNumber(gateway);
    if (gw && *gw == 0)
        return true;
    auto ip = ParseNumber(address);
    auto m = ParseNumber(mask);
    if (!gw || !ip || !m)
        return false;
    return *gw > (*ip & *m) && *gw < (*ip | ~*m);
}

int32_t ApplyNetworkEntries(bool dhcpOn, const NetworkEntries& typed, WizardSettings& s)
{
    s.DhcpEnabled = dhcpOn ? 1 : 0;
    if (dhcpOn)
        return 0;

    std::u16string address = typed.address;
    if (!ValidateIPv4(address, true))
        return kMsgBadAddress;
    WCopy(s.CameraIP, address);

    std::u16string mask = typed.mask;
    if (!ValidateIPv4(mask, true) || !IsValidMask(mask))
        return kMsgBadMask;
    WCopy(s.SubnetMask, mask);

    std::u16string gateway = typed.gateway;
    if (!ValidateIPv4(gateway, false)
        || (!gateway.empty() && !IsGatewayInSubnet(address, mask, gateway)))
        return kMsgBadGateway;
    WCopy(s.Gateway, gateway);

    std::u16string dns = typed.primaryDns;
    if (!ValidateIPv4(dns, false))
        return kMsgBadPrimaryDns;
    WCopy(s.PrimaryDNS, dns);

    dns = typed.secondaryDns;
    if (!ValidateIPv4(dns, false))
        return kMsgBadSecondaryDns;
    WCopy(s.SecondaryDNS, dns);
    return 0;
}

} // namespace orv
