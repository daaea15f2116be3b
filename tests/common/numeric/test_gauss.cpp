#include "NumericTestTools.h"

#include "pixorama/common/Convolution.h"
#include "pixorama/common/Gaussian.h"
#include "pixorama/common/MirrorIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>
#include <tuple>
#include <vector>

namespace {

using namespace numtest;

using Image = ClassData2DIO<float>;

double sum(const Image& k)
{
    double s = 0.0;
    for (int y = 0; y < k.height; ++y)
        for (int x = 0; x < k.width; ++x)
            s += k.rows[y][x];
    return s;
}

// gGauss over src equals the correlation with the full size x size kernel
// of sigma and angle, within tol.
void expectBlurMatchesFullKernel(const Image& src, int size, float sigma, float angle, double tol)
{
    Image blurred(src);
    ASSERT_TRUE(gGauss(&blurred, size, sigma, angle));
    Image k;
    ASSERT_TRUE(TwoDGaussian_LSE(&k, size, sigma, size, sigma, angle));
    Image direct(src);
    ASSERT_TRUE(ConvFltVer0(&direct, &k));
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x)
            ASSERT_NEAR(blurred.rows[y][x], direct.rows[y][x], tol) << "size " << size << " at " << x << "," << y;
}

} // namespace

TEST(Gaussian1D, NormalisedBellCurve)
{
    const double root = std::sqrt(6.2831852);
    EXPECT_FLOAT_EQ(OneDGaussian(0.0f, 1.0f), float(1.0 / root));
    EXPECT_FLOAT_EQ(OneDGaussian(1.0f, 2.0f), float(std::exp(-1.0 / 8.0) / (root * 2.0)));
    EXPECT_FLOAT_EQ(OneDGaussian(-3.0f, 1.5f), OneDGaussian(3.0f, 1.5f));
}

TEST(Gaussian2D, SumsToOneAndIsCentred)
{
    Image k;
    ASSERT_TRUE(TwoDGaussian_LSE(&k, 5, 1.0f, 5, 1.0f, 0.0f));
    ASSERT_EQ(k.width, 5);
    ASSERT_EQ(k.height, 5);
    EXPECT_NEAR(sum(k), 1.0, 1e-6);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_LE(k.rows[y][x], k.rows[2][2]);
            EXPECT_FLOAT_EQ(k.rows[y][x], k.rows[4 - y][4 - x]);
            EXPECT_FLOAT_EQ(k.rows[y][x], k.rows[x][y]);
        }
    EXPECT_NEAR(k.rows[2][3] / k.rows[2][2], std::exp(-0.5), 1e-6);
    EXPECT_NEAR(k.rows[0][0] / k.rows[2][2], std::exp(-4.0), 1e-6);
}

TEST(Gaussian2D, EvenSizesPutTheCentreBeforeTheMiddle)
{
    // Column i stands for x = i + 1 - (w + 1) / 2: for w = 4, x = -1, 0, 1, 2.
    Image k;
    ASSERT_TRUE(TwoDGaussian_LSE(&k, 4, 1.0f, 1, 1.0f, 0.0f));
    EXPECT_FLOAT_EQ(k.rows[0][0], k.rows[0][2]);
    EXPECT_GT(k.rows[0][1], k.rows[0][0]);
    EXPECT_GT(k.rows[0][2], k.rows[0][3]);
    EXPECT_NEAR(sum(k), 1.0, 1e-6);
}

TEST(Gaussian2D, AngleRotatesTheAxes)
{
    Image flat;
    Image turned;
    ASSERT_TRUE(TwoDGaussian_LSE(&flat, 7, 2.0f, 7, 0.7f, 0.0f));
    ASSERT_TRUE(TwoDGaussian_LSE(&turned, 7, 2.0f, 7, 0.7f, float(std::numbers::pi / 2)));
    // Wide along x at angle 0, wide along y a quarter turn later.
    EXPECT_GT(flat.rows[3][5], flat.rows[5][3]);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_NEAR(turned.rows[y][x], flat.rows[x][y], 1e-6) << x << "," << y;
}

TEST(Gaussian2D, NoSigmaMeansNoBlurAndBadSizesAreRefused)
{
    Image k;
    ASSERT_TRUE(TwoDGaussian_LSE(&k, 3, 0.0f, 3, 0.0f, 0.3f));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(k.rows[y][x], (x == 1 && y == 1) ? 1.0f : 0.0f);
    // Zero sigma along y only: a 1-D blur along x.
    ASSERT_TRUE(TwoDGaussian_LSE(&k, 3, 1.0f, 3, 0.0f, 0.0f));
    EXPECT_EQ(k.rows[0][1], 0.0f);
    EXPECT_GT(k.rows[1][0], 0.0f);
    EXPECT_NEAR(k.rows[1][0] + k.rows[1][1] + k.rows[1][2], 1.0, 1e-6);

    EXPECT_FALSE(TwoDGaussian_LSE(&k, 0, 1.0f, 3, 1.0f, 0.0f));
    EXPECT_EQ(k.width, 3) << "a refused size leaves the kernel alone";
    EXPECT_FALSE(TwoDGaussian_LSE(nullptr, 3, 1.0f, 3, 1.0f, 0.0f));
}

TEST(GaussianBlur, KeepsFlatImagesAndSpreadsAnImpulse)
{
    Image img;
    img.SetDim(20, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            img.rows[y][x] = 50.0f;
    ASSERT_TRUE(gGauss(&img, 7, 1.2f, 0.0f));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_NEAR(img.rows[y][x], 50.0f, 1e-4);

    img.SetDim(21, 21);
    img.rows[10][10] = 1.0f;
    Image k;
    ASSERT_TRUE(TwoDGaussian_LSE(&k, 5, 1.0f, 5, 1.0f, 0.0f));
    ASSERT_TRUE(gGauss(&img, 5, 1.0f, 0.0f));
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) {
            const bool inside = std::abs(x - 10) <= 2 && std::abs(y - 10) <= 2;
            ASSERT_NEAR(img.rows[y][x], inside ? k.rows[y - 8][x - 8] : 0.0f, 1e-7) << x << "," << y;
        }
}

TEST(GaussianBlur, SeparablePathMatchesTheFullKernel)
{
    Image src;
    fillRandom(src, 130, 70, 9, 0.0, 4000.0);
    expectBlurMatchesFullKernel(src, 15, 1.5f, 0.0f, 4000.0 * 2e-6);
    // Rotated kernels are not separable and take the full path.
    expectBlurMatchesFullKernel(src, 9, 2.0f, 0.5f, 4000.0 * 2e-6);
}

// The same floats on every processor: each sum runs in tap order from zero
// and no product is fused into a sum. Along x the kernel's middle row scaled
// to 1, then along y its middle column; the edges mirror.
TEST(GaussianBlur, SeparableSumsAreThePlainSumsInTapOrder)
{
    for (auto [w, h, size] : {std::tuple{263, 131, 9}, {6, 4, 15}}) {
        Image src;
        fillRandom(src, w, h, 5, 0.0, 255.0);
        Image k;
        ASSERT_TRUE(TwoDGaussian_LSE(&k, size, 1.5f, size, 1.5f, 0.0f));
        const int r = size / 2;
        Image across(src), plain(src);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                float a = 0.0f;
                for (int j = 0; j < size; ++j)
                    a += k.rows[r][j] / k.rows[r][r] * src.rows[y][pixMirrorReflect(x + j - r, w)];
                across.rows[y][x] = a;
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                float a = 0.0f;
                for (int i = 0; i < size; ++i)
                    a += k.rows[i][r] * across.rows[pixMirrorReflect(y + i - r, h)][x];
                plain.rows[y][x] = a;
            }
        ASSERT_TRUE(gGauss(&src, size, 1.5f, 0.0f));
        for (int y = 0; y < h; ++y)
            ASSERT_EQ(0, std::memcmp(src.rows[y], plain.rows[y], std::size_t(w) * sizeof(float)))
                << w << " x " << h << ", row " << y;
    }
}

TEST(GaussianBlur, EvenOrEmptySizesAreRefused)
{
    Image img;
    img.SetDim(6, 6);
    img.rows[2][2] = 1.0f;
    EXPECT_FALSE(gGauss(&img, 4, 1.0f, 0.0f));
    EXPECT_FALSE(gGauss(&img, 0, 1.0f, 0.0f));
    EXPECT_EQ(img.rows[2][2], 1.0f);
    EXPECT_EQ(img.rows[2][3], 0.0f);
}

TEST(GaussianBlur, RowsOfABytePictureAreTheBytesOfgGaussEvenWhenChangedOnTheWay)
{
    // 389 x 401 is split over the processors; every handed-out row is then
    // overwritten, as an effect writing over its own picture does.
    for (auto [width, height, size] : {std::tuple{389, 401, 9}, {5, 3, 9}, {70, 40, 15}}) {
        const int w = width, h = height; // plain names the lambda below can take
        std::vector<unsigned char> bytes(std::size_t(w) * std::size_t(h));
        std::vector<unsigned char*> rows(std::size_t(h), nullptr);
        Image expected;
        expected.SetDim(w, h);
        for (int y = 0; y < h; ++y) {
            rows[std::size_t(y)] = bytes.data() + std::size_t(y) * std::size_t(w);
            for (int x = 0; x < w; ++x) {
                // Noise beside a white band, whose blur reaches 255.
                const unsigned noise = (unsigned(y * w + x) * 2654435761u) >> 24;
                rows[std::size_t(y)][x] = static_cast<unsigned char>(x < w / 3 ? 255u : noise);
                expected.rows[y][x] = rows[std::size_t(y)][x];
            }
        }
        const std::vector<unsigned char> original = bytes;
        ASSERT_TRUE(gGauss(&expected, size, 1.5f, 0.0f));
        std::vector<float> blurred(bytes.size(), -1.0f);
        ASSERT_TRUE(gGaussRows(rows.data(), w, h, size, 1.5f, 0.0f, [&](int y, const float* row) {
            std::copy(row, row + w, blurred.begin() + std::ptrdiff_t(y) * w);
            std::fill_n(rows[std::size_t(y)], w, 0);
        }));
        for (int y = 0; y < h; ++y)
            ASSERT_EQ(0, std::memcmp(expected.rows[y], blurred.data() + std::size_t(y) * std::size_t(w),
                                     std::size_t(w) * sizeof(float)))
                << w << " x " << h << ", row " << y;

        // The same rows truncated to bytes, two planes at once.
        bytes = original;
        std::vector<unsigned char> second(original.rbegin(), original.rend());
        std::vector<unsigned char*> secondRows(std::size_t(h), nullptr);
        for (int y = 0; y < h; ++y)
            secondRows[std::size_t(y)] = second.data() + std::size_t(y) * std::size_t(w);
        unsigned char* const* planes[] = {rows.data(), secondRows.data()};
        std::vector<unsigned char> truncated(bytes.size(), 7);
        ASSERT_TRUE(gGaussPlanesTruncated(planes, 2, w, h, size, 1.5f, 0.0f,
                                          [&](int p, int y, const unsigned char* row) {
                                              if (p == 0)
                                                  std::copy(row, row + w, truncated.begin() + std::ptrdiff_t(y) * w);
                                              std::fill_n(planes[p][y], w, 0);
                                          }));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(truncated[std::size_t(y) * std::size_t(w) + std::size_t(x)],
                          static_cast<unsigned char>(std::clamp(expected.rows[y][x], 0.0f, 255.0f)))
                    << w << " x " << h << " at " << x << "," << y;
    }
    EXPECT_FALSE(gGaussRows(nullptr, 0, 0, 4, 1.0f, 0.0f, [](int, const float*) {}));
}
