#include "ProvisionPlan.h"

#include <algorithm>
#include <fstream>
#include <unordered_map>

#include "ProvisionCsv.h"
#include "ProvisionRow.h"
#include "pages/NetworkChecks.h"
#include "pages/WirelessChecks.h"
#include "skin/core/BuiltinMessages.h"

namespace orvcli {

bool PlanRow::FixedAddress() const
{
    return Dhcp == 0 || Ip || Mask || Gateway || Dns1 || Dns2;
}

bool PlanRow::ChangesNetwork() const
{
    return Dhcp || FixedAddress() || Name || WebPort;
}

bool PlanRow::ChangesWireless() const
{
    return Essid || Key || Channel || Security != PlanSecurity::Keep;
}

std::string SecurityName(PlanSecurity s)
{
    switch (s) {
    case PlanSecurity::None: return "none";
    case PlanSecurity::Wep: return "wep";
    case PlanSecurity::Wpa: return "wpa";
    case PlanSecurity::Wpa2: return "wpa2";
    case PlanSecurity::Keep: break;
    }
    return "";
}

std::string NetworkCheckText(int32_t message)
{
    switch (message) {
    case orv::kMsgBadAddress: return "ip: not a valid camera address";
    case orv::kMsgBadMask: return "mask: not a valid subnet mask";
    case orv::kMsgBadGateway: return "gateway: not an address inside the camera's subnet";
    case orv::kMsgBadPrimaryDns: return "dns1: not a valid address";
    case orv::kMsgBadSecondaryDns: return "dns2: not a valid address";
    default: return message ? "network check " + std::to_string(message) : "";
    }
}

std::string WirelessCheckText(int32_t message)
{
    switch (message) {
    case orv::kMsgBadSsid: return "essid: empty, or not 7-bit ASCII";
    case orv::kMsgBadHexWepKey: return "key: a hexadecimal WEP key needs 10 or 26 digits 0-9, A-F";
    case orv::kMsgBadWepKeyLength: return "key: a WEP key has 5 or 13 characters, or 10 or 26 hexadecimal digits";
    case orv::kMsgBadPassKeyLength: return "key: a pass phrase has 8 to 64 characters";
    case orv::kMsgPassKeyNotHex: return "key: a 64-character pass phrase must be hexadecimal";
    case orv::kMsgNotCameraText: return "a character a camera cannot store (past U+00FF)";
    default: return message ? "wireless check " + std::to_string(message) : "";
    }
}

Plan ReadPlan(std::string_view text)
{
    Plan plan;
    if (text.size() > kPlanMaxBytes) {
        plan.Error = "the plan is larger than " + std::to_string(kPlanMaxBytes) + " bytes";
        return plan;
    }
    std::vector<CsvRecord> records = ReadCsvRecords(text, kPlanMaxRows + 2);
    if (records.empty() || !records[0].Error.empty()) {
        plan.Error = records.empty() ? "the plan is empty" : "line 1: " + records[0].Error;
        return plan;
    }
    if (records.size() > kPlanMaxRows + 1) {
        plan.Error = "the plan has more than " + std::to_string(kPlanMaxRows) + " rows";
        return plan;
    }
    // The header: every name known, none twice, `mac` among them.
    const std::string where = "line " + std::to_string(records[0].Line) + ": ";
    std::vector<PlanColumn> columns;
    for (const std::string& raw : records[0].Cells) {
        PlanColumn column{};
        std::string name;
        if (!FindPlanColumn(raw, column, name)) {
            plan.Error = where + "unknown column '" + name + "'";
            return plan;
        }
        if (std::find(columns.begin(), columns.end(), column) != columns.end()) {
            plan.Error = where + "column '" + name + "' appears twice";
            return plan;
        }
        columns.push_back(column);
    }
    if (std::find(columns.begin(), columns.end(), PlanColumn::Mac) == columns.end()) {
        plan.Error = where + "the header has no 'mac' column";
        return plan;
    }

    std::unordered_map<std::string, int> firstLine; // MAC digits -> line of its first row
    for (std::size_t i = 1; i < records.size(); ++i) {
        const CsvRecord& rec = records[i];
        PlanRow row;
        row.Line = rec.Line;
        if (!rec.Error.empty()) {
            RefusePlanRow(row, "does not parse: " + rec.Error);
        } else if (rec.Cells.size() != columns.size()) {
            RefusePlanRow(row, "has " + std::to_string(rec.Cells.size()) + " cells, the header " +
                                   std::to_string(columns.size()));
        } else {
            for (std::size_t k = 0; k < columns.size(); ++k)
                if (!rec.Cells[k].empty() || columns[k] == PlanColumn::Mac)
                    ReadPlanCell(columns[k], rec.Cells[k], row);
            CheckPlanRow(row);
        }
        if (!row.MacKey.empty()) {
            const auto [at, fresh] = firstLine.emplace(row.MacKey, row.Line);
            if (!fresh)
                RefusePlanRow(row, "mac " + row.Mac + ": already planned on line " + std::to_string(at->second));
        }
        plan.Rows.push_back(std::move(row));
    }
    return plan;
}

Plan ReadPlanFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Plan plan;
        plan.Error = "cannot read " + path;
        return plan;
    }
    std::string text;
    char buf[65536];
    while (in && text.size() <= kPlanMaxBytes) {
        in.read(buf, sizeof buf);
        text.append(buf, static_cast<std::size_t>(in.gcount()));
    }
    return ReadPlan(text);
}

} // namespace orvcli
