#pragma once

#include "pixorama/common/RowSplit.h"

#include <cstddef>
#include <functional>

// Runs body(begin, end) over the rows, split over the processors only when
// the picture is large enough to pay for starting the threads.
inline void ForRowBands(int rows, std::size_t pixels, const std::function<void(int begin, int end)>& body)
{
    constexpr std::size_t threadedFrom = std::size_t(1) << 17;
    if (pixels < threadedFrom)
        body(0, rows);
    else
        RowSplit::run(rows, body);
}
