#include "NumericTestTools.h"

#include "pixorama/common/FFTMT.h"
#include "pixorama/common/QEVPP1DFFT.h"
#include "pixorama/common/RowSplit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

using namespace numtest;

using Image = ClassData2DIO<float>;

// The 2-D transform by its definition, in double, summed along x then along y.
std::vector<std::complex<double>> direct2d(const Image& re, const Image& im, bool forward)
{
    const int w = re.width;
    const int h = re.height;
    const double sign = forward ? -1.0 : 1.0;
    auto at = [w](int x, int y) { return std::size_t(y) * std::size_t(w) + std::size_t(x); };
    std::vector<std::complex<double>> rowsDone(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        for (int u = 0; u < w; ++u)
            for (int x = 0; x < w; ++x)
                rowsDone[at(u, y)] += std::complex<double>(re.rows[y][x], im.rows[y][x]) *
                                      std::polar(1.0, sign * 2.0 * std::numbers::pi * double((u * x) % w) / w);
    std::vector<std::complex<double>> out(rowsDone.size());
    for (int u = 0; u < w; ++u)
        for (int v = 0; v < h; ++v) {
            for (int y = 0; y < h; ++y)
                out[at(u, v)] += rowsDone[at(u, y)] *
                                 std::polar(1.0, sign * 2.0 * std::numbers::pi * double((v * y) % h) / h);
            if (!forward)
                out[at(u, v)] /= double(w) * double(h);
        }
    return out;
}

void expectSpectrum(const Image& re, const Image& im, const std::vector<std::complex<double>>& expected, double tol)
{
    for (int y = 0; y < re.height; ++y)
        for (int x = 0; x < re.width; ++x) {
            const auto& e = expected[std::size_t(y) * std::size_t(re.width) + std::size_t(x)];
            ASSERT_NEAR(re.rows[y][x], e.real(), tol) << x << "," << y;
            ASSERT_NEAR(im.rows[y][x], e.imag(), tol) << x << "," << y;
        }
}

} // namespace

TEST(RowSplit, RangesFollowTheEqualShareRule)
{
    EXPECT_EQ(RowSplit::range(0, 3, 10).begin, 0);
    EXPECT_EQ(RowSplit::range(0, 3, 10).end, 3);
    EXPECT_EQ(RowSplit::range(1, 3, 10).begin, 3);
    EXPECT_EQ(RowSplit::range(1, 3, 10).end, 6);
    EXPECT_EQ(RowSplit::range(2, 3, 10).begin, 6);
    EXPECT_EQ(RowSplit::range(2, 3, 10).end, 10) << "the last worker takes the remainder";
    // Fewer rows than workers: everything goes to the last one.
    EXPECT_TRUE(RowSplit::range(0, 4, 2).empty());
    EXPECT_TRUE(RowSplit::range(2, 4, 2).empty());
    EXPECT_EQ(RowSplit::range(3, 4, 2).begin, 0);
    EXPECT_EQ(RowSplit::range(3, 4, 2).end, 2);
    EXPECT_GE(RowSplit::threadCount(), 1);
}

TEST(RowSplit, RunVisitsEveryRowOnceAndJoinsBeforeReturning)
{
    for (int threads : {1, 2, 3, 8}) {
        for (int count : {0, 1, 5, 64}) {
            std::vector<std::atomic<int>> seen(std::size_t(count > 0 ? count : 1));
            RowSplit::run(count, threads, [&](int begin, int end) {
                for (int y = begin; y < end; ++y)
                    seen[std::size_t(y)]++;
            });
            for (int y = 0; y < count; ++y)
                EXPECT_EQ(seen[std::size_t(y)].load(), 1) << threads << " threads, row " << y;
        }
    }
}

TEST(RowSplit, EachWorkerIsToldItsIndexWithItsOwnRows)
{
    for (int count : {2, 10, 64}) {
        std::vector<std::atomic<int>> calls(4);
        std::atomic<bool> matches{true};
        RowSplit::runWorkers(count, 4, [&](int worker, int begin, int end) {
            calls[std::size_t(worker)]++;
            const RowSplit::Range r = RowSplit::range(worker, 4, count);
            if (r.begin != begin || r.end != end)
                matches = false;
        });
        EXPECT_TRUE(matches.load()) << count << " rows";
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(calls[std::size_t(i)].load(), RowSplit::range(i, 4, count).empty() ? 0 : 1) << count << " rows";
    }
}

TEST(RowSplit, AWorkerFailureReachesTheCaller)
{
    EXPECT_THROW(RowSplit::run(10, 2,
                               [](int begin, int) {
                                   if (begin == 0)
                                       throw std::runtime_error("worker");
                               }),
                 std::runtime_error);
}

TEST(FftRows, EveryRowIsTransformedLikeTheSingleTransform)
{
    Image re;
    Image im;
    fillRandom(re, 64, 7, 1, -1.0, 1.0);
    fillRandom(im, 64, 7, 2, -1.0, 1.0);
    const Image re0(re);
    const Image im0(im);
    ASSERT_TRUE(FFTMT1D(&re, &im, true));
    for (int y = 0; y < 7; ++y) {
        QEVPP1DFFT one;
        ASSERT_TRUE(one.Init(64, true));
        one.UpLoadRe(re0.rows[y], 64);
        one.UpLoadIm(im0.rows[y], 64);
        one.RunFFTOri();
        for (int x = 0; x < 64; ++x) {
            ASSERT_NEAR(re.rows[y][x], one.re[x], 1e-5) << x << "," << y;
            ASSERT_NEAR(im.rows[y][x], one.im[x], 1e-5) << x << "," << y;
        }
    }
    // Odd stage counts (width 8 has three) still leave the result in the images.
    Image r8;
    Image i8;
    fillRandom(r8, 8, 3, 3, -1.0, 1.0);
    fillRandom(i8, 8, 3, 4, -1.0, 1.0);
    const Image r8c(r8);
    ASSERT_TRUE(FFTMT1D(&r8, &i8, true));
    ASSERT_TRUE(FFTMT1D(&r8, &i8, false));
    for (int x = 0; x < 8; ++x)
        EXPECT_NEAR(r8.rows[2][x], r8c.rows[2][x], 1e-6);
}

namespace {

// One row by the radix-2 self-sorting definition, stage after stage in float,
// through the plan's own twiddles; the inverse then scales by 1 / n.
void stockhamByDefinition(std::vector<float>& re, std::vector<float>& im, const QEVPP1DFFT& plan)
{
    const int n = plan.size;
    const int half = n / 2;
    const float* cosT = plan.forward ? plan.cosFwd : plan.cosInv;
    const float* sinT = plan.forward ? plan.sinFwd : plan.sinInv;
    std::vector<float> outR(re.size());
    std::vector<float> outI(im.size());
    for (int m = 1; m < n; m *= 2) {
        for (int g = 0; g < half; g += m)
            for (int j = 0; j < m; ++j) {
                const float aR = re[std::size_t(g + j)];
                const float aI = im[std::size_t(g + j)];
                const float bR = re[std::size_t(g + j + half)];
                const float bI = im[std::size_t(g + j + half)];
                outR[std::size_t(2 * g + j)] = aR + bR;
                outI[std::size_t(2 * g + j)] = aI + bI;
                const float dR = aR - bR;
                const float dI = aI - bI;
                const float pR = dR * cosT[g];
                const float qR = dI * sinT[g];
                const float pI = dR * sinT[g];
                const float qI = dI * cosT[g];
                outR[std::size_t(2 * g + j + m)] = pR - qR;
                outI[std::size_t(2 * g + j + m)] = pI + qI;
            }
        re.swap(outR);
        im.swap(outI);
    }
    if (!plan.forward)
        for (int i = 0; i < n; ++i) {
            re[std::size_t(i)] *= plan.invSize;
            im[std::size_t(i)] *= plan.invSize;
        }
}

} // namespace

// The row transform gives the definition's floats to the last bit, both
// ways, for stage counts that end in either buffer.
TEST(FftRows, RowsAreTheDefinitionsFloatsExactly)
{
    for (const int n : {4096, 512, 64}) {
        for (const bool forward : {true, false}) {
            Image re;
            Image im;
            fillRandom(re, n, 3, unsigned(n), -1.0, 1.0);
            fillRandom(im, n, 3, unsigned(n + 1), -1.0, 1.0);
            const Image re0(re);
            const Image im0(im);
            ASSERT_TRUE(FFTMT1D(&re, &im, forward));
            QEVPP1DFFT plan;
            ASSERT_TRUE(plan.Init(n, forward));
            int wrong = 0;
            for (int y = 0; y < 3; ++y) {
                std::vector<float> r(re0.rows[y], re0.rows[y] + n);
                std::vector<float> i(im0.rows[y], im0.rows[y] + n);
                stockhamByDefinition(r, i, plan);
                for (int x = 0; x < n; ++x)
                    wrong += re.rows[y][x] != r[std::size_t(x)] || im.rows[y][x] != i[std::size_t(x)];
            }
            EXPECT_EQ(wrong, 0) << n << (forward ? " forward" : " inverse");
        }
    }
}

TEST(FftRows, RefusesUnsuitableImagesAndLeavesThemAlone)
{
    Image re;
    Image im;
    fillRandom(re, 12, 4, 5, -1.0, 1.0);
    fillRandom(im, 12, 4, 6, -1.0, 1.0);
    const float before = re.rows[1][1];
    EXPECT_FALSE(FFTMT1D(&re, &im, true)) << "width 12 is not a power of two";
    EXPECT_EQ(re.rows[1][1], before);
    Image other;
    fillRandom(other, 16, 4, 7, -1.0, 1.0);
    Image im16;
    fillRandom(im16, 16, 5, 8, -1.0, 1.0);
    EXPECT_FALSE(FFTMT1D(&other, &im16, true)) << "sizes differ";
    EXPECT_FALSE(FFTMT1D(&other, &other, true));
    EXPECT_FALSE(FFTMT1D(nullptr, &im, true));
    Image tall;
    Image tallIm;
    fillRandom(tall, 16, 12, 9, -1.0, 1.0);
    fillRandom(tallIm, 16, 12, 10, -1.0, 1.0);
    EXPECT_FALSE(FFTMT2D(&tall, &tallIm, true)) << "height 12 is not a power of two";
}

TEST(Fft2D, MatchesTheDirectTransformForSquareAndOblongImages)
{
    struct Size {
        int w, h;
    };
    for (Size s : {Size{16, 16}, Size{64, 64}, Size{32, 8}, Size{8, 32}, Size{4, 2}, Size{1, 4}}) {
        Image re;
        Image im;
        fillRandom(re, s.w, s.h, unsigned(s.w * 100 + s.h), -1.0, 1.0);
        fillRandom(im, s.w, s.h, unsigned(s.w * 100 + s.h + 1), -1.0, 1.0);
        const auto expected = direct2d(re, im, true);
        SCOPED_TRACE(testing::Message() << s.w << "x" << s.h);
        ASSERT_TRUE(FFTMT2D(&re, &im, true));
        EXPECT_EQ(re.width, s.w);
        EXPECT_EQ(re.height, s.h);
        expectSpectrum(re, im, expected, 1e-4);
    }
}

TEST(Fft2D, KnownPatterns)
{
    const int w = 32;
    const int h = 16;
    Image re;
    Image im;
    re.SetDim(w, h);
    im.SetDim(w, h);
    // A plane wave cos(2 pi (3x / W + 5y / H)) puts W H / 2 into (3, 5) and (W - 3, H - 5).
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            re.rows[y][x] = float(std::cos(2.0 * std::numbers::pi * (3.0 * x / w + 5.0 * y / h)));
    ASSERT_TRUE(FFTMT2D(&re, &im, true));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool peak = (x == 3 && y == 5) || (x == w - 3 && y == h - 5);
            ASSERT_NEAR(re.rows[y][x], peak ? w * h / 2.0 : 0.0, 1e-3) << x << "," << y;
            ASSERT_NEAR(im.rows[y][x], 0.0, 1e-3) << x << "," << y;
        }

    // An impulse at (x0, y0) gives exp(-2 pi i (u x0 / W + v y0 / H)).
    re.SetDim(w, h);
    im.SetDim(w, h);
    re.rows[2][7] = 1.0f;
    ASSERT_TRUE(FFTMT2D(&re, &im, true));
    for (int v = 0; v < h; ++v)
        for (int u = 0; u < w; ++u) {
            const double phase = -2.0 * std::numbers::pi * (u * 7.0 / w + v * 2.0 / h);
            ASSERT_NEAR(re.rows[v][u], std::cos(phase), 1e-5);
            ASSERT_NEAR(im.rows[v][u], std::sin(phase), 1e-5);
        }
}

TEST(Fft2D, ForwardThenInverseReturnsTheInput)
{
    for (int n : {8, 128}) {
        Image re;
        Image im;
        fillRandom(re, n, n, 11, -1.0, 1.0);
        fillRandom(im, n, n, 12, -1.0, 1.0);
        const Image re0(re);
        const Image im0(im);
        ASSERT_TRUE(FFTMT2D(&re, &im, true));
        ASSERT_TRUE(FFTMT2D(&re, &im, false));
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                ASSERT_NEAR(re.rows[y][x], re0.rows[y][x], 1e-5);
                ASSERT_NEAR(im.rows[y][x], im0.rows[y][x], 1e-5);
            }
    }
}

TEST(FftShiftTest, RotatesByHalfTheSizeOnBothAxes)
{
    Image four;
    four.SetDim(4, 1);
    for (int x = 0; x < 4; ++x)
        four.rows[0][x] = float(x);
    FFTShift(&four);
    EXPECT_EQ(four.rows[0][0], 2.0f);
    EXPECT_EQ(four.rows[0][1], 3.0f);
    EXPECT_EQ(four.rows[0][2], 0.0f);
    EXPECT_EQ(four.rows[0][3], 1.0f);

    Image five;
    five.SetDim(5, 1);
    for (int x = 0; x < 5; ++x)
        five.rows[0][x] = float(x);
    FFTShift(&five);
    const float expected[5] = {2, 3, 4, 0, 1};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(five.rows[0][x], expected[x]) << x;

    // Rows move too: value 10 y + x, W = 3, H = 5.
    Image grid;
    fillRamp(grid, 3, 5);
    FFTShift(&grid);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(grid.rows[y][x], float(10 * ((y + 2) % 5) + (x + 1) % 3)) << x << "," << y;
    FFTShift(nullptr);
}
