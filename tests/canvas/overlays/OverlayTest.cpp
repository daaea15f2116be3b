#include "CanvasFixture.h"

namespace {

// A passive overlay that records what reaches it.
class Recorder : public Canvo {
public:
    int downs = 0;
    int ups = 0;
    int moves = 0;
    int keys = 0;
    void OnLButtonDown(unsigned flags, plat::Point pt) override
    {
        Canvo::OnLButtonDown(flags, pt);
        ++downs;
    }
    void OnLButtonUp(unsigned flags, plat::Point pt) override
    {
        Canvo::OnLButtonUp(flags, pt);
        ++ups;
    }
    void OnMouseMove(unsigned, plat::Point) override { ++moves; }
    void OnKeyDown(unsigned, unsigned, unsigned) override { ++keys; }
};

Recorder& addRecorder(InteractiveImage& canvas, int kind)
{
    auto overlay = std::make_unique<Recorder>();
    overlay->kind = kind;
    return static_cast<Recorder&>(canvas.AddOverlay(std::move(overlay)));
}

} // namespace

// Client 100 x 100 and a 40 x 40 image: image (0, 0) is client (30, 30).
class OverlayTest : public CanvasWindowTest<100, 100> {
protected:
    void SetUp() override
    {
        CanvasWindowTest::SetUp();
        gCVSPrepareCanvas(4, 40, 40);
    }
};

TEST_F(OverlayTest, ClickSelectsTheTopmostOverlay)
{
    InteractiveMPoint& a = AddPoints(4, {{0, 0}, {20, 0}, {20, 20}, {0, 20}});
    InteractiveMPoint& b = AddPoints(4, {{10, 10}, {30, 10}, {30, 30}, {10, 30}});
    EXPECT_FALSE(a.selected); // adding selects the new one only
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {45, 45}); // image (15, 15): inside both
    EXPECT_EQ(Canvas(4).selectedIndex, 1);
    EXPECT_TRUE(b.selected);
    EXPECT_FALSE(a.selected);
    EXPECT_TRUE(b.IsMoving()); // a press inside starts a move
    gCVSOnLButtonUp(4, 0, {45, 45});
    EXPECT_FALSE(b.IsMoving());

    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {33, 33}); // inside a only
    EXPECT_EQ(Canvas(4).selectedIndex, 0);
    EXPECT_TRUE(a.selected);
    EXPECT_FALSE(b.selected);
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {90, 90}); // on nothing
    EXPECT_EQ(Canvas(4).selectedIndex, -1);
    EXPECT_FALSE(a.selected || b.selected);
}

TEST_F(OverlayTest, HitTestCountsEdgesVerticesAndHandles)
{
    // A concave outline: a U open at the top between x 10 and 20.
    InteractiveMPoint& u = AddPoints(4, {{0, 0}, {10, 0}, {10, 20}, {20, 20}, {20, 0}, {30, 0}, {30, 30}, {0, 30}});
    EXPECT_TRUE(u.HitTest({35, 35}));   // in the left arm
    EXPECT_FALSE(u.HitTest({45, 35}));  // in the notch
    EXPECT_TRUE(u.selected == false);
    EXPECT_TRUE(u.HitTest({40, 40}));   // on the notch's left edge
    EXPECT_TRUE(u.HitTest({60, 60}));   // a vertex
    EXPECT_TRUE(u.HitTest({45, 50}));   // on the notch's bottom edge
    EXPECT_TRUE(u.HitTest({26, 26}));   // in the handle of (0, 0), outside the outline
    EXPECT_FALSE(u.HitTest({34, 26}));  // handles exclude their right edge
    EXPECT_FALSE(u.HitTest({25, 25}));

    // Fewer than three points have no inside, only handles.
    InteractiveMPoint& pair = AddPoints(4, {{0, 0}, {30, 30}});
    EXPECT_FALSE(pair.HitTest({45, 45}));
    EXPECT_TRUE(pair.HitTest({61, 59}));
}

TEST_F(OverlayTest, ShiftClickAddsPointsToTheSelectedOverlay)
{
    InteractiveMPoint& poly = AddPoints(4, {{0, 0}, {10, 0}, {10, 10}});
    // Far outside the polygon, and outside the image: clamped to (39, 39).
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, {95, 99});
    ASSERT_EQ(poly.imagePoints.size(), 4u);
    EXPECT_EQ(poly.imagePoints[3].x, 39.0);
    EXPECT_EQ(poly.imagePoints[3].y, 39.0);
    EXPECT_EQ(poly.displayPoints[3], (plat::Point{69, 69}));
    EXPECT_TRUE(poly.selected);
    EXPECT_EQ(Canvas(4).selectedIndex, 0);
    EXPECT_FALSE(poly.IsMoving());
    gCVSOnLButtonUp(4, plat::MK_SHIFT, {95, 99});

    // Without clamping the point lands where clicked.
    poly.clampToImage = false;
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, {25, 28});
    ASSERT_EQ(poly.imagePoints.size(), 5u);
    EXPECT_EQ(poly.imagePoints[4].x, -5.0);
    EXPECT_EQ(poly.imagePoints[4].y, -2.0);
}

TEST_F(OverlayTest, RubberBandPlacementWithAPointLimit)
{
    InteractiveMPoint& line = AddPoints(4, {});
    line.SetSinglePointPerClick(0);
    line.SetPointLimit(2);
    gCVSOnMouseMove(4, 0, {40, 40});
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, {40, 40});
    ASSERT_EQ(line.imagePoints.size(), 2u);
    EXPECT_EQ(line.activeHandle, 1);
    gCVSOnMouseMove(4, plat::MK_LBUTTON | plat::MK_SHIFT, {52, 47});
    gCVSOnLButtonUp(4, plat::MK_SHIFT, {52, 47});
    EXPECT_EQ(line.imagePoints[0].x, 10.0);
    EXPECT_EQ(line.imagePoints[1].x, 22.0);
    EXPECT_EQ(line.imagePoints[1].y, 17.0);
    // A full object starts over.
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, {35, 36});
    ASSERT_EQ(line.imagePoints.size(), 2u);
    EXPECT_EQ(line.imagePoints[0].x, 5.0);
    EXPECT_EQ(line.imagePoints[1].y, 6.0);
}

TEST_F(OverlayTest, DraggingAHandleOrTheWholeObject)
{
    gCVSOnMouseWheel(4, plat::MK_CONTROL, 120, {50, 50}); // scale 1.2 about the middle
    InteractiveMPoint& poly = AddPoints(4, {{10, 10}, {20, 10}, {20, 20}});
    const double scale = Canvas(4).view.scale;
    const plat::Point h = poly.displayPoints[1];
    // Press on the handle, drag by (12, 6) client pixels.
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {h.x + 2, h.y - 1});
    EXPECT_EQ(poly.activeHandle, 1);
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {h.x + 14, h.y + 5});
    gCVSOnLButtonUp(4, 0, {h.x + 14, h.y + 5});
    EXPECT_DOUBLE_EQ(poly.imagePoints[1].x, 20 + 12 / scale);
    EXPECT_DOUBLE_EQ(poly.imagePoints[1].y, 10 + 6 / scale);
    EXPECT_EQ(poly.imagePoints[0].x, 10.0);
    EXPECT_EQ(poly.displayPoints[1], Canvas(4).view.ToClient(poly.imagePoints[1]));

    // Press inside, away from handles: the whole outline moves.
    const plat::Point inside = Canvas(4).view.ToClient({18, 13});
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, inside);
    EXPECT_TRUE(poly.IsMoving());
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {inside.x - 6, inside.y + 12});
    EXPECT_DOUBLE_EQ(poly.imagePoints[0].x, 10 - 6 / scale);
    EXPECT_DOUBLE_EQ(poly.imagePoints[2].y, 20 + 12 / scale);
    gCVSOnLButtonUp(4, 0, {inside.x - 6, inside.y + 12});

    // Dragged past the image edge, points stay inside it.
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, Canvas(4).view.ToClient({15, 25})); // inside the moved outline
    ASSERT_TRUE(poly.IsMoving());
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {0, 0});
    for (const auto& p : poly.imagePoints) {
        EXPECT_GE(p.x, 0.0);
        EXPECT_GE(p.y, 0.0);
    }
    EXPECT_EQ(poly.imagePoints[0].x, 0.0);
}

TEST_F(OverlayTest, CtrlDragPansTheImageNotTheObject)
{
    InteractiveMPoint& poly = AddPoints(4, {{10, 10}, {20, 10}, {20, 20}});
    const auto before = poly.imagePoints;
    const plat::Point inside = Canvas(4).view.ToClient({18, 14}); // away from the handles
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_CONTROL, inside);
    ASSERT_TRUE(poly.IsMoving());
    gCVSOnMouseMove(4, plat::MK_LBUTTON | plat::MK_CONTROL, {inside.x + 9, inside.y + 4});
    gCVSOnLButtonUp(4, plat::MK_CONTROL, {inside.x + 9, inside.y + 4});
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(poly.imagePoints[i].x, before[i].x);
        EXPECT_EQ(poly.imagePoints[i].y, before[i].y);
    }
    EXPECT_EQ(gCVSGetCanvasRegion(4), (plat::Rect{39, 34, 79, 74}));
    EXPECT_EQ(poly.displayPoints[0], (plat::Point{49, 44})); // follows the image
    // Without Ctrl the same drag moves the object.
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {inside.x + 9, inside.y + 4});
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {inside.x + 12, inside.y + 4});
    EXPECT_EQ(poly.imagePoints[0].x, 13.0);
}

TEST_F(OverlayTest, KeysDeleteAndReachEveryOverlay)
{
    InteractiveMPoint& a = AddPoints(4, {{0, 0}, {5, 0}, {5, 5}});
    InteractiveMPoint& b = AddPoints(4, {{10, 10}, {15, 10}, {15, 15}});
    Recorder& r = addRecorder(Canvas(4), OverlayPassiveWindow);
    gCVSOnKeyDown(4, 'E', 1, 0);
    EXPECT_TRUE(a.ellipse);
    EXPECT_TRUE(b.ellipse);
    EXPECT_EQ(r.keys, 1);

    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {42, 42}); // select b
    ASSERT_EQ(Canvas(4).selectedIndex, 1);
    gCVSOnKeyDown(4, 'R', 1, 0);
    ASSERT_EQ(Canvas(4).overlays.size(), 2u);
    EXPECT_EQ(Canvas(4).overlays[0].get(), &a);
    EXPECT_EQ(Canvas(4).selectedIndex, 0);
    EXPECT_EQ(r.keys, 2);

    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {99, 99}); // select nothing
    gCVSOnKeyDown(4, 'R', 1, 0);
    EXPECT_EQ(Canvas(4).overlays.size(), 2u);
    gCVSOnKeyDown(4, 'C', 1, 0);
    EXPECT_TRUE(Canvas(4).overlays.empty());
    gCVSOnKeyDown(4, 'R', 1, 0);
    gCVSDelSelElement(4);
    EXPECT_EQ(Canvas(4).selectedIndex, -1);
    EXPECT_EQ(Canvas(4).overlayTotal, 0);
}

TEST_F(OverlayTest, AddingNumbersEachKind)
{
    InteractiveImage& c = Canvas(4);
    const int kinds[] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 14, 15, 16, 3, 8};
    for (const int kind : kinds)
        addRecorder(c, kind);
    EXPECT_EQ(c.rectCount, 1);
    EXPECT_EQ(c.customRectCount, 1);
    EXPECT_EQ(c.polygonCount, 2);
    EXPECT_EQ(c.splineCount, 1);
    EXPECT_EQ(c.freeRegionCount, 1);
    EXPECT_EQ(c.textCount, 1);
    EXPECT_EQ(c.strokeCount, 1);
    EXPECT_EQ(c.measureLineCount, 2);
    EXPECT_EQ(c.angle3Count, 1);
    EXPECT_EQ(c.angle4Count, 1);
    EXPECT_EQ(c.regionTotal, 6);
    EXPECT_EQ(c.overlayTotal, 15);
    EXPECT_EQ(c.overlays[13]->ordinal, 5);     // the sixth region
    EXPECT_EQ(c.overlays[13]->kindOrdinal, 1); // the second polygon
    EXPECT_EQ(c.overlays[5]->ordinal, 5);      // text: the overlay total
    EXPECT_EQ(c.overlays[14]->ordinal, 14);
    EXPECT_EQ(c.overlays[14]->kindOrdinal, 1);
    EXPECT_EQ(c.selectedIndex, 14);
    gCVSDelAllElement(4);
    EXPECT_EQ(c.regionTotal + c.overlayTotal + c.polygonCount + c.measureLineCount + c.textCount, 0);
    EXPECT_EQ(c.selectedIndex, -1);
}

TEST_F(OverlayTest, DeletingRenumbersTheLaterOnes)
{
    InteractiveImage& c = Canvas(4);
    AddPoints(4, {{0, 0}, {5, 0}, {5, 5}});
    InteractiveMPoint& second = AddPoints(4, {{10, 10}, {15, 10}, {15, 15}});
    InteractiveMPoint& third = AddPoints(4, {{20, 20}, {25, 20}, {25, 25}});
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {33, 31}); // the first
    ASSERT_EQ(c.selectedIndex, 0);
    gCVSDelSelElement(4);
    EXPECT_EQ(c.selectedIndex, -1);
    ASSERT_EQ(c.overlays.size(), 2u);
    EXPECT_EQ(second.ordinal, 0);
    EXPECT_EQ(third.ordinal, 1);
    EXPECT_EQ(second.kindOrdinal, 0);
    EXPECT_EQ(third.kindOrdinal, 1);
    EXPECT_EQ(c.polygonCount, 2);
    EXPECT_EQ(c.regionTotal, 2);
    // The renumbered region is filled with 1 now.
    EXPECT_EQ(c.GenerateLabel(false), 2);
    EXPECT_EQ(c.LabelImage().rows[40 - 1 - 12][12], 1);
    EXPECT_EQ(c.LabelImage().rows[40 - 1 - 22][22], 2);
}

TEST_F(OverlayTest, DeletingOtherKindsKeepsRegionLabelsApart)
{
    InteractiveImage& c = Canvas(4);
    InteractiveMPoint& region = AddPoints(4, {{0, 0}, {5, 0}, {5, 5}});
    addRecorder(c, OverlayMeasureLine);
    InteractiveMPoint& stroke = AddPoints(4, {{30, 30}, {35, 30}}, OverlayFreeStroke);
    c.selectedIndex = 1;
    gCVSDelSelElement(4); // the measuring line
    EXPECT_EQ(c.regionTotal, 1);
    EXPECT_EQ(region.ordinal, 0);
    EXPECT_EQ(stroke.ordinal, 1); // 2 before: the line's place is taken
    InteractiveMPoint& next = AddPoints(4, {{20, 20}, {25, 20}, {25, 25}});
    EXPECT_EQ(next.ordinal, 1);
    EXPECT_EQ(c.GenerateLabel(false), 2);
    EXPECT_EQ(c.LabelImage().rows[40 - 1 - 1][3], 1);
    EXPECT_EQ(c.LabelImage().rows[40 - 1 - 21][23], 2);
}

TEST_F(OverlayTest, PassiveOverlaysSeeEventsUnselected)
{
    Recorder& info = addRecorder(Canvas(4), OverlayPassiveWindow);
    Recorder& probe = addRecorder(Canvas(4), OverlayProbe);
    InteractiveMPoint& poly = AddPoints(4, {{0, 0}, {20, 0}, {20, 20}});
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {45, 35});
    EXPECT_TRUE(poly.selected);
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {46, 35});
    gCVSOnLButtonUp(4, 0, {46, 35});
    EXPECT_EQ(info.downs, 1);
    EXPECT_EQ(info.moves, 1);
    EXPECT_EQ(info.ups, 1);
    EXPECT_EQ(probe.downs, 0);
    EXPECT_EQ(probe.moves, 1);
    EXPECT_EQ(probe.ups, 0);
}

TEST_F(OverlayTest, OverlaysDrawTheirHandlesAndFollowZoom)
{
    InteractiveMPoint& poly = AddPoints(4, {{10, 10}, {30, 10}, {30, 30}});
    poly.SetHandleShape(1);
    EXPECT_EQ(poly.displayPoints[0], (plat::Point{40, 40})); // attached when added

    gCVSOnDraw(4, nullptr);
    // Selected handles in COLORREF 0x0000FF (red), 8 x 8 around the point.
    EXPECT_EQ(Rgb(*window, 36, 40), 0xFF0000u);
    EXPECT_EQ(Rgb(*window, 43, 36), 0xFF0000u);
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {95, 5});
    gCVSOnDraw(4, nullptr);
    EXPECT_EQ(Rgb(*window, 36, 40), 0x0000FFu); // normal colour: blue

    gCVSOnMouseWheel(4, plat::MK_CONTROL, -120, {50, 50});
    EXPECT_EQ(poly.displayPoints[1], Canvas(4).view.ToClient({30, 10}));
    EXPECT_NE(poly.displayPoints[1], (plat::Point{60, 40}));
    EXPECT_TRUE(messages.empty());
}
