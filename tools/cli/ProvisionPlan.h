#pragma once
// A provisioning plan: a CSV file with a header line and one row per camera.
// Columns come in any order; only `mac` is required; an empty cell keeps the
// camera's current value. Each row is checked on its own with the wizard's
// own field checks before any camera is asked anything; a row that fails
// carries the reason and its line number, and its camera is left alone.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvcli {

enum class PlanSecurity { Keep, None, Wep, Wpa, Wpa2 };

struct PlanRow {
    int Line = 0;        // line of the plan file the row starts on
    std::string Mac;     // the camera as the search shows it ("02.00.00.00.00.01"), or the cell as written
    std::string MacKey;  // its 12 hexadecimal digits, lower case
    // Camera text (one byte per character on the wire), checked.
    std::optional<std::u16string> User, Password, NewPassword, Name, Essid, Key;
    // Addresses, normalised as the network page stores them.
    std::optional<std::u16string> Ip, Mask, Gateway, Dns1, Dns2;
    std::optional<int32_t> Dhcp, WebPort, Channel;
    PlanSecurity Security = PlanSecurity::Keep;
    std::string Error;   // why the row is refused; empty for a good row

    bool Ok() const { return Error.empty(); }
    // A fixed address is planned: any address cell, or dhcp 0.
    bool FixedAddress() const;
    bool ChangesNetwork() const;
    bool ChangesWireless() const;
};

struct Plan {
    std::vector<PlanRow> Rows; // in file order
    std::string Error;         // the plan as a whole cannot be used (header faults, size)
};

// Bounds on what one plan may make the program hold.
constexpr std::size_t kPlanMaxBytes = 4u << 20;
constexpr std::size_t kPlanMaxRows = 10000;

Plan ReadPlan(std::string_view text);
// Reads the file (at most kPlanMaxBytes); Plan::Error when it cannot.
Plan ReadPlanFile(const std::string& path);

// "mac", "ip", ... in the plan's spelling, for reports.
std::string SecurityName(PlanSecurity s);

// The wizard's check messages in a plan report's words ("" for 0).
std::string NetworkCheckText(int32_t message);
std::string WirelessCheckText(int32_t message);

} // namespace orvcli
