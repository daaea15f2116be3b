#include "RegionsFixture.h"

#include "TestHome.h"

#include "pixorama/canvo/InteractiveCustomRect.h"
#include "pixorama/canvo/InteractiveSpline.h"
#include "pixorama/parlet/DialogScript.h"

#include <QDialog>

#include <cmath>
#include <limits>

namespace {

void enterRect(DialogDriver& d, int left, int right, int top, int bottom)
{
    d.SetText(L"m_RectLeft", std::to_wstring(left));
    d.SetText(L"m_RectRight", std::to_wstring(right));
    d.SetText(L"m_RectTop", std::to_wstring(top));
    d.SetText(L"m_RectBottom", std::to_wstring(bottom));
    d.PressOk();
}

} // namespace

TEST_F(RegionsTest, NoOverlaysGiveAllOnes)
{
    EXPECT_EQ(gCVSGenerateLabel(4, false), 1);
    ClassData2DIO<int>& label = gCVSGetLabelIma(4);
    ASSERT_EQ(label.width, imageSize);
    ASSERT_EQ(label.height, imageSize);
    EXPECT_EQ(CountLabel(1), imageSize * imageSize);
    EXPECT_EQ(gCVSGetLabelImaPtr1D(4), label.data);
    EXPECT_EQ(gCVSGetLabelImaPtr2D(4), label.rows);
}

TEST_F(RegionsTest, RectangleLabelIsStoredBottomUp)
{
    gCVSAddMRectangle(4);
    ShiftDrag(Client(10, 20), Client(30, 40));
    EXPECT_EQ(gCVSGenerateLabel(4, false), 1);
    ClassData2DIO<int>& label = gCVSGetLabelIma(4);
    EXPECT_EQ(label.rows[imageSize - 26][15], 1); // image (15, 25)
    EXPECT_EQ(label.rows[25][15], 0);             // image row 74
    EXPECT_EQ(CountLabel(1), 21 * 21);
    EXPECT_EQ(LabelAt(10, 20), 1);
    EXPECT_EQ(LabelAt(30, 40), 1);
    EXPECT_EQ(LabelAt(31, 40), 0);
    EXPECT_EQ(LabelAt(10, 41), 0);
}

TEST_F(RegionsTest, RectangleDrawnFromAnyCornerCoversTheSamePixels)
{
    const plat::Point corners[4][2] = {{Client(10, 20), Client(30, 40)},
                                       {Client(30, 40), Client(10, 20)},
                                       {Client(30, 20), Client(10, 40)},
                                       {Client(10, 40), Client(30, 20)}};
    for (const auto& c : corners) {
        gCVSDelAllElement(4);
        gCVSAddMRectangle(4);
        ShiftDrag(c[0], c[1]);
        gCVSGenerateLabel(4, false);
        EXPECT_EQ(CountLabel(1), 21 * 21) << "from " << c[0].x << ", " << c[0].y;
        EXPECT_EQ(LabelAt(10, 20) + LabelAt(30, 20) + LabelAt(10, 40) + LabelAt(30, 40), 4);
    }
}

TEST_F(RegionsTest, OverlapCarriesTheLaterRegion)
{
    AddPoints(4, {{0, 0}, {40, 0}, {40, 40}, {0, 40}}, OverlayPolygon);
    AddPoints(4, {{20, 20}, {60, 20}, {60, 60}, {20, 60}}, OverlayFreeRegion);
    EXPECT_EQ(gCVSGenerateLabel(4, false), 2);
    EXPECT_EQ(LabelAt(10, 10), 1);
    EXPECT_EQ(LabelAt(30, 30), 2);
    EXPECT_EQ(LabelAt(50, 50), 2);
    EXPECT_EQ(LabelAt(70, 70), 0);
    EXPECT_EQ(CountLabel(2), 41 * 41);
}

TEST_F(RegionsTest, SelectedOnlyRasterisesTheSelectedRegion)
{
    AddPoints(4, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    AddPoints(4, {{50, 50}, {60, 50}, {60, 60}, {50, 60}});
    AddPoints(4, {{80, 80}, {90, 80}, {90, 90}, {80, 90}});
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, Client(55, 55));
    gCVSOnLButtonUp(4, 0, Client(55, 55));
    EXPECT_EQ(gCVSGenerateLabel(4, true), 2);
    EXPECT_EQ(CountLabel(2), 121);
    EXPECT_EQ(CountLabel(0), imageSize * imageSize - 121);

    gCVSOnLButtonDown(4, plat::MK_LBUTTON, Client(30, 30)); // nothing there: no selection
    EXPECT_EQ(gCVSGenerateLabel(4, true), 1);
    EXPECT_EQ(CountLabel(1), imageSize * imageSize);
}

TEST_F(RegionsTest, SelectedMeasuringOverlayLeavesEveryValueZero)
{
    AddPoints(4, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    AddPoints(4, {{20, 20}, {40, 40}}, OverlayMeasureLine); // added last, so selected
    EXPECT_EQ(gCVSGenerateLabel(4, true), 1);
    EXPECT_EQ(CountLabel(0), imageSize * imageSize);
    // Not selected-only: the measuring line is no region.
    EXPECT_EQ(gCVSGenerateLabel(4, false), 1);
    EXPECT_EQ(CountLabel(1), 121);
}

TEST_F(RegionsTest, LabelKeepsItsContentUntilTheNextGeneration)
{
    InteractiveMPoint& poly = AddPoints(4, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    gCVSGenerateLabel(4, false);
    poly.imagePoints = {{50, 50}, {60, 50}, {60, 60}, {50, 60}};
    EXPECT_EQ(LabelAt(5, 5), 1);
    EXPECT_EQ(LabelAt(55, 55), 0);
    gCVSGenerateLabel(4, false);
    EXPECT_EQ(LabelAt(5, 5), 0);
    EXPECT_EQ(LabelAt(55, 55), 1);
}

TEST_F(RegionsTest, DeletingTheFirstRegionRenumbersTheSecond)
{
    AddPoints(4, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    AddPoints(4, {{50, 50}, {60, 50}, {60, 60}, {50, 60}});
    Canvas(4).selectedIndex = 0;
    gCVSDelSelElement(4);
    EXPECT_EQ(gCVSGenerateLabel(4, false), 1);
    EXPECT_EQ(LabelAt(55, 55), 1);
    EXPECT_EQ(LabelAt(5, 5), 0);
}

TEST_F(RegionsTest, CustomRectangleComesFromTheDialog)
{
    {
        DialogScript answer([](DialogDriver& d) { enterRect(d, 10, 20, 5, 15); });
        gCVSAddCustomRectangle(4);
        EXPECT_EQ(answer.shown, 1);
    }
    ASSERT_EQ(Canvas(4).overlays.size(), 1u);
    EXPECT_EQ(Last().kind, OverlayCustomRect);
    EXPECT_TRUE(Last().selected);
    EXPECT_EQ(gCVSGenerateLabel(4, false), 1);
    EXPECT_EQ(CountLabel(1), 11 * 11);
    EXPECT_EQ(LabelAt(10, 5), 1);
    EXPECT_EQ(LabelAt(20, 15), 1);
    EXPECT_EQ(LabelAt(21, 15), 0);

    DialogScript cancel([](DialogDriver& d) { d.PressCancel(); });
    gCVSAddCustomRectangle(4);
    EXPECT_EQ(cancel.shown, 1);
    EXPECT_EQ(Canvas(4).overlays.size(), 1u);
    EXPECT_EQ(Canvas(4).regionTotal, 1);
}

TEST_F(RegionsTest, CustomRectangleAtTheEndsOfIntStaysWhereItWasTyped)
{
    // Bottom far above the top: the rectangle reaches up, never wraps round
    // to cover the rows below the top.
    {
        DialogScript answer([](DialogDriver& d) { enterRect(d, 1, 23, 16, std::numeric_limits<int>::min()); });
        gCVSAddCustomRectangle(4);
    }
    ASSERT_EQ(Canvas(4).overlays.size(), 1u);
    gCVSGenerateLabel(4, false);
    EXPECT_EQ(LabelAt(10, 40), 0);

    // Right and bottom at the end of int: drawn, with its handles, far
    // past the window, and covering the picture from its corner on.
    gCVSDelAllElement(4);
    {
        DialogScript answer([](DialogDriver& d) {
            enterRect(d, 1, std::numeric_limits<int>::max(), 16, std::numeric_limits<int>::max());
        });
        gCVSAddCustomRectangle(4);
    }
    ASSERT_EQ(Canvas(4).overlays.size(), 1u);
    gCVSGenerateLabel(4, false);
    EXPECT_EQ(LabelAt(10, 40), 1);
    EXPECT_EQ(LabelAt(0, 40), 0);
}

TEST_F(RegionsTest, OnlyTheCustomRectangleIsRasterisedAsAnEllipse)
{
    {
        DialogScript answer([](DialogDriver& d) { enterRect(d, 10, 50, 10, 50); });
        gCVSAddCustomRectangle(4);
    }
    gCVSOnKeyDown(4, 'E', 1, 0);
    ASSERT_TRUE(Last().ellipse);
    gCVSGenerateLabel(4, false);
    const int ellipseArea = CountLabel(1);
    EXPECT_GT(ellipseArea, 1100); // pi * 20 * 20 = 1257
    EXPECT_LT(ellipseArea, 1400);
    EXPECT_EQ(LabelAt(30, 30), 1);
    EXPECT_EQ(LabelAt(11, 11), 0);

    gCVSDelAllElement(4);
    gCVSAddMRectangle(4);
    ShiftDrag(Client(10, 10), Client(50, 50));
    gCVSOnKeyDown(4, 'E', 1, 0);
    ASSERT_TRUE(Last().ellipse);
    gCVSGenerateLabel(4, false);
    EXPECT_EQ(CountLabel(1), 41 * 41); // drawn round, labelled square
}

TEST_F(RegionsTest, SplineLabelFollowsTheViewNotTheLastPaint)
{
    gCVSAddSpline(4);
    for (const plat::Point p : {Client(20, 20), Client(80, 20), Client(80, 80), Client(20, 80)})
        ShiftClick(p);
    EXPECT_EQ(gCVSGenerateLabel(4, false), 1);
    const int area = CountLabel(1);
    EXPECT_GT(area, 61 * 61);      // the curve bulges out between the points
    EXPECT_LT(area, 100 * 100 / 2 + 61 * 61);
    EXPECT_EQ(LabelAt(50, 50), 1);
    EXPECT_EQ(LabelAt(23, 23), 1);
    EXPECT_EQ(LabelAt(2, 2), 0);

    // Zoom in twice without painting: the image region stays the same.
    gCVSSetCanvasMoveMode(4, DisplayZoomCentre);
    gCVSOnMouseWheel(4, plat::MK_CONTROL, 120, {100, 100});
    gCVSOnMouseWheel(4, plat::MK_CONTROL, 120, {100, 100});
    ASSERT_GT(Canvas(4).view.scale, 1.1);
    gCVSGenerateLabel(4, false);
    EXPECT_NEAR(CountLabel(1), area, area / 25);
    EXPECT_EQ(LabelAt(50, 50), 1);
}

TEST_F(RegionsTest, SplineWith199PointsHasNoCurveAndNoLabel)
{
    std::vector<PointTemplateBase<double>> ring;
    for (int i = 0; i < 199; ++i)
        ring.push_back({50 + 40 * std::cos(6.2831852 * i / 199), 50 + 40 * std::sin(6.2831852 * i / 199)});
    gCVSAddSpline(4);
    auto& spline = static_cast<InteractiveSpline&>(Last());
    spline.imagePoints = ring;
    spline.OnViewChanged();
    EXPECT_TRUE(spline.curve.empty());
    EXPECT_EQ(gCVSGenerateLabel(4, false), 1);
    EXPECT_EQ(CountLabel(0), imageSize * imageSize);

    ring.pop_back(); // 198 points: a control list of 199
    spline.imagePoints = ring;
    spline.OnViewChanged();
    EXPECT_EQ(spline.curve.size(), 198u * 11u);
    gCVSGenerateLabel(4, false);
    EXPECT_EQ(LabelAt(50, 50), 1);
}

TEST_F(RegionsTest, FreeRegionFromOneShiftDrag)
{
    gCVSAddFreeRegion(4);
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, Client(10, 10));
    for (const plat::Point p : {Client(60, 10), Client(60, 60), Client(10, 60)})
        gCVSOnMouseMove(4, plat::MK_LBUTTON | plat::MK_SHIFT, p);
    gCVSOnLButtonUp(4, plat::MK_SHIFT, Client(10, 60));
    EXPECT_EQ(Last().imagePoints.size(), 4u);
    EXPECT_EQ(gCVSGenerateLabel(4, false), 1);
    EXPECT_EQ(CountLabel(1), 51 * 51);
}

TEST_F(RegionsTest, FreeStrokesAreNoRegion)
{
    gCVSAddFreeStroke(4);
    ShiftDrag(Client(10, 10), Client(60, 60));
    AddPoints(4, {{70, 70}, {80, 70}, {80, 80}, {70, 80}});
    EXPECT_EQ(gCVSGenerateLabel(4, false), 1);
    EXPECT_EQ(CountLabel(1), 121);
    EXPECT_EQ(LabelAt(30, 30), 0);
}

TEST_F(RegionsTest, UnknownCanvasIdIsIgnored)
{
    EXPECT_EQ(gCVSGenerateLabel(7, false), 0);
    EXPECT_TRUE(gCVSGetLabelIma(-1).IsEmpty());
    EXPECT_EQ(gCVSGetLabelImaPtr1D(5), nullptr);
    EXPECT_EQ(gCVSGetLabelImaPtr2D(5), nullptr);
    gCVSAddMRectangle(9);
    gCVSAddPoly(-2);
    EXPECT_TRUE(Canvas(4).overlays.empty());
}
