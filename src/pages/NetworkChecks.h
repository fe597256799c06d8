#pragma once
// Checks of the network page's address entries, apart from the widgets: the
// page hands over the typed texts and shows the message number it gets back.
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/WizardSettings.h"

namespace orv {

// Checks a typed IPv4 address and, when valid, replaces `text` by its
// normalised "%d.%d.%d.%d" form (spaces removed, leading zeros dropped, empty
// pieces between dots ignored). An empty text is valid only when not strict;
// strict also refuses "0.0.0.0" and "255.255.255.255".
bool ValidateIPv4(std::u16string& text, bool strict);

// A normalised mask is valid when its one bits form a leading run that leaves
// at least two zero bits below it (or when it has no one bit at all).
bool IsValidMask(std::u16string_view mask);

// "0.0.0.0" is accepted; any other gateway must lie strictly between the
// subnet's network and broadcast addresses.
bool IsGatewayInSubnet(std::u16string_view address, std::u16string_view mask,
                       std::u16string_view gateway);

// The five edits of the page, as typed.
struct NetworkEntries {
    std::u16string address;
    std::u16string mask;
    std::u16string gateway;
    std::u16string primaryDns;
    std::u16string secondaryDns;
};

// Messages of the first refused field, in checking order.
constexpr int32_t kMsgBadAddress = 54;
constexpr int32_t kMsgBadMask = 55;
constexpr int32_t kMsgBadGateway = 56;
constexpr int32_t kMsgBadPrimaryDns = 57;
constexpr int32_t kMsgBadSecondaryDns = 58;

// Next on the network page: stores DhcpEnabled; with a fixed address checks
// the fields in order and stores each accepted one (normalised) at once.
// Returns 0 when all is accepted, else the message of the first refused
// field; fields before it stay stored. The page puts the focus on edit
// 1106 + (message - 54).
int32_t ApplyNetworkEntries(bool dhcpOn, const NetworkEntries& typed, WizardSettings& settings);

} // namespace orv
