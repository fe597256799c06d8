#pragma once
// What orvanta-cli provision prints: one result per plan row, in plan order,
// as a readable table, a JSON array or CSV; and the progress line on
// standard error while the cameras are worked on.
#include <cstdio>
#include <string>
#include <vector>

#include "ProvisionCamera.h"

namespace orvcli {

struct RowResult {
    int Line = 0;
    std::string Mac;
    CameraOutcome Outcome;
};

enum class ReportFormat { Table, Json, Csv };

void PrintResults(const std::vector<RowResult>& results, ReportFormat format, bool dryRun, std::FILE* out);

// "provision: 3/40 cameras done", rewritten in place on a terminal, one line
// per step elsewhere.
class ProgressLine {
public:
    ProgressLine(std::FILE* err, bool enabled);
    void Show(std::size_t done, std::size_t total);
    void Finish();

private:
    std::FILE* m_Err;
    bool m_Enabled;
    bool m_Terminal;
    bool m_Shown = false;
};

} // namespace orvcli
