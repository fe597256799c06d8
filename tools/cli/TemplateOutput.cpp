#include "TemplateOutput.h"

#include <cstdio>

#include "CliText.h"
#include "engine/CamEngine.h"

using namespace orv;

namespace {

std::u16string Str(const wchar* s, std::size_t cap)
{
    return {s, WLen(s, cap)};
}

template <std::size_t N>
std::u16string Str(const wchar (&s)[N])
{
    return Str(s, N);
}

// Every field line either adds an entry or stops the parse, so an empty
// table from text that holds a field line means the abort rule struck. The
// parser leaves the text in m_WorkText.
bool ParseAborted(const CCamEngine& e)
{
    if (e.m_nFieldCount != 0)
        return false;
    const std::u16string_view text(e.m_WorkText, WLen(e.m_WorkText, kWorkUnits));
    std::size_t pos = 0;
    for (;;) {
        const std::size_t end = text.find(u"\r\n", pos);
        const std::u16string_view line = text.substr(pos, end == std::u16string_view::npos ? end : end - pos);
        if (!line.empty() && line.front() != u'/' && line.front() != u'[')
            return true;
        if (end == std::u16string_view::npos)
            return false;
        pos = end + 2;
    }
}

} // namespace

std::string TemplateTextForTerminal(const std::u16string& text)
{
    std::u16string safe;
    std::string out;
    for (char16_t c : text) {
        if (c < 0x20 || c == 0x7F) {
            out += Utf8(safe);
            safe.clear();
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(c));
            out += hex;
        } else {
            safe.push_back(c);
        }
    }
    return out + Utf8(safe);
}

std::string TemplateJsonString(const std::u16string& text)
{
    return orvcli::JsonString(Utf8(text));
}

void PrintParsedTable(const CCamEngine& e, const std::string& file, bool json)
{
    const bool aborted = ParseAborted(e);
    if (json) {
        std::printf("{\"file\":%s,\"aborted\":%s,\"fields\":[", TemplateJsonString(U16(file)).c_str(),
            aborted ? "true" : "false");
        for (int i = 0; i < e.m_nFieldCount; ++i) {
            const TemplateField& f = e.m_Fields[i];
            std::printf("%s{\"name\":%s,\"length\":%d,\"extra1\":%s,\"extra2\":%s,\"extra3\":%s,"
                        "\"textLength\":%d,\"default\":%s,\"value\":%s,\"transform\":%s}",
                i ? "," : "", TemplateJsonString(Str(f.Name)).c_str(), f.Length,
                TemplateJsonString(Str(f.Extra1)).c_str(), TemplateJsonString(Str(f.Extra2)).c_str(),
                TemplateJsonString(Str(f.Extra3)).c_str(), f.TextLength,
                TemplateJsonString(Str(f.DefaultValue)).c_str(), TemplateJsonString(Str(f.Value)).c_str(),
                TemplateJsonString(Str(f.Transform)).c_str());
        }
        std::printf("]}\n");
        return;
    }
    std::printf("%s: %d field(s)\n", file.c_str(), e.m_nFieldCount);
    if (aborted)
        std::printf("parsing stopped: a line with \"=\" before the last line lacks its length, extra1 or extra2 "
                    "item (or one holds a space); the table reads as empty\n");
    int offset = 0;
    for (int i = 0; i < e.m_nFieldCount; ++i) {
        const TemplateField& f = e.m_Fields[i];
        std::printf("%3d  @%-5d %-24s len=%-4d extra=%s;%s;%s textlen=%d default=\"%s\" conversion=%s\n", i, offset,
            TemplateTextForTerminal(Str(f.Name)).c_str(), f.Length, TemplateTextForTerminal(Str(f.Extra1)).c_str(),
            TemplateTextForTerminal(Str(f.Extra2)).c_str(), TemplateTextForTerminal(Str(f.Extra3)).c_str(),
            f.TextLength, TemplateTextForTerminal(Str(f.DefaultValue)).c_str(),
            f.Transform[0] ? TemplateTextForTerminal(Str(f.Transform)).c_str() : "(none: zeros)");
        offset += f.Length > 0 ? f.Length : 0;
    }
}

void PrintPayload(const CCamEngine& e, bool json)
{
    std::string hex;
    for (int k = 0; k < e.m_nPayloadLength; ++k) {
        char b[4];
        std::snprintf(b, sizeof b, "%02x", e.m_WireBytes[6 + k]);
        hex += b;
    }
    if (json) {
        std::printf("{\"length\":%d,\"payload\":\"%s\"}\n", e.m_nPayloadLength, hex.c_str());
        return;
    }
    std::printf("length %d\n", e.m_nPayloadLength);
    for (std::size_t i = 0; i < hex.size(); i += 32) {
        std::string line;
        for (std::size_t k = i; k < i + 32 && k < hex.size(); k += 2)
            line += hex.substr(k, 2) + " ";
        line.pop_back();
        std::printf("%04zx  %s\n", i / 2, line.c_str());
    }
}

void PrintDecoded(const CCamEngine& e, int type, bool json)
{
    if (json)
        std::printf("{\"type\":%d,\"fields\":[", type);
    for (int i = 0; i < e.m_nFieldCount; ++i) {
        const TemplateField& f = e.m_Fields[i];
        if (json)
            std::printf("%s{\"name\":%s,\"value\":%s}", i ? "," : "", TemplateJsonString(Str(f.Name)).c_str(),
                TemplateJsonString(Str(f.Value)).c_str());
        else
            std::printf("%s=%s\n", TemplateTextForTerminal(Str(f.Name)).c_str(),
                TemplateTextForTerminal(Str(f.Value)).c_str());
    }
    if (json)
        std::printf("]}\n");
}
