// Per-pixel effects on known pixels.
#include "PlaneTestTools.h"

#include "pixorama/workbench/PhotoEffects.h"

#include <gtest/gtest.h>

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
