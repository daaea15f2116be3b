#include "Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plat::raster {

std::vector<Point> linePixels(Point a, Point b)
{
    std::vector<Point> pixels;
    const int dx = std::abs(b.x - a.x);
    const int dy = std::abs(b.y - a.y);
    const int stepX = a.x < b.x ? 1 : -1;
    const int stepY = a.y < b.y ? 1 : -1;
    pixels.reserve(std::size_t(std::max(dx, dy)));
    // Bresenham over the major axis; one pixel per step, the end excluded.
    int error = (dx > dy ? dx : -dy) / 2;
    Point p = a;
    for (int k = std::max(dx, dy); k > 0; --k) {
        pixels.push_back(p);
        const int e = error;
        if (e > -dx) {
            error -= dy;
            p.x += stepX;
        }
        if (e < dy) {
            error += dx;
            p.y += stepY;
        }
    }
    return pixels;
}

std::vector<Span> ellipseSpans(const Rect& r)
{
    std::vector<Span> spans;
    if (r.isEmpty())
        return spans;
    const double cx = (double(r.left) + r.right) / 2;
    const double cy = (double(r.top) + r.bottom) / 2;
    const double rx = r.width() / 2.0;
    const double ry = r.height() / 2.0;
    spans.reserve(std::size_t(r.height()));
    for (int y = r.top; y < r.bottom; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        const double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        int x0 = int(std::floor(cx - half + 0.5));
        int x1 = int(std::ceil(cx + half - 0.5));
        // The outermost rows still get their middle pixel(s), so the
        // ellipse touches the top and bottom of r.
        if (x1 <= x0) {
            x0 = int(std::floor(cx - 0.5));
            x1 = int(std::ceil(cx + 0.5));
        }
        spans.push_back({y, std::max(x0, r.left), std::min(x1, r.right)});
    }
    return spans;
}

std::vector<Span> polygonSpans(const std::vector<Point>& points)
{
    std::vector<Span> spans;
    if (points.size() < 3)
        return spans;
    auto [low, high] = std::minmax_element(points.begin(), points.end(),
                                           [](const Point& a, const Point& b) { return a.y < b.y; });
    std::vector<double> crossings;
    for (int y = low->y; y < high->y; ++y) {
        const double centre = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point& a = points[i];
            const Point& b = points[(i + 1) % points.size()];
            if ((a.y <= centre) == (b.y <= centre))
                continue;
            crossings.push_back(a.x + (centre - a.y) * (b.x - a.x) / double(b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int x0 = int(std::ceil(crossings[i] - 0.5));
            const int x1 = int(std::ceil(crossings[i + 1] - 0.5));
            if (x1 > x0)
                spans.push_back({y, x0, x1});
        }
    }
    return spans;
}

} // namespace plat::raster
