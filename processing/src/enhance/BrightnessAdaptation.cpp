#include "pixorama/workbench/Enhancements.h"

#include "ChunkSplit.h"
#include "FloatStretch.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

// Share-of-dark term: (100 - 100 * (pixels above 1) / (w * h)) * 1.9 + 10.
float darkLevel(const ClassData2DIO<unsigned char>& plane)
{
    const int chunks = RowSplit::threadCount();
    std::vector<std::int64_t> bright(std::size_t(chunks), 0);
    gForEachChunk(plane.height, chunks, [&](int chunk, int begin, int end) {
        std::int64_t n = 0;
        for (int y = begin; y < end; ++y)
            for (const unsigned char* p = plane.rows[y]; p < plane.rows[y] + plane.width; ++p)
                n += *p > 1;
        bright[std::size_t(chunk)] = n;
    });
    std::int64_t above = 0;
    for (std::int64_t n : bright)
        above += n;
    const float total = float(std::int64_t(plane.width) * plane.height);
    return (100.0f - 100.0f * float(above) / total) * 1.9f + 10.0f;
}

// A = v * 257 / (257 - v) for every 8-bit value.
const std::array<float, 256>& liftTable()
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int v = 0; v < 256; ++v)
            t[std::size_t(v)] = float(v) * 257.0f / (257.0f - float(v));
        return t;
    }();
    return table;
}

// Adapted interior row y (1 .. h-2) into out, columns 1 .. w-2.
void adaptRow(const ClassData2DIO<unsigned char>& plane, int y, float c0, float* out)
{
    const std::array<float, 256>& lift = liftTable();
    const unsigned char* up = plane.rows[y - 1];
    const unsigned char* mid = plane.rows[y];
    const unsigned char* down = plane.rows[y + 1];
    for (int x = 1; x < plane.width - 1; ++x) {
        const float v = mid[x];
        const float a = lift[mid[x]];
        const int sum = up[x - 1] + up[x] + up[x + 1] + mid[x - 1] + mid[x] + mid[x + 1] + down[x - 1] + down[x] +
                        down[x + 1];
        const float e = a + float(sum) / 9.0f + c0;
        out[x] = e + v > 1.0f ? (e + 255.0f) * v / (e + v) : v;
    }
}

} // namespace

void gAdaptBrightness(ClassData2DIO<unsigned char>& plane)
{
    if (plane.IsEmpty())
        return;
    const int w = plane.width;
    const int h = plane.height;
    const float c0 = darkLevel(plane);
    ClassData2DIO<float> adapted;
    adapted.SetDim(w, h);
    RowSplit::run(h, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            float* out = adapted.rows[y];
            std::copy(plane.rows[y], plane.rows[y] + w, out);
            if (y >= 1 && y <= h - 2)
                adaptRow(plane, y, c0, out);
        }
    });
    // Borders copy their inner neighbours: columns first, then rows.
    if (w >= 3)
        for (int y = 0; y < h; ++y) {
            adapted.rows[y][0] = adapted.rows[y][1];
            adapted.rows[y][w - 1] = adapted.rows[y][w - 2];
        }
    if (h >= 3) {
        std::copy(adapted.rows[1], adapted.rows[1] + w, adapted.rows[0]);
        std::copy(adapted.rows[h - 2], adapted.rows[h - 2] + w, adapted.rows[h - 1]);
    }

    gStretchToBytes(adapted, plane); // a constant plane is left as it came
}
