#include "CanvasFixture.h"

#include <cmath>
#include <cstdlib>

namespace {

// A colour picture whose pixel (x, y) is red x, green y.
void showCoordinates(int id, int w, int h)
{
    ClassData2DIO<unsigned char> r, g, b;
    r.SetDim(w, h);
    g.SetDim(w, h);
    b.SetDim(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            r.rows[y][x] = static_cast<unsigned char>(x);
            g.rows[y][x] = static_cast<unsigned char>(y);
        }
    gCVSShowUCColor(id, r, g, b, true);
}

PointTemplateBase<double> imageAt(int id, plat::Point p)
{
    PointTemplateBase<double> out;
    gCVSGetOriPt(id, p, out);
    return out;
}

} // namespace

TEST_F(CanvasTest, MappingAtScaleOne)
{
    Window(0, 100, 80);
    gCVSPrepareCanvas(0, 30, 20);
    EXPECT_EQ(gCVSGetCanvasRegion(0), (plat::Rect{35, 30, 65, 50}));
    const PointTemplateBase<double> corner = imageAt(0, {35, 30});
    EXPECT_EQ(corner.x, 0.0);
    EXPECT_EQ(corner.y, 0.0);
    double x = 0, y = 0;
    gCVSGetOriPt(0, {20, 90}, x, y); // no clamping
    EXPECT_EQ(x, -15.0);
    EXPECT_EQ(y, 60.0);
    plat::Point d;
    gCVSGetDisplayPt(0, 10.5, 3.75, d);
    EXPECT_EQ(d, (plat::Point{45, 33}));
    gCVSGetDisplayPt(0, PointTemplateBase<double>{0, 0}, d);
    EXPECT_EQ(d, (plat::Point{35, 30}));
}

TEST_F(CanvasTest, ZoomKeepsThePointUnderTheCursor)
{
    plat::Dc& window = Window(1, 160, 120);
    showCoordinates(1, 120, 90);
    for (const plat::Point cursor : {plat::Point{101, 77}, plat::Point{23, 18}, plat::Point{80, 60}}) {
        for (int step = 0; step < 12; ++step) {
            SCOPED_TRACE(testing::Message() << cursor.x << "," << cursor.y << " step " << step);
            const PointTemplateBase<double> under = imageAt(1, cursor);
            gCVSOnMouseWheel(1, plat::MK_CONTROL, step < 7 ? 120 : -240, cursor);
            gCVSOnDraw(1, nullptr);
            plat::Point d;
            gCVSGetDisplayPt(1, under, d);
            EXPECT_LE(std::abs(d.x - cursor.x), 1);
            EXPECT_LE(std::abs(d.y - cursor.y), 1);
            // The pixel painted under the cursor is that image pixel, give or take one.
            const unsigned shown = Rgb(window, cursor.x, cursor.y);
            EXPECT_LE(std::abs(int(shown >> 16) - int(under.x)), 1);
            EXPECT_LE(std::abs(int(shown >> 8 & 0xFF) - int(under.y)), 1);
        }
    }
    EXPECT_NEAR(Canvas(1).view.scale, std::pow(1.2, 6), 1e-9);
}

TEST_F(CanvasTest, ZoomNeedsCtrlAndAMovingMode)
{
    Window(2, 100, 100);
    gCVSPrepareCanvas(2, 40, 40);
    const plat::Rect start = gCVSGetCanvasRegion(2);
    gCVSOnMouseWheel(2, 0, 120, {10, 10});
    gCVSOnMouseWheel(2, plat::MK_SHIFT, -120, {10, 10});
    EXPECT_EQ(gCVSGetCanvasRegion(2), start);
    EXPECT_EQ(Canvas(2).view.scale, 1.0);

    gCVSSetCanvasMoveMode(2, DisplayFixed);
    gCVSOnMouseWheel(2, plat::MK_CONTROL, 120, {10, 10});
    gCVSOnLButtonDown(2, plat::MK_LBUTTON, {50, 50});
    gCVSOnMouseMove(2, plat::MK_LBUTTON | plat::MK_CONTROL, {70, 60});
    EXPECT_EQ(gCVSGetCanvasRegion(2), start);
    EXPECT_EQ(Canvas(2).view.scale, 1.0);
    gCVSOnLButtonUp(2, 0, {70, 60});

    // Mode 1 zooms about the image centre: 40 * 1.2 = 48 around (50, 50).
    gCVSSetCanvasMoveMode(2, DisplayZoomCentre);
    gCVSOnMouseWheel(2, plat::MK_CONTROL, 1, {10, 10});
    EXPECT_EQ(gCVSGetCanvasRegion(2), (plat::Rect{26, 26, 74, 74}));
}

TEST_F(CanvasTest, CtrlDragPansAndAResizeKeepsTheRelativePlace)
{
    Window(3, 100, 80);
    gCVSPrepareCanvas(3, 20, 20);
    EXPECT_EQ(gCVSGetCanvasRegion(3), (plat::Rect{40, 30, 60, 50}));
    // Without Ctrl nothing moves.
    gCVSOnLButtonDown(3, plat::MK_LBUTTON, {50, 40});
    gCVSOnMouseMove(3, plat::MK_LBUTTON, {60, 40});
    EXPECT_EQ(gCVSGetCanvasRegion(3), (plat::Rect{40, 30, 60, 50}));
    gCVSOnMouseMove(3, plat::MK_LBUTTON | plat::MK_CONTROL, {70, 48});
    gCVSOnMouseMove(3, plat::MK_LBUTTON | plat::MK_CONTROL, {75, 50});
    EXPECT_EQ(gCVSGetCanvasRegion(3), (plat::Rect{65, 40, 85, 60}));
    gCVSOnLButtonUp(3, 0, {75, 50});
    gCVSOnMouseMove(3, plat::MK_CONTROL, {90, 50}); // button up: no pan
    EXPECT_EQ(gCVSGetCanvasRegion(3), (plat::Rect{65, 40, 85, 60}));

    // Centre (75, 50) is 0.25 of the width right of the middle and 0.125 of
    // the height below it; a window twice as big keeps those shares.
    Window(3, 200, 160);
    EXPECT_EQ(gCVSGetCanvasRegion(3), (plat::Rect{140, 90, 160, 110}));
}

TEST_F(CanvasTest, ZoomStopsAtFourRowsAndAtATinyImage)
{
    Window(4, 100, 80);
    gCVSPrepareCanvas(4, 30, 20);
    for (int i = 0; i < 60; ++i) {
        gCVSOnMouseWheel(4, plat::MK_CONTROL, 120, {50, 40});
        gCVSOnDraw(4, nullptr); // the blit measures the visible rows
    }
    const double top = Canvas(4).view.scale;
    EXPECT_LE(Canvas(4).view.visibleSource.height(), 4);
    EXPECT_GT(80 / top, 3.0); // it stopped as soon as 4 rows were left
    EXPECT_LT(top, 80.0 / 4 * 1.2 * 1.2);
    for (int i = 0; i < 60; ++i)
        gCVSOnMouseWheel(4, plat::MK_CONTROL, -120, {50, 40});
    const plat::Rect d = gCVSGetCanvasRegion(4);
    EXPECT_LE(std::min(d.width(), d.height()), 4);
    EXPECT_GT(std::min(d.width(), d.height()) * 1.2, 3.0);
}

TEST_F(CanvasTest, BlitCopiesTheVisiblePartInBothModes)
{
    for (const bool fast : {true, false}) {
        SCOPED_TRACE(fast ? "COLORONCOLOR" : "HALFTONE");
        SetUp();
        plat::Dc& window = Window(0, 100, 80);
        showCoordinates(0, 200, 160); // larger than the client: D = (-50, -40, 150, 120)
        gCVSSetCanvasFastDisplayMode(0, fast);
        gCVSOnDraw(0, nullptr);
        EXPECT_EQ(Canvas(0).view.visibleSource, (plat::Rect{50, 40, 150, 120}));
        EXPECT_EQ(Rgb(window, 0, 0), 50u << 16 | 40u << 8);
        EXPECT_EQ(Rgb(window, 99, 79), 149u << 16 | 119u << 8);
        EXPECT_EQ(Rgb(window, 37, 11), 87u << 16 | 51u << 8);
    }
}

TEST_F(CanvasTest, NoClientSurfaceMeansNothingIsPainted)
{
    plat::Dc& window = Window(1, 0, 50); // an empty client rectangle
    window.surface().resize(10, 10, 0x345678);
    gCVSPrepareCanvas(1, 5, 5);
    EXPECT_EQ(gCVSGetClientMemDC(1), nullptr);
    gCVSOnDraw(1, nullptr);
    EXPECT_EQ(Rgb(window, 3, 3), 0x345678u);
}

TEST(ViewStateStep, AWindowStepIsScaledIntoImageUnits)
{
    ViewState view;
    view.scale = 2.0;
    const PointTemplateBase<double> step = view.StepToImage({10, 20}, {15, 14});
    EXPECT_EQ(step.x, 2.5);
    EXPECT_EQ(step.y, -3.0);
    view.scale = 0.5;
    EXPECT_EQ(view.StepToImage({3, 3}, {4, 3}).x, 2.0) << "zoomed out, one window pixel spans two image pixels";
}
