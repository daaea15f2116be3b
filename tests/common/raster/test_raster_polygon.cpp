#include "RasterTestTools.h"

#include "pixorama/common/RasterFill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using raster_test::blank;
using raster_test::countValue;
using raster_test::mismatches;
using Points = std::vector<PointTemplateBase<int>>;

TEST(RasterPolygon, SquareFillsExactlyItsNinePixels)
{
    ClassData2DIO<int> img = blank(6, 6);
    Points square{{1, 1}, {3, 1}, {3, 3}, {1, 3}};
    FillPolygon(img, square, 7);
    EXPECT_EQ(mismatches(img, 7, [](int x, int y) { return x >= 1 && x <= 3 && y >= 1 && y <= 3; }), "");
}

TEST(RasterPolygon, WindingDirectionAndStartVertexDoNotMatter)
{
    const auto inside = [](int x, int y) { return x >= 2 && x <= 9 && y >= 3 && y <= 7; };
    const std::vector<Points> outlines{{{2, 3}, {9, 3}, {9, 7}, {2, 7}},
                                       {{2, 3}, {2, 7}, {9, 7}, {9, 3}},
                                       {{9, 7}, {2, 7}, {2, 3}, {9, 3}}};
    for (Points pts : outlines) {
        ClassData2DIO<int> img = blank(12, 10);
        FillPolygon(img, pts, 1);
        EXPECT_EQ(mismatches(img, 1, inside), "");
    }
}

TEST(RasterPolygon, VerticesAreClampedIntoTheImageInTheCallersVector)
{
    ClassData2DIO<int> img = blank(100, 100);
    Points pts{{-5, 400}, {50, 50}, {99, 99}};
    FillPolygon(img, pts, 3);
    EXPECT_EQ(pts[0].x, 0);
    EXPECT_EQ(pts[0].y, 99);
    EXPECT_EQ(pts[1].x, 50);
    EXPECT_EQ(img.rows[99][0], 3); // the moved vertex is filled
    EXPECT_EQ(img.rows[99][99], 3);
    EXPECT_EQ(img.rows[0][0], 0);
    EXPECT_EQ(img.rows[50][50], 3);
}

TEST(RasterPolygon, TriangleFollowsItsDiagonal)
{
    ClassData2DIO<int> img = blank(64, 64);
    Points pts{{10, 10}, {50, 10}, {10, 50}};
    FillPolygon(img, pts, 2);
    EXPECT_EQ(mismatches(img, 2, [](int x, int y) { return x >= 10 && y >= 10 && x + y <= 60; }), "");
}

TEST(RasterPolygon, ConcaveNotchStaysEmptyInEitherDirection)
{
    const Points u{{10, 10}, {40, 10}, {40, 40}, {30, 40}, {30, 20}, {20, 20}, {20, 40}, {10, 40}};
    for (bool reversed : {false, true}) {
        ClassData2DIO<int> img = blank(50, 50);
        Points pts = u;
        if (reversed)
            std::reverse(pts.begin(), pts.end());
        FillPolygon(img, pts, 5);
        EXPECT_EQ(mismatches(img, 5,
                             [](int x, int y) {
                                 if (x < 10 || x > 40 || y < 10 || y > 40)
                                     return false;
                                 return y <= 20 || x <= 20 || x >= 30;
                             }),
                  "")
            << (reversed ? "counter-clockwise" : "clockwise");
    }
}

TEST(RasterPolygon, TwoVerticesFillTheSegmentAndFewerFillNothing)
{
    ClassData2DIO<int> img = blank(10, 4);
    Points line{{1, 2}, {6, 2}};
    FillPolygon(img, line, 9);
    EXPECT_EQ(mismatches(img, 9, [](int x, int y) { return y == 2 && x >= 1 && x <= 6; }), "");

    ClassData2DIO<int> other = blank(10, 4);
    Points single{{3, 3}};
    Points repeated{{4, 1}, {4, 1}, {4, 1}};
    Points none;
    FillPolygon(other, single, 1);
    FillPolygon(other, repeated, 1);
    FillPolygon(other, none, 1);
    EXPECT_EQ(countValue(other, 0), 40);
}

TEST(RasterPolygon, EmptyImageIsLeftAlone)
{
    ClassData2DIO<int> img;
    Points pts{{0, 0}, {5, 0}, {5, 5}};
    FillPolygon(img, pts, 1);
    EXPECT_TRUE(img.IsEmpty());
    EXPECT_EQ(pts[1].x, 5); // nothing to clamp into
}

TEST(RasterPolygon, WritesThroughTheRowTable)
{
    // A reversed row table turns the fill upside down in memory.
    ClassData2DIO<int> img = blank(8, 6);
    std::vector<int*> reversed(6);
    for (int y = 0; y < 6; ++y)
        reversed[std::size_t(y)] = img.rows[5 - y];
    ClassData2DIO<int> view;
    view.data = img.data;
    view.rows = reversed.data();
    view.width = 8;
    view.height = 6;
    view.ownsData = view.ownsRows = false;
    Points top{{0, 0}, {7, 0}, {7, 1}, {0, 1}};
    FillPolygon(view, top, 4);
    view.data = nullptr;
    view.rows = nullptr;
    EXPECT_EQ(mismatches(img, 4, [](int, int y) { return y >= 4; }), "");
}

namespace {

long long cross(PointTemplateBase<int> o, PointTemplateBase<int> a, PointTemplateBase<int> b)
{
    return (long long)(a.x - o.x) * (b.y - o.y) - (long long)(a.y - o.y) * (b.x - o.x);
}

// Convex hull, clockwise on screen (y down), no collinear points.
Points hull(Points pts)
{
    std::sort(pts.begin(), pts.end(), [](auto a, auto b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    Points h(2 * pts.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(h[k - 2], h[k - 1], pts[i]) <= 0)
            --k;
        h[k++] = pts[i];
    }
    for (std::size_t i = pts.size() - 1, t = k + 1; i-- > 0;) {
        while (k >= t && cross(h[k - 2], h[k - 1], pts[i]) <= 0)
            --k;
        h[k++] = pts[i];
    }
    h.resize(k - 1);
    return h;
}

// Distance from (x, y) to the polygon's outline, negative inside.
double signedDistance(const Points& poly, double x, double y)
{
    double best = 1e9;
    bool inside = true;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const auto a = poly[i];
        const auto b = poly[(i + 1) % poly.size()];
        const double ex = b.x - a.x;
        const double ey = b.y - a.y;
        const double len2 = ex * ex + ey * ey;
        const double t = std::clamp(((x - a.x) * ex + (y - a.y) * ey) / len2, 0.0, 1.0);
        best = std::min(best, std::hypot(x - a.x - t * ex, y - a.y - t * ey));
        inside = inside && (ex * (y - a.y) - ey * (x - a.x)) >= 0;
    }
    return inside ? -best : best;
}

} // namespace

TEST(RasterPolygon, RandomConvexOutlinesFillTheirInteriorInEitherDirection)
{
    unsigned seed = 7;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % unsigned(n));
    };
    for (int round = 0; round < 400; ++round) {
        Points cloud;
        for (int i = 0; i < 3 + next(8); ++i)
            cloud.push_back({2 + next(56), 2 + next(56)});
        Points poly = hull(cloud);
        if (poly.size() < 3)
            continue;
        for (bool reversed : {false, true}) {
            Points pts = poly;
            if (reversed)
                std::reverse(pts.begin(), pts.end());
            ClassData2DIO<int> img = blank(60, 60);
            FillPolygon(img, pts, 1);
            for (int y = 0; y < 60; ++y) {
                for (int x = 0; x < 60; ++x) {
                    const double d = signedDistance(poly, x, y);
                    if (d < -1.0) {
                        EXPECT_EQ(img.rows[y][x], 1) << "round " << round << " hole at " << x << ", " << y;
                    }
                    if (d > 1.0) {
                        EXPECT_EQ(img.rows[y][x], 0) << "round " << round << " spill at " << x << ", " << y;
                    }
                }
            }
            for (const auto& v : poly) // sharp tips included
                EXPECT_EQ(img.rows[v.y][v.x], 1) << "round " << round << " vertex " << v.x << ", " << v.y;
        }
    }
}
