#pragma once

#include "pixorama/workbench/ColourPlanes.h"

#include "RowBands.h"

#include <cstddef>

// body(begin, end) over the planes' rows, spread over the processors.
template <typename Body>
void ForPlaneBands(ColourPlanes planes, Body body)
{
    if (!planes.Empty())
        ForRowBands(planes.Height(), std::size_t(planes.Width()) * std::size_t(planes.Height()), body);
}

// f(r, g, b) on every pixel, by reference.
template <typename F>
void ForEachPixel(ColourPlanes planes, F f)
{
    const int w = planes.Width();
    ForPlaneBands(planes, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            // The planes are separate buffers; saying so lets the loop run on vectors.
            unsigned char* __restrict r = planes.r.rows[y];
            unsigned char* __restrict g = planes.g.rows[y];
            unsigned char* __restrict b = planes.b.rows[y];
            for (int x = 0; x < w; ++x)
                f(r[x], g[x], b[x]);
        }
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

inline unsigned char ClampByte(int v)
{
    return static_cast<unsigned char>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

inline unsigned char ClampByte(double v)
{
    return static_cast<unsigned char>(v <= 0.0 ? 0.0 : (v >= 255.0 ? 255.0 : v));
}
