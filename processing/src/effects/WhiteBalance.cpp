#include "pixorama/workbench/PhotoEffects.h"

#include "ChunkSplit.h"
#include "PixelLoops.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

struct ChannelStats {
    double mean = 0.0;
    int largest = 0;
};

// Every worker sums and scans its own rows; the totals merge after the join.
ChannelStats StatsOf(const ClassData2DIO<unsigned char>& plane)
{
    const int chunks = RowSplit::threadCount();
    std::vector<std::uint64_t> sums(std::size_t(chunks), 0);
    std::vector<unsigned char> largests(std::size_t(chunks), 0);
    gForEachChunk(plane.height, chunks, [&](int chunk, int begin, int end) {
        std::uint64_t sum = 0;
        unsigned char largest = 0;
        for (int y = begin; y < end; ++y) {
            const unsigned char* p = plane.rows[y];
            std::uint32_t rowSum = 0; // at most 255 * width: a row of 16M pixels still fits
            for (int x = 0; x < plane.width; ++x) {
                rowSum += p[x];
                largest = std::max(largest, p[x]);
            }
            sum += rowSum;
        }
        sums[std::size_t(chunk)] = sum;
        largests[std::size_t(chunk)] = largest;
    });
    std::uint64_t sum = 0;
    for (std::uint64_t s : sums)
        sum += s;
    const unsigned char largest = *std::max_element(largests.begin(), largests.end());
    return {double(sum) / (double(plane.width) * double(plane.height)), largest};
}

} // namespace

void EffectWhiteBalance(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    ClassData2DIO<unsigned char>* channels[3] = {&planes.r, &planes.g, &planes.b};
    ChannelStats stats[3];
    for (int c = 0; c < 3; ++c)
        stats[c] = StatsOf(*channels[c]);
    const float average = float((stats[0].mean + stats[1].mean + stats[2].mean) / 3.0);
    float gain[3];
    float top = 0.0f; // the largest value after scaling
    for (int c = 0; c < 3; ++c) {
        // A channel with (almost) nothing in it keeps its values.
        gain[c] = stats[c].mean >= 1.0 ? average / float(stats[c].mean) : 1.0f;
        top = std::max(top, float(stats[c].largest) * gain[c]);
    }
    // A black picture has nothing to stretch: 255 / 0 would turn it into garbage.
    if (top <= 0.0f)
        return;
    // 255 / top times the scaled value, multiplied first so that top itself gives exactly 255.
    unsigned char tables[3][256];
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v)
            tables[c][v] = ClampByte(255.0 * double(float(v) * gain[c]) / double(top));
    ForEachPixel(planes, [&tables](unsigned char& r, unsigned char& g, unsigned char& b) {
        r = tables[0][r];
        g = tables[1][g];
        b = tables[2][b];
    });
}
