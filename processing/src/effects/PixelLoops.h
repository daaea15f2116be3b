#pragma once

#include "pixorama/workbench/ColourPlanes.h"

#include "RowBands.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

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

inline unsigned char ClampByte(int v)
{
    return static_cast<unsigned char>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

inline unsigned char ClampByte(double v)
{
    return static_cast<unsigned char>(v <= 0.0 ? 0.0 : (v >= 255.0 ? 255.0 : v));
}
