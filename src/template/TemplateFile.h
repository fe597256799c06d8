#pragma once
// Template files: where they live and how one is read and handed to the
// engine. Template text is narrow (ANSI code page), lines ended by CR LF.
#include <string>
#include <string_view>

namespace orv {

class CCamEngine;

constexpr std::size_t kTemplateTextBytes = 10000; // the pages' text area
constexpr std::size_t kTemplateKeptBytes = 9999;  // bytes of a file that count
constexpr std::size_t kTemplatePieceBytes = 257;  // read size

// The one place the template folder is made: programDir + "/" when missing +
// "tOrvanta/".
std::string TemplateFolderOf(std::string_view programDir);
// The template folder in the program's data folder (platform/core/DataFolder.h).
std::string TemplateFolder();

// Reads folder + fileName into `text` (zeroed first): at most the first 9999
// bytes, always zero-terminated. Returns 0, or 1 when the file cannot be
// opened (text then stays all zeros).
int ReadTemplateFile(std::string_view folder, std::string_view fileName, char (&text)[kTemplateTextBytes]);

// Hands template text to the engine as every template operation starts:
// ResetFieldTable, the text converted to wide into m_WorkText, ClearFields,
// ParseTemplate("\r\n").
void HandTemplateToEngine(CCamEngine& engine, const char (&text)[kTemplateTextBytes]);

// Both steps. Returns 0, or 1 when the file cannot be opened; then the field
// table is left as it was and nothing should be sent.
int LoadTemplateInto(CCamEngine& engine, std::string_view folder, std::string_view fileName,
    char (&text)[kTemplateTextBytes]);

} // namespace orv
