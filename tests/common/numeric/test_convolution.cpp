#include "NumericTestTools.h"

#include "pixorama/common/Convolution.h"
#include "pixorama/common/Gaussian.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

using namespace numtest;

using Image = ClassData2DIO<float>;

// The correlation by its definition, in double.
std::vector<double> reference(const Image& img, const Image& k)
{
    const int rx = k.width / 2;
    const int ry = k.height / 2;
    std::vector<double> out(std::size_t(img.width) * std::size_t(img.height));
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            double sum = 0.0;
            for (int dy = -ry; dy <= ry; ++dy)
                for (int dx = -rx; dx <= rx; ++dx)
                    sum += double(img.rows[reflect(y + dy, img.height)][reflect(x + dx, img.width)]) *
                           k.rows[dy + ry][dx + rx];
            out[std::size_t(y) * std::size_t(img.width) + std::size_t(x)] = sum;
        }
    return out;
}

void expectNear(const Image& img, const std::vector<double>& expected, double tol)
{
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            ASSERT_NEAR(img.rows[y][x], expected[std::size_t(y) * std::size_t(img.width) + std::size_t(x)], tol)
                << x << "," << y;
}

void expectNear(const Image& a, const Image& b, double tol)
{
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            ASSERT_NEAR(a.rows[y][x], b.rows[y][x], tol) << x << "," << y;
}

// A kernel with a single 1 at offset (dx, dy) from its centre.
Image shiftKernel(int w, int h, int dx, int dy)
{
    Image k;
    k.SetDim(w, h);
    k.rows[h / 2 + dy][w / 2 + dx] = 1.0f;
    return k;
}

using Variant = bool (*)(Image*, Image*);

} // namespace

TEST(Correlation, EveryVariantMatchesTheDefinition)
{
    struct Case {
        int w, h, kw, kh;
    };
    // Includes kernels wider and taller than the image, which fold more than once,
    // and tall images that split into bands with shared rows.
    const Case cases[] = {{37, 23, 3, 3}, {37, 23, 5, 7}, {64, 41, 15, 15}, {40, 9, 1, 5},
                          {9, 30, 7, 1},  {5, 4, 9, 11},  {1, 1, 3, 3},     {33, 3, 3, 15}};
    const std::pair<const char*, Variant> variants[] = {
        {"ConFltMC", ConFltMC}, {"gConv2", gConv2}, {"ConvFltVer0", ConvFltVer0}, {"ConvFltVer1", ConvFltVer1}};
    unsigned seed = 1;
    for (const Case& c : cases) {
        Image src;
        Image k;
        fillRandom(src, c.w, c.h, seed++);
        fillRandom(k, c.kw, c.kh, seed++, -1.0f, 1.0f);
        const std::vector<double> expected = reference(src, k);
        for (const auto& [name, fn] : variants) {
            SCOPED_TRACE(testing::Message() << name << " " << c.w << "x" << c.h << " kernel " << c.kw << "x" << c.kh);
            Image img(src);
            ASSERT_TRUE(fn(&img, &k));
            expectNear(img, expected, 1e-6 * 1000.0 * c.kw * c.kh);
        }
    }
}

TEST(Correlation, ReadsFoldBackWithoutRepeatingTheEdge)
{
    // out(x, y) = img(x - 1, y): column 0 reads column 1, not column 0.
    Image img;
    fillRamp(img, 4, 3);
    Image left = shiftKernel(3, 3, -1, 0);
    Image a(img);
    ASSERT_TRUE(ConFltMC(&a, &left));
    EXPECT_EQ(a.rows[0][0], 1.0f);
    EXPECT_EQ(a.rows[2][0], 21.0f);
    EXPECT_EQ(a.rows[1][3], 12.0f);
    // out(x, y) = img(x + 2, y + 1): past the right and bottom edges the reads
    // come back from W - 2 and H - 2.
    Image far = shiftKernel(5, 3, 2, 1);
    Image b(img);
    ASSERT_TRUE(ConvFltVer0(&b, &far));
    EXPECT_EQ(b.rows[0][2], 12.0f);  // img(4, 1) -> column 2
    EXPECT_EQ(b.rows[0][3], 11.0f);  // img(5, 1) -> column 1
    EXPECT_EQ(b.rows[2][0], 12.0f);  // img(2, 3) -> row 1
    EXPECT_EQ(b.rows[1][1], 23.0f);
}

TEST(Correlation, VariantsAgreeAndVer2LeavesTheOuterRingAtZero)
{
    Image src;
    fillRandom(src, 29, 17, 99);
    Image k;
    fillRandom(k, 3, 3, 100, -1.0f, 1.0f);
    Image mc(src), v0(src), v1(src), v2(src);
    ASSERT_TRUE(ConFltMC(&mc, &k));
    ASSERT_TRUE(ConvFltVer0(&v0, &k));
    ASSERT_TRUE(ConvFltVer1(&v1, &k));
    ASSERT_TRUE(ConvFltVer2(&v2, &k));
    expectNear(mc, v0, 1e-3);
    expectNear(mc, v1, 1e-3);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 29; ++x) {
            if (x == 0 || y == 0 || x == 28 || y == 16)
                ASSERT_EQ(v2.rows[y][x], 0.0f) << x << "," << y;
            else
                ASSERT_NEAR(v2.rows[y][x], mc.rows[y][x], 1e-3) << x << "," << y;
        }

    // A 5 x 3 kernel leaves two columns and one row at each side.
    Image wide;
    fillRandom(wide, 5, 3, 101, -1.0f, 1.0f);
    Image w2(src), w0(src);
    ASSERT_TRUE(ConvFltVer2(&w2, &wide));
    ASSERT_TRUE(ConvFltVer0(&w0, &wide));
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 29; ++x) {
            const bool inside = x >= 2 && x <= 26 && y >= 1 && y <= 15;
            ASSERT_NEAR(w2.rows[y][x], inside ? w0.rows[y][x] : 0.0f, 1e-3) << x << "," << y;
        }

    // A kernel wider than the image leaves nothing inside.
    Image big;
    fillRandom(big, 31, 3, 102, -1.0f, 1.0f);
    Image all(src);
    ASSERT_TRUE(ConvFltVer2(&all, &big));
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 29; ++x)
            ASSERT_EQ(all.rows[y][x], 0.0f);
}

TEST(Correlation, SeparableKernelsAgreeWithTheDirectPath)
{
    Image src;
    fillRandom(src, 203, 77, 7);
    // A Gaussian at angle 0 and an uneven rank-one kernel take the two-pass
    // path in ConFltMC; ConvFltVer0 always sums the full window.
    Image gauss;
    ASSERT_TRUE(TwoDGaussian_LSE(&gauss, 15, 1.5f, 15, 1.5f, 0.0f));
    Image outer;
    outer.SetDim(7, 5);
    const float col[5] = {0.5f, -1.0f, 2.0f, 0.25f, 3.0f};
    const float row[7] = {1.0f, 0.1f, -0.7f, 2.5f, 0.0f, 1.5f, -0.2f};
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 7; ++j)
            outer.rows[i][j] = col[i] * row[j];
    Image smooth3;
    smooth3.SetDim(3, 3);
    const float s3[9] = {1 / 16.f, 1 / 8.f, 1 / 16.f, 1 / 8.f, 1 / 4.f, 1 / 8.f, 1 / 16.f, 1 / 8.f, 1 / 16.f};
    for (int i = 0; i < 9; ++i)
        smooth3.rows[i / 3][i % 3] = s3[i];
    for (Image* k : {&gauss, &outer, &smooth3}) {
        Image fast(src), direct(src);
        ASSERT_TRUE(ConFltMC(&fast, k));
        ASSERT_TRUE(ConvFltVer0(&direct, k));
        const std::vector<double> expected = reference(src, *k);
        double scale = 0.0;
        for (double v : expected)
            scale = std::max(scale, std::fabs(v));
        SCOPED_TRACE(testing::Message() << "kernel " << k->width << "x" << k->height);
        expectNear(fast, direct, 2e-6 * scale);
        expectNear(fast, expected, 2e-6 * scale);
    }
}

TEST(Correlation, BadArgumentsLeaveTheImageAlone)
{
    Image img;
    fillRandom(img, 8, 8, 3);
    const Image before(img);
    Image even;
    even.SetDim(4, 3);
    even.rows[1][2] = 1.0f;
    Image empty;
    for (Variant fn : {ConFltMC, gConv2, ConvFltVer0, ConvFltVer1, ConvFltVer2}) {
        EXPECT_FALSE(fn(&img, &even));
        EXPECT_FALSE(fn(&img, &empty));
        EXPECT_FALSE(fn(&img, nullptr));
        EXPECT_FALSE(fn(nullptr, &even));
        EXPECT_FALSE(fn(&empty, &img));
    }
    expectNear(img, before, 0.0);
}

TEST(Correlation, AnImageMayServeAsItsOwnKernel)
{
    Image img;
    fillRandom(img, 5, 5, 4, -1.0f, 1.0f);
    const std::vector<double> expected = reference(img, img);
    ASSERT_TRUE(ConFltMC(&img, &img));
    expectNear(img, expected, 1e-4);
}
