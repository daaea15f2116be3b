// The photo-effect commands on canvas 4: what the user sees after each.
#include "WorkCanvasFixture.h"

#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/CommandIds.h"
#include "pixorama/workbench/EyeCircle.h"

#include "pixorama/common/ClassData2DIO.h"

namespace {

WorkCanvasTest::Rgb Stripes(int x, int y)
{
    return {x * 10, y * 10, 200 - x * 5};
}

void SetMatrix(DialogDriver& d, const float (&m)[5][5])
{
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            d.SetText(L"ImaMatrix5" + std::to_wstring(r) + std::to_wstring(c), std::to_wstring(m[r][c]));
}

} // namespace

class ArtCommandTest : public WorkCanvasTest {};

TEST_F(ArtCommandTest, NegativeChangesOnlyThePixelsOfTheDrawnRegion)
{
    ShowPicture(20, 16, Stripes);
    DrawRegion(4, 2, 9, 7);
    RunArtCommand(ID_FILM_NEGATIVE);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) {
            const Rgb before = Stripes(x, y);
            const bool inside = x >= 4 && x <= 9 && y >= 2 && y <= 7;
            const Rgb expected = inside ? Rgb{255 - before[0], 255 - before[1], 255 - before[2]} : before;
            ASSERT_EQ(At(x, y), expected) << x << "," << y;
        }
    EXPECT_TRUE(messages.empty());
}

TEST_F(ArtCommandTest, WithoutARegionTheWholePictureChanges)
{
    ShowPicture(8, 6, Stripes);
    RunArtCommand(ID_FILM_NEGATIVE);
    EXPECT_EQ(At(0, 0), (Rgb{255, 255, 55}));
    EXPECT_EQ(At(7, 5), (Rgb{185, 205, 90}));
    // Every effect starts from the captured picture, not from the last result.
    RunArtCommand(ID_FILM_NEGATIVE);
    EXPECT_EQ(At(0, 0), (Rgb{255, 255, 55}));
}

TEST_F(ArtCommandTest, VignetteDarkensThePictureCornersTheRightWayUp)
{
    ShowUniform(100, 100, {200, 200, 200});
    RunArtCommand(ID_VIGNETTE);
    EXPECT_EQ(At(0, 0), (Rgb{50, 50, 50}));
    EXPECT_EQ(At(99, 99), (Rgb{51, 51, 51}));
    EXPECT_GE(At(50, 50)[0], 199);
}

TEST_F(ArtCommandTest, NothingHappensWithoutAColourPicture)
{
    ClassData2DIO<float> raw;
    raw.SetDim(10, 10);
    gCVSShowRawFloat(4, raw, true, true);
    gWorkState().PictureReplaced();
    const Rgb before = At(3, 3);
    RunArtCommand(ID_FILM_NEGATIVE);
    EXPECT_EQ(At(3, 3), before);
    EXPECT_FALSE(gWorkState().planesCaptured);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ArtCommandTest, IdsWithoutAnEffectDoNothing)
{
    ShowPicture(8, 6, Stripes);
    RunArtCommand(2333);
    RunArtCommand(2350);
    EXPECT_EQ(At(2, 2), Stripes(2, 2));
}

TEST_F(ArtCommandTest, ColourMatrixFromTheDialog)
{
    ShowPicture(8, 6, Stripes);
    const float swap[5][5] = {{0, 0, 1, 0, 0}, {0, 1, 0, 0, 0}, {1, 0, 0, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1}};
    {
        DialogScript script([&swap](DialogDriver& d) {
            SetMatrix(d, swap);
            d.PressOk();
        });
        RunArtCommand(ID_COLOUR_MATRIX);
        EXPECT_EQ(script.shown, 1);
    }
    const Rgb p = Stripes(3, 4);
    EXPECT_EQ(At(3, 4), (Rgb{p[2], p[1], p[0]}));

    // Cancelled: nothing shown, the picture stays as it is.
    ShowPicture(8, 6, Stripes);
    {
        DialogScript script([](DialogDriver& d) { d.PressCancel(); });
        RunArtCommand(ID_COLOUR_MATRIX);
    }
    EXPECT_EQ(At(3, 4), p);
}

TEST_F(ArtCommandTest, BigEyeKeepsTheCircleAndShowsThePictureUnchanged)
{
    ShowPicture(8, 6, Stripes);
    gEyeCircle() = EyeCircle{};
    {
        DialogScript script([](DialogDriver& d) {
            d.SetText(L"m_CircleX", L"40");
            d.SetText(L"m_CircleY", L"30");
            d.SetText(L"m_Radius", L"12");
            d.PressOk();
        });
        RunArtCommand(ID_BIG_EYE);
    }
    EXPECT_EQ(gEyeCircle().centreX, 40);
    EXPECT_EQ(gEyeCircle().centreY, 30);
    EXPECT_EQ(gEyeCircle().radius, 12);
    EXPECT_EQ(At(5, 5), Stripes(5, 5));
    {
        DialogScript script([](DialogDriver& d) {
            d.SetText(L"m_CircleX", L"1");
            d.PressCancel();
        });
        RunArtCommand(ID_BIG_EYE);
    }
    EXPECT_EQ(gEyeCircle().centreX, 40);
}
