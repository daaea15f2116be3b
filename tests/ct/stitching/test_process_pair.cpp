// The pair pipeline on tiny images with hand-computed results.
#include "CtTestTools.h"

#include "pixorama/workbench/ProjectionStitch.h"

#include <random>

using namespace cttest;

namespace {

QEVFLOATDATA2D Image(int w, int h, const std::vector<float>& values)
{
    QEVFLOATDATA2D image;
    image.SetDim(w, h);
    std::copy(values.begin(), values.end(), image.data);
    return image;
}

QEVFLOATDATA2D Filled(int w, int h, float v)
{
    return Image(w, h, std::vector<float>(std::size_t(w * h), v));
}

std::vector<float> Pixels(const QEVFLOATDATA2D& image)
{
    return {image.data, image.data + image.width * image.height};
}

tagQEVImaPairPara SideBySide(int w1, int h1, int w2, int h2)
{
    tagQEVImaPairPara para;
    para.ImaOneW = w1;
    para.ImaOneH = h1;
    para.ImaTwoW = w2;
    para.ImaTwoH = h2;
    return para;
}

const QEVFLOATDATA2D none;

TEST(ProcessImagePair, JoinsSideBySideAndCropsColumns)
{
    tagQEVImaPairPara para = SideBySide(2, 2, 2, 2);
    QEVFLOATDATA2D left = Image(2, 2, {1, 2, 3, 4});
    QEVFLOATDATA2D right = Image(2, 2, {5, 6, 7, 8});
    QEVFLOATDATA2D result;
    ProcessImagePair(para, left, right, none, none, none, none, result);
    EXPECT_EQ(result.width, 4);
    EXPECT_EQ(Pixels(result), (std::vector<float>{1, 2, 5, 6, 3, 4, 7, 8}));

    para.LeftCut = 1;
    para.RightCut = 2;
    left = Image(2, 2, {1, 2, 3, 4});
    right = Image(2, 2, {5, 6, 7, 8});
    ProcessImagePair(para, left, right, none, none, none, none, result);
    EXPECT_EQ(Pixels(result), (std::vector<float>{2, 4}));
}

TEST(ProcessImagePair, TooSmallOverlapOutputsTheLeftImageAlone)
{
    tagQEVImaPairPara para = SideBySide(2, 2, 2, 2);
    para.HoriPara = 3;
    para.MidCut = 1; // 3 - 2 x 1 blended columns: too few
    QEVFLOATDATA2D left = Image(2, 2, {1, 2, 3, 4}), right = Image(2, 2, {5, 6, 7, 8}), result;
    MessageRecorder shown;
    ProcessImagePair(para, left, right, none, none, none, none, result);
    EXPECT_EQ(shown.Texts(), std::vector<std::wstring>{L"水平重合参数需要大于二倍的中间切边参数加一"});
    EXPECT_EQ(Pixels(result), (std::vector<float>{1, 2, 3, 4}));
}

TEST(ProcessImagePair, VerticalStitchIsTheTransposedHorizontalOne)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(0.0f, 1000.0f);
    std::vector<float> a(6 * 9), b(6 * 9);
    for (float& v : a)
        v = value(random);
    for (float& v : b)
        v = value(random);
    tagQEVImaPairPara para = SideBySide(6, 9, 6, 9);
    para.HoriPara = 5;
    para.MidCut = 1;
    para.LeftCut = 1;
    para.RightCut = 2;
    para.bOverlapBalance = 1;

    // Horizontal on the transposed pictures ...
    QEVFLOATDATA2D left = Image(6, 9, a), right = Image(6, 9, b), horizontal;
    left.Transpose();
    right.Transpose();
    ProcessImagePair(para, left, right, none, none, none, none, horizontal);
    horizontal.Transpose();
    // ... equals vertical on the pictures themselves.
    para.bVertical = 1;
    QEVFLOATDATA2D top = Image(6, 9, a), bottom = Image(6, 9, b), vertical;
    ProcessImagePair(para, top, bottom, none, none, none, none, vertical);
    ASSERT_EQ(vertical.width, 6);
    ASSERT_EQ(vertical.height, horizontal.height);
    EXPECT_EQ(Pixels(vertical), Pixels(horizontal));
    EXPECT_LT(vertical.height, 18);
}

TEST(ProcessImagePair, VerticalOffsetShiftsTheRightImageWithZeros)
{
    tagQEVImaPairPara para = SideBySide(1, 3, 1, 3);
    para.VertPara = 1;
    QEVFLOATDATA2D left = Image(1, 3, {1, 2, 3}), right = Image(1, 3, {4, 5, 6}), result;
    ProcessImagePair(para, left, right, none, none, none, none, result);
    EXPECT_EQ(Pixels(result), (std::vector<float>{1, 0, 2, 4, 3, 5}));
    para.VertPara = -2;
    left = Image(1, 3, {1, 2, 3});
    right = Image(1, 3, {4, 5, 6});
    ProcessImagePair(para, left, right, none, none, none, none, result);
    EXPECT_EQ(Pixels(result), (std::vector<float>{1, 6, 2, 0, 3, 0}));
}

TEST(ProcessImagePair, BinningFiveByThreeGivesTwoByOneOfMiddleMeans)
{
    tagQEVImaPairPara para = SideBySide(3, 3, 2, 3);
    para.OutImaIP = 1;
    QEVFLOATDATA2D left = Image(3, 3, {1, 9, 0, 4, 2, 0, 0, 0, 0});
    QEVFLOATDATA2D right = Image(2, 3, {10, 20, 30, 40, 0, 0});
    QEVFLOATDATA2D result;
    ProcessImagePair(para, left, right, none, none, none, none, result);
    ASSERT_EQ(result.width, 2);
    ASSERT_EQ(result.height, 1);
    // Blocks {1, 9, 4, 2} -> (2 + 4) / 2 and {0, 10, 0, 30} -> (0 + 10) / 2.
    EXPECT_EQ(Pixels(result), (std::vector<float>{3, 5}));
}

TEST(ProcessImagePair, RowSmoothingUsesTheValueAlreadySmoothed)
{
    tagQEVImaPairPara para = SideBySide(2, 1, 2, 1);
    para.OutImaIP = 2;
    QEVFLOATDATA2D left = Image(2, 1, {0, 4}), right = Image(2, 1, {8, 0}), result;
    ProcessImagePair(para, left, right, none, none, none, none, result);
    // v1 = 0.25 (0 + 8) + 2 = 4; v2 = 0.25 (4 + 0) + 4 = 5.
    EXPECT_EQ(Pixels(result), (std::vector<float>{0, 4, 5, 0}));
}

TEST(ProcessImagePair, ResizeGivesTheThirdSize)
{
    tagQEVImaPairPara para = SideBySide(2, 2, 2, 2);
    para.bResize = 1;
    para.ImaThreeW = 2;
    para.ImaThreeH = 1;
    QEVFLOATDATA2D left = Image(2, 2, {1, 2, 3, 4}), right = Image(2, 2, {5, 6, 7, 8}), result;
    ProcessImagePair(para, left, right, none, none, none, none, result);
    ASSERT_EQ(result.width, 2);
    ASSERT_EQ(result.height, 1);
    EXPECT_EQ(Pixels(result), (std::vector<float>{1, 5}));
}

class FlatFieldTest : public testing::Test {
protected:
    QEVFLOATDATA2D Run(QEVFLOATDATA2D left, const QEVFLOATDATA2D& bright, const QEVFLOATDATA2D& dark)
    {
        tagQEVImaPairPara para = SideBySide(left.width, left.height, 1, left.height);
        para.bUseCalib = 1;
        para.RightCut = 1; // drop the right image's column
        QEVFLOATDATA2D right = Filled(1, left.height, 0);
        QEVFLOATDATA2D result;
        ProcessImagePair(para, left, right, bright, dark, Filled(1, left.height, 100), Filled(1, left.height, 0),
                         result);
        return result;
    }
};

TEST_F(FlatFieldTest, ScalesToTheMedianGainAfterTheDarkImage)
{
    // Gains 20, 40, 40, 80: the median (element 2 of 4) is 40.
    const QEVFLOATDATA2D dark = Image(2, 2, {10, 10, 20, 20});
    const QEVFLOATDATA2D bright = Image(2, 2, {30, 50, 60, 100});
    const QEVFLOATDATA2D result = Run(Image(2, 2, {30, 50, 40, 60}), bright, dark);
    // (30 - 10) * 40 / 20, (50 - 10) * 40 / 40, (40 - 20) * 40 / 40, (60 - 20) * 40 / 80.
    EXPECT_EQ(Pixels(result), (std::vector<float>{40, 40, 20, 20}));
}

TEST_F(FlatFieldTest, GainOfExactlyTenIsNeitherScaledNorDead)
{
    const QEVFLOATDATA2D dark = Filled(3, 1, 0);
    const QEVFLOATDATA2D bright = Image(3, 1, {10, 40, 40});
    const QEVFLOATDATA2D result = Run(Image(3, 1, {7, 8, 8}), bright, dark);
    EXPECT_EQ(Pixels(result), (std::vector<float>{7, 8, 8}));
}

TEST_F(FlatFieldTest, DeadPixelTakesTheLargestNeighbourAndDarkSpotTheWindowMean)
{
    const QEVFLOATDATA2D dark = Filled(3, 1, 0);
    // Column 1 is dead (gain 5); the median gain is 40.
    const QEVFLOATDATA2D bright = Image(3, 1, {40, 5, 40});
    QEVFLOATDATA2D result = Run(Image(3, 1, {20, 1, 30}), bright, dark);
    // Dead: max of columns -1 .. 2 = 30. Spots: none below half the window mean.
    EXPECT_EQ(Pixels(result), (std::vector<float>{20, 30, 30}));

    const QEVFLOATDATA2D ok = Filled(4, 1, 40);
    result = Run(Image(4, 1, {100, 100, 10, 100}), ok, Filled(4, 1, 0));
    // Column 2: window columns 0 .. 3, mean 77.5, and 10 < 38.75.
    EXPECT_EQ(Pixels(result), (std::vector<float>{100, 100, 77.5f, 100}));
}

TEST_F(FlatFieldTest, DarkSpotsMatchTheFourByFourWindowScan)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<float> value(0.0f, 100.0f);
    std::vector<float> v(9 * 7);
    for (float& x : v)
        x = value(random) < 15.0f ? 1.0f : value(random) + 50.0f;
    // The scan as written: window rows and columns -2 .. +1, in place.
    QEVFLOATDATA2D expected = Image(9, 7, v);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            double s = 0;
            int n = 0;
            for (int yy = std::max(0, y - 2); yy <= std::min(6, y + 1); ++yy)
                for (int xx = std::max(0, x - 2); xx <= std::min(8, x + 1); ++xx, ++n)
                    s += expected.rows[yy][xx];
            const float m = float(s / n);
            if (expected.rows[y][x] < 0.5f * m)
                expected.rows[y][x] = m;
        }
    const QEVFLOATDATA2D result = Run(Image(9, 7, v), Filled(9, 7, 40), Filled(9, 7, 0));
    ASSERT_EQ(result.width, 9);
    for (std::size_t i = 0; i < v.size(); ++i)
        EXPECT_NEAR(result.data[i], expected.data[i], 1e-3f) << i;
}

} // namespace
