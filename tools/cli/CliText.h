#pragma once
// Text orvanta-cli prints. Camera and template texts may hold any byte, and
// no control character (DEL included) may reach a terminal raw: the plain
// output shows '?' for one, the --json output escapes it as \u00XX.
#include <string>
#include <vector>

namespace orvcli {

// `utf8` quoted as a JSON string; bytes from 0x80 up pass as they are.
std::string JsonString(const std::string& utf8);
// `utf8` with every control character turned into '?'.
std::string Printable(const std::string& utf8);
// One CSV cell (RFC 4180) of Printable text: quoted, with every quote
// doubled, when it holds a comma or a quote.
std::string CsvField(const std::string& utf8);
// The fields joined by commas, ended by CR LF (RFC 4180).
std::string CsvRow(const std::vector<std::string>& fields);

// Numbered message `number` as the wizard shows it (the settings file in the
// program's data folder, else the built-in or generic text), with each line
// break replaced by `lineBreak`.
std::string SkinMessage(int number, const std::string& lineBreak = " ");

} // namespace orvcli
