#include "ProvisionReport.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "CliText.h"

namespace orvcli {

namespace {

std::string Joined(const std::vector<std::string>& items, const char* sep)
{
    std::string out;
    for (const std::string& s : items)
        out += (out.empty() ? "" : sep) + s;
    return out;
}

void PrintJson(const std::vector<RowResult>& results, std::FILE* out)
{
    std::fputs("[", out);
    for (std::size_t i = 0; i < results.size(); ++i) {
        const RowResult& r = results[i];
        std::string changed;
        for (const std::string& c : r.Outcome.Changed)
            changed += (changed.empty() ? "" : ", ") + JsonString(c);
        std::fprintf(out, "%s\n  {\"line\": %d, \"mac\": %s, \"ok\": %s, \"changed\": [%s], \"message\": %s}",
            i ? "," : "", r.Line, JsonString(r.Mac).c_str(), r.Outcome.Ok ? "true" : "false", changed.c_str(),
            JsonString(r.Outcome.Message).c_str());
    }
    std::fputs(results.empty() ? "]\n" : "\n]\n", out);
}

void PrintCsv(const std::vector<RowResult>& results, std::FILE* out)
{
    std::fputs("line,mac,ok,changed,message\r\n", out);
    for (const RowResult& r : results) {
        std::fprintf(out, "%d,%s,%s,%s,%s\r\n", r.Line, CsvField(r.Mac).c_str(), r.Outcome.Ok ? "true" : "false",
            CsvField(Joined(r.Outcome.Changed, " ")).c_str(), CsvField(r.Outcome.Message).c_str());
    }
}

void PrintTable(const std::vector<RowResult>& results, bool dryRun, std::FILE* out)
{
    std::vector<std::string> macs, changes;
    const char* changeTitle = dryRun ? "WOULD CHANGE" : "CHANGED";
    std::size_t macWidth = 17, changeWidth = std::strlen(changeTitle), good = 0;
    for (const RowResult& r : results) {
        macs.push_back(Printable(r.Mac));
        changes.push_back(Joined(r.Outcome.Changed, " "));
        macWidth = std::max(macWidth, std::min<std::size_t>(macs.back().size(), 40));
        changeWidth = std::max(changeWidth, std::min<std::size_t>(changes.back().size(), 60));
        good += r.Outcome.Ok ? 1 : 0;
    }
    const int mw = static_cast<int>(macWidth), cw = static_cast<int>(changeWidth);
    std::fprintf(out, "%-5s %-*s %-3s %-*s %s\n", "LINE", mw, "MAC", "OK", cw, changeTitle, "MESSAGE");
    for (std::size_t i = 0; i < results.size(); ++i) {
        const RowResult& r = results[i];
        std::fprintf(out, "%-5d %-*s %-3s %-*s %s\n", r.Line, mw, macs[i].c_str(), r.Outcome.Ok ? "yes" : "no", cw,
            changes[i].empty() ? "-" : changes[i].c_str(), Printable(r.Outcome.Message).c_str());
    }
    std::fprintf(out, "%zu of %zu camera%s %s\n", good, results.size(), results.size() == 1 ? "" : "s",
        dryRun ? "checked ready" : "provisioned");
}

} // namespace

void PrintResults(const std::vector<RowResult>& results, ReportFormat format, bool dryRun, std::FILE* out)
{
    switch (format) {
    case ReportFormat::Json: PrintJson(results, out); break;
    case ReportFormat::Csv: PrintCsv(results, out); break;
    case ReportFormat::Table: PrintTable(results, dryRun, out); break;
    }
    std::fflush(out);
}

ProgressLine::ProgressLine(std::FILE* err, bool enabled)
    : m_Err(err), m_Enabled(enabled), m_Terminal(isatty(fileno(err)) == 1)
{
}

void ProgressLine::Show(std::size_t done, std::size_t total)
{
    if (!m_Enabled)
        return;
    std::fprintf(m_Err, "%sprovision: %zu/%zu cameras done%s", m_Terminal ? "\r" : "", done, total,
        m_Terminal ? "" : "\n");
    std::fflush(m_Err);
    m_Shown = true;
}

void ProgressLine::Finish()
{
    if (m_Enabled && m_Terminal && m_Shown)
        std::fputs("\n", m_Err);
}

} // namespace orvcli
