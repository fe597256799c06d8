#include "skin/core/ProfileFile.h"

#include "platform/core/WideText.h"
#include "skin/core/ProfileDecode.h"

#include <sys/stat.h>

#include <cstdio>
#include <map>
#include <mutex>

namespace orv {

namespace {

char16_t FoldCase(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char16_t>(c + 32);
    return c;
}

// A zero character ends a line as well: it never belongs to a value.
constexpr char16_t kLineBreakUnits[] = {u'\r', u'\n', u'\0'};
constexpr std::u16string_view kLineBreaks(kLineBreakUnits, 3);

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

std::u16string_view Trim(std::u16string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A value written as "text" or 'text' is read without its quotes.
std::u16string_view Unquote(std::u16string_view v)
{
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

std::u16string CutValue(std::u16string_view v)
{
    if (v.size() > CProfileFile::kMaxValue) {
        v = v.substr(0, CProfileFile::kMaxValue);
        // Never leave half of a surrogate pair at the end.
        if (v.back() >= 0xD800 && v.back() < 0xDC00)
            v.remove_suffix(1);
    }
    return std::u16string(v);
}

} // namespace

bool ProfileNameEqual(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

CProfileFile CProfileFile::Parse(std::string_view bytes)
{
    if (bytes.size() > kMaxFileBytes)
        bytes = bytes.substr(0, kMaxFileBytes);
    const std::u16string text = DecodeProfileBytes(bytes);
    CProfileFile file;
    Section* current = nullptr;
    std::u16string_view rest(text);
    while (!rest.empty()) {
        std::size_t eol = rest.find_first_of(kLineBreaks);
        std::u16string_view line = Trim(rest.substr(0, eol));
        rest = eol == std::u16string_view::npos ? std::u16string_view() : rest.substr(eol + 1);
        if (line.empty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            std::u16string_view name = line.substr(1);
            name = Trim(name.substr(0, name.find(u']')));
            current = nullptr;
            for (Section& s : file.m_sections)
                if (ProfileNameEqual(s.name, name))
                    current = &s;
            if (current == nullptr) {
                file.m_sections.push_back(Section{std::u16string(name), {}});
                current = &file.m_sections.back();
            } else {
                // A repeated section adds nothing: the first one is the one read.
                current = nullptr;
            }
            continue;
        }
        std::size_t eq = line.find(u'=');
        if (current == nullptr || eq == std::u16string_view::npos)
            continue;
        std::u16string_view key = Trim(line.substr(0, eq));
        std::u16string_view value = Unquote(Trim(line.substr(eq + 1)));
        bool known = false;
        for (const Entry& e : current->entries)
            known = known || ProfileNameEqual(e.key, key);
        if (!known)
            current->entries.push_back(Entry{std::u16string(key), CutValue(value)});
    }
    return file;
}

const CProfileFile::Section* CProfileFile::FindSection(std::u16string_view name) const
{
    for (const Section& s : m_sections)
        if (ProfileNameEqual(s.name, name))
            return &s;
    return nullptr;
}

bool CProfileFile::Read(std::u16string_view section, std::u16string_view key,
                        std::u16string& out) const
{
    out.clear();
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            if (ProfileNameEqual(e.key, key)) {
                out = e.value;
                break;
            }
    return !out.empty();
}

std::u16string CProfileFile::GetString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view def) const
{
    std::u16string value;
    if (Read(section, key, value))
        return value;
    return CutValue(def);
}

int32_t CProfileFile::GetInt(std::u16string_view section, std::u16string_view key,
                             int32_t def) const
{
    std::u16string value;
    if (Read(section, key, value))
        return WToInt(value);
    return def;
}

bool CProfileFile::HasSection(std::u16string_view section) const
{
    return FindSection(section) != nullptr;
}

std::vector<std::u16string> CProfileFile::SectionNames() const
{
    std::vector<std::u16string> names;
    for (const Section& s : m_sections)
        names.push_back(s.name);
    return names;
}

std::vector<std::u16string> CProfileFile::KeyNames(std::u16string_view section) const
{
    std::vector<std::u16string> names;
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            names.push_back(e.key);
    return names;
}

std::shared_ptr<const CProfileFile> LoadProfile(const std::string& path)
{
    struct Cached {
        long long size = -1;
        long long mtimeNs = -1;
        std::shared_ptr<const CProfileFile> file;
    };
    static std::mutex lock;
    static std::map<std::string, Cached> cache;

    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::make_shared<const CProfileFile>();
    const long long size = st.st_size;
    const long long mtimeNs = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;

    std::lock_guard<std::mutex> guard(lock);
    Cached& entry = cache[path];
    if (entry.file && entry.size == size && entry.mtimeNs == mtimeNs)
        return entry.file;

    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[65536];
        std::size_t n = 0;
        while (bytes.size() < CProfileFile::kMaxFileBytes && (n = std::fread(buf, 1, sizeof buf, f)) > 0)
            bytes.append(buf, n);
        std::fclose(f);
    } else {
        return std::make_shared<const CProfileFile>();
    }
    entry.size = size;
    entry.mtimeNs = mtimeNs;
    entry.file = std::make_shared<const CProfileFile>(CProfileFile::Parse(bytes));
    return entry.file;
}

} // namespace orv
