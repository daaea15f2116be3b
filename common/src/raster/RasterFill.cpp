#include "pixorama/common/RasterFill.h"

#include "pixorama/common/BSpline.h"

#include "SpanWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using IntPoint = PointTemplateBase<int>;

constexpr int stepX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int stepY[8] = {0, -1, -1, -1, 0, 1, 1, 1};

// How often the boundary point reached by code c is emitted when code next
// follows: 0 never, 1 and 2 once, 3 twice (a one-pixel row of the outline
// that opens and closes a span at the same place).
constexpr unsigned char emission[8][8] = {
    {0, 0, 0, 0, 2, 2, 2, 2}, {1, 1, 1, 1, 0, 3, 3, 3}, {1, 1, 1, 1, 0, 0, 3, 3}, {1, 1, 1, 1, 0, 0, 0, 3},
    {1, 1, 1, 1, 0, 0, 0, 0}, {0, 3, 3, 3, 2, 2, 2, 2}, {0, 0, 3, 3, 2, 2, 2, 2}, {0, 0, 0, 3, 2, 2, 2, 2},
};

int directionCode(int dx, int dy)
{
    // Indexed by (dy + 1) * 3 + (dx + 1); -1 for no movement.
    constexpr int codes[9] = {3, 2, 1, 4, -1, 0, 5, 6, 7};
    return codes[(dy + 1) * 3 + (dx + 1)];
}

// Appends the Freeman codes of the symmetric digital line from a to b.
void appendEdgeCodes(IntPoint a, IntPoint b, std::vector<int>& codes)
{
    const int adx = std::abs(b.x - a.x);
    const int ady = std::abs(b.y - a.y);
    const int sx = b.x > a.x ? 1 : -1;
    const int sy = b.y > a.y ? 1 : -1;
    const int steps = std::max(adx, ady);
    int accX = 1;
    int accY = 1;
    for (int i = 0; i < steps; ++i) {
        int dx = 0;
        int dy = 0;
        accX += adx;
        if (accX > steps) {
            dx = sx;
            accX -= steps;
        }
        accY += ady;
        if (accY > steps) {
            dy = sy;
            accY -= steps;
        }
        if (dx != 0 || dy != 0)
            codes.push_back(directionCode(dx, dy));
    }
}

// Boundary points of the closed chain starting at start, each as often as
// the emission table says. Appends the first code to codes to close it.
std::vector<IntPoint> boundaryPoints(IntPoint start, std::vector<int>& codes)
{
    std::vector<IntPoint> points;
    const std::size_t n = codes.size();
    points.reserve(n + 2);
    if (n == 1) {
        points.push_back(start);
        points.push_back(start);
    }
    codes.push_back(codes.front());
    IntPoint p = start;
    for (std::size_t i = 0; i < n; ++i) {
        const int c = codes[i];
        p.x += stepX[c];
        p.y += stepY[c];
        const int times = emission[c][codes[i + 1]];
        if (times != 0)
            points.push_back(p);
        if (times == 3)
            points.push_back(p);
    }
    return points;
}

// The points ordered by y, then x. Every y lies in 0..height - 1 (the
// outline was clamped), so a counting pass by row does the first key and
// each row's few points are sorted on their own.
std::vector<IntPoint> sortedByRowThenColumn(const std::vector<IntPoint>& points, int height)
{
    std::vector<std::size_t> start(std::size_t(height) + 1, 0);
    for (const IntPoint& p : points)
        ++start[std::size_t(p.y) + 1];
    for (std::size_t r = 1; r < start.size(); ++r)
        start[r] += start[r - 1];
    std::vector<IntPoint> sorted(points.size());
    std::vector<std::size_t> next(start.begin(), start.end() - 1);
    for (const IntPoint& p : points)
        sorted[next[std::size_t(p.y)]++] = p;
    for (std::size_t r = 0; r + 1 < start.size(); ++r)
        if (start[r + 1] - start[r] > 1)
            std::sort(sorted.begin() + std::ptrdiff_t(start[r]), sorted.begin() + std::ptrdiff_t(start[r + 1]),
                      [](const IntPoint& a, const IntPoint& b) { return a.x < b.x; });
    return sorted;
}

// Twice the signed area in image coordinates (y down); positive when the
// outline runs clockwise on screen, the direction the emission table is
// written for.
long long doubledArea(const std::vector<IntPoint>& pts)
{
    long long sum = 0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const IntPoint a = pts[i];
        const IntPoint b = pts[(i + 1) % pts.size()];
        sum += (long long)a.x * b.y - (long long)b.x * a.y;
    }
    return sum;
}

} // namespace

void FillPolygon(ClassData2DIO<int>& img, std::vector<PointTemplateBase<int>>& pts, int value)
{
    if (img.IsEmpty() || pts.empty())
        return;
    for (IntPoint& p : pts) {
        p.x = std::clamp(p.x, 0, img.width - 1);
        p.y = std::clamp(p.y, 0, img.height - 1);
    }
    // The table loses the top and bottom rows of a counter-clockwise outline:
    // walk those the other way round.
    std::vector<IntPoint> outline = pts;
    if (doubledArea(outline) < 0)
        std::reverse(outline.begin(), outline.end());
    std::vector<int> codes;
    for (std::size_t j = 0; j < outline.size(); ++j)
        appendEdgeCodes(outline[j], outline[(j + 1) % outline.size()], codes);
    const std::size_t chainLength = codes.size();
    if (chainLength == 0)
        return;
    const std::vector<IntPoint> points = boundaryPoints(outline.front(), codes);
    const std::vector<IntPoint> sorted = sortedByRowThenColumn(points, img.height);
    for (std::size_t k = 0; k + 1 < sorted.size(); k += 2)
        pixFillSpan(img, sorted[k].y, sorted[k].x, sorted[k + 1].x, value);
    // Where two edges leave a sharp vertex, their digital lines can cross
    // right at the tip and the table emits nothing for it; the outline
    // itself always belongs to the polygon, so set it as well.
    IntPoint p = outline.front();
    pixFillSpan(img, p.y, p.x, p.x, value);
    for (std::size_t i = 0; i < chainLength; ++i) {
        p.x += stepX[codes[i]];
        p.y += stepY[codes[i]];
        pixFillSpan(img, p.y, p.x, p.x, value);
    }
}

void FillSpline(ClassData2DIO<int>& img, std::vector<PointTemplateBase<int>>& pts, int value)
{
    std::vector<IntPoint> in = pts;
    if (!in.empty() && (in.front().x != in.back().x || in.front().y != in.back().y))
        in.push_back(in.front()); // closed, so the curve runs smoothly through the first point
    std::vector<IntPoint> curve;
    std::vector<IntPoint> work;
    mB3Line(in, curve, work);
    if (!curve.empty())
        FillPolygon(img, curve, value);
}

void DrawEcllipse(ClassData2DIO<int>& img, int x0, int y0, int x1, int y1, bool fill, int value)
{
    // Larger boxes would overflow the decision variables below.
    constexpr long long limit = 1LL << 20;
    const long long W = std::llabs((long long)x1 - x0);
    const long long H = std::llabs((long long)y1 - y0);
    if (!fill || img.IsEmpty() || W > limit || H > limit)
        return;
    // Without a radius in both directions the steps below would walk past
    // the centre and draw mirrored rows: a box less than two pixels wide or
    // high has no ellipse.
    if (W < 2 || H < 2)
        return;
    const long long cx = ((long long)x0 + x1) / 2;
    const long long cy = ((long long)y0 + y1) / 2;
    const long long rx = W / 2;
    const long long ry = H / 2;
    const long long a = rx * rx;
    const long long b = ry * ry;
    // Rows cy + y and cy - y, columns cx - x up to but excluding cx + x.
    auto emit = [&](long long x, long long y) {
        pixFillSpan(img, cy + y, cx - x, cx + x - 1, value);
        pixFillSpan(img, cy - y, cx - x, cx + x - 1, value);
    };
    const double root = std::sqrt(double(a + b));

    long long x = 0;
    long long y = ry;
    emit(0, ry);
    long long d = 4 * (b - (a * H) / 2) + a;
    const long long firstSteps = std::llround(double(a) / root);
    for (long long i = 1; i <= firstSteps; ++i) {
        const bool down = d > 0;
        if (down && --y < 0)
            break;
        emit(i, y);
        d += 4 * b * (2 * i + 1);
        if (down)
            d -= 8 * a * y;
    }

    x = rx;
    emit(rx, 0);
    d = 4 * a + b - 4 * ((b * W) / 2);
    const long long secondSteps = std::llround(double(b) / root);
    for (long long i = 1; i <= secondSteps; ++i) {
        const bool inward = d > 0;
        if (inward && --x < 0)
            break;
        emit(x, i);
        d += 4 * a * (2 * i + 1);
        if (inward)
            d -= 8 * b * x;
    }
}
