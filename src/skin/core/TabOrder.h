#pragma once
// The keyboard order of a page's controls: the order a reader's eye takes
// through the layout, top to bottom and, within a row, left to right.
#include <cstddef>
#include <vector>

#include "skin/core/ControlDesc.h"

namespace orv {

// Indices of `rects` in reading order. Controls form one row when each
// starts above the vertical middle of the row's first control (so a label
// and an edit of slightly different heights share a row); rows run top to
// bottom, and each row left to right.
std::vector<std::size_t> ReadingOrder(const std::vector<CtrlRect>& rects);

} // namespace orv
