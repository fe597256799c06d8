#pragma once
// Printing of field tables and payloads for `orvanta-cli template`, as plain
// text for people or as JSON for scripts.
#include <cstdint>
#include <string>

namespace orv {
class CCamEngine;
}

// Text safe to print: control characters become \xNN (plain) or JSON escapes.
std::string TemplateTextForTerminal(const std::u16string& text);
std::string TemplateJsonString(const std::u16string& text);

// `parse`: every entry in use, with what the parser kept; says when the abort
// rule emptied the table.
void PrintParsedTable(const orv::CCamEngine& e, const std::string& file, bool json);
// `encode`: the payload bytes in hex and their count.
void PrintPayload(const orv::CCamEngine& e, bool json);
// `decode`: every NAME=VALUE of the table after decoding.
void PrintDecoded(const orv::CCamEngine& e, int type, bool json);
