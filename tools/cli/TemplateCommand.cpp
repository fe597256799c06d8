// orvanta-cli template parse|encode|decode: the template engine for people
// who write template files for a new camera model.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "CliOptions.h"
#include "Commands.h"
#include "TemplateOutput.h"
#include "engine/CamEngine.h"
#include "template/TemplateFile.h"

using namespace orv;

namespace {

void PrintTemplateUsage(std::FILE* out = stderr)
{
    std::fputs("usage: orvanta-cli template parse FILE [--json]\n"
               "       orvanta-cli template encode FILE [NAME=VALUE ...] [--json]\n"
               "       orvanta-cli template decode FILE TYPE HEX [--json]\n"
               "decode places HEX as a reply's status block (Status, reserved, PayloadLength, payload);\n"
               "for TYPE 161 as a discovery payload. TYPE 165 needs no template: give FILE as -.\n"
               "options:\n"
               "  --json                   machine-readable output\n",
        out);
}

// Loads FILE into the engine as a template operation does; "-" leaves the
// table empty.
bool Load(CCamEngine& e, const std::string& file)
{
    e.ClearFields();
    if (file == "-")
        return true;
    static char text[kTemplateTextBytes];
    if (LoadTemplateInto(e, "", file, text) != 0) {
        std::fprintf(stderr, "orvanta-cli: cannot open template '%s'\n", file.c_str());
        return false;
    }
    return true;
}

bool ParseHex(const std::string& text, std::vector<uint8_t>& out)
{
    std::string digits;
    for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
        else if (c != ' ' && c != ':' && c != '-' && c != ',')
            return false;
    }
    if (digits.size() % 2)
        return false;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::strtoul(digits.substr(i, 2).c_str(), nullptr, 16)));
    return true;
}

// The key agreement traces to standard output; keep that for JSON readers
// clean by sending it to standard error while the engine runs.
class TraceToStderr {
public:
    TraceToStderr()
    {
        std::fflush(stdout);
        m_saved = dup(STDOUT_FILENO);
        if (m_saved >= 0)
            dup2(STDERR_FILENO, STDOUT_FILENO);
    }
    ~TraceToStderr()
    {
        std::fflush(stdout);
        if (m_saved >= 0) {
            dup2(m_saved, STDOUT_FILENO);
            close(m_saved);
        }
    }
    TraceToStderr(const TraceToStderr&) = delete;
    TraceToStderr& operator=(const TraceToStderr&) = delete;

private:
    int m_saved = -1;
};

int Encode(CCamEngine& e, const std::vector<std::string>& args, bool json)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::size_t eq = args[i].find('=');
        if (eq == std::string::npos || eq == 0) {
            std::fprintf(stderr, "orvanta-cli: expected NAME=VALUE, got '%s'\n", args[i].c_str());
            return 2;
        }
        if (e.SetVar(U16(args[i].substr(0, eq)).c_str(), U16(args[i].substr(eq + 1)).c_str()) != -1)
            std::fprintf(stderr, "orvanta-cli: field table full, '%s' not set\n", args[i].c_str());
    }
    {
        TraceToStderr trace;
        e.EncodeRequest();
    }
    PrintPayload(e, json);
    return 0;
}

int Decode(CCamEngine& e, const std::vector<std::string>& args, bool json)
{
    if (args.size() != 3) {
        PrintTemplateUsage();
        return 2;
    }
    char* end = nullptr;
    const long type = std::strtol(args[1].c_str(), &end, 0);
    std::vector<uint8_t> bytes;
    if (!end || *end || !ParseHex(args[2], bytes)) {
        std::fprintf(stderr, "orvanta-cli: bad TYPE or HEX\n");
        return 2;
    }
    if (bytes.size() > static_cast<std::size_t>(kWorkUnits))
        bytes.resize(kWorkUnits);
    for (int k = 0; k < kWorkUnits; ++k) {
        e.m_WireBytes[k] = 0;
        e.m_WorkText[k] = 0;
    }
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        e.m_WireBytes[k] = bytes[k];
        e.m_WorkText[k] = bytes[k];
    }
    {
        TraceToStderr trace;
        e.DecodeReply(static_cast<int32_t>(type));
    }
    PrintDecoded(e, static_cast<int>(type), json);
    return 0;
}

} // namespace

int RunTemplateCommand(int argc, char** argv)
{
    bool json = false;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        if (orvcli::IsHelp(argv[i])) {
            PrintTemplateUsage(stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--json"))
            json = true;
        else if (!std::strncmp(argv[i], "--", 2))
            return orvcli::RefuseOption(*orvcli::FindCommandHelp("template"), argv[i]);
        else
            args.emplace_back(argv[i]);
    }
    if (args.size() < 2) {
        PrintTemplateUsage();
        return 2;
    }
    const std::string cmd = args[0];
    args.erase(args.begin());
    auto e = std::make_unique<CCamEngine>();
    if (!Load(*e, args[0]))
        return 1;
    if (cmd == "parse" && args.size() == 1) {
        PrintParsedTable(*e, args[0], json);
        return 0;
    }
    if (cmd == "encode")
        return Encode(*e, args, json);
    if (cmd == "decode")
        return Decode(*e, args, json);
    PrintTemplateUsage();
    return 2;
}
