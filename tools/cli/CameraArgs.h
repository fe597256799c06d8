#pragma once
// Options shared by the camera commands of orvanta-cli, and how their
// outcome is reported (text or JSON) and turned into an exit code.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace orvcli {

struct CameraArgs {
    std::string Command;
    std::string Mac;           // --mac: the camera, as the search lists it
    std::string TemplateDir;   // --templates, always ending in '/' (default: the data folder's)
    std::string Interface;     // --interface: search from this adapter only
    std::string User, Password; // --user/--password, else ORVANTA_USER/ORVANTA_PASSWORD
    bool Json = false;
    int WaitSeconds = 10;      // --reply-wait: seconds per try
    std::string To;            // --to HOST:PORT: ask one address instead of searching (tests)
    std::map<std::string, std::string> Values; // command options (--ip, --essid, ...)
    std::vector<std::string> Flags;            // command flags (--dhcp, --pbc, ...)
    bool Has(const std::string& flag) const;
    std::string Value(const std::string& key, const std::string& fallback = "") const;
};

// Exit codes of the camera commands.
enum Exit {
    kExitOk = 0,
    kExitUsage = 2,
    kExitNotFound = 3,
    kExitTemplateMissing = 4,
    kExitRefused = 5,
    kExitNoReply = 6,
    kExitCameraError = 7,
    kExitFailed = 8,
};

// What a page result (and its message code) means to a command-line user,
// and the exit code it gives.
struct Outcome {
    int ExitCode = kExitOk;
    std::string Message;
};
Outcome DescribeOutcome(int pageResult, int msgCode);

// True for an option that takes the next argument as its value (in any
// command's option table).
bool IsValuedOption(const char* arg);

// False with a message on stderr when the command line is not usable:
// an option the command does not take, a missing or malformed value.
bool ParseCameraArgs(int argc, char** argv, CameraArgs& out);
// The command's usage and options, and the exit codes.
void PrintCameraUsage(const std::string& command, std::FILE* out);
// False with a message on stderr when a text meant for the camera (ID,
// passwords, name, network name, key) is not UTF-8 or holds a character a
// camera cannot store. Checked before the first datagram of the run.
bool CheckCameraTexts(const CameraArgs& args);

// One line of "key: value" output, or one JSON member.
class Report {
public:
    explicit Report(bool json) : m_Json(json) {}
    void Add(const std::string& key, const std::string& value);
    void AddNumber(const std::string& key, long long value);
    void AddList(const std::string& key, const std::vector<long long>& values);
    // Prints everything with the outcome of a page result; returns the exit code.
    int Finish(int pageResult, int msgCode);

private:
    bool m_Json;
    std::vector<std::pair<std::string, std::string>> m_Items; // value already formatted for JSON
    std::vector<std::pair<std::string, std::string>> m_Plain;
};

} // namespace orvcli
