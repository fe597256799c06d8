// orvanta-cli search [--json | --csv] [--interface NAME]: the wizard's camera
// search from a terminal. Starts the engine's search, polls it every 100 ms as
// the list page does, then prints every camera found; when none answered,
// the list page's hint goes to standard error.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "CliOptions.h"
#include "Commands.h"
#include "SearchScope.h"
#include "CliText.h"
#include "engine/CamEngine.h"
#include "skin/core/BuiltinMessages.h"

namespace {

using orvcli::JsonString;
using orvcli::Printable;

struct Row {
    std::string Model, Name, Ip, Mac, Adapter;
    int WebPort = 0;
};

std::vector<Row> CollectRows(orv::CCamEngine& engine)
{
    std::vector<Row> rows;
    for (int32_t i = 0; i < engine.CountRecords(); ++i) {
        engine.SelectRecord(i);
        Row r;
        r.Model = Printable(orv::Utf8(engine.GetSelModel()));
        r.Name = Printable(orv::Utf8(engine.GetSelName()));
        r.Ip = orv::Utf8(engine.GetSelIpText());
        r.Mac = orv::Utf8(engine.GetSelMacText());
        r.WebPort = engine.GetSelWebPort();
        const int32_t a = engine.GetSelAdapterIndex();
        if (a >= 0 && a < orv::kMaxAddresses)
            r.Adapter = orv::Utf8(engine.m_AddrText[a]);
        rows.push_back(r);
    }
    return rows;
}

void PrintJson(const std::vector<Row>& rows)
{
    std::printf("[");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        std::printf("%s\n  {\"model\": %s, \"name\": %s, \"ip\": %s, \"mac\": %s, \"webPort\": %d, \"adapter\": %s}",
            i ? "," : "", JsonString(r.Model).c_str(), JsonString(r.Name).c_str(), JsonString(r.Ip).c_str(),
            JsonString(r.Mac).c_str(), r.WebPort, JsonString(r.Adapter).c_str());
    }
    std::printf("%s]\n", rows.empty() ? "" : "\n");
}

void PrintCsv(const std::vector<Row>& rows)
{
    std::fputs(orvcli::CsvRow({"model", "name", "ip", "mac", "webPort", "adapter"}).c_str(), stdout);
    for (const Row& r : rows)
        std::fputs(orvcli::CsvRow({r.Model, r.Name, r.Ip, r.Mac, std::to_string(r.WebPort), r.Adapter}).c_str(), stdout);
}

void PrintTable(const std::vector<Row>& rows)
{
    std::printf("%-20s %-24s %-15s %-17s %5s  %s\n", "MODEL", "NAME", "IP", "MAC", "WEB", "ADAPTER");
    for (const Row& r : rows) {
        std::printf("%-20s %-24s %-15s %-17s %5d  %s\n", r.Model.c_str(), r.Name.c_str(), r.Ip.c_str(), r.Mac.c_str(),
            r.WebPort, r.Adapter.c_str());
    }
    std::printf("%zu camera%s found\n", rows.size(), rows.size() == 1 ? "" : "s");
}

// Why no adapter was searched, in the user's words.
std::string NothingSearchedReason(const orv::CCamEngine& engine)
{
    switch (engine.m_nStatus) {
    case 12: return "could not open a socket on the first network adapter";
    case 13: return "could not enable broadcast on the first network adapter";
    case 14: return "could not send the search request on the first network adapter";
    default: break;
    }
    if (engine.m_nAddrCount == 0)
        return "no network adapter is up with an IPv4 address";
    return "no network adapter has a usable IPv4 address";
}

} // namespace

int RunSearchCommand(int argc, char** argv)
{
    const orvcli::CommandHelp& help = *orvcli::FindCommandHelp("search");
    bool json = false, csv = false, details = false;
    std::string adapter;
    // What "search --details" hands on to the details command.
    std::vector<char*> detailsArgs{const_cast<char*>("details")};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const orvcli::OptionKind kind = orvcli::KindOf(help, arg);
        if (orvcli::IsHelp(arg)) {
            orvcli::PrintCommandHelp(help, stdout);
            return 0;
        }
        if (kind == orvcli::OptionKind::Unknown)
            return orvcli::RefuseOption(help, arg);
        if (kind == orvcli::OptionKind::Value && i + 1 >= argc) {
            std::fprintf(stderr, "orvanta-cli search: %s needs a value\n", argv[i]);
            return orvcli::kExitUsageError;
        }
        if (arg == "--details") {
            details = true;
            continue;
        }
        detailsArgs.push_back(argv[i]);
        if (kind == orvcli::OptionKind::Value)
            detailsArgs.push_back(argv[i + 1]);
        json = json || arg == "--json";
        csv = csv || arg == "--csv";
        if (arg == "--interface")
            adapter = argv[i + 1];
        if (kind == orvcli::OptionKind::Value)
            ++i;
    }
    if (json && csv) {
        std::fputs("orvanta-cli search: --json and --csv do not go together\n", stderr);
        return orvcli::kExitUsageError;
    }
    if (details && csv) {
        std::fputs("orvanta-cli search: --details has no --csv form (use --json)\n", stderr);
        return orvcli::kExitUsageError;
    }
    if (details)
        return RunCameraCommand(static_cast<int>(detailsArgs.size()), detailsArgs.data());

    orv::CCamEngine engine;
    if (!adapter.empty()) {
        std::string why;
        if (!orvcli::RestrictSearchTo(engine, adapter, why)) {
            std::fprintf(stderr, "orvanta-cli search: %s\n", why.c_str());
            return orvcli::kExitUsageError;
        }
    }
    engine.StartSearch();
    while (!engine.IsSearchDone())
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    engine.WaitForSearch();
    engine.m_bSearching = 0;

    if (engine.m_nSearchedAdapters == 0) {
        std::fprintf(stderr, "orvanta-cli search: no adapter could be searched: %s\n",
            NothingSearchedReason(engine).c_str());
        return 1;
    }
    const std::vector<Row> rows = CollectRows(engine);
    if (json)
        PrintJson(rows);
    else if (csv)
        PrintCsv(rows);
    else
        PrintTable(rows);
    if (rows.empty())
        std::fprintf(stderr, "%s\n", orvcli::SkinMessage(orv::kMsgNoCameraFound, "\n").c_str());
    return 0;
}
