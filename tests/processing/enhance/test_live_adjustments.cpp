// Live colour adjustments from the parameter panels' reports, on canvas 4.
#include "PlaneTools.h"
#include "WorkbenchFixture.h"

#include "pixorama/common/Gaussian.h"
#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/workbench/ColourAdjustments.h"
#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/EyeCircle.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

tagQEVParaReport ToneReport(int kind, float low, float high, std::uint32_t lowColour, std::uint32_t highColour)
{
    tagQEVParaReport r;
    r.words[0] = 1;
    r.SetFloat(1, low);
    r.SetFloat(2, high);
    r.words[3] = lowColour;
    r.words[4] = highColour;
    r.SetInt(10, kind);
    return r;
}

unsigned Grey(int v)
{
    return unsigned(v) * 0x010101u;
}

} // namespace

class LiveAdjustment : public WorkbenchTest {};

TEST_F(LiveAdjustment, ThresholdOnTheGreyPlane)
{
    // Grey 100 and 150 and a red pixel (grey 76); threshold 0.5 gives t = 127.
    ShowColour(3, 1, [](int x, int) { return x == 0 ? Grey(100) : x == 1 ? Grey(150) : 0xFF0000u; });
    ApplyLiveAdjustment(StripReport(1, 0.5f));
    EXPECT_EQ(Pixel(0, 0), 0x000000u);
    EXPECT_EQ(Pixel(1, 0), 0xFFFFFFu);
    EXPECT_EQ(Pixel(2, 0), 0x000000u);

    // Every adjustment starts from the picture as captured.
    ApplyLiveAdjustment(StripReport(1, 0.3f)); // t = 76: only grey above 76
    EXPECT_EQ(Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(Pixel(2, 0), 0x000000u);
}

TEST_F(LiveAdjustment, SharpeningOnKnownPixels)
{
    // A vertical step 50 | 200 in a 20 x 5 picture; k = 0.5 * 600 = 300.
    const auto level = [](int x) { return x < 10 ? 50 : 200; };
    ShowGrey(20, 5, [&](int x, int) { return level(x); });
    ApplyLiveAdjustment(StripReport(5, 0.5f));
    ClassData2DIO<float> blurred;
    blurred.SetDim(20, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 20; ++x)
            blurred.rows[y][x] = float(level(x));
    gGauss(&blurred, 15, 1.5f, 0.0f);
    for (int x : {0, 8, 9, 10, 11, 19}) {
        const int v = level(x);
        const int d = v - int(std::lround(std::clamp(blurred.rows[2][x], 0.0f, 255.0f)));
        const int expected = d == 0 ? v : std::clamp(v + 300 * d / 100, 0, 255);
        EXPECT_EQ(Pixel(x, 2), Grey(expected)) << "column " << x;
    }
    EXPECT_LT(Pixel(9, 2) & 0xFF, 50u) << "dark side of the edge darker";
    EXPECT_EQ(Pixel(10, 2), Grey(255)) << "bright side brighter";
}

TEST_F(LiveAdjustment, SharpeningLeavesEveryFlatGreyLevelAsItIs)
{
    for (const float strength : {0.2f, 0.5f, 1.0f})
        for (int level = 0; level < 256; ++level) {
            ShowGrey(16, 16, [&](int, int) { return level; });
            ApplyLiveAdjustment(StripReport(5, strength));
            for (const auto& [x, y] : {std::pair{0, 0}, std::pair{8, 7}, std::pair{15, 15}})
                ASSERT_EQ(Pixel(x, y), Grey(level)) << "level " << level << " strength " << strength;
        }
}

TEST_F(LiveAdjustment, OnlyTheRegionChanges)
{
    ShowGrey(6, 6, [](int, int) { return 200; });
    AddPoints(4, {{1, 1}, {3, 1}, {3, 3}, {1, 3}});
    ApplyLiveAdjustment(StripReport(1, 0.9f)); // t = 229: everything black inside
    EXPECT_EQ(Pixel(2, 2), 0u);
    EXPECT_EQ(Pixel(5, 5), Grey(200));
    EXPECT_EQ(Pixel(0, 0), Grey(200));
}

TEST_F(LiveAdjustment, ShiftRotateAndMosaicMoveWhatTheUserSees)
{
    // One white pixel at screen (1, 0) of a 4 x 4 black picture.
    const auto dot = [](int x, int y) { return x == 1 && y == 0 ? 0xFFFFFFu : 0u; };
    ShowColour(4, 4, dot);
    ApplyLiveAdjustment(StripReport(9, 0.25f)); // half the width to the right
    EXPECT_EQ(Pixel(3, 0), 0xFFFFFFu);
    EXPECT_EQ(Pixel(1, 0), 0u);
    ApplyLiveAdjustment(StripReport(10, 0.125f)); // a quarter of the height down
    EXPECT_EQ(Pixel(1, 1), 0xFFFFFFu);
    ApplyLiveAdjustment(StripReport(9, 0.5f)); // a whole width: back in place
    EXPECT_EQ(Pixel(1, 0), 0xFFFFFFu);

    // A quarter turn counter-clockwise about the centre (1.5, 1.5): the top
    // row goes to the left column, (1, 0) to (0, 2).
    ApplyLiveAdjustment(StripReport(11, 0.75f));
    EXPECT_EQ(Pixel(0, 2), 0xFFFFFFu);
    EXPECT_EQ(Pixel(1, 0), 0u);
}

TEST_F(LiveAdjustment, MosaicTakesBlockMeans)
{
    ClassData2DIO<unsigned char> plane;
    plane.SetDim(4, 2);
    const int v[8] = {0, 100, 10, 10, 40, 60, 200, 0}; // bottom-up rows
    std::copy(v, v + 8, plane.data);
    gAdjustMosaic(plane, 0.04f); // blocks of 2
    EXPECT_EQ(plane.rows[0][0], 50);
    EXPECT_EQ(plane.rows[1][1], 50);
    EXPECT_EQ(plane.rows[0][2], 55);
    ClassData2DIO<unsigned char> same = plane;
    gAdjustMosaic(same, 0.03f); // block 1: no change
    EXPECT_EQ(same.rows[0][1], plane.rows[0][1]);
}

TEST_F(LiveAdjustment, SaturationAndHue)
{
    ShowColour(2, 1, [](int x, int) { return x == 0 ? 0xFF0000u : 0x804020u; });
    ApplyLiveAdjustment(StripReport(3, 0.0f)); // -100: no colour left
    EXPECT_EQ(Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(Pixel(1, 0), 0x808080u);
    ApplyLiveAdjustment(StripReport(3, 0.5f)); // 0: unchanged
    EXPECT_EQ(Pixel(1, 0), 0x804020u);
    ApplyLiveAdjustment(StripReport(4, 1.0f)); // +180 degrees: red becomes cyan
    EXPECT_EQ(Pixel(0, 0), 0x00FFFFu);
    ApplyLiveAdjustment(StripReport(4, 2.0f / 3.0f)); // +60 degrees: red becomes yellow
    EXPECT_EQ(Pixel(0, 0), 0xFFFF00u);
}

TEST_F(LiveAdjustment, BlurNoiseAndToneStrips)
{
    ShowGrey(9, 1, [](int x, int) { return x == 4 ? 255 : 0; });
    ApplyLiveAdjustment(StripReport(2, 0.02f)); // radius 1: (255 + 1) / 3
    EXPECT_EQ(Pixel(3, 0), Grey(85));
    EXPECT_EQ(Pixel(4, 0), Grey(85));
    EXPECT_EQ(Pixel(2, 0), 0u);

    ShowGrey(40, 40, [](int, int) { return 128; });
    ApplyLiveAdjustment(StripReport(12, 0.1f)); // noise within +-10
    int changed = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const int red = int(Pixel(x, y) >> 16);
            EXPECT_LE(std::abs(red - 128), 10);
            changed += red != 128;
        }
    EXPECT_GT(changed, 1400);

    // The red strip from 0.2 to 0.6 with black and white ends: 51 -> 0,
    // 153 -> 255, 102 -> 127; green and blue stay.
    ShowColour(3, 1, [](int x, int) { return unsigned(51 * (x + 1)) << 16 | 0x3040; });
    ApplyLiveAdjustment(ToneReport(20, 0.2f, 0.6f, 0x000000, 0xFFFFFF));
    EXPECT_EQ(Pixel(0, 0), 0x003040u);
    EXPECT_EQ(Pixel(1, 0), 0x7F3040u);
    EXPECT_EQ(Pixel(2, 0), 0xFF3040u);
    // The blue strip takes the blue bytes of the colours (COLORREF 0x00BBGGRR).
    ApplyLiveAdjustment(ToneReport(22, 0.0f, 1.0f, 0x400000, 0x400000));
    EXPECT_EQ(Pixel(0, 0), 0x333040u);
}

TEST_F(LiveAdjustment, RadialMagnificationOfTheStoredCircle)
{
    // Rings of growing value around (10, 10); magnified, the centre's value
    // spreads outwards.
    ShowGrey(21, 21, [](int x, int y) { return std::min(255, 20 * (std::abs(x - 10) + std::abs(y - 10))); });
    gEyeCircle() = {};
    ApplyLiveAdjustment(StripReport(13, 1.0f));
    EXPECT_EQ(Pixel(12, 10), Grey(40)) << "no circle stored: nothing happens";
    gEyeCircle() = {10, 10, 8};
    ApplyLiveAdjustment(StripReport(13, 1.0f));
    EXPECT_LT(Pixel(12, 10) & 0xFF, 40u);
    EXPECT_EQ(Pixel(20, 10), Grey(200)) << "outside the circle unchanged";
    gEyeCircle() = {};
}

TEST_F(LiveAdjustment, NothingWithoutAColourPicture)
{
    ClassData2DIO<float> raw = FloatImage(3, 3, [](int x, int) { return x * 100.0; });
    ShowRaw(raw);
    const unsigned before = Pixel(2, 0);
    ApplyLiveAdjustment(StripReport(1, 0.9f));
    ApplyLiveAdjustment(StripReport(6, 0.9f));
    EXPECT_EQ(Pixel(2, 0), before);
    EXPECT_TRUE(messages.empty());
}
