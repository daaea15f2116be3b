// The Laplacian pyramid enhancement and its pieces.
#include "pixorama/workbench/Enhancements.h"
#include "pixorama/workbench/QEVPyramidDecomposition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

QEVUCDATA2D Random(int w, int h, unsigned seed)
{
    std::mt19937 random(seed);
    QEVUCDATA2D p;
    p.SetDim(w, h);
    for (int i = 0; i < w * h; ++i)
        p.data[i] = static_cast<unsigned char>(random() % 256);
    return p;
}

bool Same(const QEVUCDATA2D& a, const QEVUCDATA2D& b)
{
    if (a.width != b.width || a.height != b.height)
        return false;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.rows[y][x] != b.rows[y][x])
                return false;
    return true;
}

} // namespace

TEST(PyramidMap, CompressesDifferencesAroundTheMiddle)
{
    const auto& t = QEVPyramidDecomposition::MapTable();
    // At 0, 128 - 127 (128 / 127)^0.6 is below 0.
    const int mapped[][2] = {{0, 0}, {1, 1}, {127, 121}, {128, 128}, {129, 134}, {200, 218}, {255, 255}};
    for (const auto& [in, out] : mapped)
        EXPECT_EQ(t[std::size_t(in)], out) << in;
    for (int i = 1; i < 256; ++i)
        EXPECT_LE(t[std::size_t(i - 1)], t[std::size_t(i)]);
}

TEST(PyramidFilter, StretchesTheSmoothedPictureAndLeavesFlatOnesAlone)
{
    QEVUCDATA2D flat;
    flat.SetDim(6, 6);
    std::fill(flat.data, flat.data + 36, 90);
    QEVPyramidDecomposition::FilterForPyramidDec(flat);
    for (int i = 0; i < 36; ++i)
        EXPECT_EQ(flat.data[i], 90);

    QEVUCDATA2D impulse;
    impulse.SetDim(9, 9);
    impulse.rows[4][4] = 100;
    QEVPyramidDecomposition::FilterForPyramidDec(impulse);
    EXPECT_EQ(impulse.rows[4][4], 255);
    EXPECT_EQ(impulse.rows[0][0], 0);
    // 0.25 / 0.4 of the peak one pixel off the centre, along either axis.
    EXPECT_EQ(impulse.rows[4][5], static_cast<unsigned char>(255.0f * 0.25f / 0.4f));
    EXPECT_EQ(impulse.rows[3][4], impulse.rows[4][5]);
}

TEST(Pyramid, PowerOfTwoPictureNeedsNoMargin)
{
    // With no margin, the result is level 0 after the whole chain on the
    // picture itself.
    const QEVUCDATA2D in = Random(16, 8, 3);
    QEVUCDATA2D viaRun = in;
    QEVPyramidDecomposition pyramid;
    ASSERT_TRUE(pyramid.Run(viaRun, 4));

    QEVPyramidDecomposition steps;
    steps.Initiate(in, 4);
    EXPECT_EQ(steps.LevelCount(), 3) << "8 rows halve three times";
    steps.RunPyramid();
    steps.Map();
    steps.RunIPyramid();
    EXPECT_TRUE(Same(viaRun, steps.Levels().front()));
    EXPECT_FALSE(Same(viaRun, in));
}

TEST(Pyramid, ThreeByThreeIsExtendedToFourByFourAndCutBack)
{
    QEVUCDATA2D p = Random(3, 3, 5);
    QEVPyramidDecomposition pyramid;
    ASSERT_TRUE(pyramid.Run(p, 4));
    EXPECT_EQ(p.width, 3);
    EXPECT_EQ(p.height, 3);
    EXPECT_TRUE(pyramid.Levels().empty()) << "levels are freed after the run";

    QEVUCDATA2D extended;
    extended.SetDim(4, 4);
    QEVPyramidDecomposition sizes;
    sizes.Initiate(extended, 4);
    ASSERT_EQ(sizes.LevelCount(), 2) << "4 x 4 halves to 2 x 2 and 1 x 1, no further";
    EXPECT_EQ(sizes.Levels().back().width, 1);
}

TEST(Pyramid, RefusesEmptyPictures)
{
    QEVUCDATA2D empty;
    QEVPyramidDecomposition pyramid;
    EXPECT_FALSE(pyramid.Run(empty, 4));
    QEVUCDATA2D p = Random(4, 4, 1);
    EXPECT_FALSE(pyramid.Run(p, 0));
}

TEST(LuminanceEnhancement, GreyStaysGreyAndFineDetailGrows)
{
    // A saw-tooth texture of amplitude 35 on a slow vertical ramp.
    ClassData2DIO<unsigned char> r, g, b;
    for (auto* p : {&r, &g, &b})
        p->SetDim(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            r.rows[y][x] = g.rows[y][x] = b.rows[y][x] = static_cast<unsigned char>(60 + (x * 5) % 40 + y * 3);
    gEnhanceLuminance(r, g, b);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            EXPECT_NEAR(r.rows[y][x], g.rows[y][x], 1);
            EXPECT_NEAR(b.rows[y][x], g.rows[y][x], 1);
        }
    const auto [lo, hi] = std::minmax_element(g.rows[16], g.rows[16] + 32);
    EXPECT_GT(*hi - *lo, 60) << "the texture's amplitude of 35 is lifted";
}
