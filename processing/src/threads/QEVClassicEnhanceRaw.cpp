#include "pixorama/workbench/QEVClassicEnhanceRaw.h"

#include "HotKernel.h"

#include <algorithm>

namespace {

// dst[j] += integer part of (src[j] - low) * scale; the values are at least
// low, so the products are in 0..255.
PIX_WB_HOT void addStretched(const float* src, int* dst, int n, float low, float scale)
{
    for (int j = 0; j < n; ++j)
        dst[j] += static_cast<int>((src[j] - low) * scale);
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

    const int count = static_cast<int>(windowLeft.size());
    for (int i = 0; i < count; ++i) {
        const int left = windowLeft[std::size_t(i)];
        const auto lo = std::min_element(colMin.begin() + left, colMin.begin() + left + windowWidth);
        const auto hi = std::max_element(colMax.begin() + left, colMax.begin() + left + windowWidth);
        const float range = *hi - *lo;
        windowMin[std::size_t(i)] = *lo;
        windowScale[std::size_t(i)] = range >= minRange ? 255.0f / range : 0.0f;
    }

    // Windows one group apart do not overlap, so consecutive additions never
    // wait on the stores of the window before.
    const int group = (windowWidth + columnStep - 1) / columnStep;
    for (int r = 0; r < windowHeight; ++r) {
        const float* src = source->rows[top + r];
        int* dst = band.rows[top + r - bandTop];
        for (int phase = 0; phase < group; ++phase)
            for (int i = phase; i < count; i += group) {
                const float scale = windowScale[std::size_t(i)];
                if (scale == 0.0f)
                    continue; // constantWindowValue is 0: nothing to add
                const int left = windowLeft[std::size_t(i)];
                addStretched(src + left, dst + left, windowWidth, windowMin[std::size_t(i)], scale);
            }
    }
}
