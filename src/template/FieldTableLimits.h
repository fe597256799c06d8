#pragma once
// Sizes shared by the field table, the parser and the codec.
#include <cstddef>
#include <cstdint>

#include "template/TemplateField.h"

namespace orv {

constexpr std::size_t kValueUnits = 300;  // TemplateField::Value, GetVar's out
constexpr std::size_t kVarNameUnits = 260; // SetVar keeps at most 259 units of a name
constexpr std::size_t kPartUnits = 255;    // each side of a template line's "="
constexpr int kHeaderUnits = 6;            // status block before the payload
constexpr int kMaxFieldUnits = 259;        // a field's Length (scratch area 260)
constexpr int kScratchUnits = 260;

// m_nFieldCount cut to 0..kMaxFields, so a bad count never walks off the table.
int FieldCountInUse(int32_t count);

// A field's Length as the codec uses it: 0..kMaxFieldUnits.
inline int FieldUnits(int32_t length)
{
    return length < 0 ? 0 : (length > kMaxFieldUnits ? kMaxFieldUnits : length);
}

} // namespace orv
