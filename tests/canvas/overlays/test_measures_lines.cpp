#include "CanvasFixture.h"

#include "pixorama/canvo/CanvasMeasures.h"
#include "pixorama/canvo/InteractiveMeasureAngle4Pts.h"
#include "pixorama/canvo/InteractiveMeasureLine.h"

namespace {

constexpr unsigned shiftDown = plat::MK_SHIFT | plat::MK_LBUTTON;

bool hasNan(const CString& text)
{
    return text.find(L"nan") != CString::npos || text.find(L"NAN") != CString::npos;
}

} // namespace

// Client 400 x 400 and a 100 x 100 image: image (0, 0) is client (150, 150).
class MeasureLineTest : public CanvasWindowTest<400, 400> {
protected:
    void SetUp() override
    {
        CanvasWindowTest::SetUp();
        ShowGrey(4, 100, 100, 200);
    }

    // Places the points one Shift-click each, as the user does.
    void ShiftClicks(const std::vector<plat::Point>& points)
    {
        for (const plat::Point& p : points) {
            gCVSOnLButtonDown(4, shiftDown, p);
            gCVSOnLButtonUp(4, plat::MK_SHIFT, p);
        }
        gCVSOnMouseMove(4, 0, points.back());
    }

    template <typename T>
    T& Last()
    {
        T* overlay = dynamic_cast<T*>(Canvas(4).overlays.back().get());
        EXPECT_NE(overlay, nullptr);
        return *overlay;
    }
};

TEST_F(MeasureLineTest, ShiftDragMeasuresInMillimetresAndPlacesTheLabel)
{
    gCVSSetMeasureScale(4, 0.5);
    gCVSAddMeasureLine(4);
    auto& line = Last<InteractiveMeasureLine>();
    EXPECT_EQ(line.kind, OverlayMeasureLine);
    gCVSOnLButtonDown(4, shiftDown, {150, 150}); // rubber band from image (0, 0)
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {153, 154});
    gCVSOnLButtonUp(4, 0, {153, 154});
    ASSERT_EQ(line.imagePoints.size(), 2u);
    EXPECT_DOUBLE_EQ(line.imagePoints[1].x, 3.0);
    EXPECT_DOUBLE_EQ(line.imagePoints[1].y, 4.0);
    EXPECT_EQ(line.GetText(), L"长度 = 2.500 mm");
    // Label corner at midpoint (151, 152) + (100, -100), box grown by 3.
    EXPECT_EQ(line.label.displayRect.left, 248);
    EXPECT_EQ(line.label.displayRect.top, 49);

    // The scale of an existing line stays as it was made.
    gCVSSetMeasureScale(4, 2.0);
    gCVSOnMouseMove(4, 0, {200, 200});
    EXPECT_EQ(line.GetText(), L"长度 = 2.500 mm");
    gCVSAddMeasureLine(4);
    EXPECT_DOUBLE_EQ(Last<InteractiveMeasureLine>().measureScale, 2.0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MeasureLineTest, DraggingTheLabelLeavesTheLineWhereItIs)
{
    gCVSAddMeasureLine(4);
    auto& line = Last<InteractiveMeasureLine>();
    gCVSOnLButtonDown(4, shiftDown, {150, 150});
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {180, 190});
    gCVSOnLButtonUp(4, 0, {180, 190});
    const std::vector<PointTemplateBase<double>> placed = line.imagePoints;
    const plat::Rect label = line.label.displayRect;
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {label.left + 5, label.top + 5});
    EXPECT_EQ(Canvas(4).selectedIndex, 0);
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {label.left + 45, label.top + 25});
    gCVSOnLButtonUp(4, 0, {label.left + 45, label.top + 25});
    ASSERT_EQ(line.imagePoints.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_DOUBLE_EQ(line.imagePoints[i].x, placed[i].x);
        EXPECT_DOUBLE_EQ(line.imagePoints[i].y, placed[i].y);
    }
    EXPECT_EQ(line.label.displayRect.left, label.left + 40);
    EXPECT_EQ(line.label.displayRect.top, label.top + 20);
    EXPECT_EQ(line.GetText(), L"长度 = 50.000 mm");

    // Dragging the line by its midpoint leaves the label where it was put.
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {165, 170});
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {175, 170});
    gCVSOnLButtonUp(4, 0, {175, 170});
    EXPECT_DOUBLE_EQ(line.imagePoints[0].x, 10.0);
    EXPECT_DOUBLE_EQ(line.imagePoints[1].x, 40.0);
    EXPECT_EQ(line.label.displayRect.left, label.left + 40);
}

TEST_F(MeasureLineTest, DrawsLineLabelAndDottedConnector)
{
    gCVSAddMeasureLine(4);
    gCVSOnLButtonDown(4, shiftDown, {150, 200});
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {160, 200});
    gCVSOnLButtonUp(4, 0, {160, 200});
    gCVSOnDraw(4, nullptr);
    // The selected line is red (COLORREF 0x0000FF), on a grey 200 image.
    EXPECT_EQ(Rgb(*window, 152, 200), 0xFF0000u);
    // The label box is white and holds black text.
    auto& line = Last<InteractiveMeasureLine>();
    const plat::Rect box = line.label.displayRect;
    int black = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            black += Rgb(*window, x, y) == 0;
    EXPECT_GT(black, 10);
    // Connector from the midpoint (155, 200) towards the box: black dots,
    // roughly every other pixel, between line and label.
    int dots = 0;
    for (int y = box.bottom + 2; y < 195; ++y)
        for (int x = 156; x < box.left; ++x)
            dots += Rgb(*window, x, y) == 0;
    EXPECT_GE(dots, 15);
    EXPECT_LE(dots, 80);
}

TEST_F(MeasureLineTest, ThreePointAngleReadsDegreesAtTheVertex)
{
    gCVSAddMeasureAngle3Pts(4);
    ShiftClicks({{150, 150}, {160, 150}, {150, 160}}); // image (0,0), (10,0), (0,10)
    auto& angle = Last<InteractiveMeasureAngle3Pts>();
    ASSERT_EQ(angle.imagePoints.size(), 3u);
    EXPECT_EQ(angle.GetText(), L"角度 = 90.000 度");

    // Dragging the third handle onto the first arm's far side: 180 degrees.
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {150, 160});
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {140, 150});
    gCVSOnLButtonUp(4, 0, {140, 150});
    EXPECT_EQ(angle.GetText(), L"角度 = 180.000 度");
    // A fourth Shift-click starts a new angle (limit 3): no reading until
    // three points exist again.
    ShiftClicks({{170, 170}});
    EXPECT_EQ(angle.imagePoints.size(), 1u);
}

TEST_F(MeasureLineTest, ThreePointAngleWithACollapsedArmReadsZeroNotNan)
{
    gCVSAddMeasureAngle3Pts(4);
    auto& angle = Last<InteractiveMeasureAngle3Pts>();
    // Clicks cannot stack two points (the second lands on a handle), but
    // code can.
    angle.imagePoints = {{0, 0}, {0, 0}, {10, 0}};
    angle.OnViewChanged();
    gCVSOnMouseMove(4, 0, {200, 200});
    EXPECT_EQ(angle.GetText(), L"角度 = 0.000 度");
}

TEST_F(MeasureLineTest, FourPointAngleMeetsAtTheIntersection)
{
    gCVSAddMeasureAngle4Pts(4);
    auto& angle = Last<InteractiveMeasureAngle4Pts>();
    // Line y = 0 and line x = 5: they cross at image (5, 0), client (155, 150).
    ShiftClicks({{150, 150}, {160, 150}, {155, 155}, {155, 170}});
    EXPECT_EQ(angle.GetText(), L"角度 = 90.000 度");
    EXPECT_EQ(angle.intersection, (plat::Point{155, 150}));
    EXPECT_EQ(angle.marker, (plat::Rect{151, 146, 159, 154}));

    // Line y = x + 10 against y = 0: they cross at x = -10 under 45 degrees.
    gCVSAddMeasureAngle4Pts(4);
    auto& slanted = Last<InteractiveMeasureAngle4Pts>();
    ShiftClicks({{150, 150}, {160, 150}, {150, 160}, {160, 170}});
    EXPECT_EQ(slanted.GetText(), L"角度 = 45.000 度");
    EXPECT_EQ(slanted.intersection, (plat::Point{140, 150}));
}

TEST_F(MeasureLineTest, ParallelLinesSaySoAndDrawNoMarker)
{
    gCVSAddMeasureAngle4Pts(4);
    auto& angle = Last<InteractiveMeasureAngle4Pts>();
    ShiftClicks({{150, 150}, {190, 150}, {150, 170}, {190, 170}});
    EXPECT_TRUE(angle.parallel);
    EXPECT_EQ(angle.GetText(), L"两直线平行");
    EXPECT_FALSE(hasNan(angle.GetText()));
    gCVSOnDraw(4, nullptr);
    // Nothing red around the start-up intersection (100, 100).
    for (int y = 94; y < 107; ++y)
        for (int x = 94; x < 107; ++x)
            ASSERT_NE(Rgb(*window, x, y), 0xFF0000u) << x << "," << y;

    // The same line twice is parallel too; bringing the lines to cross
    // again gives a reading.
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {190, 170});
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {190, 190});
    gCVSOnLButtonUp(4, 0, {190, 190});
    EXPECT_FALSE(angle.parallel);
    EXPECT_EQ(angle.GetText(), L"角度 = 26.565 度");

    // Nearly parallel: they meet far off to the left, at a small angle.
    gCVSAddMeasureAngle4Pts(4);
    auto& narrow = Last<InteractiveMeasureAngle4Pts>();
    ShiftClicks({{150, 150}, {190, 150}, {150, 155}, {190, 156}});
    EXPECT_EQ(narrow.intersection, (plat::Point{-50, 150}));
    EXPECT_EQ(narrow.GetText(), L"角度 = 1.432 度");
}
