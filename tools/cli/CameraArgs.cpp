#include "CameraArgs.h"

#include "CliOptions.h"
#include "CliText.h"
#include "SearchScope.h"
#include "platform/core/CameraText.h"
#include "platform/core/WideText.h"
#include "skin/core/ProfileDecode.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvcli {

bool IsValuedOption(const char* arg)
{
    for (const CommandHelp& c : AllCommands()) {
        const OptionKind kind = KindOf(c, arg);
        if (kind == OptionKind::Value)
            return true;
    }
    return false;
}

bool CameraArgs::Has(const std::string& flag) const
{
    for (const auto& f : Flags)
        if (f == flag)
            return true;
    return false;
}

std::string CameraArgs::Value(const std::string& key, const std::string& fallback) const
{
    const auto it = Values.find(key);
    return it == Values.end() ? fallback : it->second;
}

bool ParseCameraArgs(int argc, char** argv, CameraArgs& out)
{
    out.Command = argv[0];
    const CommandHelp* help = FindCommandHelp(out.Command);
    if (!help)
        return false;
    if (const char* u = std::getenv("ORVANTA_USER"))
        out.User = u;
    if (const char* p = std::getenv("ORVANTA_PASSWORD"))
        out.Password = p;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const OptionKind kind = KindOf(*help, arg);
        if (kind == OptionKind::Unknown) {
            if (arg.rfind("-", 0) == 0)
                RefuseOption(*help, arg);
            else
                std::fprintf(stderr, "orvanta-cli %s: unexpected '%s'\n", out.Command.c_str(), arg.c_str());
            return false;
        }
        if (arg == "--json") {
            out.Json = true;
            continue;
        }
        if (kind == OptionKind::Flag) {
            out.Flags.push_back(arg);
            continue;
        }
        const bool hasValue = i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0;
        if (kind == OptionKind::OptionalValue && !hasValue) {
            out.Flags.push_back(arg);
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "orvanta-cli %s: %s needs a value\n", out.Command.c_str(), arg.c_str());
            return false;
        }
        const std::string value = argv[++i];
        if (kind == OptionKind::OptionalValue)
            out.Flags.push_back(arg);
        if (arg == "--mac") out.Mac = value;
        else if (arg == "--templates") out.TemplateDir = TemplateDirOption(value);
        else if (arg == "--interface") {
            std::string why;
            if (!AdapterCanBeSearched(value, why)) {
                std::fprintf(stderr, "orvanta-cli %s: %s\n", out.Command.c_str(), why.c_str());
                return false;
            }
            out.Interface = value;
        }
        else if (arg == "--user") out.User = value;
        else if (arg == "--password") out.Password = value;
        else if (arg == "--to") out.To = value;
        else if (arg == "--reply-wait") {
            if (!ParseSeconds(value, out.WaitSeconds)) {
                std::fprintf(stderr, "orvanta-cli %s: --reply-wait wants whole seconds from 1 to 3600, not '%s'\n",
                    out.Command.c_str(), value.c_str());
                return false;
            }
        } else out.Values[arg] = value;
    }
    if (out.User.empty())
        out.User = "admin";
    return true;
}

bool CheckCameraTexts(const CameraArgs& args)
{
    struct Entry {
        const char* Option;
        std::string Value;
        bool Secret; // never echoed, not even one character of it
    };
    const Entry entries[] = {{"--user (or ORVANTA_USER)", args.User, false},
        {"--password (or ORVANTA_PASSWORD)", args.Password, true},
        {"--new-password", args.Value("--new-password"), true}, {"--name", args.Value("--name"), false},
        {"--essid", args.Value("--essid"), false}, {"--key", args.Value("--key"), true}};
    const char* cmd = args.Command.c_str();
    for (const Entry& e : entries) {
        std::u16string text;
        if (!orv::DecodeUtf8Strict(e.Value, text)) {
            std::fprintf(stderr, "orvanta-cli %s: %s is not UTF-8 text; nothing was sent\n", cmd, e.Option);
            return false;
        }
        const std::size_t at = orv::FindNonCameraChar(text);
        if (at == std::u16string::npos)
            continue;
        std::string which;
        if (!e.Secret) {
            const std::size_t n = at + 1 < text.size() && text[at] >= 0xD800 && text[at] < 0xDC00 ? 2 : 1;
            which = " '" + Printable(orv::Utf8(text.substr(at, n))) + "'";
        }
        std::fprintf(stderr,
            "orvanta-cli %s: %s holds a character%s that a camera cannot store; only characters up to U+00FF "
            "(Latin-1: English and Western European letters, digits, the usual symbols) can be sent; nothing was sent\n",
            cmd, e.Option, which.c_str());
        return false;
    }
    return true;
}

void PrintCameraUsage(const std::string& command, std::FILE* out)
{
    if (const CommandHelp* help = FindCommandHelp(command)) {
        PrintCommandHelp(*help, out);
    } else {
        std::fputs("camera commands: details verify caps wlan set-network set-wlan change-password reset wps\n"
                   "(orvanta-cli COMMAND --help lists the options of each)\n", out);
    }
    std::fputs("exit codes: 0 done, 2 usage, 3 camera not found, 4 template missing, 5 login refused,\n"
               "            6 no reply, 7 camera error code, 8 WPS pairing failed\n",
        out);
}

void Report::Add(const std::string& key, const std::string& value)
{
    m_Items.emplace_back(key, JsonString(value));
    m_Plain.emplace_back(key, Printable(value));
}

void Report::AddNumber(const std::string& key, long long value)
{
    m_Items.emplace_back(key, std::to_string(value));
    m_Plain.emplace_back(key, std::to_string(value));
}

void Report::AddList(const std::string& key, const std::vector<long long>& values)
{
    std::string json = "[", plain;
    for (std::size_t i = 0; i < values.size(); ++i) {
        json += (i ? ", " : "") + std::to_string(values[i]);
        plain += (i ? " " : "") + std::to_string(values[i]);
    }
    m_Items.emplace_back(key, json + "]");
    m_Plain.emplace_back(key, plain);
}

Outcome DescribeOutcome(int pageResult, int msgCode)
{
    if (pageResult == 1)
        return {kExitTemplateMissing, "a template file is missing"};
    if (pageResult == 18 || pageResult == 29)
        return {kExitRefused, "the camera refused the administrator ID or password"};
    if (pageResult == 30 && msgCode == 1500)
        return {kExitNoReply, "the camera did not answer"};
    if (pageResult == 30 && msgCode == 1501)
        return {kExitCameraError, "the camera does not support WPS push button"};
    if (pageResult == 30)
        return {kExitCameraError, "the camera reported error code " + std::to_string(msgCode)};
    if (pageResult != -1)
        return {kExitFailed, "failed with result " + std::to_string(pageResult)};
    return {kExitOk, "done"};
}

int Report::Finish(int pageResult, int msgCode)
{
    const Outcome outcome = DescribeOutcome(pageResult, msgCode);
    const int code = outcome.ExitCode;
    const std::string& message = outcome.Message;
    if (m_Json) {
        std::printf("{\"ok\": %s, \"result\": %d, \"code\": %d, \"message\": %s", code == kExitOk ? "true" : "false",
            pageResult, msgCode, JsonString(message).c_str());
        for (const auto& [k, v] : m_Items)
            std::printf(", %s: %s", JsonString(k).c_str(), v.c_str());
        std::printf("}\n");
    } else {
        for (const auto& [k, v] : m_Plain)
            std::printf("%s: %s\n", k.c_str(), v.c_str());
        std::fprintf(code == kExitOk ? stdout : stderr, "%s\n", message.c_str());
    }
    return code;
}

} // namespace orvcli
