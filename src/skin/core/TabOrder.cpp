#include "skin/core/TabOrder.h"

#include <algorithm>
#include <numeric>

namespace orv {

std::vector<std::size_t> ReadingOrder(const std::vector<CtrlRect>& rects)
{
    std::vector<std::size_t> byTop(rects.size());
    std::iota(byTop.begin(), byTop.end(), 0);
    std::stable_sort(byTop.begin(), byTop.end(), [&](std::size_t a, std::size_t b) {
        if (rects[a].top != rects[b].top)
            return rects[a].top < rects[b].top;
        return rects[a].left < rects[b].left;
    });
    std::vector<std::size_t> order;
    order.reserve(rects.size());
    std::size_t rowStart = 0;
    while (rowStart < byTop.size()) {
        const CtrlRect& first = rects[byTop[rowStart]];
        const int middle = first.top + std::max(0, first.Height()) / 2;
        std::size_t rowEnd = rowStart + 1;
        while (rowEnd < byTop.size() && rects[byTop[rowEnd]].top <= middle)
            ++rowEnd;
        std::vector<std::size_t> row(byTop.begin() + static_cast<std::ptrdiff_t>(rowStart),
            byTop.begin() + static_cast<std::ptrdiff_t>(rowEnd));
        std::stable_sort(row.begin(), row.end(),
            [&](std::size_t a, std::size_t b) { return rects[a].left < rects[b].left; });
        order.insert(order.end(), row.begin(), row.end());
        rowStart = rowEnd;
    }
    return order;
}

} // namespace orv
