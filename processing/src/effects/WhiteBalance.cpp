#include "pixorama/workbench/PhotoEffects.h"

#include "ByteTable.h"
#include "ChunkSplit.h"
#include "PixelLoops.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// One channel's values through its table. The table is 255 / top times
// the scaled value, truncated: nearly always the truncated float product
// v * slope for one slope, which runs on vectors; the slope is taken only
// when it gives every one of the 256 entries.
class ChannelMap {
public:
    ChannelMap(float gain, float top)
    {
        for (int v = 0; v < 256; ++v)
            table[v] = ClampByte(255.0 * double(float(v) * gain) / double(top));
        // The nearest float to the exact slope, else the few around it.
        float up = float(255.0 * double(gain) / double(top)), down = up;
        for (int step = 0; step < 4 && !linear; ++step) {
            linear = GivesTable(up) || GivesTable(down);
            slope = GivesTable(up) ? up : down;
            up = std::nextafter(up, HUGE_VALF);
            down = std::nextafter(down, 0.0f);
        }
    }

    void Row(unsigned char* p, int w) const
    {
        int x = 0;
#if defined(__SSE2__)
        if (linear) {
            const __m128i zero = _mm_setzero_si128();
            const __m128 k = _mm_set1_ps(slope);
            auto scaled = [k](__m128i v) { return _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(v), k)); };
            // Eight values of 16 bits scaled; products above 255 saturate in the packs.
            auto eight = [&](__m128i v) {
                return _mm_packs_epi32(scaled(_mm_unpacklo_epi16(v, zero)), scaled(_mm_unpackhi_epi16(v, zero)));
            };
            for (; x + 16 <= w; x += 16) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x));
                const __m128i low = eight(_mm_unpacklo_epi8(v, zero)), high = eight(_mm_unpackhi_epi8(v, zero));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(p + x), _mm_packus_epi16(low, high));
            }
        }
#endif
        LookUpBytes(p + x, w - x, table);
    }

private:
    bool GivesTable(float k) const
    {
        for (int v = 0; v < 256; ++v)
            if (std::min(int(float(v) * k), 255) != table[v])
                return false;
        return true;
    }

    unsigned char table[256];
    float slope = 0.0f;
    bool linear = false;
};

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
    const ChannelMap maps[3] = {{gain[0], top}, {gain[1], top}, {gain[2], top}};
    ForPlaneBands(planes, [&](int begin, int end) {
        for (int c = 0; c < 3; ++c)
            for (int y = begin; y < end; ++y)
                maps[c].Row(channels[c]->rows[y], planes.Width());
    });
}
