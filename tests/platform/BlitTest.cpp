#include "pixorama/platform/Dc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace plat;

namespace {

constexpr Pixel white = 0xFFFFFF;

} // namespace

TEST(DibBitmap, MemoryRowZeroIsTheBottomLine)
{
    DibBitmap s(4, 3, white);
    s.line(0)[1] = pixelOf(255, 0, 0);
    EXPECT_EQ(s.row(2)[1], pixelOf(255, 0, 0));
    EXPECT_EQ(s.bits()[2 * 4 + 1], 0x00FF0000u); // red sits in bits 16..23
    EXPECT_EQ(s.pixelAt(1, 0), pixelOf(255, 0, 0));
    EXPECT_EQ(s.pixelAt(-1, 0), 0u);

    const QImage shown = s.toImage();
    EXPECT_EQ(shown.pixel(1, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(shown.pixel(1, 2) & 0xFFFFFF, 0xFFFFFFu);

    s.resize(2, 2, pixelOf(0, 0, 9));
    EXPECT_EQ(s.width(), 2);
    EXPECT_EQ(s.row(0)[0], 9u);
    s.resize(-1, 5);
    EXPECT_TRUE(s.isEmpty());
}

TEST(Dc, ColorOnColorStretchPicksNearestPixels)
{
    DibBitmap src(4, 2);
    for (int x = 0; x < 4; ++x) {
        src.line(0)[x] = Pixel(10 * (x + 1));
        src.line(1)[x] = Pixel(100 + 10 * (x + 1));
    }
    DibBitmap dst(8, 2, white);
    Dc dc(dst);
    dc.setStretchBltMode(COLORONCOLOR);
    dc.stretchBlt({0, 0, 8, 2}, src, {0, 0, 4, 2});
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(dst.pixelAt(x, 0), Pixel(10 * (x / 2 + 1))) << x;
    EXPECT_EQ(dst.pixelAt(7, 1), Pixel(140));

    // Shrinking 4 -> 3: d takes floor((d + 0.5) * 4 / 3) = 0, 2, 3.
    dc.stretchBlt({0, 0, 3, 1}, src, {0, 0, 4, 1});
    EXPECT_EQ(dst.pixelAt(0, 0), Pixel(10));
    EXPECT_EQ(dst.pixelAt(1, 0), Pixel(30));
    EXPECT_EQ(dst.pixelAt(2, 0), Pixel(40));

    // A negative source width mirrors.
    dc.stretchBlt({0, 1, 4, 2}, src, {4, 0, 0, 1});
    EXPECT_EQ(dst.pixelAt(0, 1), Pixel(40));
    EXPECT_EQ(dst.pixelAt(3, 1), Pixel(10));
}

TEST(Dc, HalftoneStretchAveragesAndInterpolates)
{
    DibBitmap src(4, 1);
    const int values[] = {0, 100, 200, 50};
    for (int x = 0; x < 4; ++x)
        src.line(0)[x] = pixelOf(values[x], 0, 255 - values[x]);
    DibBitmap dst(4, 1, white);
    Dc dc(dst);
    dc.setStretchBltMode(HALFTONE);
    dc.stretchBlt({0, 0, 2, 1}, src, {0, 0, 4, 1});
    EXPECT_EQ(dst.pixelAt(0, 0), pixelOf(50, 0, 205));
    EXPECT_EQ(dst.pixelAt(1, 0), pixelOf(125, 0, 130));
    EXPECT_EQ(dst.pixelAt(2, 0), white); // outside the destination rectangle

    // Enlarging 2 -> 4 runs linearly between pixel centres, flat at the ends.
    dc.stretchBlt({0, 0, 4, 1}, src, {1, 0, 3, 1});
    EXPECT_EQ(dst.pixelAt(0, 0), pixelOf(100, 0, 155));
    EXPECT_EQ(dst.pixelAt(1, 0), pixelOf(125, 0, 130));
    EXPECT_EQ(dst.pixelAt(2, 0), pixelOf(175, 0, 80));
    EXPECT_EQ(dst.pixelAt(3, 0), pixelOf(200, 0, 55));

    // A 2x2 block average in both directions.
    DibBitmap square(2, 2);
    square.line(0)[0] = pixelOf(0, 0, 0);
    square.line(0)[1] = pixelOf(40, 0, 0);
    square.line(1)[0] = pixelOf(80, 0, 0);
    square.line(1)[1] = pixelOf(120, 0, 0);
    dc.stretchBlt({3, 0, 4, 1}, square, {0, 0, 2, 2});
    EXPECT_EQ(dst.pixelAt(3, 0), pixelOf(60, 0, 0));
}

TEST(Dc, BitBltCopiesAndClipsAtEveryEdge)
{
    DibBitmap src(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            src.line(y)[x] = Pixel(y * 3 + x + 1);
    DibBitmap dst(4, 4, white);
    Dc dc(dst);
    dc.bitBlt(2, -1, 3, 3, src, 0, 0); // hangs over the right and top
    EXPECT_EQ(dst.pixelAt(2, 0), Pixel(4));
    EXPECT_EQ(dst.pixelAt(3, 1), Pixel(8));
    EXPECT_EQ(dst.pixelAt(1, 0), white);
    EXPECT_EQ(dst.pixelAt(2, 2), white);

    dc.bitBlt(0, 0, 4, 4, src, -1, 0); // source overhang leaves the rest alone
    EXPECT_EQ(dst.pixelAt(0, 0), white);
    EXPECT_EQ(dst.pixelAt(1, 0), Pixel(1));
    EXPECT_EQ(dst.pixelAt(3, 2), Pixel(9));
    EXPECT_EQ(dst.pixelAt(1, 3), white);

    // Overlapping copy within one surface, as scrolling does.
    DibBitmap strip(1, 4);
    for (int y = 0; y < 4; ++y)
        strip.line(y)[0] = Pixel(y);
    Dc self(strip);
    self.bitBlt(0, 1, 1, 3, strip, 0, 0);
    EXPECT_EQ(strip.pixelAt(0, 1), Pixel(0));
    EXPECT_EQ(strip.pixelAt(0, 3), Pixel(2));
}

namespace {

// The smooth shrink by whole factors: every destination pixel is the mean of
// its fx x fy block, rounded half up, per channel.
Pixel blockMean(const DibBitmap& src, int dx, int dy, int fx, int fy)
{
    Pixel out = 0;
    for (int shift : {0, 8, 16}) {
        double sum = 0;
        for (int y = dy * fy; y < (dy + 1) * fy; ++y)
            for (int x = dx * fx; x < (dx + 1) * fx; ++x)
                sum += double(src.line(y)[x] >> shift & 0xFF);
        out |= Pixel(std::floor(sum / (fx * fy) + 0.5)) << shift;
    }
    return out;
}

} // namespace

// Shrinking a picture large enough to be split over the processors, by four
// both ways (weights that are exact in the filter's fixed point).
TEST(Dc, HalftoneShrinkIsTheBlockMeanOfEveryChannel)
{
    DibBitmap src(1200, 1000);
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 1200; ++x)
            src.line(y)[x] = (unsigned(x) * 2654435761u ^ unsigned(y) * 40503u) | 0xFF000000u; // the top byte is unused
    DibBitmap dst(300, 250, white);
    Dc dc(dst);
    dc.setStretchBltMode(HALFTONE);
    dc.stretchBlt({0, 0, 300, 250}, src, {0, 0, 1200, 1000});
    int wrong = 0;
    for (int y = 0; y < 250; ++y)
        for (int x = 0; x < 300; ++x)
            wrong += dst.line(y)[x] != blockMean(src, x, y, 4, 4);
    EXPECT_EQ(wrong, 0);
}

namespace {

// The exact area mean of one channel over the source rectangle that
// destination pixel (dx, dy) covers when w x h shrinks to dw x dh.
double areaMean(const DibBitmap& src, int dx, int dy, int dw, int dh, int shift)
{
    const double sx = double(src.width()) / dw;
    const double sy = double(src.height()) / dh;
    double sum = 0;
    for (int y = int(dy * sy); y < int(std::ceil((dy + 1) * sy)); ++y) {
        const double wy = std::min((dy + 1) * sy, y + 1.0) - std::max(dy * sy, double(y));
        for (int x = int(dx * sx); x < int(std::ceil((dx + 1) * sx)); ++x) {
            const double wx = std::min((dx + 1) * sx, x + 1.0) - std::max(dx * sx, double(x));
            sum += wx * wy * double(src.line(y)[x] >> shift & 0xFF);
        }
    }
    return sum / (sx * sy);
}

} // namespace

// An uneven shrink (1001 x 700 to 300 x 210) with the columns running to the
// source's right edge: the fixed-point weights keep every channel within one
// level of the exact area mean.
TEST(Dc, HalftoneShrinkByAnUnevenFactorStaysWithinOneLevelOfTheAreaMean)
{
    DibBitmap src(1001, 700);
    for (int y = 0; y < 700; ++y)
        for (int x = 0; x < 1001; ++x)
            src.line(y)[x] = unsigned(x) * 2654435761u ^ unsigned(y) * 40503u;
    DibBitmap dst(300, 210, white);
    Dc dc(dst);
    dc.setStretchBltMode(HALFTONE);
    dc.stretchBlt({0, 0, 300, 210}, src, {0, 0, 1001, 700});
    double worst = 0;
    for (int y = 0; y < 210; ++y)
        for (int x = 0; x < 300; ++x) {
            EXPECT_EQ(dst.line(y)[x] >> 24, 0u);
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(double(dst.line(y)[x] >> shift & 0xFF) - areaMean(src, x, y, 300, 210, shift)));
        }
    EXPECT_LE(worst, 1.0);
}
