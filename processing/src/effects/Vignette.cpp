#include "pixorama/workbench/PhotoEffects.h"

#include "PixelLoops.h"
#include "HotKernel.h"
#include "WideLanes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// samples[i] + f (samples[i + 1] - samples[i]) for at = i + f, at from 0 to
// the table's last step, in place.
inline void Interpolate(const float* __restrict samples, float* __restrict at, int n)
{
    for (int x = 0; x < n; ++x) {
        const int i = int(at[x]);
        const float f = at[x] - float(i);
        at[x] = samples[i] + f * (samples[i + 1] - samples[i]);
    }
}

// The luminance factor 0.75 / (1 + exp(20 (t - 0.73))) + 0.25 of the
// distance t from the centre as a fraction of the half diagonal (0..1),
// sampled finely enough that linear steps between samples stay far below
// one grey level.
class FalloffTable {
public:
    static constexpr int steps = 1 << 16;

    FalloffTable() : samples(steps + 2)
    {
        for (int i = 0; i <= steps + 1; ++i)
            samples[std::size_t(i)] = Exact(float(i) / steps);
    }

    static float Exact(float t) { return 0.75f / (1.0f + std::exp(20.0f * (t - 0.73f))) + 0.25f; }

    // The position of t in the table: t held to 0..1, in steps.
    static float Step(float t) { return std::min(std::max(t, 0.0f), 1.0f) * steps; }

    // Positions from Step to factors, in place.
    void operator()(float* at, int n) const { Interpolate(samples.data(), at, n); }

    const float* Samples() const { return samples.data(); }

private:
    std::vector<float> samples;
};

// The factor of every pixel of one line. Columns x and width - x lie at the
// same distance from the centre column width / 2, so half a line is looked
// up: first the table positions, on vectors, then the table. Built for
// AVX2 as well, taken where the processor has it (no FMA: the floats stay as
// they are).
PIX_WB_AVX2 void LineFactors(const FalloffTable& falloff, int w, float cx, float dy, float c, float* __restrict factor)
{
    const int half = w / 2 + 1;
    int x = 0;
#if defined(__SSE2__)
    // std::sqrt may set errno, which keeps the compiler from vectorising it.
    // The distance is never negative, and the vector minimum takes 1 where
    // std::min does.
    const __m128i four = _mm_set1_epi32(4);
    const __m128 vcx = _mm_set1_ps(cx), dy2 = _mm_set1_ps(dy * dy), vc = _mm_set1_ps(c);
    const __m128 zero = _mm_setzero_ps(), one = _mm_set1_ps(1.0f), steps = _mm_set1_ps(float(FalloffTable::steps));
    __m128i columns = _mm_setr_epi32(0, 1, 2, 3);
    for (; x + 4 <= half; x += 4, columns = _mm_add_epi32(columns, four)) {
        const __m128 dx = _mm_sub_ps(_mm_cvtepi32_ps(columns), vcx);
        const __m128 t = _mm_div_ps(_mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(dx, dx), dy2)), vc);
        _mm_storeu_ps(factor + x, _mm_mul_ps(_mm_min_ps(_mm_max_ps(t, zero), one), steps));
    }
#endif
    for (; x < half; ++x) {
        const float dx = float(x) - cx;
        factor[x] = FalloffTable::Step(std::sqrt(dx * dx + dy * dy) / c);
    }
    falloff(factor, half);
    for (int x = half; x < w; ++x)
        factor[x] = factor[w - x];
}

// The byte of v truncated and held to 0..255. v is finite and bounded, so
// truncating before holding gives the bytes of holding first.
inline unsigned char TruncatedByte(float v)
{
    const int i = int(v);
    return static_cast<unsigned char>(i < 0 ? 0 : (i > 255 ? 255 : i));
}

// The pixels of one row shaded by factor[i] in place: luminance scaled,
// chrominance kept, in one loop the compiler runs on vectors. Built for
// AVX2 as well, taken where the processor has it (no FMA: the floats stay
// as they are).
PIX_WB_AVX2 void Shade(unsigned char* __restrict red, unsigned char* __restrict green, unsigned char* __restrict blue,
                       const float* __restrict factor, int n)
{
    for (int i = 0; i < n; ++i) {
        const float R = red[i], G = green[i], B = blue[i];
        const float Y = 0.299f * R + 0.587f * G + 0.114f * B;
        const float U = 0.493f * (B - Y);
        const float V = 0.877f * (R - Y);
        const float Yv = Y * factor[i];
        red[i] = TruncatedByte(Yv + 1.14f * V);
        green[i] = TruncatedByte(Yv - 0.394f * U - 0.581f * V);
        blue[i] = TruncatedByte(Yv + 2.032f * U);
    }
}

#if defined(PIX_WB_HAS_AVX512)
// k v on sixteen lanes.
PIX_WB_AVX512 inline __m512 times(float k, __m512 v)
{
    return _mm512_mul_ps(_mm512_set1_ps(k), v);
}

// The shaded red, green and blue of sixteen pixels, not yet truncated, with
// the same float steps as Shade (the file is built without fused
// multiply-adds).
struct ShadedLanes {
    __m512 red, green, blue;
};

PIX_WB_AVX512 inline ShadedLanes ShadeLanes(const unsigned char* red, const unsigned char* green,
                                            const unsigned char* blue, const float* factor, __mmask16 lanes)
{
    const __m512 R = LoadByteFloats(red, lanes), G = LoadByteFloats(green, lanes), B = LoadByteFloats(blue, lanes);
    const __m512 f = lanes == allLanes ? _mm512_loadu_ps(factor) : _mm512_maskz_loadu_ps(lanes, factor);
    const __m512 Y = _mm512_add_ps(_mm512_add_ps(times(0.299f, R), times(0.587f, G)), times(0.114f, B));
    const __m512 U = times(0.493f, _mm512_sub_ps(B, Y));
    const __m512 V = times(0.877f, _mm512_sub_ps(R, Y));
    const __m512 Yv = _mm512_mul_ps(Y, f);
    return {_mm512_add_ps(Yv, times(1.14f, V)), _mm512_sub_ps(_mm512_sub_ps(Yv, times(0.394f, U)), times(0.581f, V)),
            _mm512_add_ps(Yv, times(2.032f, U))};
}

// Shade on the lanes of one step of sixteen pixels. Every value stays
// within a few hundred of 0..255.
PIX_WB_AVX512 inline void ShadeStep(unsigned char* red, unsigned char* green, unsigned char* blue, const float* factor,
                                    __mmask16 lanes)
{
    const ShadedLanes v = ShadeLanes(red, green, blue, factor, lanes);
    StoreTruncatedFiniteBytes(v.red, red, lanes);
    StoreTruncatedFiniteBytes(v.green, green, lanes);
    StoreTruncatedFiniteBytes(v.blue, blue, lanes);
}

// Sixty-four values truncated and held to 0..255 into p, from four steps
// of sixteen that lie well inside 16 bits: packed twice, then the four
// steps' groups of four bytes put back in order.
PIX_WB_AVX512 inline void StorePackedBytes(unsigned char* p, __m512 a, __m512 b, __m512 c, __m512 d)
{
    const __m512i low = _mm512_packus_epi32(_mm512_cvttps_epi32(a), _mm512_cvttps_epi32(b));
    const __m512i high = _mm512_packus_epi32(_mm512_cvttps_epi32(c), _mm512_cvttps_epi32(d));
    const __m512i order = _mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    _mm512_storeu_si512(p, _mm512_permutexvar_epi32(order, _mm512_packus_epi16(low, high)));
}

// Shade on sixteen pixels a step, sixty-four where they are to be had.
PIX_WB_AVX512 void ShadeWide(unsigned char* red, unsigned char* green, unsigned char* blue, const float* factor, int n)
{
    int i = 0;
    for (; i + 64 <= n; i += 64) {
        ShadedLanes v[4];
        for (int k = 0; k < 4; ++k)
            v[k] = ShadeLanes(red + i + 16 * k, green + i + 16 * k, blue + i + 16 * k, factor + i + 16 * k, allLanes);
        StorePackedBytes(red + i, v[0].red, v[1].red, v[2].red, v[3].red);
        StorePackedBytes(green + i, v[0].green, v[1].green, v[2].green, v[3].green);
        StorePackedBytes(blue + i, v[0].blue, v[1].blue, v[2].blue, v[3].blue);
    }
    for (; i + 16 <= n; i += 16)
        ShadeStep(red + i, green + i, blue + i, factor + i, allLanes);
    if (i < n)
        ShadeStep(red + i, green + i, blue + i, factor + i, LanesOf(n - i));
}

// LineFactors on sixteen columns a step: the same float steps, the table
// read by gathers, the mirrored half turned around in registers.
PIX_WB_AVX512 void LineFactorsWide(const FalloffTable& falloff, int w, float cx, float dy, float c, float* factor)
{
    const int half = w / 2 + 1;
    const float* const samples = falloff.Samples();
    const __m512 vcx = _mm512_set1_ps(cx), dy2 = _mm512_set1_ps(dy * dy), vc = _mm512_set1_ps(c);
    const __m512 zero = _mm512_setzero_ps(), one = _mm512_set1_ps(1.0f);
    const __m512 steps = _mm512_set1_ps(float(FalloffTable::steps));
    const __m512i sixteen = _mm512_set1_epi32(16);
    const __m512i evens = _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
    const __m512i odds = _mm512_add_epi32(evens, _mm512_set1_epi32(1));
    __m512i columns = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    // Columns past the half still lie within the table, so whole steps are
    // read and only the half's lanes stored. The positions come first, the
    // table after: the gathers then wait on no square root.
    for (int x = 0; x < half; x += 16, columns = _mm512_add_epi32(columns, sixteen)) {
        const __m512 dx = _mm512_sub_ps(_mm512_cvtepi32_ps(columns), vcx);
        const __m512 t = _mm512_div_ps(_mm512_sqrt_ps(_mm512_add_ps(_mm512_mul_ps(dx, dx), dy2)), vc);
        _mm512_mask_storeu_ps(factor + x, LanesOf(half - x), _mm512_mul_ps(_mm512_min_ps(_mm512_max_ps(t, zero), one), steps));
    }
    for (int x = 0; x < half; x += 16) {
        const __mmask16 lanes = LanesOf(half - x);
        const __m512 at = _mm512_maskz_loadu_ps(lanes, factor + x);
        const __m512i i = _mm512_cvttps_epi32(at);
        const __m512 f = _mm512_sub_ps(at, _mm512_cvtepi32_ps(i));
        // Each sample with the next as one 8-byte word: half the gathered
        // elements, split into the two floats by permutes.
        const __m512 front = _mm512_castsi512_ps(_mm512_i32gather_epi64(_mm512_castsi512_si256(i), samples, 4));
        const __m512 back = _mm512_castsi512_ps(_mm512_i32gather_epi64(_mm512_extracti64x4_epi64(i, 1), samples, 4));
        const __m512 low = _mm512_permutex2var_ps(front, evens, back);
        const __m512 high = _mm512_permutex2var_ps(front, odds, back);
        _mm512_mask_storeu_ps(factor + x, lanes, _mm512_add_ps(low, _mm512_mul_ps(f, _mm512_sub_ps(high, low))));
    }
    const __m512i reversed = _mm512_setr_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    int x = half;
    for (; x + 16 <= w; x += 16)
        _mm512_storeu_ps(factor + x, _mm512_permutexvar_ps(reversed, _mm512_loadu_ps(factor + w - x - 15)));
    for (; x < w; ++x)
        factor[x] = factor[w - x];
}
#endif

// Shade with the widest kernel the processor runs.
void ShadeRow(unsigned char* red, unsigned char* green, unsigned char* blue, const float* factor, int n)
{
#if defined(PIX_WB_HAS_AVX512)
    if (HasAvx512()) {
        ShadeWide(red, green, blue, factor, n);
        return;
    }
#endif
    Shade(red, green, blue, factor, n);
}

// LineFactors with the widest kernel the processor runs.
void LineFactorsOf(const FalloffTable& falloff, int w, float cx, float dy, float c, float* factor)
{
#if defined(PIX_WB_HAS_AVX512)
    if (HasAvx512()) {
        LineFactorsWide(falloff, w, cx, dy, c, factor);
        return;
    }
#endif
    LineFactors(falloff, w, cx, dy, c, factor);
}

} // namespace

void EffectVignette(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    static const FalloffTable falloff;
    const int w = planes.Width();
    const int h = planes.Height();
    const float cx = float(w) / 2.0f;
    const float cy = float(h) / 2.0f;
    const float c = std::sqrt(cx * cx + cy * cy);
    // Plane rows run bottom-up: row r lies dy = h - 1 - r - cy from the centre
    // line, and row h - 2 - r at -dy. Unit u < h / 2 is row u with that
    // mirror, sharing one line of factors; the last unit is row h - 1.
    const int pairs = h / 2;
    ForRowBands(pairs + 1, std::size_t(w) * std::size_t(h), [&](int begin, int end) {
        std::vector<float> factors(static_cast<std::size_t>(w));
        float* const __restrict f = factors.data();
        auto shadeRow = [&](int row) { ShadeRow(planes.r.rows[row], planes.g.rows[row], planes.b.rows[row], f, w); };
        for (int u = begin; u < end; ++u) {
            const int row = u < pairs ? u : h - 1;
            LineFactorsOf(falloff, w, cx, float(h - 1 - row) - cy, c, f);
            shadeRow(row);
            if (u < pairs && h - 2 - u != row)
                shadeRow(h - 2 - u);
        }
    });
}
