#include "pixorama/common/QEVPP1DFFT.h"
#include "pixorama/common/ReconFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double kTwoPiSquared = 19.73920812874952;

// The ramp kernel at offset n.
double ramp(int n, double tau)
{
    if (n == 0)
        return 1.0 / (8.0 * tau * tau);
    if (n % 2 != 0)
        return -1.0 / (kTwoPiSquared * n * n * tau * tau);
    return 0.0;
}

// out[j] = sum over n of h(n) row[j - n], inside the row only.
std::vector<double> linearConvolution(const float* row, int w, double tau)
{
    std::vector<double> out(std::size_t(w), 0.0);
    for (int j = 0; j < w; ++j)
        for (int i = 0; i < w; ++i)
            out[std::size_t(j)] += ramp(j - i, tau) * row[i];
    return out;
}

} // namespace

TEST(RampKernel, FiveTapsAtUnitSpacing)
{
    ClassData2DIO<float> k;
    k.SetDim(5, 1);
    KernelGenerate(k, 1.0f);
    const float side = float(-1.0 / kTwoPiSquared);
    EXPECT_FLOAT_EQ(k.rows[0][0], 0.0f);
    EXPECT_FLOAT_EQ(k.rows[0][1], side);
    EXPECT_FLOAT_EQ(k.rows[0][2], 0.125f);
    EXPECT_FLOAT_EQ(k.rows[0][3], side);
    EXPECT_FLOAT_EQ(k.rows[0][4], 0.0f);
}

TEST(RampKernel, SpacingAndWidthScaleTheTaps)
{
    ClassData2DIO<float> k;
    k.SetDim(7, 2);
    KernelGenerate(k, 2.0f);
    EXPECT_FLOAT_EQ(k.rows[0][3], 1.0f / 32.0f);
    EXPECT_FLOAT_EQ(k.rows[0][0], float(-1.0 / (kTwoPiSquared * 9 * 4)));
    EXPECT_FLOAT_EQ(k.rows[0][6], float(-1.0 / (kTwoPiSquared * 9 * 4)));
    EXPECT_FLOAT_EQ(k.rows[0][1], 0.0f);
    for (int j = 0; j < 7; ++j)
        EXPECT_EQ(k.rows[1][j], k.rows[0][j]) << "every row holds the kernel";
    // An even width puts n = 0 at index L / 2.
    k.SetDim(4, 1);
    KernelGenerate(k, 1.0f);
    EXPECT_FLOAT_EQ(k.rows[0][2], 0.125f);
    EXPECT_FLOAT_EQ(k.rows[0][0], 0.0f);
}

TEST(RampKernel, SpectrumHoldsTheUncentredKernel)
{
    QEVPP1DFFT fft;
    ASSERT_TRUE(GetKernerlFFT(fft, 16, 7, 1.0f));
    EXPECT_EQ(fft.size, 16);
    fft.RunFFT(false);
    for (int i = 0; i < 16; ++i) {
        const double expected = i < 7 ? ramp(i - 3, 1.0) : 0.0;
        EXPECT_NEAR(fft.re[i], expected, 1e-6) << i;
        EXPECT_NEAR(fft.im[i], 0.0, 1e-6) << i;
    }
    EXPECT_FALSE(GetKernerlFFT(fft, 12, 7, 1.0f));
    EXPECT_EQ(fft.size, 0);
    EXPECT_FALSE(GetKernerlFFT(fft, 8, 9, 1.0f));
}

TEST(RampFilter, WidthFourIsTheLinearConvolutionWithSevenTaps)
{
    // Width 4 needs N >= 11, so N = 16 and a kernel of 2 * 4 - 1 = 7 taps.
    EXPECT_EQ(ComputeFFTN(3 * 4 - 1), 16);
    ClassData2DIO<float> img;
    img.SetDim(4, 1);
    const float row[4] = {3.0f, -1.0f, 2.0f, 5.0f};
    for (int x = 0; x < 4; ++x)
        img.rows[0][x] = row[x];
    ASSERT_TRUE(QEVFilter1DForRec(&img, 1.0f));
    const std::vector<double> expected = linearConvolution(row, 4, 1.0);
    for (int j = 0; j < 4; ++j)
        EXPECT_NEAR(img.rows[0][j], expected[std::size_t(j)], 1e-5) << j;
    // Wrapping around the row (a circular convolution) would give something else.
    double circular0 = 0.0;
    for (int n = -3; n <= 3; ++n)
        circular0 += ramp(n, 1.0) * row[(0 - n + 4) % 4];
    EXPECT_GT(std::fabs(img.rows[0][0] - circular0), 1e-2);
}

TEST(RampFilter, ManyRowsOfOddWidth)
{
    const int w = 37;
    const int h = 5;
    ClassData2DIO<float> img;
    img.SetDim(w, h);
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> dist(0.0f, 100.0f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.rows[y][x] = dist(rng) * float(y + 1);
    const ClassData2DIO<float> original(img);
    ASSERT_TRUE(QEVFilter1DForRec(&img, 0.5f));
    for (int y = 0; y < h; ++y) {
        const std::vector<double> expected = linearConvolution(original.rows[y], w, 0.5);
        double scale = 0.0;
        for (double v : expected)
            scale = std::max(scale, std::fabs(v));
        for (int x = 0; x < w; ++x)
            ASSERT_NEAR(img.rows[y][x], expected[std::size_t(x)], 2e-6 * scale) << x << "," << y;
    }
}

TEST(RampFilter, RefusesBadInputWithoutTouchingTheRows)
{
    ClassData2DIO<float> img;
    img.SetDim(8, 2);
    img.rows[1][3] = 4.0f;
    EXPECT_FALSE(QEVFilter1DForRec(&img, 0.0f));
    EXPECT_FALSE(QEVFilter1DForRec(&img, std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE(QEVFilter1DForRec(&img, std::numeric_limits<float>::infinity()));
    EXPECT_EQ(img.rows[1][3], 4.0f);
    EXPECT_FALSE(QEVFilter1DForRec(nullptr, 1.0f));
    ClassData2DIO<float> empty;
    EXPECT_FALSE(QEVFilter1DForRec(&empty, 1.0f));
}
