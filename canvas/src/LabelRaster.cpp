#include "LabelRaster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

void fillSpan(ClassData2DIO<int>& label, int y, int x0, int x1, int value)
{
    x0 = std::max(x0, 0);
    x1 = std::min(x1, label.width - 1);
    if (y < 0 || y >= label.height || x0 > x1)
        return;
    int* row = label.rows[label.height - 1 - y];
    std::fill(row + x0, row + x1 + 1, value);
}

// Every pixel a digital line from a to b passes through.
void fillEdge(ClassData2DIO<int>& label, PointTemplateBase<int> a, PointTemplateBase<int> b, int value)
{
    const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
    for (int i = 0; i <= steps; ++i) {
        const double t = steps == 0 ? 0.0 : double(i) / steps;
        const int x = int(std::lround(a.x + (b.x - a.x) * t));
        const int y = int(std::lround(a.y + (b.y - a.y) * t));
        fillSpan(label, y, x, x, value);
    }
}

} // namespace

void fillLabelPolygon(ClassData2DIO<int>& label, std::vector<PointTemplateBase<int>> points, int value)
{
    if (label.IsEmpty() || points.empty())
        return;
    int top = label.height;
    int bottom = -1;
    for (PointTemplateBase<int>& p : points) {
        p.x = std::clamp(p.x, 0, label.width - 1);
        p.y = std::clamp(p.y, 0, label.height - 1);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const std::size_t n = points.size();
    // Interior: even-odd crossings of each row's centre line with the edges
    // (an edge counts for rows from its upper end to just above its lower end).
    std::vector<double> crossings;
    for (int y = top; y <= bottom; ++y) {
        crossings.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const PointTemplateBase<int> a = points[i];
            const PointTemplateBase<int> b = points[(i + 1) % n];
            if (a.y == b.y || y < std::min(a.y, b.y) || y >= std::max(a.y, b.y))
                continue;
            crossings.push_back(a.x + double(y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2)
            fillSpan(label, y, int(std::ceil(crossings[k])), int(std::floor(crossings[k + 1])), value);
    }
    // Boundary.
    for (std::size_t i = 0; i < n; ++i)
        fillEdge(label, points[i], points[(i + 1) % n], value);
}

void fillLabelEllipse(ClassData2DIO<int>& label, int x0, int y0, int x1, int y1, int value)
{
    if (label.IsEmpty() || x0 == x1 || y0 == y1)
        return;
    const double cx = (x0 + x1) / 2.0;
    const double cy = (y0 + y1) / 2.0;
    const double rx = std::abs(x1 - x0) / 2.0;
    const double ry = std::abs(y1 - y0) / 2.0;
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) {
        const double dy = (y - cy) / ry;
        if (dy * dy > 1.0)
            continue;
        const double half = rx * std::sqrt(1.0 - dy * dy);
        fillSpan(label, y, int(std::ceil(cx - half)), int(std::floor(cx + half)), value);
    }
}
