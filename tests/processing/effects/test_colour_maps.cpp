// Per-pixel effects on known pixels.
#include "PlaneTestTools.h"

#include "pixorama/workbench/PhotoEffects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>

namespace {

using Rgb = TestPlanes::Rgb;

Rgb Apply(void (*effect)(ColourPlanes), Rgb colour)
{
    TestPlanes p(3, 2, colour);
    effect(p.Planes());
    return p.At(2, 1);
}

TestPlanes Gradient()
{
    return TestPlanes(40, 30, [](int x, int y) { return Rgb{x * 6, y * 8, (x * 7 + y * 3) % 256}; });
}

} // namespace

TEST(ColourMaps, NegativeInvertsAndTwiceGivesThePictureBack)
{
    EXPECT_EQ(Apply(EffectNegative, {0, 100, 255}), (Rgb{255, 155, 0}));
    TestPlanes original = Gradient();
    TestPlanes twice = Gradient();
    EffectNegative(twice.Planes());
    EXPECT_FALSE(twice.SameAs(original));
    EffectNegative(twice.Planes());
    EXPECT_TRUE(twice.SameAs(original));
}

TEST(ColourMaps, GreyGivesEqualChannelsOfTheWeightedSum)
{
    // 0.299 * 100 + 0.587 * 150 + 0.114 * 200 = 140.75
    EXPECT_EQ(Apply(EffectGrey, {100, 150, 200}), (Rgb{140, 140, 140}));
    TestPlanes p = Gradient();
    EffectGrey(p.Planes());
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const Rgb c = p.At(x, y);
            ASSERT_EQ(c[0], c[1]);
            ASSERT_EQ(c[1], c[2]);
        }
}

TEST(ColourMaps, CrossProcessingCurves)
{
    EXPECT_EQ(Apply(EffectCrossProcess, {0, 0, 0}), (Rgb{0, 0, 37}));
    EXPECT_EQ(Apply(EffectCrossProcess, {255, 255, 255}), (Rgb{255, 255, 164}));
    // 64^3 / 16384 = 16, 64^2 / 128 = 32, 64 / 2 + 37 = 69
    EXPECT_EQ(Apply(EffectCrossProcess, {64, 64, 64}), (Rgb{16, 32, 69}));
    // a = 56: 256 - 10.72 and 256 - 24.5, truncated; 100 + 37
    EXPECT_EQ(Apply(EffectCrossProcess, {200, 200, 200}), (Rgb{245, 231, 137}));
}

TEST(ColourMaps, SepiaTruncatesAndHoldsAt255)
{
    // 192.45, 171.4, 133.5
    EXPECT_EQ(Apply(EffectSepia, {100, 150, 200}), (Rgb{192, 171, 133}));
    // 345.1 and 306.8 held; 0.937 * 255 = 238.9
    EXPECT_EQ(Apply(EffectSepia, {255, 255, 255}), (Rgb{255, 255, 238}));
}

TEST(ColourMaps, FreezeUsesTheNewValuesOfTheStepsBefore)
{
    // R' = 51 * 3 / 2 = 76; G' = |(20 - 76 - 30) * 3 / 2| = 129; B' = |(30 - 129 - 76) * 3 / 2| held at 255
    EXPECT_EQ(Apply(EffectFreeze, {101, 20, 30}), (Rgb{76, 129, 255}));
    EXPECT_EQ(Apply(EffectFreeze, {0, 0, 0}), (Rgb{0, 0, 0}));
}

TEST(ColourMaps, DarkLiftIsWeightedByTheDarknessOfGreen)
{
    // c = 105: B 255 - (173 * 55 >> 8), G 255 - (105 * 194 >> 8), R 255 - (155 * 214 >> 8)
    EXPECT_EQ(Apply(EffectDarkLift, {100, 150, 200}), (Rgb{126, 176, 218}));
    EXPECT_EQ(Apply(EffectDarkLift, {255, 255, 255}), (Rgb{255, 255, 255}));
    // Black: 255 - (255 * 255 >> 8) = 1
    EXPECT_EQ(Apply(EffectDarkLift, {0, 0, 0}), (Rgb{1, 1, 1}));
}

TEST(ColourMaps, ColourMatrixIdentitySwapAndOffset)
{
    float identity[5][5] = {};
    for (int i = 0; i < 5; ++i)
        identity[i][i] = 1.0f;
    TestPlanes original = Gradient();
    TestPlanes p = Gradient();
    EffectColourMatrix(p.Planes(), identity);
    EXPECT_TRUE(p.SameAs(original));

    // Red and blue swapped, green lifted by 0.1 * 255 = 25.5 (truncated), row 3 ignored.
    float m[5][5] = {{0, 0, 1, 0, 0}, {0, 1, 0, 0, 0.1f}, {1, 0, 0, 0, 0}, {9, 9, 9, 9, 9}, {0, 0, 0, 0, 1}};
    TestPlanes q(2, 2, Rgb{10, 20, 30});
    EffectColourMatrix(q.Planes(), m);
    EXPECT_EQ(q.At(1, 1), (Rgb{30, 45, 10}));
    // Held to 0..255 both ways.
    float extreme[5][5] = {{4, 0, 0, 0, 0}, {-1, 0, 0, 0, 0}, {0, 0, 1, 0, 0}};
    TestPlanes e(2, 2, Rgb{100, 20, 30});
    EffectColourMatrix(e.Planes(), extreme);
    EXPECT_EQ(e.At(0, 0), (Rgb{255, 0, 30}));
}

// Not-a-number becomes 0 and infinities are held, on the vector lanes too
// (the gradient is wider than a vector): inf * 0 is not a number.
TEST(ColourMaps, ColourMatrixHoldsInfinitiesAndZeroesNotANumber)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float m[5][5] = {{nan, 0, 0, 0, 0}, {inf, 0, 0, 0, 0}, {-inf, 0, 0, 0, 0}};
    TestPlanes p = Gradient();
    EffectColourMatrix(p.Planes(), m);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(p.At(x, y), (Rgb{0, x > 0 ? 255 : 0, 0})) << x << ", " << y;
}

TEST(ColourMaps, WhiteBalanceEqualisesTheMeansAndStretches)
{
    // Means 150, 75, 0: red halves, green stays, the empty blue channel stays 0;
    // the largest scaled value (100) becomes 255.
    TestPlanes p(4, 2, [](int x, int) { return x < 2 ? Rgb{100, 50, 0} : Rgb{200, 100, 0}; });
    EffectWhiteBalance(p.Planes());
    EXPECT_EQ(p.At(0, 0), (Rgb{127, 127, 0}));
    EXPECT_EQ(p.At(3, 1), (Rgb{255, 255, 0}));
}

TEST(ColourMaps, WhiteBalanceOfABlackPictureLeavesItBlack)
{
    TestPlanes black(5, 5, Rgb{0, 0, 0});
    EffectWhiteBalance(black.Planes());
    EXPECT_EQ(black.At(2, 2), (Rgb{0, 0, 0}));
    // Every mean below 1: every channel keeps its values, then the brightest is stretched to 255.
    TestPlanes dim(16, 16, [](int x, int y) { return x == 3 && y == 4 ? Rgb{200, 0, 0} : Rgb{0, 0, 0}; });
    EffectWhiteBalance(dim.Planes());
    EXPECT_EQ(dim.At(3, 4), (Rgb{255, 0, 0}));
    EXPECT_EQ(dim.At(0, 0), (Rgb{0, 0, 0}));
}

namespace {

unsigned char Truncated(double v)
{
    return static_cast<unsigned char>(v <= 0.0 ? 0.0 : (v >= 255.0 ? 255.0 : v));
}

struct Case {
    const char* name;
    std::function<void(ColourPlanes)> effect;
    std::function<Rgb(Rgb)> formula;
};

// Pixels of a w x h picture filled from colour where the effect and the formula differ.
int WrongPixels(int w, int h, const std::function<Rgb(int, int)>& colour, const Case& test)
{
    TestPlanes p(w, h, colour);
    test.effect(p.Planes());
    int wrong = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            wrong += p.At(x, y) != test.formula(colour(x, y));
    return wrong;
}

Rgb SepiaFormula(Rgb c)
{
    const double R = c[0], G = c[1], B = c[2];
    return Rgb{Truncated(0.393 * R + 0.769 * G + 0.189 * B), Truncated(0.349 * R + 0.686 * G + 0.168 * B),
               Truncated(0.272 * R + 0.534 * G + 0.131 * B)};
}

Rgb FreezeFormula(Rgb c)
{
    auto frozen = [](int v) { return std::min(std::abs(v * 3 / 2), 255); };
    const int r = frozen(c[0] - c[2] - c[1]);
    const int g = frozen(c[1] - r - c[2]);
    return Rgb{r, g, frozen(c[2] - g - r)};
}

} // namespace

// Pictures wider than the loops' runs and large enough to be split over the
// processors: every pixel must be what the effect's formula gives for it.
TEST(ColourMaps, EveryPixelOfALargePictureFollowsTheFormula)
{
    constexpr int w = 601, h = 300;
    auto colour = [](int x, int y) {
        const unsigned v = unsigned(x) * 2654435761u ^ unsigned(y) * 40503u;
        return Rgb{int(v & 255), int(v >> 8 & 255), int(v >> 16 & 255)};
    };
    const float matrix[5][5] = {{0.5f, 0.7f, -0.2f, 0, 0}, {1.3f, 0, 0.1f, 0, 0}, {0, -0.4f, 1.1f, 0, 0}, {0, 0, 0, 1, 0},
                                {0, 0, 0, 0, 0}};
    const Case cases[] = {
        {"cross", EffectCrossProcess,
         [](Rgb c) {
             auto curve = [](int i, double power) {
                 const double a = i < 128 ? i : 256 - i;
                 const double v = power == 3 ? a * a * a / 16384.0 : a * a / 128.0;
                 return int(Truncated(i < 128 ? v : 256.0 - v));
             };
             return Rgb{curve(c[0], 3), curve(c[1], 2), c[2] / 2 + 37};
         }},
        {"sepia", EffectSepia, SepiaFormula},
        {"dark lift", EffectDarkLift,
         [](Rgb c) {
             auto lift = [k = 255 - c[1]](int v) { return 255 - (((255 - v * k / 256) * (255 - v)) >> 8); };
             return Rgb{lift(c[0]), lift(c[1]), lift(c[2])};
         }},
        {"freeze", EffectFreeze, FreezeFormula},
        {"matrix", [&](ColourPlanes p) { EffectColourMatrix(p, matrix); },
         [&](Rgb c) {
             Rgb out;
             for (int i = 0; i < 3; ++i)
                 out[std::size_t(i)] = Truncated(double(matrix[i][0] * float(c[0]) + matrix[i][1] * float(c[1])
                                                        + matrix[i][2] * float(c[2]) + matrix[i][4] * 255.0f));
             return out;
         }},
    };
    for (const Case& test : cases)
        EXPECT_EQ(WrongPixels(w, h, colour, test), 0) << test.name;
}

// Grey and sepia run on integer sums, with the double formula only where the
// sum is a whole number, and freeze on 16-bit lanes: every one of the 2^24
// colours must still give the plain formula's bytes.
TEST(ColourMaps, VectorKernelsGiveThePlainFormulaForEveryColour)
{
    constexpr int side = 4096;
    auto colour = [](int x, int y) {
        const int c = y * side + x;
        return Rgb{c & 255, c >> 8 & 255, c >> 16};
    };
    const Case cases[] = {
        {"grey", EffectGrey,
         [](Rgb c) {
             const int v = Truncated(0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]);
             return Rgb{v, v, v};
         }},
        {"sepia", EffectSepia, SepiaFormula},
        {"freeze", EffectFreeze, FreezeFormula},
    };
    for (const Case& test : cases)
        EXPECT_EQ(WrongPixels(side, side, colour, test), 0) << test.name;
}

// The channel tables run as float products on vectors when one slope gives
// every entry: each pixel of a picture wider than a vector must still match
// the grey-world formula.
TEST(ColourMaps, WhiteBalanceOfALargePictureFollowsTheFormula)
{
    constexpr int w = 601, h = 300;
    auto colour = [](int x, int y) { return Rgb{(x * 3 + y) % 200 + 20, (x + 5 * y) % 97, (x * y) % 256}; };
    long sum[3] = {0, 0, 0};
    int largest[3] = {0, 0, 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                sum[c] += colour(x, y)[std::size_t(c)];
                largest[c] = std::max(largest[c], colour(x, y)[std::size_t(c)]);
            }
    double mean[3];
    for (int c = 0; c < 3; ++c)
        mean[c] = double(sum[c]) / (double(w) * double(h));
    const float average = float((mean[0] + mean[1] + mean[2]) / 3.0);
    float gain[3], top = 0.0f;
    for (int c = 0; c < 3; ++c) {
        gain[c] = average / float(mean[c]);
        top = std::max(top, float(largest[c]) * gain[c]);
    }
    TestPlanes p(w, h, colour);
    EffectWhiteBalance(p.Planes());
    int wrong = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                const float v = float(colour(x, y)[std::size_t(c)]);
                wrong += p.At(x, y)[std::size_t(c)] != Truncated(255.0 * double(v * gain[c]) / double(top));
            }
    EXPECT_EQ(wrong, 0);
}
