#include "pixorama/common/QEVPP1DFFT.h"
#include "pixorama/common/ReconFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

namespace {

using Spectrum = std::vector<std::complex<double>>;

// The transform by its definition, in double.
Spectrum directDft(const std::vector<float>& re, const std::vector<float>& im, bool forward)
{
    const std::size_t n = re.size();
    const double sign = forward ? -1.0 : 1.0;
    Spectrum out(n);
    for (std::size_t k = 0; k < n; ++k) {
        std::complex<double> sum;
        for (std::size_t t = 0; t < n; ++t) {
            const double angle = sign * 2.0 * std::numbers::pi * double((k * t) % n) / double(n);
            sum += std::complex<double>(re[t], im[t]) * std::polar(1.0, angle);
        }
        out[k] = forward ? sum : sum / double(n);
    }
    return out;
}

std::vector<float> randomValues(std::size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
    std::vector<float> v(n);
    for (float& x : v)
        x = dist(rng);
    return v;
}

double largestMagnitude(const Spectrum& s)
{
    double m = 1e-30;
    for (const auto& c : s)
        m = std::max(m, std::abs(c));
    return m;
}

void expectMatches(const QEVPP1DFFT& fft, const Spectrum& expected, double relTolerance, const char* what)
{
    const double scale = largestMagnitude(expected);
    for (std::size_t k = 0; k < expected.size(); ++k) {
        ASSERT_NEAR(fft.re[k], expected[k].real(), relTolerance * scale) << what << " re[" << k << "]";
        ASSERT_NEAR(fft.im[k], expected[k].imag(), relTolerance * scale) << what << " im[" << k << "]";
    }
}

void load(QEVPP1DFFT& fft, const std::vector<float>& re, const std::vector<float>& im)
{
    fft.UpLoadRe(re.data(), int(re.size()));
    fft.UpLoadIm(im.data(), int(im.size()));
}

} // namespace

TEST(FftSizes, ComputeFFTNRoundsUpToAPowerOfTwo)
{
    EXPECT_EQ(ComputeFFTN(1), 1);
    EXPECT_EQ(ComputeFFTN(0), 1);
    EXPECT_EQ(ComputeFFTN(-7), 1);
    EXPECT_EQ(ComputeFFTN(2), 2);
    EXPECT_EQ(ComputeFFTN(3), 4);
    EXPECT_EQ(ComputeFFTN(5), 8);
    EXPECT_EQ(ComputeFFTN(11), 16);
    EXPECT_EQ(ComputeFFTN(1024), 1024);
    EXPECT_EQ(ComputeFFTN(1025), 2048);
    EXPECT_EQ(ComputeFFTN(1 << 30), 1 << 30);
    EXPECT_EQ(ComputeFFTN((1 << 30) + 1), 0) << "no int power of two is that large";
}

TEST(FftSizes, IsOddAndPowerOfTwoCheck)
{
    EXPECT_TRUE(IsOdd(3));
    EXPECT_TRUE(IsOdd(-3));
    EXPECT_FALSE(IsOdd(0));
    EXPECT_FALSE(IsOdd(-4));
    EXPECT_TRUE(QEVPP1DFFT::CheckInputToFFT(0));
    EXPECT_TRUE(QEVPP1DFFT::CheckInputToFFT(1));
    EXPECT_TRUE(QEVPP1DFFT::CheckInputToFFT(4096));
    EXPECT_FALSE(QEVPP1DFFT::CheckInputToFFT(12));
    EXPECT_FALSE(QEVPP1DFFT::CheckInputToFFT(-8));
}

TEST(FftInit, SetsStagesTablesAndZeroedData)
{
    QEVPP1DFFT fft;
    EXPECT_TRUE(fft.re == nullptr);
    ASSERT_TRUE(fft.Init(8, true));
    EXPECT_EQ(fft.size, 8);
    EXPECT_FLOAT_EQ(fft.invSize, 0.125f);
    EXPECT_EQ(fft.stages, 3);
    EXPECT_FALSE(fft.evenStages);
    EXPECT_TRUE(fft.forward);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(fft.re[k], 0.0f);
        EXPECT_EQ(fft.im[k], 0.0f);
        EXPECT_NEAR(fft.cosFwd[k], std::cos(-2.0 * std::numbers::pi * k / 8), 1e-6);
        EXPECT_NEAR(fft.sinFwd[k], std::sin(-2.0 * std::numbers::pi * k / 8), 1e-6);
        EXPECT_NEAR(fft.cosInv[k], std::cos(2.0 * std::numbers::pi * k / 8), 1e-6);
        EXPECT_NEAR(fft.sinInv[k], std::sin(2.0 * std::numbers::pi * k / 8), 1e-6);
    }
    ASSERT_TRUE(fft.Init(16, false));
    EXPECT_EQ(fft.stages, 4);
    EXPECT_TRUE(fft.evenStages);
    EXPECT_FALSE(fft.forward);
    ASSERT_TRUE(fft.Init(1, true));
    EXPECT_EQ(fft.stages, 0);
}

TEST(FftInit, RefusesLengthsThatAreNotPowersOfTwo)
{
    QEVPP1DFFT fft;
    ASSERT_TRUE(fft.Init(8, true));
    EXPECT_FALSE(fft.Init(12, true));
    EXPECT_EQ(fft.size, 0);
    EXPECT_TRUE(fft.re == nullptr);
    EXPECT_FALSE(fft.Init(0, true));
    EXPECT_FALSE(fft.Init(-4, true));
    // An empty transform ignores every call.
    float v[4] = {1, 2, 3, 4};
    fft.UpLoadRe(v, 0);
    fft.RunFFT();
    fft.RunFFTOri();
    fft.DownLoadRe(v, 1, 0);
    EXPECT_EQ(v[0], 1.0f);
}

TEST(FftRun, ForwardThenInverseReturnsTheInput)
{
    for (int n : {2, 8, 64, 1024}) {
        const std::vector<float> re = randomValues(std::size_t(n), 1u + unsigned(n));
        const std::vector<float> im = randomValues(std::size_t(n), 2u + unsigned(n));
        QEVPP1DFFT fft;
        ASSERT_TRUE(fft.Init(n, true));
        load(fft, re, im);
        fft.RunFFT();
        fft.RunFFT(false);
        for (int k = 0; k < n; ++k) {
            ASSERT_NEAR(fft.re[k], re[std::size_t(k)], 1e-5) << "n=" << n << " k=" << k;
            ASSERT_NEAR(fft.im[k], im[std::size_t(k)], 1e-5) << "n=" << n << " k=" << k;
        }
    }
}

TEST(FftRun, BothImplementationsAgreeWithTheDirectTransform)
{
    for (int n : {1, 2, 4, 8, 16, 32, 64, 128, 512, 2048}) {
        const std::vector<float> re = randomValues(std::size_t(n), 10u + unsigned(n));
        const std::vector<float> im = randomValues(std::size_t(n), 20u + unsigned(n));
        for (bool forward : {true, false}) {
            const Spectrum expected = directDft(re, im, forward);
            QEVPP1DFFT fast;
            QEVPP1DFFT plain;
            ASSERT_TRUE(fast.Init(n, forward));
            ASSERT_TRUE(plain.Init(n, forward));
            load(fast, re, im);
            load(plain, re, im);
            fast.RunFFT();
            plain.RunFFTOri();
            SCOPED_TRACE(testing::Message() << "n=" << n << (forward ? " forward" : " inverse"));
            expectMatches(fast, expected, 2e-6, "RunFFT");
            expectMatches(plain, expected, 2e-6, "RunFFTOri");
            for (int k = 0; k < n; ++k) {
                ASSERT_NEAR(fast.re[k], plain.re[k], 1e-6 * largestMagnitude(expected));
                ASSERT_NEAR(fast.im[k], plain.im[k], 1e-6 * largestMagnitude(expected));
            }
        }
    }
}

TEST(FftBuffers, UploadSizeRules)
{
    QEVPP1DFFT fft;
    ASSERT_TRUE(fft.Init(8, true));
    const std::vector<float> nine(9, 5.0f);
    fft.UpLoadRe(nine.data(), 9);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(fft.re[k], 0.0f) << "more than N values leave re alone";

    const std::vector<float> three = {1.0f, 2.0f, 3.0f};
    fft.UpLoadRe(three.data(), 3);
    EXPECT_EQ(fft.re[0], 1.0f);
    EXPECT_EQ(fft.re[2], 3.0f);
    EXPECT_EQ(fft.re[3], 0.0f);

    const std::vector<float> seven(7, 4.0f);
    fft.UpLoadIm(seven.data(), 7);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(fft.im[k], 0.0f) << "fewer than N values leave im alone";
    const std::vector<float> eight(8, 6.0f);
    fft.UpLoadIm(eight.data(), 8);
    EXPECT_EQ(fft.im[7], 6.0f);

    const unsigned short us[2] = {65535, 7};
    fft.UpLoadReUs(us, 2);
    EXPECT_EQ(fft.re[0], 65535.0f);
    EXPECT_EQ(fft.re[1], 7.0f);

    float out[4] = {-1, -1, -1, -1};
    fft.DownLoadRe(out, 2, 1);
    EXPECT_EQ(out[0], 7.0f);
    EXPECT_EQ(out[1], 3.0f);
    fft.DownLoadIm(out, 4, 5); // would read past N
    EXPECT_EQ(out[0], 7.0f);
    fft.DownLoadIm(out, 3, 5);
    EXPECT_EQ(out[2], 6.0f);

    fft.SetReZero();
    EXPECT_EQ(fft.re[0], 0.0f);
    EXPECT_EQ(fft.im[0], 6.0f);
    fft.SetImZero();
    EXPECT_EQ(fft.im[0], 0.0f);
}

TEST(FftBuffers, MultiplyGivesCircularConvolution)
{
    const int n = 16;
    const std::vector<float> a = randomValues(n, 31);
    const std::vector<float> b = randomValues(n, 32);
    QEVPP1DFFT fa;
    QEVPP1DFFT fb;
    ASSERT_TRUE(fa.Init(n, true));
    ASSERT_TRUE(fb.Init(n, true));
    fa.UpLoadRe(a.data(), n);
    fb.UpLoadRe(b.data(), n);
    fa.RunFFT();
    fb.RunFFT();

    QEVPP1DFFT byVector(fa);
    std::vector<std::complex<float>> v(n);
    for (int k = 0; k < n; ++k)
        v[std::size_t(k)] = {fb.re[k], fb.im[k]};
    byVector.MultiplyV(v);

    fa.Multiply(fb);
    fa.RunFFT(false);
    byVector.RunFFT(false);
    for (int t = 0; t < n; ++t) {
        double expected = 0.0;
        for (int s = 0; s < n; ++s)
            expected += double(a[std::size_t(s)]) * b[std::size_t((t - s + n) % n)];
        EXPECT_NEAR(fa.re[t], expected, 1e-5) << t;
        EXPECT_NEAR(fa.im[t], 0.0, 1e-5) << t;
        EXPECT_NEAR(byVector.re[t], expected, 1e-5) << t;
    }
}

TEST(FftBuffers, MultiplyBySelfAndMismatchedSizes)
{
    QEVPP1DFFT f;
    ASSERT_TRUE(f.Init(4, true));
    const float re[4] = {1, 2, 0, -1};
    const float im[4] = {0, 1, 3, 2};
    f.UpLoadRe(re, 4);
    f.UpLoadIm(im, 4);
    f.Multiply(f);
    for (int k = 0; k < 4; ++k) {
        const std::complex<float> z(re[k], im[k]);
        EXPECT_FLOAT_EQ(f.re[k], (z * z).real());
        EXPECT_FLOAT_EQ(f.im[k], (z * z).imag());
    }
    QEVPP1DFFT other;
    ASSERT_TRUE(other.Init(8, true));
    const float before = f.re[1];
    f.Multiply(other);
    EXPECT_EQ(f.re[1], before);
    f.MultiplyV(std::vector<std::complex<float>>(3));
    EXPECT_EQ(f.re[1], before);
}

TEST(FftBuffers, CopiesAreDeep)
{
    QEVPP1DFFT a;
    ASSERT_TRUE(a.Init(4, false));
    a.re[1] = 3.0f;
    QEVPP1DFFT b(a);
    QEVPP1DFFT c;
    c = a;
    a.re[1] = 9.0f;
    EXPECT_EQ(b.re[1], 3.0f);
    EXPECT_EQ(c.re[1], 3.0f);
    EXPECT_FALSE(b.forward);
    EXPECT_TRUE(b.re != a.re);
}
