#include "CanvasFixture.h"

#include "pixorama/canvo/CanvasControls.h"
#include "pixorama/canvo/CanvasMeasures.h"

// Client 600 x 400 over a 100 x 100 float ramp (value = x): image (0, 0) is
// client (250, 150).
class ControlTest : public CanvasWindowTest<600, 400> {
protected:
    void SetUp() override
    {
        CanvasWindowTest::SetUp();
        ClassData2DIO<float> ramp = FloatImage(100, 100, [](int x, int) { return x; });
        gCVSShowRawFloat(4, ramp, true, true);
    }

    // Shows the slider at (20, 20, 400, 30): control (20, 349)-(420, 379),
    // track (82, 351)-(418, 377), usable length 326.
    InteractiveSlider& Slider()
    {
        gCVSShowContrastCtrl(4, true);
        gCVSSetContrastCtrlRectPos(4, 20, 20, 400, 30);
        return Canvas(4).slider;
    }

    void Drag(plat::Point from, plat::Point to)
    {
        gCVSOnLButtonDown(4, plat::MK_LBUTTON, from);
        gCVSOnMouseMove(4, plat::MK_LBUTTON, to);
        gCVSOnLButtonUp(4, 0, to);
    }

    // The displayed grey of image column x.
    unsigned Grey(int x) { return Canvas(4).canvasSurface.Bitmap().line(50)[x] & 0xFF; }
};

TEST_F(ControlTest, ProgressBarFillsWithThePosition)
{
    InteractiveProgress& progress = Canvas(4).progress;
    gCVSShowProgress(4, true);
    gCVSSetProgressRectPos(4, 10, 10, 200, 20);
    EXPECT_EQ(progress.displayRect, (plat::Rect{10, 369, 210, 389}));
    gCVSSetRange(4, 0, 100);

    gCVSSetPos(4, 0);
    gCVSOnDraw(4, nullptr);
    EXPECT_EQ(progress.bar.left, progress.bar.right);
    EXPECT_EQ(Rgb(*window, 14, 380), 0xB4B4B4u);
    EXPECT_EQ(Rgb(*window, 205, 380), 0xB4B4B4u);

    gCVSSetPos(4, 100);
    gCVSOnDraw(4, nullptr);
    EXPECT_EQ(progress.bar, (plat::Rect{13, 372, 207, 386}));
    EXPECT_EQ(Rgb(*window, 14, 380), 0x646464u);
    EXPECT_EQ(Rgb(*window, 206, 380), 0x646464u);
    EXPECT_EQ(Rgb(*window, 208, 380), 0xB4B4B4u); // the 3-pixel rim

    gCVSSetPos(4, 50);
    EXPECT_EQ(progress.bar.right, 13 + 97);
    gCVSSetPos(4, 250); // past the end: full, not beyond the control
    EXPECT_EQ(progress.bar.right, 207);

    gCVSShowProgress(4, false);
    gCVSOnDraw(4, nullptr);
    EXPECT_NE(Rgb(*window, 14, 380), 0x646464u);
}

TEST_F(ControlTest, EmptyRangeLeavesTheBarEmpty)
{
    gCVSShowProgress(4, true);
    gCVSSetProgressRectPos(4, 10, 10, 200, 20);
    gCVSSetRange(4, 50, 50);
    gCVSSetPos(4, 50);
    gCVSOnDraw(4, nullptr);
    EXPECT_EQ(Canvas(4).progress.bar.right, Canvas(4).progress.bar.left);
    EXPECT_EQ(Rgb(*window, 100, 380), 0xB4B4B4u);
    gCVSSetRange(4, 80, 20); // reversed: empty as well
    EXPECT_EQ(Canvas(4).progress.bar.right, Canvas(4).progress.bar.left);
}

TEST_F(ControlTest, SliderLaysOutAndDrawsItsParts)
{
    InteractiveSlider& slider = Slider();
    EXPECT_EQ(slider.captionRect, (plat::Rect{22, 351, 78, 377}));
    EXPECT_EQ(slider.trackRect, (plat::Rect{82, 351, 418, 377}));
    EXPECT_EQ(slider.usableLength, 326);
    EXPECT_EQ(slider.leftHandle, (plat::Rect{82, 353, 92, 375}));
    EXPECT_EQ(slider.rightHandle, (plat::Rect{408, 353, 418, 375}));
    gCVSOnDraw(4, nullptr);
    EXPECT_EQ(Rgb(*window, 86, 360), 0x505050u);
    EXPECT_EQ(Rgb(*window, 412, 360), 0xDCDCDCu);
    EXPECT_EQ(Rgb(*window, 82, 351), 0x969696u); // track frame
    EXPECT_EQ(Rgb(*window, 200, 360), 0xB4B4B4u);
    int dark = 0; // the caption "阈值", black on the control's grey
    for (int y = 351; y < 377; ++y)
        for (int x = 22; x < 78; ++x)
            dark += (Rgb(*window, x, y) & 0xFF) < 0x60;
    EXPECT_GT(dark, 5);
}

TEST_F(ControlTest, HandlesStopOneHandleWidthApart)
{
    InteractiveSlider& slider = Slider();
    Drag({86, 360}, {590, 360}); // left handle far past the right one
    EXPECT_NEAR(slider.leftFraction, 1.0f - 10.0f / 326.0f, 1e-6);
    EXPECT_LE(slider.leftHandle.right, slider.rightHandle.left);
    EXPECT_GE(slider.leftHandle.right, slider.rightHandle.left - 1);
    EXPECT_FLOAT_EQ(slider.rightFraction, 1.0f);

    Drag({412, 360}, {0, 360}); // right handle against the left one
    EXPECT_FLOAT_EQ(slider.rightFraction, 1.0f); // left handle covers the press
    Drag({slider.leftHandle.left + 2, 360}, {0, 360});
    EXPECT_FLOAT_EQ(slider.leftFraction, 0.0f); // never below 0
    Drag({412, 360}, {50, 360});
    EXPECT_NEAR(slider.rightFraction, 10.0f / 326.0f, 1e-6);
    Drag({slider.rightHandle.left + 2, 360}, {2000, 360});
    EXPECT_FLOAT_EQ(slider.rightFraction, 1.0f); // never above 1
}

TEST_F(ControlTest, ReleasingAHandleAppliesTheWindow)
{
    InteractiveSlider& slider = Slider();
    EXPECT_EQ(Grey(10), 25u); // full window: 10 / 99 of 255
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {86, 360});
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {86 + 163, 360}); // left to 0.5
    EXPECT_EQ(Grey(10), 25u); // applied on release only
    gCVSOnLButtonUp(4, 0, {86 + 163, 360});
    EXPECT_NEAR(slider.leftFraction, 0.5f, 1e-6);
    EXPECT_EQ(Grey(10), 0u);
    EXPECT_EQ(Grey(40), 0u);
    EXPECT_GT(Grey(75), 100u);
    EXPECT_EQ(Grey(99), 255u);

    // A float image shown while the slider is visible takes its window.
    ClassData2DIO<float> other = FloatImage(100, 100, [](int x, int) { return 2 * x; });
    gCVSShowRawFloat(4, other, true, false);
    EXPECT_EQ(Grey(10), 0u);
}

TEST_F(ControlTest, SliderPressesDoNotReachTheOverlays)
{
    Slider();
    gCVSAddMeasureLine(4);
    Canvo& line = *Canvas(4).overlays.back();
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, {200, 360});
    gCVSOnLButtonUp(4, plat::MK_SHIFT, {200, 360});
    EXPECT_TRUE(line.imagePoints.empty());
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, {300, 200});
    gCVSOnLButtonUp(4, plat::MK_SHIFT, {300, 200});
    EXPECT_EQ(line.imagePoints.size(), 2u);
}

TEST_F(ControlTest, TabHidesTheSliderAndXPutsItBack)
{
    InteractiveSlider& slider = Slider();
    gCVSAddMeasureLine(4);
    Canvo& line = *Canvas(4).overlays.back();
    gCVSOnKeyDown(4, plat::VK_TAB, 1, 0);
    EXPECT_FALSE(slider.enabled);
    gCVSOnDraw(4, nullptr);
    EXPECT_NE(Rgb(*window, 86, 360), 0x505050u);
    EXPECT_NE(Rgb(*window, 200, 360), 0xB4B4B4u);
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, {86, 360});
    EXPECT_FALSE(line.imagePoints.empty()); // the overlays see the press...
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {200, 360});
    gCVSOnLButtonUp(4, 0, {200, 360});
    EXPECT_FLOAT_EQ(slider.leftFraction, 0.0f); // ...and the hidden slider does not

    gCVSOnKeyDown(4, plat::VK_TAB, 1, 0);
    EXPECT_TRUE(slider.enabled);
    gCVSOnDraw(4, nullptr);
    EXPECT_EQ(Rgb(*window, 84, 372), 0x505050u);

    gCVSSetContrastCtrlRectPos(4, 100, 100, 200, 40);
    gCVSOnKeyDown(4, 'X', 1, 0);
    EXPECT_EQ(slider.displayRect, (plat::Rect{20, 349, 420, 379}));
}
