#include "CliText.h"

#include <cstdio>

#include "platform/core/DataFolder.h"
#include "platform/core/WideText.h"
#include "skin/core/LayoutReader.h"

namespace orvcli {

std::string JsonString(const std::string& utf8)
{
    std::string out = "\"";
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04x", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Printable(const std::string& utf8)
{
    std::string out = utf8;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return out;
}

std::string CsvField(const std::string& utf8)
{
    const std::string text = Printable(utf8);
    if (text.find_first_of(",\"") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string CsvRow(const std::vector<std::string>& fields)
{
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i)
        row += (i ? "," : "") + CsvField(fields[i]);
    return row + "\r\n";
}

std::string SkinMessage(int number, const std::string& lineBreak)
{
    const auto profile = orv::LoadProfile(orv::SettingsFileIn(orv::DataFolder()));
    const std::string text = orv::Utf8(orv::MessageText(*profile, number));
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            out += lineBreak;
            ++i;
        } else {
            out += Printable(text.substr(i, 1));
        }
    }
    return out;
}

} // namespace orvcli
