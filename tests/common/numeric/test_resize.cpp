#include "NumericTestTools.h"

#include "pixorama/common/QEVFLOATDATA2D.h"
#include "pixorama/common/Resize.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using namespace numtest;

using Image = ClassData2DIO<float>;

// The bilinear sample by its definition, in double; 0 where the pixel pair is missing.
double expected(const Image& src, int dw, int dh, int x, int y)
{
    const float sx = float(src.width) / float(dw);
    const float sy = float(src.height) / float(dh);
    const float fx = float(x) * sx;
    const float fy = float(y) * sy;
    const int ix = int(std::floor(fx));
    const int iy = int(std::floor(fy));
    if (ix < 0 || ix > src.width - 2 || iy < 0 || iy > src.height - 2)
        return 0.0;
    const double ax = fx - ix;
    const double ay = fy - iy;
    return (1 - ax) * (1 - ay) * src.rows[iy][ix] + ax * (1 - ay) * src.rows[iy][ix + 1] +
           (1 - ax) * ay * src.rows[iy + 1][ix] + ax * ay * src.rows[iy + 1][ix + 1];
}

} // namespace

TEST(Resize, SameSizeCopiesAllButTheLastRowAndColumn)
{
    Image src;
    fillRandom(src, 6, 5, 1);
    Image dst;
    dst.SetDim(6, 5);
    ASSERT_TRUE(ResizeSC(&src, &dst));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const float want = (x == 5 || y == 4) ? 0.0f : src.rows[y][x];
            EXPECT_EQ(dst.rows[y][x], want) << x << "," << y;
        }
}

TEST(Resize, BlendsTheFourNeighbours)
{
    Image src;
    fillRamp(src, 3, 3);
    Image dst;
    dst.SetDim(6, 6);
    ASSERT_TRUE(ResizeSC(&src, &dst));
    EXPECT_FLOAT_EQ(dst.rows[0][1], 0.5f);   // halfway along x
    EXPECT_FLOAT_EQ(dst.rows[1][0], 5.0f);   // halfway along y
    EXPECT_FLOAT_EQ(dst.rows[3][3], 16.5f);  // (1.5, 1.5)
    EXPECT_FLOAT_EQ(dst.rows[2][2], 11.0f);
    EXPECT_EQ(dst.rows[0][4], 0.0f) << "x = 2 has no right neighbour";
    EXPECT_EQ(dst.rows[4][0], 0.0f);
}

TEST(Resize, BothThreadingsMatchTheDefinition)
{
    struct Case {
        int sw, sh, dw, dh;
    };
    for (Case c : {Case{97, 61, 40, 33}, Case{40, 33, 97, 61}, Case{64, 64, 64, 7}, Case{1, 5, 3, 3}, Case{300, 2, 7, 9}}) {
        Image src;
        fillRandom(src, c.sw, c.sh, unsigned(c.sw + c.dw));
        Image sc;
        Image mc;
        sc.SetDim(c.dw, c.dh);
        mc.SetDim(c.dw, c.dh);
        ASSERT_TRUE(ResizeSC(&src, &sc));
        ASSERT_TRUE(ResizeMC(&src, &mc));
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh);
        for (int y = 0; y < c.dh; ++y)
            for (int x = 0; x < c.dw; ++x) {
                ASSERT_EQ(sc.rows[y][x], mc.rows[y][x]) << x << "," << y;
                ASSERT_NEAR(sc.rows[y][x], expected(src, c.dw, c.dh, x, y), 1e-3) << x << "," << y;
            }
    }
}

// Rows kept at their height are blended along x alone: every output is the
// float keep * left + take * right of the definition, to the last bit, when
// shrinking by less and by more than two and when enlarging.
TEST(Resize, BlendingAlongTheRowsGivesTheDefinitionsFloatsExactly)
{
    for (const auto& [sw, dw] : {std::pair{1001, 733}, std::pair{1001, 400}, std::pair{300, 707}}) {
        Image src;
        fillRandom(src, sw, 3, unsigned(sw + dw));
        Image dst;
        dst.SetDim(dw, 3);
        ASSERT_TRUE(ResizeMC(&src, &dst));
        const float scale = float(sw) / float(dw);
        int wrong = 0;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < dw; ++x) {
                const float f = float(x) * scale;
                const float fl = std::floor(f);
                const int i = int(fl);
                const float take = f - fl;
                const float want = fl > float(sw - 2) ? 0.0f : (1.0f - take) * src.rows[y][i] + take * src.rows[y][i + 1];
                wrong += dst.rows[y][x] != want;
            }
        EXPECT_EQ(wrong, 0) << sw << " -> " << dw;
    }
}

TEST(Resize, InPlaceResizeOfFloatAndSixteenBitImages)
{
    Image img;
    fillRandom(img, 50, 40, 3);
    const Image src(img);
    ASSERT_TRUE(Resize(img, 20, 30));
    ASSERT_EQ(img.width, 20);
    ASSERT_EQ(img.height, 30);
    EXPECT_NEAR(img.rows[7][9], expected(src, 20, 30, 9, 7), 1e-3);

    ClassData2DIO<unsigned short> us;
    us.SetDim(2, 2);
    us.rows[0][0] = 0;
    us.rows[0][1] = 3;
    us.rows[1][0] = 65535;
    us.rows[1][1] = 65535;
    ASSERT_TRUE(Resize(us, 4, 4));
    ASSERT_EQ(us.width, 4);
    EXPECT_EQ(us.rows[0][1], 1) << "1.5 truncates to 1";
    EXPECT_EQ(us.rows[0][0], 0);
    EXPECT_EQ(us.rows[1][0], 32767) << "65535 / 2 truncates";
    EXPECT_EQ(us.rows[0][2], 0) << "outside the pixel pairs";
}

TEST(Resize, RefusesEmptyOrSharedImages)
{
    Image img;
    fillRandom(img, 4, 4, 4);
    const float before = img.rows[1][1];
    EXPECT_FALSE(Resize(img, 0, 3));
    EXPECT_FALSE(Resize(img, 3, -1));
    EXPECT_EQ(img.width, 4);
    EXPECT_EQ(img.rows[1][1], before);
    EXPECT_FALSE(ResizeSC(&img, &img));
    EXPECT_FALSE(ResizeMC(&img, nullptr));
    Image empty;
    EXPECT_FALSE(ResizeMC(&empty, &img));
    EXPECT_EQ(img.rows[1][1], before);
    ClassData2DIO<unsigned short> none;
    EXPECT_FALSE(Resize(none, 3, 3));
}

TEST(Resize, FloatImagesResizeThemselves)
{
    QEVFLOATDATA2D img;
    img.SetDim(9, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
            img.rows[y][x] = float(x * x + 3 * y);
    img.origWidth = 8;
    Image src(img);
    Image expectedOut;
    expectedOut.SetDim(4, 12);
    ASSERT_TRUE(ResizeSC(&src, &expectedOut));
    img.ResizeTo(4, 12);
    ASSERT_EQ(img.width, 4);
    ASSERT_EQ(img.height, 12);
    EXPECT_EQ(img.origWidth, 8);
    EXPECT_EQ(img.roi.right, 3);
    EXPECT_EQ(img.roi.bottom, 11);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(img.rows[y][x], expectedOut.rows[y][x]) << x << "," << y;
    img.ResizeTo(0, 3);
    EXPECT_EQ(img.width, 4);
}
