#include "pixorama/workbench/Enhancements.h"

#include "ChunkSplit.h"

#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

// p[x] = table[p[x]], eight pixels to a word.
void mapRowWords(unsigned char* p, int w, const unsigned char* table)
{
    int x = 0;
    for (; x + 8 <= w; x += 8) {
        std::uint64_t v;
        std::memcpy(&v, p + x, sizeof v);
        std::uint64_t out = 0;
        for (int k = 0; k < 64; k += 8)
            out |= std::uint64_t(table[v >> k & 0xFF]) << k;
        std::memcpy(p + x, &out, sizeof out);
    }
    for (; x < w; ++x)
        p[x] = table[p[x]];
}

#if defined(__x86_64__)
// The same, 64 pixels at a time: two 128-entry byte permutes look up the low
// and the high half of the table, and the top bit of each pixel picks one.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void mapRowBytePermute(unsigned char* p, int w,
                                                                               const unsigned char* table)
{
    const __m512i t0 = _mm512_loadu_si512(table);
    const __m512i t1 = _mm512_loadu_si512(table + 64);
    const __m512i t2 = _mm512_loadu_si512(table + 128);
    const __m512i t3 = _mm512_loadu_si512(table + 192);
    int x = 0;
    for (; x + 64 <= w; x += 64) {
        const __m512i v = _mm512_loadu_si512(p + x);
        const __m512i low = _mm512_permutex2var_epi8(t0, v, t1);
        const __m512i high = _mm512_permutex2var_epi8(t2, v, t3);
        _mm512_storeu_si512(p + x, _mm512_mask_blend_epi8(_mm512_movepi8_mask(v), low, high));
    }
    mapRowWords(p + x, w - x, table);
}

bool hasBytePermute()
{
    static const bool has = __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bw");
    return has;
}
#endif

void mapRow(unsigned char* p, int w, const unsigned char* table)
{
#if defined(__x86_64__)
    if (hasBytePermute())
        return mapRowBytePermute(p, w, table);
#endif
    mapRowWords(p, w, table);
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
            mapRow(plane.rows[y], w, t.data());
    });
}
