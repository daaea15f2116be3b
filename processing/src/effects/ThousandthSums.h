#pragma once

#include "PixelLoops.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Channel weights in whole thousandths, such as 299, 587, 114 for 0.299 R +
// 0.587 G + 0.114 B.
struct Thousandths {
    int r, g, b;
};

// The weights of QEVColorToGray.
inline constexpr Thousandths greyWeights{299, 587, 114};

// The sum w.r / 1000 R + w.g / 1000 G + w.b / 1000 B taken in double
// precision in that order, truncated and held at 255: the plain formula.
inline unsigned char DoubleSum(unsigned char r, unsigned char g, unsigned char b, Thousandths w)
{
    return ClampByte(w.r / 1000.0 * r + w.g / 1000.0 * g + w.b / 1000.0 * b);
}

// The same bytes from the integer s = w.r R + w.g G + w.b B. The exact sum
// is s / 1000, whose fraction is a whole number of thousandths; the double
// products and sums stray from it by far less than a thousandth, so they
// truncate to s / 1000 as well unless s / 1000 is a whole number, where they
// may land just below it. Only those few pixels need the double formula.
inline unsigned char ExactSum(unsigned char r, unsigned char g, unsigned char b, Thousandths w)
{
    const int s = w.r * r + w.g * g + w.b * b;
    if (s % 1000 == 0 && s <= 255000)
        return DoubleSum(r, g, b, w);
    return static_cast<unsigned char>(s < 255000 ? s / 1000 : 255);
}

// out[k][i] = ExactSum(r[i], g[i], b[i], w[k]) for every pixel i of a run of
// n, for N weight sets at once. Weights are 0..1000 with a sum of at most
// 1800, which keeps s / 8 where the division by 125 below is exact; out
// must not overlap the inputs.
template <int N>
void ThousandthSums(const PixelRun& in, int n, const Thousandths (&w)[N], unsigned char* const (&out)[N])
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    __m128i redGreen[N], blue[N];
    for (int k = 0; k < N; ++k) {
        redGreen[k] = _mm_set1_epi32(w[k].g << 16 | w[k].r);
        blue[k] = _mm_set1_epi32(w[k].b);
    }
    const __m128i seven = _mm_set1_epi32(7), bias32 = _mm_set1_epi32(32768), bias16 = _mm_set1_epi16(-32768);
    const __m128i reciprocal = _mm_set1_epi16(-31981); // 33555 = ceil(2^22 / 125), as a signed lane
    const __m128i d125 = _mm_set1_epi16(125), byteLimit = _mm_set1_epi16(256);
    // The sums of 8 pixels as 16-bit quotients s / 1000, with the lanes whose s / 1000 is whole and at most 255.
    auto quotients = [&](__m128i r16, __m128i g16, __m128i b16, int k, __m128i& whole) {
        auto sum = [&](__m128i rg, __m128i b0) {
            return _mm_add_epi32(_mm_madd_epi16(rg, redGreen[k]), _mm_madd_epi16(b0, blue[k]));
        };
        const __m128i s0 = sum(_mm_unpacklo_epi16(r16, g16), _mm_unpacklo_epi16(b16, zero));
        const __m128i s1 = sum(_mm_unpackhi_epi16(r16, g16), _mm_unpackhi_epi16(b16, zero));
        const __m128i eighths = _mm_packs_epi32(_mm_cmpeq_epi32(_mm_and_si128(s0, seven), zero),
                                                _mm_cmpeq_epi32(_mm_and_si128(s1, seven), zero));
        // u = s / 8 below 2^16, packed through the signed range.
        const __m128i u = _mm_xor_si128(_mm_packs_epi32(_mm_sub_epi32(_mm_srli_epi32(s0, 3), bias32),
                                                        _mm_sub_epi32(_mm_srli_epi32(s1, 3), bias32)),
                                        bias16);
        const __m128i q = _mm_srli_epi16(_mm_mulhi_epu16(u, reciprocal), 6); // u / 125
        whole = _mm_and_si128(_mm_and_si128(eighths, _mm_cmpeq_epi16(_mm_mullo_epi16(q, d125), u)),
                              _mm_cmplt_epi16(q, byteLimit));
        return q;
    };
    auto load = [](const unsigned char* p) { return _mm_load_si128(reinterpret_cast<const __m128i*>(p)); };
    for (; i + 16 <= n; i += 16) {
        const __m128i r = load(in.r + i), g = load(in.g + i), b = load(in.b + i);
        const __m128i r0 = _mm_unpacklo_epi8(r, zero), g0 = _mm_unpacklo_epi8(g, zero), b0 = _mm_unpacklo_epi8(b, zero);
        const __m128i r1 = _mm_unpackhi_epi8(r, zero), g1 = _mm_unpackhi_epi8(g, zero), b1 = _mm_unpackhi_epi8(b, zero);
        for (int k = 0; k < N; ++k) {
            __m128i whole0, whole1;
            const __m128i q0 = quotients(r0, g0, b0, k, whole0);
            const __m128i q1 = quotients(r1, g1, b1, k, whole1);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out[k] + i), _mm_packus_epi16(q0, q1));
            int wholes = _mm_movemask_epi8(_mm_packs_epi16(whole0, whole1));
            for (; wholes; wholes &= wholes - 1) {
                const int at = i + __builtin_ctz(unsigned(wholes));
                out[k][at] = DoubleSum(in.r[at], in.g[at], in.b[at], w[k]);
            }
        }
    }
#endif
    for (; i < n; ++i)
        for (int k = 0; k < N; ++k)
            out[k][i] = ExactSum(in.r[i], in.g[i], in.b[i], w[k]);
}
