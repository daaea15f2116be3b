#include "RasterTestTools.h"

#include "pixorama/common/RasterFill.h"

#include <gtest/gtest.h>

#include <vector>

using raster_test::blank;
using raster_test::countValue;

TEST(RasterEllipse, ZeroWidthOrHeightAndNoFillDrawNothing)
{
    ClassData2DIO<int> img = blank(30, 30);
    DrawEcllipse(img, 10, 2, 10, 25, true, 1);
    DrawEcllipse(img, 2, 10, 25, 10, true, 1);
    DrawEcllipse(img, 2, 2, 25, 25, false, 1);
    DrawEcllipse(img, 5, 5, 5, 5, true, 1);
    DrawEcllipse(img, 2, 12, 27, 13, true, 1); // one pixel high: no radius
    EXPECT_EQ(countValue(img, 0), 900);
}

TEST(RasterEllipse, CircleIsConvexSymmetricAndInsideItsBox)
{
    ClassData2DIO<int> img = blank(40, 40);
    DrawEcllipse(img, 5, 5, 25, 25, true, 3); // centre (15, 15), radius 10
    const int area = countValue(img, 3);
    EXPECT_GT(area, 280); // pi * 100 = 314
    EXPECT_LT(area, 350);
    EXPECT_EQ(img.rows[15][15], 3);
    EXPECT_EQ(img.rows[5][15], 3);  // top and bottom of the circle
    EXPECT_EQ(img.rows[25][15], 3);
    EXPECT_EQ(img.rows[15][5], 3);  // spans stop one short of cx + rx
    EXPECT_EQ(img.rows[15][25], 0);
    EXPECT_EQ(img.rows[6][6], 0);   // corners of the box stay empty
    EXPECT_EQ(img.rows[24][24], 0);
    for (int y = 0; y < 40; ++y) {
        int first = -1;
        int last = -1;
        for (int x = 0; x < 40; ++x) {
            if (img.rows[y][x] == 3) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        if (first < 0) {
            EXPECT_TRUE(y < 5 || y > 25) << "row " << y;
            continue;
        }
        for (int x = first; x <= last; ++x)
            EXPECT_EQ(img.rows[y][x], 3) << "gap at (" << x << ", " << y << ")";
        EXPECT_EQ(first + last, 29) << "row " << y << " is centred on x = 14.5";
        for (int x = 0; x < 40; ++x) // rows mirror about the centre row
            EXPECT_EQ(img.rows[y][x], img.rows[30 - y][x]);
    }
}

TEST(RasterEllipse, WideEllipseKeepsItsProportions)
{
    ClassData2DIO<int> img = blank(100, 30);
    DrawEcllipse(img, 80, 20, 10, 4, true, 1); // corners in any order
    EXPECT_EQ(img.rows[12][45], 1);
    EXPECT_EQ(img.rows[12][10], 1);
    EXPECT_EQ(img.rows[12][79], 1);
    EXPECT_EQ(img.rows[12][80], 0);
    EXPECT_EQ(img.rows[4][45], 1);
    EXPECT_EQ(img.rows[4][20], 0);
    const int area = countValue(img, 1);
    EXPECT_GT(area, 780); // pi * 35 * 8 = 880
    EXPECT_LT(area, 960);
}

TEST(RasterEllipse, SpansOutsideTheImageAreClipped)
{
    ClassData2DIO<int> img = blank(20, 12);
    DrawEcllipse(img, -60, -60, 60, 60, true, 2); // the image lies well inside
    EXPECT_EQ(countValue(img, 2), 240);
    ClassData2DIO<int> far = blank(20, 12);
    DrawEcllipse(far, 500, -900, 700, -700, true, 2);
    EXPECT_EQ(countValue(far, 0), 240);
    ClassData2DIO<int> empty;
    DrawEcllipse(empty, 0, 0, 5, 5, true, 1);
    EXPECT_TRUE(empty.IsEmpty());
}
