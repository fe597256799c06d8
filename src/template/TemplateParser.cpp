// ParseTemplate: the template grammar. One field per line,
//   name;length;extra1;extra2=extra3;textlength;default;transform
// with comment lines starting "/" or "[" and empty lines skipped.
#include <string_view>

#include "engine/CamEngine.h"
#include "template/FieldTableLimits.h"

namespace orv {
namespace {

using View = std::u16string_view;

bool IsWhite(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

View Trim(View s)
{
    while (!s.empty() && IsWhite(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsWhite(s.back()))
        s.remove_suffix(1);
    return s;
}

// The first four items of one side of a line. Runs of ";" are one separator
// and a leading ";" is ignored, so only trailing items can be missing.
struct Items {
    View item[4];
    bool usable[4] = {};
};

Items SplitItems(View part)
{
    Items out;
    std::size_t i = 0;
    for (int n = 0; n < 4; ++n) {
        while (i < part.size() && part[i] == u';')
            ++i;
        if (i >= part.size())
            break;
        std::size_t end = part.find(u';', i);
        if (end == View::npos)
            end = part.size();
        const View item = Trim(part.substr(i, end - i));
        out.item[n] = item;
        // Items holding a space are not stored: a field name or value never
        // has one.
        out.usable[n] = !item.empty() && item.find(u' ') == View::npos;
        i = end;
    }
    return out;
}

template <std::size_t N>
void Store(wchar (&dst)[N], View item)
{
    WCopy(dst, item);
}

// Builds the entry for one field line. Returns false when the line breaks the
// abort rule (a "=" line before the last one without its three mandatory
// left items).
bool ParseFieldLine(View line, bool lastLine, TemplateField& f)
{
    const std::size_t eq = line.find(u'=');
    const bool hasRight = eq != View::npos;
    const Items left = SplitItems(line.substr(0, hasRight ? eq : View::npos).substr(0, kPartUnits));
    if (hasRight && !lastLine && !(left.usable[1] && left.usable[2] && left.usable[3]))
        return false;
    if (left.usable[0])
        Store(f.Name, left.item[0]);
    if (left.usable[1])
        f.Length = WToInt(left.item[1]);
    if (left.usable[2])
        Store(f.Extra1, left.item[2]);
    if (left.usable[3])
        Store(f.Extra2, left.item[3]);
    if (!hasRight)
        return true;
    const Items right = SplitItems(line.substr(eq + 1).substr(0, kPartUnits));
    if (right.usable[0])
        Store(f.Extra3, right.item[0]);
    if (right.usable[1])
        f.TextLength = WToInt(right.item[1]);
    if (right.usable[2]) {
        Store(f.DefaultValue, right.item[2]);
        Store(f.Value, right.item[2]);
    }
    if (right.usable[3])
        Store(f.Transform, right.item[3]);
    return true;
}

} // namespace

int CCamEngine::ParseTemplate(const wchar* lineEnd)
{
    const View text(m_WorkText, WLen(m_WorkText, kWorkUnits));
    const View sep = lineEnd ? View(lineEnd, WLen(lineEnd)) : View();
    std::size_t pos = 0;
    for (;;) {
        const std::size_t end = sep.empty() ? View::npos : text.find(sep, pos);
        const bool last = end == View::npos;
        const View line = last ? text.substr(pos) : text.substr(pos, end - pos);
        // A final line end never changes parsing: a line followed only by it
        // is the last line too.
        const bool lastLine = last || end + sep.size() == text.size();
        if (!line.empty() && line.front() != u'/' && line.front() != u'[') {
            TemplateField f {};
            f.Kind = kParsed;
            if (!ParseFieldLine(line, lastLine, f)) {
                // Entries already inserted stay, but the table reads as empty.
                m_nFieldCount = 0;
                return 0;
            }
            InsertField(f);
        }
        if (last)
            break;
        pos = end + sep.size();
    }
    int count = 0;
    while (count < kMaxFields && m_Fields[count].Kind != kFree)
        ++count;
    m_nFieldCount = count;
    return 0;
}

} // namespace orv
