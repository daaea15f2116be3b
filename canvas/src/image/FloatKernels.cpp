#include "FloatKernels.h"

#include "pixorama/common/NumericTruncate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace floatkernels {

namespace {

// Low 16 bits of v truncated toward zero, for any v (NaN gives 0).
inline unsigned tableIndex(float v)
{
    if (v > -2147483648.0f && v < 2147483648.0f)
        return unsigned(int(v)) & 0xFFFFu;
    return unsigned(pixTruncToInt64(v)) & 0xFFFFu;
}

} // namespace

Range Range::empty()
{
    return {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
}

void Range::merge(const Range& other)
{
    lo = std::min(lo, other.lo);
    hi = std::max(hi, other.hi);
}

bool Range::infinite() const
{
    return std::isinf(lo) || std::isinf(hi);
}

void copyAndMeasure(float* out, const float* in, int n, Range& range)
{
    std::memmove(out, in, std::size_t(n) * sizeof(float));
    float lo = range.lo;
    float hi = range.hi;
    int x = 0;
#if defined(__SSE2__)
    // minps/maxps return their second operand when the first is NaN, so a
    // NaN never replaces a bound.
    __m128 lo0 = _mm_set1_ps(lo), lo1 = lo0;
    __m128 hi0 = _mm_set1_ps(hi), hi1 = hi0;
    for (; x + 8 <= n; x += 8) {
        const __m128 a = _mm_loadu_ps(out + x);
        const __m128 b = _mm_loadu_ps(out + x + 4);
        lo0 = _mm_min_ps(a, lo0);
        lo1 = _mm_min_ps(b, lo1);
        hi0 = _mm_max_ps(a, hi0);
        hi1 = _mm_max_ps(b, hi1);
    }
    float l[4];
    float h[4];
    _mm_storeu_ps(l, _mm_min_ps(lo0, lo1));
    _mm_storeu_ps(h, _mm_max_ps(hi0, hi1));
    lo = std::min(std::min(l[0], l[1]), std::min(l[2], l[3]));
    hi = std::max(std::max(h[0], h[1]), std::max(h[2], h[3]));
#endif
    for (; x < n; ++x) {
        lo = out[x] < lo ? out[x] : lo;
        hi = out[x] > hi ? out[x] : hi;
    }
    range.lo = lo;
    range.hi = hi;
}

void measureFinite(const float* row, int n, Range& range)
{
    for (int x = 0; x < n; ++x)
        if (std::isfinite(row[x])) {
            range.lo = std::min(range.lo, row[x]);
            range.hi = std::max(range.hi, row[x]);
        }
}

void rescale(float* row, int n, float lo, float hi)
{
    const float k = 65535.0f / (hi - lo);
    for (int x = 0; x < n; ++x) {
        // Computed in every case and then selected: branch-free, so it vectorises.
        const float v = row[x];
        const float scaled = (v - lo) * k;
        const float top = v >= hi ? 65535.0f : scaled;
        row[x] = v <= lo ? 0.0f : top;
    }
}

void mapThroughTable(plat::Pixel* out, const float* in, const int* label, int n, const plat::Pixel* table)
{
    if (label) {
        for (int x = 0; x < n; ++x)
            if (label[x] >= 1)
                out[x] = table[tableIndex(in[x])];
        return;
    }
    int x = 0;
#if defined(__SSE2__)
    // Four truncations at once; a group with a value beyond the int range
    // (or NaN) takes the exact path.
    const __m128 low = _mm_set1_ps(-2147483648.0f);
    const __m128 high = _mm_set1_ps(2147483648.0f);
    const __m128i mask = _mm_set1_epi32(0xFFFF);
    alignas(16) int index[4];
    for (; x + 4 <= n; x += 4) {
        const __m128 v = _mm_loadu_ps(in + x);
        const __m128 inside = _mm_and_ps(_mm_cmpgt_ps(v, low), _mm_cmplt_ps(v, high));
        if (_mm_movemask_ps(inside) != 0xF) {
            for (int j = 0; j < 4; ++j)
                out[x + j] = table[tableIndex(in[x + j])];
            continue;
        }
        _mm_store_si128(reinterpret_cast<__m128i*>(index), _mm_and_si128(_mm_cvttps_epi32(v), mask));
        out[x] = table[index[0]];
        out[x + 1] = table[index[1]];
        out[x + 2] = table[index[2]];
        out[x + 3] = table[index[3]];
    }
#endif
    for (; x < n; ++x)
        out[x] = table[tableIndex(in[x])];
}

} // namespace floatkernels
