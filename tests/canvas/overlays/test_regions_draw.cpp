#include "RegionsFixture.h"

#include "pixorama/canvo/InteractiveCrayonMStroke.h"
#include "pixorama/canvo/InteractiveSpline.h"

#include <cmath>

namespace {

constexpr unsigned blue = 0xFF0000; // selected outlines and handles: COLORREF 0x0000FF as 0xRRGGBB
constexpr unsigned red = 0x0000FF; // outlines and handles otherwise

} // namespace

class RegionsDrawTest : public RegionsTest {
protected:
    unsigned At(int x, int y) const { return Rgb(*window, x, y); }
    void Paint() { gCVSOnDraw(4, window); }
};

TEST_F(RegionsDrawTest, RectangleOutlineCentreMarkerAndEllipse)
{
    gCVSAddMRectangle(4);
    ShiftDrag(Client(10, 20), Client(40, 60));
    Paint();
    // Outline on both inclusive edges, in the selected line colour.
    EXPECT_EQ(At(75, 70), blue);
    EXPECT_EQ(At(75, 110), blue);
    EXPECT_EQ(At(60, 90), blue);
    EXPECT_EQ(At(90, 90), blue);
    EXPECT_NE(At(75, 90), blue);            // not filled
    EXPECT_EQ(At(75 - 4, 90), blue);        // centre marker (75, 90) +- 4
    EXPECT_EQ(At(75 + 3, 88), blue); // right edge drawn exclusive

    gCVSOnKeyDown(4, 'E', 1, 0);
    Paint();
    EXPECT_NE(At(84, 70), blue); // the top edge is no longer outlined
    EXPECT_EQ(At(60, 90), blue); // but the ellipse touches the box sides

    gCVSOnLButtonDown(4, plat::MK_LBUTTON, Client(90, 5));
    Paint();
    EXPECT_EQ(At(90, 90), red); // deselected: the line colour
}

TEST_F(RegionsDrawTest, PolygonIsClosedAndFreeStrokesAreOpen)
{
    AddPoints(4, {{10, 10}, {50, 10}, {50, 50}}); // base points: no outline
    gCVSAddPoly(4);
    for (const plat::Point p : {Client(10, 60), Client(50, 60), Client(50, 90)})
        ShiftClick(p);
    gCVSAddFreeStroke(4);
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, Client(60, 10));
    gCVSOnMouseMove(4, plat::MK_LBUTTON | plat::MK_SHIFT, Client(90, 10));
    gCVSOnMouseMove(4, plat::MK_LBUTTON | plat::MK_SHIFT, Client(90, 40));
    gCVSOnLButtonUp(4, plat::MK_SHIFT, Client(90, 40));
    Paint();
    EXPECT_EQ(At(80, 110), red);   // polygon top edge
    EXPECT_EQ(At(100, 125), red);  // closing edge back from (50, 90) to (10, 60)
    EXPECT_EQ(At(125, 60), blue);  // stroke, selected
    EXPECT_EQ(At(140, 75), blue);
    EXPECT_NE(At(125, 75), blue);  // the stroke is not closed
}

TEST_F(RegionsDrawTest, WidePenDrawsAThickStroke)
{
    gCVSAddFreeStroke(4);
    ShiftDrag(Client(10, 50), Client(80, 50));
    for (int i = 0; i < 9; ++i)
        gCVSOnKeyDown(4, 'A', 1, 0);
    Paint();
    EXPECT_EQ(At(100, 100), blue);
    EXPECT_EQ(At(100, 103), blue);
    EXPECT_EQ(At(100, 97), blue);
    EXPECT_NE(At(100, 110), blue);
}

TEST_F(RegionsDrawTest, SplineCurvePassesItsControlPoints)
{
    gCVSAddSpline(4);
    for (const plat::Point p : {Client(20, 20), Client(80, 20), Client(80, 80), Client(20, 80)})
        ShiftClick(p);
    auto& spline = static_cast<InteractiveSpline&>(Last());
    ASSERT_EQ(spline.controlList.size(), 5u);
    ASSERT_EQ(spline.curve.size(), 44u);
    Paint();
    // The curve bulges beyond the control square half-way between corners.
    int outside = 0;
    for (int y = 50; y < 70; ++y)
        outside += At(50 + 50, y) == blue;
    EXPECT_GE(outside, 1);
    EXPECT_EQ(At(70, 70 - 4), blue); // control point circle (70, 70) +- 4
    EXPECT_NE(At(100, 100), blue);   // nothing inside
}
