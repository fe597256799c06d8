// orvanta-cli provision PLAN.csv: a whole site's cameras set up in one run.
// The plan is read and checked, one search finds the cameras, then each
// planned camera goes through the wizard's own conversation (login,
// capabilities, wireless read-back, password, settings, wireless, restart
// as its model needs, the camera's waits), --jobs cameras at a time.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CameraArgs.h"
#include "CameraSearch.h"
#include "CliOptions.h"
#include "Commands.h"
#include "ProvisionCamera.h"
#include "ProvisionJobs.h"
#include "ProvisionReport.h"
#include "template/TemplateFile.h"

namespace orvcli {

namespace {

constexpr int kExitSomeFailed = 9;
constexpr int kDefaultJobs = 8;
constexpr int kMaxJobs = 64;

struct ProvisionArgs {
    std::string PlanPath;
    int Jobs = kDefaultJobs;
    bool DryRun = false;
    ReportFormat Format = ReportFormat::Table;
    CameraArgs Camera; // --templates, --interface, --user, --password, --reply-wait, --to
};

// The options come from the command table (CliOptions.cpp), as for every
// other command.
void PrintProvisionUsage(std::FILE* out = stderr)
{
    PrintCommandHelp(*FindCommandHelp("provision"), out);
    std::fputs("exit codes: 0 every row succeeded, 2 usage or unreadable plan, 9 a row failed\n", out);
}

bool ParseProvisionArgs(int argc, char** argv, ProvisionArgs& out)
{
    std::vector<char*> rest{argv[0]};
    bool json = false, csv = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--jobs") {
            char* end = nullptr;
            const long n = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : 0;
            if (i + 1 >= argc || *end || n < 1 || n > kMaxJobs) {
                std::fprintf(stderr, "orvanta-cli provision: --jobs wants a number from 1 to %d\n", kMaxJobs);
                return false;
            }
            out.Jobs = static_cast<int>(n);
            ++i;
        } else if (arg == "--dry-run") {
            out.DryRun = true;
        } else if (arg == "--csv") {
            csv = true;
        } else if (arg == "--json") {
            json = true;
        } else if (IsValuedOption(argv[i])) {
            rest.push_back(argv[i]);
            if (i + 1 < argc)
                rest.push_back(argv[++i]);
        } else if (arg.rfind("--", 0) != 0 && out.PlanPath.empty()) {
            out.PlanPath = arg;
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (!ParseCameraArgs(static_cast<int>(rest.size()), rest.data(), out.Camera) || !CheckCameraTexts(out.Camera))
        return false;
    const CameraArgs& c = out.Camera;
    if (!c.Flags.empty() || !c.Values.empty() || !c.Mac.empty()) {
        std::fputs("orvanta-cli provision: the plan holds each camera's settings; unknown option given\n", stderr);
        return false;
    }
    if (out.PlanPath.empty() || (json && csv)) {
        std::fputs(out.PlanPath.empty() ? "orvanta-cli provision: no plan file given\n"
                                        : "orvanta-cli provision: choose --json or --csv, not both\n",
            stderr);
        return false;
    }
    out.Format = json ? ReportFormat::Json : csv ? ReportFormat::Csv : ReportFormat::Table;
    return true;
}

} // namespace

} // namespace orvcli

using namespace orvcli;

int RunProvisionCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (IsHelp(argv[i])) {
            PrintProvisionUsage(stdout);
            return kExitOk;
        }
    }
    ProvisionArgs args;
    if (!ParseProvisionArgs(argc, argv, args)) {
        PrintProvisionUsage();
        return kExitUsage;
    }
    const Plan plan = ReadPlanFile(args.PlanPath);
    if (!plan.Error.empty()) {
        std::fprintf(stderr, "orvanta-cli provision: %s: %s\n", args.PlanPath.c_str(), plan.Error.c_str());
        return kExitUsage;
    }

    std::vector<RowResult> results(plan.Rows.size());
    std::vector<std::size_t> queued;   // rows whose camera is worked on
    std::vector<int> recordOf(plan.Rows.size(), -1);
    for (std::size_t i = 0; i < plan.Rows.size(); ++i) {
        results[i].Line = plan.Rows[i].Line;
        results[i].Mac = plan.Rows[i].Mac;
        if (!plan.Rows[i].Ok())
            results[i].Outcome.Message = "bad row: " + plan.Rows[i].Error;
        else
            queued.push_back(i);
    }

    orv::CCamEngine search;
    search.m_nReplyWaitSeconds = args.Camera.WaitSeconds;
    if (!queued.empty())
        FindCameras(search, args.Camera);
    std::vector<std::size_t> found;
    for (std::size_t i : queued) {
        recordOf[i] = FindIndex(search, plan.Rows[i].Mac);
        if (recordOf[i] < 0)
            results[i].Outcome.Message = "not found: the camera did not answer the search";
        else
            found.push_back(i);
    }

    ProvisionSetup setup;
    setup.TemplateDir = args.Camera.TemplateDir.empty() ? orv::TemplateFolder() : args.Camera.TemplateDir;
    setup.User = orv::U16(args.Camera.User);
    setup.Password = orv::U16(args.Camera.Password);
    setup.ReplyWaitSeconds = args.Camera.WaitSeconds;
    setup.DryRun = args.DryRun;

    ProgressLine progress(stderr, args.Format == ReportFormat::Table);
    const std::size_t settled = plan.Rows.size() - found.size();
    progress.Show(settled, plan.Rows.size());
    RunJobs(
        found.size(), args.Jobs,
        [&](std::size_t k) {
            const std::size_t i = found[k];
            results[i].Outcome = ProvisionCamera(search, recordOf[i], plan.Rows[i], setup);
        },
        [&](std::size_t done) { progress.Show(settled + done, plan.Rows.size()); });
    progress.Finish();

    PrintResults(results, args.Format, args.DryRun, stdout);
    for (const RowResult& r : results)
        if (!r.Outcome.Ok)
            return kExitSomeFailed;
    return kExitOk;
}
