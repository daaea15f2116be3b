#include "CanvasFixture.h"

#include "pixorama/canvo/CanvasMeasures.h"
#include "pixorama/canvo/InteractiveImaInfo.h"
#include "pixorama/canvo/InteractiveLineProfile.h"
#include "pixorama/canvo/InteractiveNeighborV.h"
#include "pixorama/parlet/DialogDriver.h"

#include <QDialog>

// Client 400 x 400 and a 100 x 100 image: image (0, 0) is client (150, 150).
class MeasureProbeTest : public CanvasWindowTest<400, 400> {
protected:
    // Float image whose value is 1000 + x, kept as given.
    void ShowRamp()
    {
        ClassData2DIO<float> image = FloatImage(100, 100, [](int x, int) { return 1000 + x; });
        gCVSShowRawFloat(4, image, true, true);
    }

    // Grey picture whose level is x + 2y.
    void ShowGreyRamp()
    {
        std::vector<unsigned char> grey(100 * 100);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                grey[std::size_t(y * 100 + x)] = (unsigned char)((x + 2 * y) & 0xFF);
        gCVSShowUCGray(4, grey.data(), 100, 100, true);
    }

    template <typename T>
    T& Last()
    {
        T* overlay = dynamic_cast<T*>(Canvas(4).overlays.back().get());
        EXPECT_NE(overlay, nullptr);
        return *overlay;
    }

    // Sets the profile's two image points and lets a mouse move resample it.
    void ProfileAlong(InteractiveLineProfile& profile, PointTemplateBase<double> a, PointTemplateBase<double> b)
    {
        profile.imagePoints = {a, b};
        profile.OnViewChanged();
        gCVSOnMouseMove(4, 0, {10, 390});
    }
};

TEST_F(MeasureProbeTest, ProfileNeedsTenPixelsAndSamplesOnePerPixel)
{
    ShowRamp();
    gCVSAddLineProfile(4);
    auto& profile = Last<InteractiveLineProfile>();
    EXPECT_EQ(profile.chart.displayRect, (plat::Rect{30, 30, 542, 180}));

    ProfileAlong(profile, {10, 20}, {19.9, 20});
    EXPECT_TRUE(profile.chart.Profile().empty());

    ProfileAlong(profile, {10, 20}, {20, 20});
    const std::vector<float> expected{1010, 1011, 1012, 1013, 1014, 1015, 1016, 1017, 1018, 1019};
    EXPECT_EQ(profile.chart.Profile(), expected);
    EXPECT_FLOAT_EQ(profile.chart.Minimum(), 1010.0f);
    EXPECT_FLOAT_EQ(profile.chart.Maximum(), 1019.0f);
    // 512 columns over 10 samples: first column at the bottom, last at the top.
    ASSERT_EQ(profile.chart.Heights().size(), 512u);
    EXPECT_EQ(profile.chart.Heights().front(), 0);
    EXPECT_EQ(profile.chart.Heights().back(), 150);
    EXPECT_EQ(profile.chart.Heights()[256], 83); // sample 5: 5 * 150 / 9

    // A 6-8-10 diagonal steps 0.6 columns per sample.
    ProfileAlong(profile, {0, 0}, {6, 8});
    const std::vector<float> diagonal{1000, 1000, 1001, 1001, 1002, 1003, 1003, 1004, 1004, 1005};
    EXPECT_EQ(profile.chart.Profile(), diagonal);
}

TEST_F(MeasureProbeTest, ProfileChartIsDrawnOnlyOverAnImage)
{
    gCVSAddLineProfile(4);
    gCVSOnDraw(4, nullptr);
    const unsigned outline = 0xDAA569; // COLORREF 0x69A5DA
    EXPECT_NE(Rgb(*window, 300, 30), outline);

    ShowRamp();
    gCVSAddLineProfile(4);
    auto& shown = Last<InteractiveLineProfile>();
    ProfileAlong(shown, {10, 20}, {20, 20});
    gCVSOnDraw(4, nullptr);
    EXPECT_EQ(Rgb(*window, 300, 30), outline);
    EXPECT_EQ(Rgb(*window, 30 + 256, 180 - 83), 0xFF0000u); // the curve, red
}

TEST_F(MeasureProbeTest, ProfileOfAPictureReadsTheBlueByte)
{
    ShowGreyRamp();
    gCVSAddLineProfile(4);
    auto& profile = Last<InteractiveLineProfile>();
    ProfileAlong(profile, {0, 5}, {12, 5});
    ASSERT_EQ(profile.chart.Profile().size(), 12u);
    EXPECT_FLOAT_EQ(profile.chart.Profile()[0], 10.0f);
    EXPECT_FLOAT_EQ(profile.chart.Profile()[11], 21.0f);
}

TEST_F(MeasureProbeTest, NeighbourWindowListsTheFiveByFiveValues)
{
    ShowGreyRamp();
    gCVSAddNeighborPV(4);
    auto& probe = Last<InteractiveNeighborV>();
    EXPECT_EQ(probe.kind, OverlayProbe);
    gCVSAddNeighborPV(4); // probes update unselected too
    gCVSOnMouseMove(4, 0, {160, 170}); // image (10, 20)
    ASSERT_EQ(probe.window.lines.size(), 5u);
    EXPECT_EQ(probe.window.lines[0], L"44.00 45.00 46.00 47.00 48.00");
    EXPECT_EQ(probe.window.lines[2], L"48.00 49.00 50.00 51.00 52.00");
    EXPECT_EQ(probe.window.lines[4], L"52.00 53.00 54.00 55.00 56.00");

    // At zoom 2 the client offsets repeat image pixels.
    gCVSSetCanvasMoveMode(4, DisplayZoomCentre);
    gCVSOnMouseWheel(4, plat::MK_CONTROL, 120, {200, 200});
    ASSERT_GT(Canvas(4).view.scale, 1.0);
    gCVSOnMouseMove(4, 0, {200, 200});
    const CString& row = probe.window.lines[2];
    EXPECT_NE(row.find(L"150.00 150.00"), CString::npos) << std::string(row.begin(), row.end());
}

TEST_F(MeasureProbeTest, InformationWindowShowsPositionAndValues)
{
    gCVSAddInfoWin(4);
    auto& info = Last<InteractiveImaInfo>();
    gCVSOnMouseMove(4, 0, {160, 170}); // no image: its origin is the client centre
    EXPECT_EQ(info.lines, (std::vector<CString>{L"-40 -30", L"没有图像数据"}));

    ShowRamp();
    gCVSAddInfoWin(4);
    auto& raw = Last<InteractiveImaInfo>();
    gCVSOnMouseMove(4, 0, {160, 170});
    ASSERT_EQ(raw.lines.size(), 3u);
    EXPECT_EQ(raw.lines[0], L"10 20");
    EXPECT_EQ(raw.lines[1], L"ori raw value = 1010.000");
    // Outside: unclamped position, the nearest border pixel's value.
    gCVSOnMouseMove(4, 0, {100, 400});
    EXPECT_EQ(raw.lines[0], L"-50 250");
    EXPECT_EQ(raw.lines[1], L"ori raw value = 1000.000");
    EXPECT_EQ(raw.lines[2], L"raw value = 0.000");

    ShowGreyRamp();
    gCVSAddInfoWin(4);
    gCVSOnMouseMove(4, 0, {160, 170});
    EXPECT_EQ(Last<InteractiveImaInfo>().lines[1], L"R = 50 G=50 B=50");
}

TEST_F(MeasureProbeTest, InformationWindowDragsAndGrowsWithItsLines)
{
    ShowRamp();
    gCVSAddInfoWin(4);
    auto& info = Last<InteractiveImaInfo>();
    gCVSOnMouseMove(4, 0, {160, 170});
    gCVSOnDraw(4, nullptr);
    EXPECT_EQ(info.displayRect.left, 30);
    EXPECT_EQ(info.displayRect.top, 30);
    EXPECT_GT(info.displayRect.width(), 10);
    EXPECT_GT(info.displayRect.height(), 3 * 5); // three lines and their margins
    int red = 0;
    for (int y = info.displayRect.top; y < info.displayRect.bottom; ++y)
        for (int x = info.displayRect.left; x < info.displayRect.right; ++x)
            red += Rgb(*window, x, y) == 0xFF0000u;
    EXPECT_GT(red, 10); // the text, in COLORREF 0x0000FF

    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {35, 35});
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {45, 60});
    gCVSOnLButtonUp(4, 0, {45, 60});
    EXPECT_EQ(info.displayRect.left, 40);
    EXPECT_EQ(info.displayRect.top, 55);
}

TEST_F(MeasureProbeTest, ScaleDialogSetsTheScaleAndCancelKeepsIt)
{
    AnswerContentDialog(L"0.25", true);
    gCVSSetMeasureScale(4);
    EXPECT_DOUBLE_EQ(Canvas(4).measureScale, 0.25);
    AnswerContentDialog(L"3", false);
    gCVSSetMeasureScale(4);
    EXPECT_DOUBLE_EQ(Canvas(4).measureScale, 0.25);
    AnswerContentDialog(L"abc", true);
    gCVSSetMeasureScale(4);
    EXPECT_DOUBLE_EQ(Canvas(4).measureScale, 0.0);
}
