#include "NumericTestTools.h"

#include "pixorama/common/LocalThreshold.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using namespace numtest;

using Image8 = ClassData2DIO<unsigned char>;

// 8-bit mirror rule: the edge pixel repeats (..., 1, 0, 0, 1, ...).
int repeatMirror(long long c, int n)
{
    long long a = c < 0 ? -c - 1 : c;
    a %= 2LL * n;
    if (a >= n)
        a = 2LL * n - a - 1;
    return int(std::clamp<long long>(a, 0, n - 1));
}

// The threshold by its definition: a full window sum for every pixel.
Image8 reference(const Image8& img, int size)
{
    const int r = size / 2;
    const double area = double(2 * r + 1) * double(2 * r + 1);
    Image8 out;
    out.SetDim(img.width, img.height);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            long long sum = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx)
                    sum += img.rows[repeatMirror(y + dy, img.height)][repeatMirror(x + dx, img.width)];
            out.rows[y][x] = double(img.rows[y][x]) * area > 0.85 * double(sum) ? 255 : 0;
        }
    return out;
}

void expectSame(const Image8& a, const Image8& b)
{
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            ASSERT_EQ(int(a.rows[y][x]), int(b.rows[y][x])) << x << "," << y;
}

} // namespace

TEST(LocalThreshold, StepEdgeDarkensOnlyTheColumnBesideIt)
{
    Image8 img;
    img.SetDim(10, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            img.rows[y][x] = x < 5 ? 10 : 200;
    ASSERT_TRUE(LAT_Constant(img, 3));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(int(img.rows[y][x]), x == 4 ? 0 : 255) << x << "," << y;
}

TEST(LocalThreshold, BorderWindowsRepeatTheEdgePixel)
{
    // Column 0 holds 70, column 1 holds 100. With the edge repeated the window of
    // pixel 0 sums 70 + 70 + 100 per row and 70 passes; mirrored without
    // repeating (100 + 70 + 100) it would not.
    Image8 img;
    img.SetDim(4, 2);
    for (int y = 0; y < 2; ++y) {
        img.rows[y][0] = 70;
        img.rows[y][1] = 100;
        img.rows[y][2] = 100;
        img.rows[y][3] = 100;
    }
    ASSERT_TRUE(LAT_Constant(img, 3));
    EXPECT_EQ(int(img.rows[0][0]), 255);
    EXPECT_EQ(int(img.rows[1][0]), 255);
}

TEST(LocalThreshold, MatchesFullWindowSumsForAnySize)
{
    Image8 src;
    fillRandom(src, 23, 17, 5, 0, 255);
    // Even sizes round down to the same radius; 61 reaches past the image several times.
    for (int size : {0, 1, 3, 4, 7, 15, 61}) {
        SCOPED_TRACE(testing::Message() << "size " << size);
        Image8 img(src);
        ASSERT_TRUE(LAT_Constant(img, size));
        expectSame(img, reference(src, size));
    }
    Image8 column;
    column.SetDim(1, 9);
    for (int y = 0; y < 9; ++y)
        column.rows[y][0] = static_cast<unsigned char>(30 * y);
    const Image8 original(column);
    ASSERT_TRUE(LAT_Constant(column, 5));
    expectSame(column, reference(original, 5));
}

TEST(LocalThreshold, RefusesEmptyImagesAndHugeWindows)
{
    Image8 empty;
    EXPECT_FALSE(LAT_Constant(empty, 3));
    Image8 img;
    img.SetDim(3, 3);
    img.rows[1][1] = 9;
    EXPECT_FALSE(LAT_Constant(img, (1 << 21) + 1));
    EXPECT_EQ(int(img.rows[1][1]), 9);
}
