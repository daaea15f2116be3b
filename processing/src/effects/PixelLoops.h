#pragma once

#include "pixorama/workbench/ColourPlanes.h"

#include "RowBands.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// body(begin, end) over the planes' rows, spread over the processors.
template <typename Body>
void ForPlaneBands(ColourPlanes planes, Body body)
{
    if (!planes.Empty())
        ForRowBands(planes.Height(), std::size_t(planes.Width()) * std::size_t(planes.Height()), body);
}

// A run of at most `size` pixels of one row, copied out of the planes and
// back. The planes are separate picture-sized buffers whose rows lie at the
// same offsets within memory pages: a loop that reads one plane while it
// writes another in place stalls on false store-to-load dependencies, and a
// run in local buffers avoids that and lets the loop run on vectors.
struct PixelRun {
    static constexpr int size = 256;
    alignas(64) unsigned char r[size];
    alignas(64) unsigned char g[size];
    alignas(64) unsigned char b[size];

    void Load(ColourPlanes planes, int y, int x, int n)
    {
        std::memcpy(r, planes.r.rows[y] + x, std::size_t(n));
        std::memcpy(g, planes.g.rows[y] + x, std::size_t(n));
        std::memcpy(b, planes.b.rows[y] + x, std::size_t(n));
    }
    void Store(ColourPlanes planes, int y, int x, int n) const
    {
        std::memcpy(planes.r.rows[y] + x, r, std::size_t(n));
        std::memcpy(planes.g.rows[y] + x, g, std::size_t(n));
        std::memcpy(planes.b.rows[y] + x, b, std::size_t(n));
    }
};

// body(run, y, x, n) on every run of n pixels from column x of row y.
template <typename Body>
void ForEachLoadedRun(ColourPlanes planes, Body body)
{
    const int w = planes.Width();
    ForPlaneBands(planes, [&](int begin, int end) {
        PixelRun run;
        for (int y = begin; y < end; ++y)
            for (int x = 0; x < w; x += PixelRun::size) {
                const int n = std::min(PixelRun::size, w - x);
                run.Load(planes, y, x, n);
                body(run, y, x, n);
            }
    });
}

// body(run, n) on every run of n pixels, which it may change in place.
template <typename Body>
void ForEachRun(ColourPlanes planes, Body body)
{
    ForEachLoadedRun(planes, [&](PixelRun& run, int y, int x, int n) {
        body(run, n);
        run.Store(planes, y, x, n);
    });
}

// f(r, g, b) on every pixel, by reference.
template <typename F>
void ForEachPixel(ColourPlanes planes, F f)
{
    ForEachRun(planes, [f](PixelRun& run, int n) {
        for (int i = 0; i < n; ++i)
            f(run.r[i], run.g[i], run.b[i]);
    });
}

// f(row, width) on every row of every plane.
template <typename F>
void ForEachPlaneRow(ColourPlanes planes, F f)
{
    ForPlaneBands(planes, [&](int begin, int end) {
        for (ClassData2DIO<unsigned char>* plane : {&planes.r, &planes.g, &planes.b})
            for (int y = begin; y < end; ++y)
                f(plane->rows[y], planes.Width());
    });
}

// The plane's rows one after another into `to`, row bands side by side.
inline void CopyPlane(const ClassData2DIO<unsigned char>& plane, unsigned char* to)
{
    const std::size_t w = std::size_t(plane.width);
    ForRowBands(plane.height, w * std::size_t(plane.height), [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            std::memcpy(to + std::size_t(y) * w, plane.rows[y], w);
    });
}

// Bytes of a run as floats.
inline void ToFloats(const unsigned char* __restrict in, float* __restrict out, int n)
{
    for (int i = 0; i < n; ++i)
        out[i] = in[i];
}

// out[i] = v[i] truncated and held to 0..255; not-a-number gives 0 (the
// vector maximum takes its second operand when one is not a number).
inline void TruncatedBytes(const float* __restrict v, unsigned char* __restrict out, int n)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128 zero = _mm_setzero_ps(), top = _mm_set1_ps(255.0f);
    auto four = [&](int at) { return _mm_cvttps_epi32(_mm_min_ps(_mm_max_ps(_mm_loadu_ps(v + at), zero), top)); };
    for (; i + 16 <= n; i += 16) {
        const __m128i low = _mm_packs_epi32(four(i), four(i + 4)), high = _mm_packs_epi32(four(i + 8), four(i + 12));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
#endif
    for (; i < n; ++i) {
        const float c = v[i] > 0.0f ? v[i] : 0.0f;
        out[i] = static_cast<unsigned char>(static_cast<int>(c < 255.0f ? c : 255.0f));
    }
}

inline unsigned char ClampByte(int v)
{
    return static_cast<unsigned char>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

inline unsigned char ClampByte(double v)
{
    return static_cast<unsigned char>(v <= 0.0 ? 0.0 : (v >= 255.0 ? 255.0 : v));
}
