#include "pixorama/workbench/PhotoEffects.h"

#include "ByteTable.h"
#include "HotKernel.h"
#include "PixelLoops.h"
#include "PlaneGrey.h"
#include "ThousandthSums.h"
#include "WideLanes.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct CrossTables {
    unsigned char red[256];
    unsigned char green[256];

    CrossTables()
    {
        for (int i = 0; i < 256; ++i) {
            const double a = i < 128 ? i : 256 - i;
            red[i] = ClampByte(i < 128 ? a * a * a / 16384.0 : 256.0 - a * a * a / 16384.0);
            green[i] = ClampByte(i < 128 ? a * a / 128.0 : 256.0 - a * a / 128.0);
        }
    }
};

// 255 - v, on vectors as wide as the processor has.
PIX_WB_HOT_WIDE void InvertedRow(unsigned char* p, int w)
{
    for (int x = 0; x < w; ++x)
        p[x] = static_cast<unsigned char>(255 - p[x]);
}

// v / 2 + 37, on vectors.
void HalfLifted(unsigned char* __restrict p, int w)
{
    for (int x = 0; x < w; ++x)
        p[x] = static_cast<unsigned char>(p[x] / 2 + 37);
}

// 255 - ((255 - v * c / 256) * (255 - v) >> 8). Every product stays below
// 2^16, so the line runs on 16-bit lanes.
unsigned char Lift(std::uint16_t v, std::uint16_t c)
{
    const std::uint16_t scaled = static_cast<std::uint16_t>(std::uint16_t(v * c) >> 8);
    return static_cast<unsigned char>(255 - (std::uint16_t((255 - scaled) * (255 - v)) >> 8));
}

unsigned char Frozen(int v)
{
    return static_cast<unsigned char>(std::min(std::abs(v * 3 / 2), 255));
}

// The colour matrix on one run: each output channel k[c][0] R + k[c][1] G +
// k[c][2] B + k[c][3] in floats, truncated to 0..255, in a vector loop of
// its own; built for AVX2 as well, taken where the processor has it (no
// FMA: the floats stay as they are).
PIX_WB_AVX2 void MatrixRun(PixelRun& run, int n, const float (&k)[3][4])
{
    alignas(64) float R[PixelRun::size], G[PixelRun::size], B[PixelRun::size], v[PixelRun::size];
    ToFloats(run.r, R, n);
    ToFloats(run.g, G, n);
    ToFloats(run.b, B, n);
    unsigned char* const outs[3] = {run.r, run.g, run.b};
    for (int c = 0; c < 3; ++c) {
        const float k0 = k[c][0], k1 = k[c][1], k2 = k[c][2], k3 = k[c][3];
        for (int i = 0; i < n; ++i)
            v[i] = k0 * R[i] + k1 * G[i] + k2 * B[i] + k3;
        TruncatedBytes(v, outs[c], n);
    }
}

#if defined(PIX_WB_HAS_AVX512)
// The colour matrix on the lanes of one step of sixteen pixels in place,
// with the float steps of MatrixRun (the file is built without fused
// multiply-adds).
PIX_WB_AVX512 inline void MatrixStep(unsigned char* red, unsigned char* green, unsigned char* blue,
                                     const __m512 (&K)[3][4], __mmask16 lanes)
{
    const __m512 R = LoadByteFloats(red, lanes), G = LoadByteFloats(green, lanes), B = LoadByteFloats(blue, lanes);
    __m512 v[3];
    for (int c = 0; c < 3; ++c) {
        const __m512 sum = _mm512_add_ps(_mm512_mul_ps(K[c][0], R), _mm512_mul_ps(K[c][1], G));
        v[c] = _mm512_add_ps(_mm512_add_ps(sum, _mm512_mul_ps(K[c][2], B)), K[c][3]);
    }
    StoreTruncatedBytes(v[0], red, lanes);
    StoreTruncatedBytes(v[1], green, lanes);
    StoreTruncatedBytes(v[2], blue, lanes);
}

// The colour matrix on one row in place, sixteen pixels a step.
PIX_WB_AVX512 void MatrixRowWide(unsigned char* red, unsigned char* green, unsigned char* blue, int n,
                                 const float (&k)[3][4])
{
    __m512 K[3][4];
    for (int c = 0; c < 3; ++c)
        for (int j = 0; j < 4; ++j)
            K[c][j] = _mm512_set1_ps(k[c][j]);
    int i = 0;
    for (; i + 16 <= n; i += 16)
        MatrixStep(red + i, green + i, blue + i, K, allLanes);
    if (i < n)
        MatrixStep(red + i, green + i, blue + i, K, LanesOf(n - i));
}
#endif

} // namespace

void EffectNegative(ColourPlanes planes)
{
    ForEachPlaneRow(planes, InvertedRow);
}

void EffectGrey(ColourPlanes planes)
{
    ForEachLoadedRun(planes, [&planes](const PixelRun& run, int y, int x, int n) {
        alignas(64) unsigned char grey[PixelRun::size];
        ThousandthSums(run, n, {greyWeights}, {grey});
        for (ClassData2DIO<unsigned char>* plane : {&planes.r, &planes.g, &planes.b})
            std::memcpy(plane->rows[y] + x, grey, std::size_t(n));
    });
}

void EffectCrossProcess(ColourPlanes planes)
{
    static const CrossTables tables;
    const int w = planes.Width();
    // Plane by plane in place: each channel depends on itself only.
    ForPlaneBands(planes, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            LookUpBytes(planes.r.rows[y], w, tables.red);
            LookUpBytes(planes.g.rows[y], w, tables.green);
            HalfLifted(planes.b.rows[y], w);
        }
    });
}

void EffectSepia(ColourPlanes planes)
{
    static constexpr Thousandths sepia[3] = {{393, 769, 189}, {349, 686, 168}, {272, 534, 131}};
    const int w = planes.Width();
    ForPlaneBands(planes, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            unsigned char* const rows[3] = {planes.r.rows[y], planes.g.rows[y], planes.b.rows[y]};
            ThousandthSumRows(rows[0], rows[1], rows[2], w, sepia, 3, rows);
        }
    });
}

void EffectDarkLift(ColourPlanes planes)
{
    ForEachPixel(planes, [](unsigned char& r, unsigned char& g, unsigned char& b) {
        const std::uint16_t c = static_cast<std::uint16_t>(255 - g);
        b = Lift(b, c);
        g = Lift(g, c);
        r = Lift(r, c);
    });
}

void EffectFreeze(ColourPlanes planes)
{
    ForEachRun(planes, [](PixelRun& run, int n) {
        int i = 0;
#if defined(__SSE2__)
        // |3 v| / 2 is |v * 3 / 2| with the division truncating toward zero;
        // |3 v| stays below 1531, so the steps run on 16-bit lanes.
        const __m128i zero = _mm_setzero_si128(), top = _mm_set1_epi16(255);
        auto frozen = [&](__m128i v) {
            const __m128i tripled = _mm_add_epi16(_mm_add_epi16(v, v), v);
            const __m128i magnitude = _mm_max_epi16(tripled, _mm_sub_epi16(zero, tripled));
            return _mm_min_epi16(_mm_srli_epi16(magnitude, 1), top);
        };
        auto eight = [&](__m128i r, __m128i g, __m128i b, __m128i& outR, __m128i& outG, __m128i& outB) {
            outR = frozen(_mm_sub_epi16(_mm_sub_epi16(r, b), g));
            outG = frozen(_mm_sub_epi16(_mm_sub_epi16(g, outR), b));
            outB = frozen(_mm_sub_epi16(_mm_sub_epi16(b, outG), outR));
        };
        auto load = [](const unsigned char* p) { return _mm_load_si128(reinterpret_cast<const __m128i*>(p)); };
        for (; i + 16 <= n; i += 16) {
            const __m128i r = load(run.r + i), g = load(run.g + i), b = load(run.b + i);
            __m128i r0, g0, b0, r1, g1, b1;
            eight(_mm_unpacklo_epi8(r, zero), _mm_unpacklo_epi8(g, zero), _mm_unpacklo_epi8(b, zero), r0, g0, b0);
            eight(_mm_unpackhi_epi8(r, zero), _mm_unpackhi_epi8(g, zero), _mm_unpackhi_epi8(b, zero), r1, g1, b1);
            _mm_store_si128(reinterpret_cast<__m128i*>(run.r + i), _mm_packus_epi16(r0, r1));
            _mm_store_si128(reinterpret_cast<__m128i*>(run.g + i), _mm_packus_epi16(g0, g1));
            _mm_store_si128(reinterpret_cast<__m128i*>(run.b + i), _mm_packus_epi16(b0, b1));
        }
#endif
        for (; i < n; ++i) {
            unsigned char &r = run.r[i], &g = run.g[i], &b = run.b[i];
            r = Frozen(int(r) - b - g);
            g = Frozen(int(g) - r - b);
            b = Frozen(int(b) - g - r);
        }
    });
}

void EffectColourMatrix(ColourPlanes planes, const float (&m)[5][5])
{
    float k[3][4];
    for (int i = 0; i < 3; ++i)
        k[i][0] = m[i][0], k[i][1] = m[i][1], k[i][2] = m[i][2], k[i][3] = m[i][4] * 255.0f;
#if defined(PIX_WB_HAS_AVX512)
    if (HasAvx512()) {
        ForPlaneBands(planes, [&](int begin, int end) {
            for (int y = begin; y < end; ++y)
                MatrixRowWide(planes.r.rows[y], planes.g.rows[y], planes.b.rows[y], planes.Width(), k);
        });
        return;
    }
#endif
    ForEachRun(planes, [&k](PixelRun& run, int n) { MatrixRun(run, n, k); });
}
