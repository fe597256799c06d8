// orvanta-cli: the engine's operations from a terminal, for scripts, template
// authors and people without a desktop.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <vector>

#include "Commands.h"

namespace {

void PrintUsage()
{
    std::fputs("usage: orvanta-cli COMMAND [options]\n"
               "commands:\n"
               "  search [--json] [--details]     list the cameras on every network\n"
               "  template parse|encode|decode    inspect template files\n"
               "  details, verify, caps, wlan, set-network, set-wlan, change-password, reset, wps\n"
               "                                  talk to one camera (orvanta-cli verify --help)\n"
               "  provision PLAN.csv [--jobs N] [--dry-run] [--json|--csv]\n"
               "                                  set up every camera of a plan (orvanta-cli provision --help)\n"
               "exit codes: 0 done, 2 usage, 3 camera not found, 4 template missing, 5 login refused,\n"
               "            6 no reply, 7 camera error code, 8 WPS pairing failed, 9 a provision row failed\n",
        stderr);
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        PrintUsage();
        return argc < 2 ? 2 : 0;
    }
    const char* cmd = argv[1];
    if (!std::strcmp(cmd, "search")) {
        // "search --details" decodes each camera's reply as the list page's
        // read-back does: that is the details command.
        std::vector<char*> rest{const_cast<char*>("details")};
        bool details = false;
        for (int i = 2; i < argc; ++i) {
            if (!std::strcmp(argv[i], "--details"))
                details = true;
            else
                rest.push_back(argv[i]);
        }
        if (details)
            return RunCameraCommand(static_cast<int>(rest.size()), rest.data());
        return RunSearchCommand(argc - 1, argv + 1);
    }
    if (!std::strcmp(cmd, "template"))
        return RunTemplateCommand(argc - 1, argv + 1);
    if (!std::strcmp(cmd, "provision"))
        return RunProvisionCommand(argc - 1, argv + 1);
    if (IsCameraCommand(cmd))
        return RunCameraCommand(argc - 1, argv + 1);
    std::fprintf(stderr, "orvanta-cli: unknown command '%s'\n", cmd);
    PrintUsage();
    return 2;
}
