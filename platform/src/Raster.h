#pragma once

#include "pixorama/platform/Types.h"

#include <vector>

// Aliased rasterisation in window coordinates, as GDI does it.
namespace plat::raster {

// The pixels of a one-pixel line from a up to, not including, b.
std::vector<Point> linePixels(Point a, Point b);

struct Span {
    int y = 0;
    int x0 = 0; // inclusive
    int x1 = 0; // exclusive
};

// One span per row of the ellipse inscribed in r; it touches all four sides.
std::vector<Span> ellipseSpans(const Rect& r);

// Spans of a polygon filled by the alternate (even-odd) rule: a pixel is in
// when its centre is.
std::vector<Span> polygonSpans(const std::vector<Point>& points);

} // namespace plat::raster
