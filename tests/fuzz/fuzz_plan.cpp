// Provisioning plan reader over arbitrary bytes: every row keeps a line
// number in file order, a good row holds only values the wizard's checks
// accept, and no text grows past what the settings can hold.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/ProvisionPlan.h"
#include "pages/NetworkChecks.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void CheckText(const std::optional<std::u16string>& text, std::size_t max)
{
    if (!text)
        return;
    Check(text->size() <= max);
    for (char16_t c : *text)
        Check(c >= 0x20 && c <= 0xFF && c != 0x7F);
}

void CheckAddress(const std::optional<std::u16string>& text, bool strict)
{
    if (!text)
        return;
    std::u16string again = *text;
    Check(orv::ValidateIPv4(again, strict) && again == *text); // stored normalised
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const orvcli::Plan plan = orvcli::ReadPlan(std::string_view(reinterpret_cast<const char*>(data), size));
    Check(plan.Error.empty() || plan.Rows.empty());
    Check(plan.Rows.size() <= orvcli::kPlanMaxRows);
    int line = 1;
    for (const orvcli::PlanRow& row : plan.Rows) {
        Check(row.Line > line);
        line = row.Line;
        if (!row.Ok())
            continue;
        Check(row.MacKey.size() == 12 && row.Mac.size() == 17);
        for (const auto* t : {&row.User, &row.Password, &row.NewPassword, &row.Name})
            CheckText(*t, 63);
        CheckText(row.Essid, 32);
        CheckText(row.Key, 64);
        CheckAddress(row.Ip, true);
        CheckAddress(row.Mask, true);
        CheckAddress(row.Gateway, false);
        CheckAddress(row.Dns1, false);
        CheckAddress(row.Dns2, false);
        Check(!row.Dhcp || *row.Dhcp == 0 || *row.Dhcp == 1);
        Check(!(row.Dhcp == 1 && row.FixedAddress()));
        Check(!row.WebPort || (*row.WebPort >= 1 && *row.WebPort <= 65535));
        Check(!row.Channel || (*row.Channel >= 1 && *row.Channel <= 32));
        Check(!row.Key || row.Security == orvcli::PlanSecurity::Wep || row.Security == orvcli::PlanSecurity::Wpa ||
              row.Security == orvcli::PlanSecurity::Wpa2);
    }
    return 0;
}
