#include "pixorama/workbench/RegionStatistics.h"

#include "ChunkSplit.h"
#include "RegionMoments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

struct GreyTotals {
    std::array<std::int64_t, 256> histogram{};
    std::int64_t sobel = 0;   // region pixels with a non-zero Sobel gradient
    std::int64_t laplace = 0; // region pixels with a non-zero Laplacian
};

// Row y of the grey picture with the edge row repeated outside.
const unsigned char* rowAt(const ClassData2DIO<unsigned char>& grey, int y)
{
    return grey.rows[std::clamp(y, 0, grey.height - 1)];
}

void countRow(const ClassData2DIO<unsigned char>& grey, const int* label, int key, int y, int w, GreyTotals& t)
{
    const unsigned char* up = rowAt(grey, y - 1);
    const unsigned char* mid = grey.rows[y];
    const unsigned char* down = rowAt(grey, y + 1);
    const int last = grey.width - 1;
    for (int x = 0; x < w; ++x) {
        if (label[x] != key)
            continue;
        ++t.histogram[mid[x]];
        const int l = x > 0 ? x - 1 : 0;
        const int r = x < last ? x + 1 : last;
        const int gx = (up[r] - up[l]) + 2 * (mid[r] - mid[l]) + (down[r] - down[l]);
        const int gy = (up[l] + 2 * up[x] + up[r]) - (down[l] + 2 * down[x] + down[r]);
        t.sobel += (gx | gy) != 0;
        t.laplace += 4 * mid[x] - up[x] - down[x] - mid[l] - mid[r] != 0;
    }
}

} // namespace

RegionMeasures gMeasureGreyRegion(const ClassData2DIO<unsigned char>& grey, const ClassData2DIO<int>& label, int key)
{
    RegionMeasures m;
    if (grey.IsEmpty() || label.IsEmpty())
        return m;
    const int w = std::min(grey.width, label.width);
    const int h = std::min(grey.height, label.height);
    const int chunks = RowSplit::threadCount();
    std::vector<GreyTotals> parts(static_cast<std::size_t>(chunks));
    gForEachChunk(h, chunks, [&](int chunk, int begin, int end) {
        for (int y = begin; y < end; ++y)
            countRow(grey, label.rows[y], key, y, w, parts[std::size_t(chunk)]);
    });
    GreyTotals t;
    for (const GreyTotals& p : parts) {
        for (int k = 0; k < 256; ++k)
            t.histogram[std::size_t(k)] += p.histogram[std::size_t(k)];
        t.sobel += p.sobel;
        t.laplace += p.laplace;
    }

    RegionMoments moments;
    for (int k = 0; k < 256; ++k)
        moments.Add(k, t.histogram[std::size_t(k)]);
    moments.Finish(m);
    for (int k = 0; k < 256; ++k)
        moments.AddDeviation(k, t.histogram[std::size_t(k)], m.mean);
    moments.Deviations(m, 255.0 * 255.0);
    for (int k = 0; k < 256; ++k)
        if (t.histogram[std::size_t(k)] > 0) {
            const double p = double(t.histogram[std::size_t(k)]) / double(m.count);
            m.entropy -= p * std::log(p);
        }
    m.jnb = double(t.sobel) / double(t.laplace);
    return m;
}
