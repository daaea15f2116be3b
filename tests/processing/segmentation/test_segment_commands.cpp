// The segmentation commands on canvas 4, as the user sees them.
#include "effects/WorkCanvasFixture.h"

#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/CommandIds.h"
#include "pixorama/workbench/WatershedCore.h"

#include <cstdlib>

namespace {

using Rgb = WorkCanvasTest::Rgb;
const Rgb red{255, 0, 0};

// Left half dim red-ish, right half bright: two flat regions.
Rgb Halves(int x, int)
{
    return x < 15 ? Rgb{40, 90, 30} : Rgb{200, 60, 150};
}

// A dark square on a light grey background.
Rgb DarkSquare(int x, int y)
{
    return x >= 30 && x < 45 && y >= 30 && y < 45 ? Rgb{50, 50, 50} : Rgb{200, 200, 200};
}

} // namespace

class SegmentCommandTest : public WorkCanvasTest {
protected:
    void TearDown() override
    {
        FailSegmentationAllocationForTesting(0);
        WorkCanvasTest::TearDown();
    }
};

TEST_F(SegmentCommandTest, SimpleWatershedDrawsTheBasinBorderOverThePicture)
{
    ShowPicture(30, 20, Halves);
    RunSegmentCommand(ID_SIMPLE_WATERSHED);
    for (int y = 0; y < 20; ++y) {
        int borders = 0;
        for (int x = 0; x < 30; ++x) {
            if (At(x, y) == red) {
                ++borders;
                EXPECT_GE(x, 12);
                EXPECT_LE(x, 17);
            } else {
                ASSERT_EQ(At(x, y), Halves(x, y)) << x << "," << y;
            }
        }
        EXPECT_EQ(borders, 1) << "row " << y;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(SegmentCommandTest, OnlyTheDrawnRegionShowsTheResult)
{
    ShowPicture(30, 20, Halves);
    DrawRegion(0, 0, 29, 9); // the upper half
    RunSegmentCommand(ID_SIMPLE_WATERSHED);
    int upper = 0, lower = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            (y < 10 ? upper : lower) += At(x, y) == red;
    EXPECT_EQ(upper, 10);
    EXPECT_EQ(lower, 0);
}

TEST_F(SegmentCommandTest, AFailureInTheCoreIsShownAndChangesNothing)
{
    ShowPicture(30, 20, Halves);
    FailSegmentationAllocationForTesting(1);
    RunSegmentCommand(ID_SIMPLE_WATERSHED);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"MultiscaleGradient => cannot allocate memory");
    for (int x = 0; x < 30; ++x)
        ASSERT_EQ(At(x, 7), Halves(x, 7));
    EXPECT_EQ(gWorkState().resultR.rows[0][0], 40); // the result planes are untouched too

    // The program goes on: the next run works.
    messages.clear();
    FailSegmentationAllocationForTesting(0);
    RunSegmentCommand(ID_COLOUR_WATERSHED);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SegmentCommandTest, ColourWatershedPaintsEachBasinInItsMeanColour)
{
    ShowPicture(30, 20, Halves);
    RunSegmentCommand(ID_COLOUR_WATERSHED);
    const Rgb left = At(2, 10);
    const Rgb right = At(27, 10);
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(left[c], Halves(0, 0)[c], 12);
        EXPECT_NEAR(right[c], Halves(29, 0)[c], 12);
    }
    EXPECT_NE(left, right);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_TRUE(At(x, y) == left || At(x, y) == right) << x << "," << y;
}

TEST_F(SegmentCommandTest, BinarizationsTurnTheDarkPartBlackAndTheRestWhite)
{
    struct Case {
        int command;
        int width, height;
        Rgb (*picture)(int, int);
        std::vector<std::pair<int, int>> black, white;
    };
    // Global splits at the Otsu threshold; local finds a dark square on any
    // background.
    const Case cases[] = {
        {ID_BINARIZE, 20, 10, [](int x, int y) { return x < 8 ? Rgb{30 + y, 40, 20} : Rgb{210, 220 - y, 230}; },
         {{0, 0}, {7, 9}}, {{8, 0}, {19, 9}}},
        {ID_LOCAL_BINARIZE, 80, 80, DarkSquare, {{37, 37}}, {{5, 5}, {60, 37}}},
    };
    for (const Case& c : cases) {
        ShowPicture(c.width, c.height, c.picture);
        RunSegmentCommand(c.command);
        for (const auto& [x, y] : c.black)
            EXPECT_EQ(At(x, y), (Rgb{0, 0, 0})) << c.command << ": " << x << "," << y;
        for (const auto& [x, y] : c.white)
            EXPECT_EQ(At(x, y), (Rgb{255, 255, 255})) << c.command << ": " << x << "," << y;
    }
}

TEST_F(SegmentCommandTest, OutlineBinarizationDrawsTheOutlinesInRed)
{
    ShowPicture(80, 80, DarkSquare);
    RunSegmentCommand(ID_OUTLINE_BINARIZE);
    EXPECT_EQ(At(37, 37), (Rgb{50, 50, 50})); // the picture stays under the outlines
    EXPECT_EQ(At(5, 5), (Rgb{200, 200, 200}));
    int firstRed = -1;
    for (int x = 0; x < 80 && firstRed < 0; ++x)
        if (At(x, 37) == red)
            firstRed = x;
    EXPECT_GE(firstRed, 27);
    EXPECT_LE(firstRed, 31);
    int reds = 0;
    for (int x = 0; x < 80; ++x)
        reds += At(x, 37) == red;
    EXPECT_EQ(reds, 2); // one crossing on each side of the square
}

TEST_F(SegmentCommandTest, StartDoesNothingAndNoPictureIsSaid)
{
    ShowPicture(10, 10, Halves);
    RunSegmentCommand(2524);
    RunSegmentCommand(2540);
    EXPECT_EQ(At(3, 3), Halves(3, 3));
    EXPECT_TRUE(messages.empty());

    gCVSSetFileType(4, FileNothing);
    RunSegmentCommand(ID_SIMPLE_WATERSHED);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"没有图像"});
}
