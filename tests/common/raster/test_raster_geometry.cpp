#include "RasterTestTools.h"

#include "pixorama/common/QEVRECT.h"
#include "pixorama/common/RasterGeometry.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

using raster_test::blank;

namespace {

// left, right, top, bottom of r.
std::array<int, 4> Sides(const QEVRECT& r)
{
    return {r.left, r.right, r.top, r.bottom};
}

} // namespace

TEST(RasterGeometry, BlobBoxSpansEveryPixelOfTheKey)
{
    ClassData2DIO<int> labels = blank(20, 10);
    labels.rows[2][7] = 3;
    labels.rows[8][4] = 3;
    labels.rows[5][15] = 3;
    labels.rows[0][0] = 2;
    QEVRECT box(0, 0, 0, 0);
    box.width = box.height = 77;
    GetBlobOutRect(labels, box, 3);
    EXPECT_EQ(Sides(box), (std::array<int, 4>{4, 15, 2, 8}));
    EXPECT_EQ(box.width, 77); // the cached size is not refreshed
    EXPECT_EQ(box.height, 77);
}

TEST(RasterGeometry, MissingKeyLeavesTheInvertedStartBox)
{
    ClassData2DIO<int> labels = blank(5, 5);
    QEVRECT box(1, 2, 3, 4);
    GetBlobOutRect(labels, box, 9);
    EXPECT_EQ(Sides(box), (std::array<int, 4>{10000, -10000, 10000, -10000}));
    EXPECT_GT(box.left, box.right);
    ClassData2DIO<int> empty;
    GetBlobOutRect(empty, box, 0);
    EXPECT_EQ(box.left, 10000);
}

TEST(RasterGeometry, MirroringWithAndWithoutRepeatedEdge)
{
    struct Case {
        int in;
        int noRepeat;
        int repeat;
    };
    // w = 4: -1 -> 1 / 0, 4 -> 2 / 3, 9 -> 1 / 1, inside unchanged.
    for (const Case c : {Case{-1, 1, 0}, Case{4, 2, 3}, Case{9, 1, 1}, Case{0, 0, 0}, Case{3, 3, 3}, Case{-4, 2, 3},
                         Case{6, 0, 1}, Case{17, 1, 1}}) {
        int x = c.in;
        int y = c.in;
        mMapXYOutOfIma(x, y, 4, 4, true);
        EXPECT_EQ(x, c.noRepeat) << c.in;
        EXPECT_EQ(y, c.noRepeat) << c.in;
        x = c.in;
        y = 2;
        mMapXYOutOfIma(x, y, 4, 100, false);
        EXPECT_EQ(x, c.repeat) << c.in;
        EXPECT_EQ(y, 2);
    }
}

TEST(RasterGeometry, MirroredPositionsAlwaysLieInTheImage)
{
    for (int w : {1, 2, 3, 4, 7}) {
        for (int v = -40; v <= 40; ++v) {
            for (bool noRepeat : {true, false}) {
                int x = v;
                int y = v;
                mMapXYOutOfIma(x, y, w, w, noRepeat);
                EXPECT_GE(x, 0) << "w " << w << " x " << v << " noRepeat " << noRepeat;
                EXPECT_LT(x, w) << "w " << w << " x " << v << " noRepeat " << noRepeat;
            }
        }
    }
    int x = INT_MIN;
    int y = INT_MAX;
    mMapXYOutOfIma(x, y, 5, 5, true);
    EXPECT_TRUE(x >= 0 && x < 5 && y >= 0 && y < 5);
    x = -3;
    y = 7;
    mMapXYOutOfIma(x, y, 0, -2, true); // no image to fold into
    EXPECT_EQ(x, -3);
    EXPECT_EQ(y, 7);
}

TEST(RasterGeometry, IsInRectExcludesRightAndBottom)
{
    EXPECT_FALSE(gIsInRect(5, 5, 0, 0, 5, 10));
    EXPECT_TRUE(gIsInRect(4, 9, 0, 0, 5, 10));
    EXPECT_TRUE(gIsInRect(0, 0, 0, 0, 5, 10));
    EXPECT_FALSE(gIsInRect(4, 10, 0, 0, 5, 10));
    EXPECT_FALSE(gIsInRect(-1, 3, 0, 0, 5, 10));
    const QEVRECT r(0, 5, 0, 10);
    EXPECT_TRUE(r.IsInRect({5, 5}));
    EXPECT_TRUE(r.IsInRect({5, 10}));
    EXPECT_FALSE(r.IsInRect({6, 5}));
    EXPECT_FALSE(r.IsInRect({0, -1}));
}

TEST(RasterRect, SizeIsRefreshedOnlyByItsOwnOperations)
{
    QEVRECT r(2, 11, 3, 7);
    EXPECT_EQ(r.width, 10);
    EXPECT_EQ(r.height, 5);
    r.OffSetRect(5, -3);
    EXPECT_EQ(Sides(r), (std::array<int, 4>{7, 16, 0, 4}));
    r.AddPoint({-7, 10});
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 10);
    r.Inflate(1, 2, 3, 4);
    EXPECT_EQ(Sides(r), (std::array<int, 4>{-1, 11, 7, 18}));
    EXPECT_EQ(r.width, 10); // moving and resizing leave the cache alone
    EXPECT_EQ(r.height, 5);
    EXPECT_EQ(r.GetW(), 13);
    EXPECT_EQ(r.GetH(), 12);
    EXPECT_EQ(r.width, 13);
    EXPECT_EQ(r.height, 12);
    r.Deflate(1, 2, 3, 4);
    EXPECT_EQ(Sides(r), (std::array<int, 4>{0, 9, 10, 14}));
    EXPECT_EQ(r.width, 13);

    QEVRECT copy;
    copy = r;
    EXPECT_EQ(Sides(copy), (std::array<int, 4>{0, 9, 10, 14}));
    EXPECT_EQ(copy.width, 13);
    EXPECT_EQ(copy.height, 12);
}

TEST(RasterRect, ClampAndClampInIma)
{
    const QEVRECT r(10, 20, 5, 8);
    PointTemplateBase<int> p{25, 0};
    r.Clamp(p);
    EXPECT_EQ(p.x, 19); // right and bottom are exclusive here
    EXPECT_EQ(p.y, 5);
    p = {3, 100};
    r.Clamp(p);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 7);
    p = {15, 6};
    r.Clamp(p);
    EXPECT_EQ(p.x, 15);
    EXPECT_EQ(p.y, 6);

    QEVRECT big(-5, 300, -1, 90);
    big.ClampInIma(100, 50);
    EXPECT_EQ(Sides(big), (std::array<int, 4>{0, 99, 0, 49}));
    QEVRECT inner(3, 4, 5, 6);
    inner.ClampInIma(100, 50);
    EXPECT_EQ(inner.left, 3);
    EXPECT_EQ(inner.right, 4);
}
