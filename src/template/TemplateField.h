#pragma once
// One entry of the template field table (see TemplateFile.h for the grammar).
#include <cstdint>

#include "platform/core/WideText.h"

namespace orv {

constexpr int32_t kFree = -1;
constexpr int32_t kParsed = 0;
constexpr int32_t kAssigned = 1;

constexpr int kMaxFields = 200;
constexpr int kWorkUnits = 10000;

struct TemplateField {
    wchar Name[300];
    wchar Value[300];
    int32_t Kind;
    int32_t Length;
    int32_t TextLength;
    wchar Extra1[32];
    wchar Extra2[32];
    wchar Extra3[32];
    wchar DefaultValue[128];
    wchar Transform[32];
};

} // namespace orv
