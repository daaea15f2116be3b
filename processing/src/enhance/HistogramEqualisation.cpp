#include "pixorama/workbench/Enhancements.h"

#include "ByteTable.h"
#include "ChunkSplit.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using Histogram = std::array<std::int64_t, 256>;

// Four interleaved counters keep runs of one value from stalling on a single
// counter; eight pixels are read as one word. Every worker counts its own
// rows and the totals are merged after the join.
Histogram histogramOf(const ClassData2DIO<unsigned char>& plane)
{
    const int chunks = RowSplit::threadCount();
    std::vector<Histogram> parts(std::size_t(chunks), Histogram{});
    const int w = plane.width;
    gForEachChunk(plane.height, chunks, [&](int chunk, int begin, int end) {
        std::vector<std::uint32_t> counters(4 * 256, 0);
        std::uint32_t* const c = counters.data();
        for (int y = begin; y < end; ++y) {
            const unsigned char* const p = plane.rows[y];
            int x = 0;
            for (; x + 8 <= w; x += 8) {
                std::uint64_t v;
                std::memcpy(&v, p + x, sizeof v);
                ++c[v & 0xFF];
                ++c[256 + (v >> 8 & 0xFF)];
                ++c[512 + (v >> 16 & 0xFF)];
                ++c[768 + (v >> 24 & 0xFF)];
                ++c[v >> 32 & 0xFF];
                ++c[256 + (v >> 40 & 0xFF)];
                ++c[512 + (v >> 48 & 0xFF)];
                ++c[768 + (v >> 56)];
            }
            for (; x < w; ++x)
                ++c[p[x]];
        }
        Histogram& h = parts[std::size_t(chunk)];
        for (int k = 0; k < 256; ++k)
            h[std::size_t(k)] = std::int64_t(c[k]) + c[256 + k] + c[512 + k] + c[768 + k];
    });
    Histogram total{};
    for (const Histogram& h : parts)
        for (int k = 0; k < 256; ++k)
            total[std::size_t(k)] += h[std::size_t(k)];
    return total;
}

} // namespace

std::array<unsigned char, 256> gEqualisationTable(const ClassData2DIO<unsigned char>& plane)
{
    std::array<unsigned char, 256> table{};
    if (plane.IsEmpty())
        return table;
    const Histogram h = histogramOf(plane);
    const std::int64_t n = std::int64_t(plane.width) * plane.height;
    std::int64_t cumulative = 0;
    for (int k = 0; k < 256; ++k) {
        cumulative += h[std::size_t(k)];
        // floor(c * 255 + 0.5) with c = cumulative / n, in integers.
        table[std::size_t(k)] = static_cast<unsigned char>((2 * cumulative * 255 + n) / (2 * n));
    }
    return table;
}

void gEqualiseHistogram(ClassData2DIO<unsigned char>& plane)
{
    if (plane.IsEmpty())
        return;
    const std::array<unsigned char, 256> table = gEqualisationTable(plane);
    const int w = plane.width;
    RowSplit::run(plane.height, [&](int begin, int end) {
        // Local copies: stores through a byte pointer could otherwise alias
        // the table and the row pointers.
        const std::array<unsigned char, 256> t = table;
        for (int y = begin; y < end; ++y)
            LookUpBytes(plane.rows[y], w, t.data());
    });
}
