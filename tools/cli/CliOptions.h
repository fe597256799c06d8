#pragma once
// Every orvanta-cli command and the options it takes: one table read by the
// option parsers (unknown options are refused) and by each command's --help
// (which lists exactly what the parser accepts).
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace orvcli {

enum class OptionKind {
    Unknown,
    Flag,          // --json
    Value,         // --mac MAC
    OptionalValue, // --pin [PIN]: takes the next word unless it is an option
};

struct OptionHelp {
    const char* Name;  // "--mac"
    OptionKind Kind;
    const char* Value; // "MAC"; null for a flag
    const char* Help;
};

struct CommandHelp {
    const char* Name;     // "set-network"
    const char* Synopsis; // what follows the command name in the usage line
    const char* Purpose;
    std::vector<OptionHelp> Options;
};

// The command called `name`, or null.
const CommandHelp* FindCommandHelp(std::string_view name);
// Every command, in the order the overall usage lists them.
const std::vector<CommandHelp>& AllCommands();

// How the command takes `option`; Unknown when it does not.
OptionKind KindOf(const CommandHelp& command, std::string_view option);

// "usage: orvanta-cli NAME SYNOPSIS", the purpose and one line per option.
void PrintCommandHelp(const CommandHelp& command, std::FILE* out);

// True for "--help" and "-h".
bool IsHelp(std::string_view arg);

// --templates DIR: the folder as the template reader wants it, ending in '/'
// ("tpl" and "tpl/" name the same folder).
std::string TemplateDirOption(const std::string& value);

// --reply-wait SECONDS: whole seconds from 1 to 3600. False for anything else.
bool ParseSeconds(const std::string& text, int& seconds);

// Exit code for a command line that cannot be used.
constexpr int kExitUsageError = 2;

// Reports an option the command does not take (with a pointer to --help);
// returns kExitUsageError.
int RefuseOption(const CommandHelp& command, std::string_view option);

} // namespace orvcli
