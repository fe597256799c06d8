// The engine's template field table: clearing, inserting and the name/value
// operations the pages use around an encode or a decode.
#include <cstring>

#include "engine/CamEngine.h"
#include "template/FieldTableLimits.h"

namespace orv {
namespace {

void EmptyEntry(TemplateField& f)
{
    std::memset(&f, 0, sizeof f);
    f.Kind = kFree;
}

template <std::size_t N>
void Terminate(wchar (&s)[N])
{
    s[N - 1] = 0;
}

} // namespace

int FieldCountInUse(int32_t count)
{
    return count < 0 ? 0 : (count > kMaxFields ? kMaxFields : count);
}

void CCamEngine::ClearFields()
{
    for (auto& f : m_Fields)
        EmptyEntry(f);
    m_nFieldCount = 0;
}

void CCamEngine::ResetFieldTable()
{
    for (auto& f : m_Fields) {
        std::memset(f.Name, 0, sizeof f.Name);
        std::memset(f.Value, 0, sizeof f.Value);
        f.Kind = kFree;
    }
    m_nFieldCount = 0;
}

void CCamEngine::InsertField(const TemplateField& entry)
{
    for (auto& f : m_Fields) {
        if (f.Kind != kFree)
            continue;
        if (&f != &entry)
            f = entry;
        // Every lookup relies on terminated strings, whatever the caller built.
        Terminate(f.Name);
        Terminate(f.Value);
        Terminate(f.Extra1);
        Terminate(f.Extra2);
        Terminate(f.Extra3);
        Terminate(f.DefaultValue);
        Terminate(f.Transform);
        return;
    }
}

int32_t CCamEngine::SetVar(const wchar* name, const wchar* text)
{
    if (!name)
        return 0;
    wchar key[kVarNameUnits];
    WCopy(key, kVarNameUnits, name);
    if (!text)
        text = u"";
    const int count = FieldCountInUse(m_nFieldCount);
    for (int i = 0; i < count; ++i) {
        TemplateField& f = m_Fields[i];
        if (WEqual(f.Name, key)) {
            std::memset(f.Value, 0, sizeof f.Value);
            WCopy(f.Value, text);
            f.Kind = kAssigned;
            return -1;
        }
    }
    if (count >= kMaxFields)
        return 0; // table full: nothing stored
    // A new variable never takes room on the wire, whatever the entry held.
    TemplateField& f = m_Fields[count];
    EmptyEntry(f);
    WCopy(f.Name, key);
    WCopy(f.Value, text);
    f.Kind = kAssigned;
    m_nFieldCount = count + 1;
    return -1;
}

int32_t CCamEngine::SetVarInt(const wchar* name, int32_t value)
{
    const std::u16string text = WFromInt(value);
    return SetVar(name, text.c_str());
}

void CCamEngine::GetVar(const wchar* name, wchar* out) const
{
    if (!out)
        return;
    WCopy(out, kValueUnits, u"ERROR");
    if (!name)
        return;
    const int count = FieldCountInUse(m_nFieldCount);
    for (int i = 0; i < count; ++i) {
        if (WEqual(m_Fields[i].Name, name)) {
            WCopy(out, kValueUnits, m_Fields[i].Value);
            return;
        }
    }
}

} // namespace orv
