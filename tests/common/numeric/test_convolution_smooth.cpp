#include "NumericTestTools.h"

#include "pixorama/common/Gaussian.h"
#include "pixorama/common/QEVFLOATDATA2D.h"
#include "pixorama/common/QEVINTDATA2D.h"
#include "pixorama/common/QEVUCDATA2D.h"
#include "pixorama/common/QEVUSDATA2D.h"
#include "pixorama/common/Resize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using namespace numtest;

// The mirrored correlation with a size x size kernel given as integers / divisor.
double smoothAt(const QEVFLOATDATA2D& img, const int* taps, int size, double divisor, int x, int y)
{
    const int r = size / 2;
    double sum = 0.0;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            sum += img.rows[reflect(y + dy, img.height)][reflect(x + dx, img.width)] * taps[(dy + r) * size + dx + r];
    return sum / divisor;
}

const int kTaps3[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
const int kTaps5[25] = {1, 4, 7, 4, 1, 4, 16, 26, 16, 4, 7, 26, 41, 26, 7, 4, 16, 26, 16, 4, 1, 4, 7, 4, 1};

} // namespace

TEST(ImageSmoothing, FloatImagesUseTheThreeAndFiveTapKernels)
{
    QEVFLOATDATA2D src;
    fillRandom(src, 19, 11, 3, 0.0, 500.0);
    src.origWidth = 16;
    src.origHeight = 8;

    QEVFLOATDATA2D three(src);
    QEVFLOATDATA2D five(src);
    QEVDATA2DBase<float>* base = &three;
    base->Smooth3(); // through the virtual slot
    five.Smooth5();
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 19; ++x) {
            ASSERT_NEAR(three.rows[y][x], smoothAt(src, kTaps3, 3, 16.0, x, y), 1e-3) << x << "," << y;
            ASSERT_NEAR(five.rows[y][x], smoothAt(src, kTaps5, 5, 273.0, x, y), 1e-3) << x << "," << y;
        }
    EXPECT_EQ(three.origWidth, 16);
    EXPECT_EQ(five.origHeight, 8);
}

TEST(ImageSmoothing, IntegerImagesTruncateTheirResults)
{
    QEVUCDATA2D bytes;
    bytes.SetDim(5, 5);
    bytes.rows[2][2] = 255;
    bytes.Smooth3();
    EXPECT_EQ(int(bytes.rows[2][2]), 63);  // 255 / 4 = 63.75
    EXPECT_EQ(int(bytes.rows[2][1]), 31);  // 255 / 8
    EXPECT_EQ(int(bytes.rows[1][1]), 15);  // 255 / 16
    EXPECT_EQ(int(bytes.rows[0][0]), 0);

    QEVUCDATA2D flat;
    flat.SetDim(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            flat.rows[y][x] = 255;
    flat.Smooth5();
    EXPECT_GE(int(flat.rows[0][0]), 254) << "a flat image stays within 0..255";

    QEVUSDATA2D words;
    words.SetDim(7, 7);
    words.rows[3][3] = 65535;
    words.Smooth3();
    EXPECT_EQ(words.rows[3][3], 16383);  // 65535 / 4 = 16383.75
    EXPECT_EQ(words.rows[2][3], 8191);   // 65535 / 8 = 8191.875
    words.SetDim(7, 7);
    words.rows[3][3] = 27300;
    words.Smooth5();
    EXPECT_EQ(words.rows[3][3], 4100);   // 27300 * 41 / 273
    EXPECT_EQ(words.rows[3][1], 700);    // 27300 * 7 / 273
}

TEST(ImageSmoothing, IntImagesAndTheBaseLeavePixelsAlone)
{
    QEVINTDATA2D ints;
    ints.SetDim(3, 3);
    ints.rows[1][1] = 1000;
    QEVDATA2DBase<int>* base = &ints;
    base->Smooth3();
    base->Smooth5();
    EXPECT_EQ(ints.rows[1][1], 1000);
    EXPECT_EQ(ints.rows[0][0], 0);
}

TEST(ImageSmoothing, GaussianSmoothMatchesgGauss)
{
    QEVFLOATDATA2D img;
    img.SetDim(30, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            img.rows[y][x] = float((x * 7 + y * 13) % 31);
    ClassData2DIO<float> expected(img);
    ASSERT_TRUE(gGauss(&expected, 7, 1.3f, 0.4f));
    img.Smooth(7, 1.3f, 0.4f);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(img.rows[y][x], expected.rows[y][x]) << x << "," << y;
    const float before = img.rows[3][3];
    img.Smooth(0, 1.0f, 0.0f);
    EXPECT_EQ(img.rows[3][3], before);
}
