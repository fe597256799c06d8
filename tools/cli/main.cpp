// orvanta-cli: the engine's operations from a terminal, for scripts, template
// authors and people without a desktop.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "CliOptions.h"
#include "Commands.h"

namespace {

void PrintUsage(std::FILE* out)
{
    std::fputs("usage: orvanta-cli COMMAND [options]\ncommands:\n", out);
    for (const orvcli::CommandHelp& c : orvcli::AllCommands()) {
        const std::string purpose(c.Purpose, std::strcspn(c.Purpose, "\n"));
        std::fprintf(out, "  %-16s %s\n", c.Name, purpose.c_str());
    }
    std::fputs("orvanta-cli COMMAND --help lists the options of each command.\n", out);
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    if (argc < 2 || orvcli::IsHelp(argv[1])) {
        PrintUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? orvcli::kExitUsageError : 0;
    }
    const char* cmd = argv[1];
    if (!std::strcmp(cmd, "search"))
        return RunSearchCommand(argc - 1, argv + 1);
    if (!std::strcmp(cmd, "doctor"))
        return RunDoctorCommand(argc - 1, argv + 1);
    if (!std::strcmp(cmd, "template"))
        return RunTemplateCommand(argc - 1, argv + 1);
    if (!std::strcmp(cmd, "provision"))
        return RunProvisionCommand(argc - 1, argv + 1);
    if (IsCameraCommand(cmd))
        return RunCameraCommand(argc - 1, argv + 1);
    std::fprintf(stderr, "orvanta-cli: unknown command '%s'\n", cmd);
    PrintUsage(stderr);
    return orvcli::kExitUsageError;
}
