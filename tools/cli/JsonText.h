#pragma once
// JSON string literals for orvanta-cli's --json output. Camera and template
// texts may hold any byte: quotes and backslashes are escaped, and control
// characters (DEL too) become \u00XX so none reaches a terminal raw.
#include <string>

namespace orvcli {

// `utf8` quoted as a JSON string; bytes from 0x80 up pass as they are.
std::string JsonString(const std::string& utf8);

} // namespace orvcli
