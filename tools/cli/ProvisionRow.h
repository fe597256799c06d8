#pragma once
// One row of a provisioning plan, cell by cell: each value read and checked
// as the wizard's pages check what is typed into them, then the checks that
// need several cells of the row. A refusal lands in PlanRow::Error (the
// first one counts).
#include <string>
#include <string_view>

#include "ProvisionPlan.h"

namespace orvcli {

enum class PlanColumn { Mac, User, Password, Name, Dhcp, Ip, Mask, Gateway, Dns1, Dns2, WebPort, NewPassword, Essid,
    Security, Key, Channel };

// The column a header cell names (any case, spaces around it ignored);
// `name` gets its normalised spelling for messages. False for no column.
bool FindPlanColumn(std::string_view header, PlanColumn& out, std::string& name);

// One non-empty cell (the mac cell always) into the row.
void ReadPlanCell(PlanColumn column, const std::string& raw, PlanRow& row);

// The checks across the row's cells, once every cell is read.
void CheckPlanRow(PlanRow& row);

void RefusePlanRow(PlanRow& row, const std::string& why);

} // namespace orvcli
