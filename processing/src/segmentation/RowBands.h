#pragma once

#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>

// Runs body(begin, end) over the rows, split over the processors only when
// the picture is large enough to pay for starting the threads. The rows go
// out in bands of at most a quarter of a million pixels, each to whichever
// worker asks next: a worker that starts late or shares its processor takes
// fewer, and the workers finish together.
inline void ForRowBands(int rows, std::size_t pixels, const std::function<void(int begin, int end)>& body)
{
    constexpr std::size_t threadedFrom = std::size_t(1) << 17;
    constexpr std::size_t bandPixels = std::size_t(1) << 18;
    if (pixels < threadedFrom || rows < 2) {
        body(0, rows);
        return;
    }
    const int workers = RowSplit::threadCount();
    // At least four bands a worker where there are rows enough.
    const std::size_t perRow = std::max<std::size_t>(pixels / std::size_t(rows), 1);
    const std::size_t fewest = std::size_t(rows) / std::size_t(4 * workers);
    const int bandRows = int(std::max<std::size_t>(std::min(bandPixels / perRow, fewest), 1));
    const int bands = (rows + bandRows - 1) / bandRows;
    std::atomic<int> next{0};
    RowSplit::run(workers, workers, [&](int, int) {
        for (int band = next.fetch_add(1); band < bands; band = next.fetch_add(1))
            body(band * bandRows, std::min(rows, (band + 1) * bandRows));
    });
}
