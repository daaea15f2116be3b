#include "RasterTestTools.h"

#include "pixorama/common/BSpline.h"
#include "pixorama/common/RasterFill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

using raster_test::blank;
using raster_test::countValue;
using Points = std::vector<PointTemplateBase<int>>;

namespace {

Points circle(int n, double r, double cx, double cy)
{
    Points pts;
    for (int i = 0; i < n; ++i) {
        const double a = 6.2831852 * i / n;
        pts.push_back({int(std::lround(cx + r * std::cos(a))), int(std::lround(cy + r * std::sin(a)))});
    }
    return pts;
}

} // namespace

TEST(RasterSpline, OutsideTwoTo199PointsNothingIsTouched)
{
    const Points sentinel{{-7, -7}};
    for (int n : {0, 1, 200, 250}) {
        Points in = circle(n, 50, 100, 100);
        Points out = sentinel;
        Points work = sentinel;
        mB3Line(in, out, work);
        EXPECT_EQ(out.size(), 1u) << n;
        EXPECT_EQ(out[0].x, -7) << n;
        EXPECT_EQ(work.size(), 1u) << n;
    }
}

TEST(RasterSpline, ElevenSamplesPerSegmentThroughEveryPoint)
{
    Points in{{10, 10}, {60, 20}, {90, 70}, {30, 80}};
    Points out{{1, 1}};
    Points work;
    mB3Line(in, out, work);
    ASSERT_EQ(out.size(), 33u);
    EXPECT_EQ(work.size(), 6u);
    for (std::size_t s = 0; s < 3; ++s) {
        // Each segment starts at point s and ends at point s + 1 (truncation may lose a pixel).
        EXPECT_LE(std::abs(out[s * 11].x - in[s].x) + std::abs(out[s * 11].y - in[s].y), 2) << s;
        EXPECT_LE(std::abs(out[s * 11 + 10].x - in[s + 1].x) + std::abs(out[s * 11 + 10].y - in[s + 1].y), 2) << s;
    }
}

TEST(RasterSpline, TwoPointsGiveTheStraightSegment)
{
    Points in{{0, 0}, {100, 50}};
    Points out;
    Points work;
    mB3Line(in, out, work);
    ASSERT_EQ(out.size(), 11u);
    for (int k = 0; k <= 10; ++k) {
        EXPECT_NEAR(out[std::size_t(k)].x, 10 * k, 1) << k;
        EXPECT_NEAR(out[std::size_t(k)].y, 5 * k, 1) << k;
    }
}

TEST(RasterSpline, ClosedListGivesASmoothRoundCurve)
{
    Points in = circle(8, 100, 200, 200);
    in.push_back(in.front());
    Points out;
    Points work;
    mB3Line(in, out, work);
    ASSERT_EQ(out.size(), 88u);
    for (const PointTemplateBase<int>& p : out) {
        const double r = std::hypot(p.x - 200.0, p.y - 200.0);
        EXPECT_GT(r, 96.0) << p.x << ", " << p.y;
        EXPECT_LT(r, 104.0) << p.x << ", " << p.y;
    }
    EXPECT_LE(std::abs(out.front().x - out.back().x) + std::abs(out.front().y - out.back().y), 2);
}

TEST(RasterSpline, FillSplineFillsTheRoundedOutline)
{
    ClassData2DIO<int> img = blank(200, 200);
    Points pts = circle(6, 60, 100, 100);
    pts.push_back(pts.front());
    const Points before = pts;
    FillSpline(img, pts, 4);
    EXPECT_EQ(img.rows[100][100], 4);
    EXPECT_EQ(img.rows[100][155], 4);
    EXPECT_EQ(img.rows[100][170], 0);
    EXPECT_EQ(img.rows[20][20], 0);
    const int area = countValue(img, 4);
    EXPECT_GT(area, 10000); // pi * 60 * 60 = 11310
    EXPECT_LT(area, 12600);
    ASSERT_EQ(pts.size(), before.size());
    EXPECT_EQ(pts[1].x, before[1].x); // the caller's points stay as they were

    // An open list is closed the same way.
    ClassData2DIO<int> open = blank(200, 200);
    Points ring = circle(6, 60, 100, 100);
    FillSpline(open, ring, 4);
    EXPECT_EQ(countValue(open, 4), area);

    ClassData2DIO<int> none = blank(20, 20);
    Points one{{5, 5}};
    FillSpline(none, one, 1);
    EXPECT_EQ(countValue(none, 0), 400);
}
