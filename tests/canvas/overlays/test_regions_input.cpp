#include "RegionsFixture.h"

#include "pixorama/canvo/InteractiveCrayonMStroke.h"
#include "pixorama/canvo/InteractiveCrayonOneStroke.h"
#include "pixorama/canvo/InteractiveCustomRect.h"
#include "pixorama/canvo/InteractiveRect.h"
#include "pixorama/canvo/InteractiveSpline.h"

#include <random>
#include <set>

TEST_F(RegionsTest, AddsCountPerKindAndNumberRegionsTogether)
{
    gCVSAddMRectangle(4);
    gCVSAddPoly(4);
    gCVSAddFreeStroke(4);
    gCVSAddSpline(4);
    gCVSAddFreeRegion(4);
    gCVSAddMRectangle(4);
    const auto& list = Canvas(4).overlays;
    ASSERT_EQ(list.size(), 6u);
    const int kinds[] = {OverlayRect, OverlayPolygon, OverlayFreeStroke, OverlaySpline, OverlayFreeRegion, OverlayRect};
    const int ordinals[] = {0, 1, 2, 2, 3, 4}; // strokes take the overlay total
    const int kindOrdinals[] = {0, 0, 0, 0, 0, 1};
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i]->kind, kinds[i]) << i;
        EXPECT_EQ(list[i]->ordinal, ordinals[i]) << i;
        EXPECT_EQ(list[i]->kindOrdinal, kindOrdinals[i]) << i;
        EXPECT_TRUE(list[i]->imagePoints.empty());
    }
    EXPECT_EQ(Canvas(4).regionTotal, 5);
    EXPECT_EQ(Canvas(4).rectCount, 2);
    EXPECT_EQ(Canvas(4).strokeCount, 1);
    EXPECT_EQ(Canvas(4).selectedIndex, 5);
    EXPECT_TRUE(list[5]->selected);
}

TEST_F(RegionsTest, RectangleCornersHandlesAndMove)
{
    gCVSAddMRectangle(4);
    auto& rect = static_cast<InteractiveRect&>(Last());
    ShiftDrag(Client(10, 20), Client(30, 40));
    ASSERT_EQ(rect.imagePoints.size(), 2u);
    EXPECT_EQ(rect.imageRect, (plat::Rect{10, 20, 30, 40}));
    EXPECT_EQ(rect.displayRect, (plat::Rect{60, 70, 80, 90}));
    EXPECT_EQ(rect.centre, Client(20, 30));

    Drag(Client(30, 40), Client(35, 45)); // the second corner's handle
    EXPECT_EQ(rect.imageRect, (plat::Rect{10, 20, 35, 45}));
    EXPECT_FALSE(rect.IsMoving());

    Drag(Client(15, 25), Client(20, 35)); // inside: the whole rectangle
    EXPECT_EQ(rect.imageRect, (plat::Rect{15, 30, 40, 55}));

    Drag(Client(80, 80), Client(90, 90)); // outside: nothing moves, nothing selected
    EXPECT_EQ(rect.imageRect, (plat::Rect{15, 30, 40, 55}));
    EXPECT_FALSE(rect.selected);
    EXPECT_EQ(Canvas(4).selectedIndex, -1);

    // A new Shift-drag on the selected rectangle starts it again (point limit 2).
    Drag(Client(20, 40), Client(20, 40));
    ShiftDrag(Client(0, 0), Client(5, 6));
    EXPECT_EQ(rect.imageRect, (plat::Rect{0, 0, 5, 6}));
}

TEST_F(RegionsTest, RectangleStaysInTheImageWhileDragged)
{
    gCVSAddMRectangle(4);
    auto& rect = static_cast<InteractiveRect&>(Last());
    ShiftDrag(Client(80, 80), Client(150, 130));
    EXPECT_EQ(rect.imageRect, (plat::Rect{80, 80, 99, 99}));
}

TEST_F(RegionsTest, CustomRectangleMovesButKeepsItsCorners)
{
    auto& rect = static_cast<InteractiveCustomRect&>(Canvas(4).AddOverlay(std::make_unique<InteractiveCustomRect>()));
    rect.SetRectPos(10.7f, 20.2f, 20.5f, 9.9f); // (10, 20) and (trunc 31.2, trunc 30.1)
    EXPECT_EQ(rect.imageRect, (plat::Rect{10, 20, 31, 30}));

    Drag(Client(31, 30), Client(41, 35)); // a corner is inside too: the whole box moves
    EXPECT_EQ(rect.imageRect, (plat::Rect{20, 25, 41, 35}));
    EXPECT_TRUE(rect.selected);

    gCVSOnLButtonDown(4, plat::MK_LBUTTON, Client(30, 30));
    gCVSOnMouseMove(4, plat::MK_LBUTTON | plat::MK_CONTROL, Client(50, 50)); // Ctrl pans instead
    gCVSOnLButtonUp(4, 0, Client(50, 50));
    EXPECT_EQ(rect.imageRect, (plat::Rect{20, 25, 41, 35}));

    Drag(Client(5, 5), Client(15, 15));
    EXPECT_FALSE(rect.selected);
    EXPECT_EQ(rect.imageRect, (plat::Rect{20, 25, 41, 35}));

    // Shift-clicks add no points to it.
    Canvas(4).selectedIndex = 0;
    rect.selected = true;
    ShiftClick(Client(60, 60));
    EXPECT_EQ(rect.imagePoints.size(), 2u);
}

TEST_F(RegionsTest, PolygonVerticesByShiftClickAndHandles)
{
    gCVSAddPoly(4);
    Canvo& poly = Last();
    for (const plat::Point p : {Client(10, 10), Client(50, 10), Client(50, 50)})
        ShiftClick(p);
    ASSERT_EQ(poly.imagePoints.size(), 3u);
    ShiftClick(Client(90, 90)); // outside, still added to the selected polygon
    ASSERT_EQ(poly.imagePoints.size(), 4u);
    Drag(Client(90, 90), Client(10, 50)); // its handle
    EXPECT_DOUBLE_EQ(poly.imagePoints[3].x, 10.0);
    EXPECT_DOUBLE_EQ(poly.imagePoints[3].y, 50.0);
    Drag(Client(30, 30), Client(35, 31)); // inside: move all
    EXPECT_DOUBLE_EQ(poly.imagePoints[0].x, 15.0);
    EXPECT_DOUBLE_EQ(poly.imagePoints[0].y, 11.0);
}

TEST_F(RegionsTest, FreeRegionMovesOnlyWhenPressedInside)
{
    gCVSAddFreeRegion(4);
    auto& region = static_cast<InteractiveCrayonOneStroke&>(Last());
    EXPECT_FALSE(region.drawing);
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, Client(10, 10));
    EXPECT_TRUE(region.drawing);
    gCVSOnMouseMove(4, plat::MK_LBUTTON | plat::MK_SHIFT, Client(40, 10));
    gCVSOnMouseMove(4, plat::MK_LBUTTON | plat::MK_SHIFT, Client(40, 40));
    gCVSOnMouseMove(4, plat::MK_LBUTTON | plat::MK_SHIFT, Client(-30, 40)); // clamped to x 0
    gCVSOnLButtonUp(4, plat::MK_SHIFT, Client(-30, 40));
    EXPECT_FALSE(region.drawing);
    ASSERT_EQ(region.imagePoints.size(), 4u);
    EXPECT_DOUBLE_EQ(region.imagePoints[3].x, 0.0);

    Drag(Client(20, 20), Client(25, 30));
    EXPECT_DOUBLE_EQ(region.imagePoints[0].x, 15.0);
    EXPECT_DOUBLE_EQ(region.imagePoints[0].y, 20.0);
    EXPECT_DOUBLE_EQ(region.imagePoints[3].x, 5.0);

    Drag(Client(20, 25), Client(0, 25));
    EXPECT_DOUBLE_EQ(region.imagePoints[1].x, 25.0);
    EXPECT_DOUBLE_EQ(region.imagePoints[3].x, 0.0); // kept inside the image

    Drag(Client(90, 90), Client(95, 95));
    EXPECT_DOUBLE_EQ(region.imagePoints[1].x, 25.0);
    EXPECT_FALSE(region.selected);
}

TEST_F(RegionsTest, FreeStrokesCollectStrokesAndMoveTogether)
{
    gCVSAddFreeStroke(4);
    auto& strokes = static_cast<InteractiveCrayonMStroke&>(Last());
    ShiftDrag(Client(10, 10), Client(20, 10));
    ShiftDrag(Client(10, 30), Client(30, 30));
    ASSERT_EQ(strokes.imagePoints.size(), 4u);
    EXPECT_EQ(strokes.strokeStarts, (std::vector<std::size_t>{0, 2}));

    Drag(Client(15, 20), Client(20, 25)); // inside the bounding box
    EXPECT_DOUBLE_EQ(strokes.imagePoints[0].x, 15.0);
    EXPECT_DOUBLE_EQ(strokes.imagePoints[3].y, 35.0);
    Drag(Client(60, 60), Client(70, 70));
    EXPECT_FALSE(strokes.selected);
    EXPECT_DOUBLE_EQ(strokes.imagePoints[0].x, 15.0);
}

TEST_F(RegionsTest, PenWidthKeysActOnSelectedStrokesWithinLimits)
{
    gCVSAddFreeStroke(4);
    auto& strokes = static_cast<InteractiveCrayonMStroke&>(Last());
    ShiftDrag(Client(10, 10), Client(20, 20));
    EXPECT_EQ(strokes.penWidth, 1);
    gCVSOnKeyDown(4, 'D', 1, 0);
    EXPECT_EQ(strokes.penWidth, 1);
    for (int i = 0; i < 50; ++i)
        gCVSOnKeyDown(4, 'A', 1, 0);
    EXPECT_EQ(strokes.penWidth, 40);
    gCVSOnKeyDown(4, 'D', 1, 0);
    EXPECT_EQ(strokes.penWidth, 39);
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, Client(80, 80)); // deselect
    gCVSOnKeyDown(4, 'A', 1, 0);
    EXPECT_EQ(strokes.penWidth, 39);
}

TEST_F(RegionsTest, EllipseKeyChangesOnlyTheSelectedRectangle)
{
    gCVSAddMRectangle(4);
    ShiftDrag(Client(10, 10), Client(20, 20));
    Canvo& first = Last();
    gCVSAddMRectangle(4);
    ShiftDrag(Client(50, 50), Client(60, 60));
    Canvo& second = Last();
    gCVSOnKeyDown(4, 'E', 1, 0);
    EXPECT_TRUE(second.ellipse);
    EXPECT_FALSE(first.ellipse);
    gCVSOnKeyDown(4, 'I', 1, 0); // places the selected one at (50, 50)-(100, 100)
    EXPECT_EQ(second.imageRect, (plat::Rect{50, 50, 100, 100}));
    EXPECT_EQ(first.imageRect, (plat::Rect{10, 10, 20, 20}));
}

// Regions are added, selected and deleted in random order among other
// overlays; after every step each region must own a label value of its own,
// and the label image must show every region under its own value.
TEST_F(RegionsTest, RegionLabelsStayUniqueThroughAnyDeletion)
{
    std::mt19937 random(12345);
    std::vector<int> freeCells;
    for (int c = 0; c < 25; ++c)
        freeCells.push_back(c);
    std::map<const Canvo*, int> cellOf;
    InteractiveImage& canvas = Canvas(4);
    const auto square = [](int cell) {
        const double x = cell % 5 * 20 + 6;
        const double y = cell / 5 * 20 + 6;
        return std::vector<PointTemplateBase<double>>{{x, y}, {x + 8, y}, {x + 8, y + 8}, {x, y + 8}};
    };
    for (int step = 0; step < 300; ++step) {
        const int action = int(random() % 10);
        if (action < 5 && !freeCells.empty()) {
            const int cell = freeCells.back();
            freeCells.pop_back();
            const int kind = int(random() % 5);
            switch (kind) {
            case 0: gCVSAddMRectangle(4); break;
            case 1: canvas.AddOverlay(std::make_unique<InteractiveCustomRect>()); break;
            case 2: gCVSAddPoly(4); break;
            case 3: gCVSAddSpline(4); break;
            default: gCVSAddFreeRegion(4); break;
            }
            std::vector<PointTemplateBase<double>> points = square(cell);
            if (kind < 2)
                points = {points[0], points[2]};
            Last().imagePoints = points;
            Last().OnViewChanged();
            cellOf[&Last()] = cell;
        } else if (action < 7) {
            if (random() % 2)
                gCVSAddFreeStroke(4);
            else
                AddPoints(4, {{1, 1}, {3, 3}}, OverlayMeasureLine);
        } else if (!canvas.overlays.empty()) {
            canvas.selectedIndex = int(random() % canvas.overlays.size());
            const Canvo* doomed = canvas.Selected();
            if (cellOf.count(doomed)) {
                freeCells.push_back(cellOf[doomed]);
                cellOf.erase(doomed);
            }
            if (random() % 2)
                gCVSDelSelElement(4);
            else
                gCVSOnKeyDown(4, 'R', 1, 0);
        }

        std::set<int> values;
        int regions = 0;
        for (const auto& overlay : canvas.overlays) {
            if (!isRegionKind(overlay->kind))
                continue;
            ++regions;
            EXPECT_TRUE(values.insert(overlay->ordinal + 1).second) << "step " << step;
        }
        ASSERT_EQ(int(values.size()), regions) << "step " << step;
        if (regions == 0)
            continue;
        EXPECT_EQ(*values.rbegin(), regions) << "step " << step; // values 1..n
        EXPECT_EQ(canvas.regionTotal, regions) << "step " << step;
        gCVSGenerateLabel(4, false);
        for (const auto& overlay : canvas.overlays) {
            if (!isRegionKind(overlay->kind))
                continue;
            const int cell = cellOf[overlay.get()];
            EXPECT_EQ(LabelAt(cell % 5 * 20 + 10, cell / 5 * 20 + 10), overlay->ordinal + 1) << "step " << step;
        }
    }
}
