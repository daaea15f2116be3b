#include "pixorama/workbench/QEVClassicEnhanceRaw.h"

#include "HotKernel.h"

#include <algorithm>

namespace {

struct WindowRow {
    const int* left;   // first column of every window
    const float* low;  // its minimum
    const float* scale; // 255 / range, 0 for a constant window
    int count;
    int width;
    int group; // windows one group apart do not overlap
};

// Adds the stretched windows of one row of windows to one band row: dst[x]
// += integer part of (src[x] - low) * scale over every window. The values
// are at least low, so the products are in 0..255. Consecutive additions go
// to windows that do not overlap, so none waits on the stores of the one
// before.
PIX_WB_HOT_WIDE void addStretchedRow(const WindowRow& windows, const float* src, int* dst)
{
    const int a = windows.width;
    for (int phase = 0; phase < windows.group; ++phase)
        for (int i = phase; i < windows.count; i += windows.group) {
            const float scale = windows.scale[i];
            if (scale == 0.0f)
                continue; // constantWindowValue is 0: nothing to add
            const float low = windows.low[i];
            const float* s = src + windows.left[i];
            int* d = dst + windows.left[i];
            for (int j = 0; j < a; ++j)
                d[j] += static_cast<int>((s[j] - low) * scale);
        }
}

// lo[x] = min(lo[x], lo[x + span]), hi alike: after passes with spans 1, 2,
// 4, ..., k / 2, lo[x] is the minimum of the k values from x on.
PIX_WB_HOT void widenMinMax(float* lo, float* hi, int n, int span)
{
    for (int x = 0; x + span < n; ++x) {
        lo[x] = std::min(lo[x], lo[x + span]);
        hi[x] = std::max(hi[x], hi[x + span]);
    }
}

PIX_WB_HOT void foldMinMax(const float* src, float* lo, float* hi, int n)
{
    for (int x = 0; x < n; ++x) {
        lo[x] = std::min(lo[x], src[x]);
        hi[x] = std::max(hi[x], src[x]);
    }
}

static_assert(QEVClassicEnhanceRaw::constantWindowValue == 0, "constant windows are skipped, adding 0");

} // namespace

int QEVClassicEnhanceRaw::FirstCentre(int row, int pad, int rowStep)
{
    if (row <= pad)
        return pad;
    return pad + (row - pad + rowStep - 1) / rowStep * rowStep;
}

void QEVClassicEnhanceRaw::Run()
{
    band.Clear();
    if (!source || source->IsEmpty())
        return;
    const int first = FirstCentre(firstRow, pad, rowStep);
    if (first >= endRow)
        return;
    const int last = first + (endRow - 1 - first) / rowStep * rowStep;
    bandTop = first - windowHeight / 2;
    band.SetDim(source->width, last - first + windowHeight);

    const int paddedWidth = source->width;
    windowLeft.clear();
    for (int d = pad; d < paddedWidth - pad; d += columnStep)
        windowLeft.push_back(d - windowWidth / 2);
    windowMin.resize(windowLeft.size());
    windowScale.resize(windowLeft.size());

    std::vector<float> colMin(static_cast<std::size_t>(paddedWidth));
    std::vector<float> colMax(static_cast<std::size_t>(paddedWidth));
    for (int c = first; c < endRow; c += rowStep)
        stretchRow(c, colMin, colMax);
}

// Adds every window centred on row `centre` into the band.
void QEVClassicEnhanceRaw::stretchRow(int centre, std::vector<float>& colMin, std::vector<float>& colMax)
{
    const int top = centre - windowHeight / 2;
    const int w = source->width;
    std::copy(source->rows[top], source->rows[top] + w, colMin.begin());
    std::copy(source->rows[top], source->rows[top] + w, colMax.begin());
    for (int r = 1; r < windowHeight; ++r)
        foldMinMax(source->rows[top + r], colMin.data(), colMax.data(), w);

    // Extremes of every run of k columns (k the largest power of two up to
    // the window width); a window is covered by two overlapping runs.
    int k = 1;
    for (; 2 * k <= windowWidth; k *= 2)
        widenMinMax(colMin.data(), colMax.data(), w, k);
    const int count = static_cast<int>(windowLeft.size());
    for (int i = 0; i < count; ++i) {
        const std::size_t left = std::size_t(windowLeft[std::size_t(i)]);
        const std::size_t right = left + std::size_t(windowWidth - k);
        const float lo = std::min(colMin[left], colMin[right]);
        const float hi = std::max(colMax[left], colMax[right]);
        const float range = hi - lo;
        windowMin[std::size_t(i)] = lo;
        windowScale[std::size_t(i)] = range >= minRange ? 255.0f / range : 0.0f;
    }

    const WindowRow windows{windowLeft.data(), windowMin.data(), windowScale.data(), count, windowWidth,
                            (windowWidth + columnStep - 1) / columnStep};
    for (int r = 0; r < windowHeight; ++r)
        addStretchedRow(windows, source->rows[top + r], band.rows[top + r - bandTop]);

}
