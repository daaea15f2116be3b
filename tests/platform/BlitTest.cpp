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

// Every channel scrambled; the top byte, which carries no colour, set.
void scramble(DibBitmap& src)
{
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            src.line(y)[x] = (unsigned(x) * 2654435761u ^ unsigned(y) * 40503u) | 0xFF000000u;
}

// All of src smoothly into all of dst.
void shrinkSmoothly(const DibBitmap& src, DibBitmap& dst)
{
    Dc dc(dst);
    dc.setStretchBltMode(HALFTONE);
    dc.stretchBlt({0, 0, dst.width(), dst.height()}, src, {0, 0, src.width(), src.height()});
}

// The exact area mean of one channel over the source rectangle that
// destination pixel (dx, dy) covers when the source shrinks to dw x dh.
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

// Pictures large enough to be split over the processors. Shrunk by four both
// ways (weights exact in the filter's fixed point) every channel is its block
// mean rounded half up; by an uneven factor, with the columns running to the
// source's right edge, within one level of the exact area mean.
TEST(Dc, HalftoneShrinkFollowsTheAreaMeanOfEveryChannel)
{
    struct Case {
        int sw, sh, dw, dh;
        double tolerance;
    };
    for (const Case c : {Case{1200, 1000, 300, 250, 0.0}, Case{1001, 700, 300, 210, 1.0}}) {
        DibBitmap src(c.sw, c.sh);
        scramble(src);
        DibBitmap dst(c.dw, c.dh, white);
        shrinkSmoothly(src, dst);
        int wrong = 0;
        for (int y = 0; y < c.dh; ++y)
            for (int x = 0; x < c.dw; ++x)
                for (int shift : {0, 8, 16}) {
                    const double mean = areaMean(src, x, y, c.dw, c.dh, shift);
                    const double got = double(dst.line(y)[x] >> shift & 0xFF);
                    wrong += c.tolerance == 0 ? got != std::floor(mean + 0.5) : std::abs(got - mean) > c.tolerance;
                }
        EXPECT_EQ(wrong, 0) << c.sw << " x " << c.sh;
    }
}
