#include "CanvasFixture.h"

#include "pixorama/canvo/CanvasTexts.h"
#include "pixorama/canvo/InteractiveTextML.h"
#include "pixorama/canvo/InteractiveTextRect.h"
#include "pixorama/parlet/DialogDriver.h"

#include <QDialog>

namespace {

struct Counts {
    int white = 0;
    int black = 0;
    int red = 0;
    int other = 0;
};

} // namespace

// Client 400 x 300 over a grey-100 picture of 200 x 200: image (0, 0) is
// client (100, 50).
class TextTest : public CanvasWindowTest<400, 300> {
protected:
    void SetUp() override
    {
        CanvasWindowTest::SetUp();
        ShowGrey(4, 200, 200, 100);
    }

    InteractiveTextRect& LastText()
    {
        auto* text = dynamic_cast<InteractiveTextRect*>(Canvas(4).overlays.back().get());
        EXPECT_NE(text, nullptr);
        return *text;
    }

    // Colours inside r, after a paint.
    Counts Count(const plat::Rect& r)
    {
        Counts c;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const unsigned v = Rgb(*window, x, y);
                if (v == 0xFFFFFF)
                    ++c.white;
                else if (v == 0)
                    ++c.black;
                else if (v == 0xFF0000)
                    ++c.red;
                else
                    ++c.other;
            }
        return c;
    }
};

TEST_F(TextTest, BoxedBlackTextSitsInAWhiteOutlinedBoxAtItsAnchor)
{
    gCVSAddTextOL(4, L"标注 A1", 150, 100, FontBoxedBlack, 0, 0, 0);
    InteractiveTextRect& text = LastText();
    EXPECT_EQ(text.kind, OverlayText);
    EXPECT_EQ(Canvas(4).textCount, 1);
    const plat::Size size = text.GetTextSize();
    EXPECT_GT(size.cx, 20);
    EXPECT_GT(size.cy, 10);
    EXPECT_EQ(text.displayRect, (plat::Rect{147, 97, 153 + size.cx, 103 + size.cy}));
    gCVSOnDraw(4, nullptr);
    // Outline in the selected colour (red), white inside, black glyphs.
    EXPECT_EQ(Rgb(*window, 147, 97), 0xFF0000u);
    const Counts inside = Count({148, 98, 152 + size.cx, 102 + size.cy});
    EXPECT_GT(inside.black, 15);
    EXPECT_GT(inside.white, inside.black);
    // Nothing leaks further than the 3-pixel margin of the white box.
    EXPECT_EQ(Rgb(*window, 143, 93), 0x646464u);
}

TEST_F(TextTest, FontTypesDifferInColourSizeAndBox)
{
    gCVSAddTextOL(4, L"Ab", 120, 80, FontRed, 0, 0, 0);
    const plat::Rect redBox = LastText().displayRect;
    const plat::Size redSize = LastText().GetTextSize();
    gCVSAddTextOL(4, L"Ab", 120, 180, FontCustom, 40, 0x00FF00, plat::OPAQUE);
    const plat::Rect customBox = LastText().displayRect;
    const plat::Size customSize = LastText().GetTextSize();
    EXPECT_GT(customSize.cy, redSize.cy); // 40 pixels against 22
    EXPECT_GT(customSize.cx, redSize.cx);
    gCVSOnDraw(4, nullptr);

    const Counts red = Count(redBox);
    EXPECT_GT(red.red, 5);
    EXPECT_EQ(red.white, 0); // no box: type 2 draws on the image
    EXPECT_EQ(red.black, 0);
    const Counts custom = Count(customBox);
    EXPECT_GT(custom.white, 0); // opaque mode: white box
    int green = 0;
    for (int y = customBox.top; y < customBox.bottom; ++y)
        for (int x = customBox.left; x < customBox.right; ++x)
            green += Rgb(*window, x, y) == 0x00FF00u;
    EXPECT_GT(green, 10);
    // Transparent custom text: no box.
    gCVSAddTextOL(4, L"Ab", 250, 180, FontCustom, 40, 0x00FF00, plat::TRANSPARENT);
    const plat::Rect clear = LastText().displayRect;
    gCVSOnDraw(4, nullptr);
    EXPECT_EQ(Count(clear).white, 0);
}

TEST_F(TextTest, ImageAnchoredTextFollowsZoomButKeepsItsPixelSize)
{
    gCVSSetCanvasMoveMode(4, DisplayZoomCentre);
    gCVSOnMouseWheel(4, plat::MK_CONTROL, 120, {200, 150});
    const plat::Rect shown = gCVSGetCanvasRegion(4);
    gCVSAddTextOLV2(4, L"origin", 0, 0, FontBoxedBlack, 0, 0, 0);
    InteractiveTextRect& text = LastText();
    EXPECT_EQ(text.anchor, (plat::Point{shown.left, shown.top}));
    const int width = text.displayRect.width();

    gCVSAddTextOLV2(4, L"origin", 50, 20, FontBoxedBlack, 0, 0, 0);
    InteractiveTextRect& inner = LastText();
    gCVSOnMouseWheel(4, plat::MK_CONTROL, -120, {200, 150});
    gCVSOnMouseWheel(4, plat::MK_CONTROL, -120, {200, 150});
    const plat::Rect after = gCVSGetCanvasRegion(4);
    EXPECT_EQ(text.anchor, (plat::Point{after.left, after.top}));
    EXPECT_EQ(text.displayRect.width(), width);
    plat::Point expected;
    gCVSGetDisplayPt(4, 50.0, 20.0, expected);
    EXPECT_EQ(inner.anchor, expected);
}

TEST_F(TextTest, MeasuringAddsNothingAndMatchesTheAddedBox)
{
    const plat::Rect measured = gCVSGetTextRectOL(4, L"长度 = 12.5 mm", 10, 10, FontLargeBlack, 0, 0, 0);
    EXPECT_TRUE(Canvas(4).overlays.empty());
    EXPECT_EQ(Canvas(4).textCount, 0);
    EXPECT_EQ(measured.left, 0);
    EXPECT_EQ(measured.top, 0);
    gCVSAddTextOL(4, L"长度 = 12.5 mm", 10, 10, FontLargeBlack, 0, 0, 0);
    EXPECT_EQ(LastText().GetTextSize(), (plat::Size{measured.right, measured.bottom}));
    const plat::Rect custom = gCVSGetTextRectOL(4, L"长度 = 12.5 mm", 0, 0, FontCustom, 48, 0, 1);
    EXPECT_GT(custom.bottom, measured.bottom);
}

TEST_F(TextTest, DraggingTheBoxMovesItWhole)
{
    gCVSAddTextOL(4, L"drag me", 150, 100, FontBoxedBlack, 0, 0, 0);
    InteractiveTextRect& text = LastText();
    const plat::Rect before = text.displayRect;
    gCVSOnLButtonDown(4, plat::MK_LBUTTON, {152, 102});
    gCVSOnMouseMove(4, plat::MK_LBUTTON, {172, 92});
    gCVSOnLButtonUp(4, 0, {172, 92});
    EXPECT_EQ(text.displayRect, (plat::Rect{before.left + 20, before.top - 10, before.right + 20, before.bottom - 10}));
    // A Shift-click never turns the box into a point list.
    gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, {300, 250});
    EXPECT_EQ(text.imagePoints.size(), 2u);
}

TEST_F(TextTest, DialogTextGoesToTheFixedPlaceAndCancelAddsNothing)
{
    AnswerContentDialog(L"病灶", false);
    gCVSAddTextOL(4);
    EXPECT_TRUE(Canvas(4).overlays.empty());
    AnswerContentDialog(L"病灶", true);
    gCVSAddTextOL(4);
    ASSERT_EQ(Canvas(4).overlays.size(), 1u);
    InteractiveTextRect& text = LastText();
    EXPECT_EQ(text.GetText(), L"病灶");
    EXPECT_EQ(text.fontType, FontBoxedRed);
    EXPECT_EQ(text.anchor, (plat::Point{200, 200}));
    gCVSOnDraw(4, nullptr);
    const plat::Size size = text.GetTextSize();
    EXPECT_GT(Count({199, 199, 201 + size.cx, 201 + size.cy}).red, 10);
}

TEST_F(TextTest, TextWindowSizesItselfToItsLines)
{
    std::vector<CString> lines{L"第一行", L"a much longer second line", L"3"};
    gCVSAddTextML(4, lines, 20, 30);
    auto* window14 = dynamic_cast<InteractiveTextML*>(Canvas(4).overlays.back().get());
    ASSERT_NE(window14, nullptr);
    EXPECT_EQ(window14->kind, OverlayPassiveWindow);
    EXPECT_EQ(Canvas(4).textCount, 0);
    EXPECT_EQ(Canvas(4).overlayTotal, 1);
    EXPECT_EQ(window14->displayRect.width(), 0);
    gCVSOnDraw(4, nullptr);
    const plat::Rect r = window14->displayRect;
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 30);
    const plat::Rect longest = gCVSGetTextRectOL(4, lines[1], 0, 0, FontCustom, 20, 0, 1);
    EXPECT_EQ(r.width(), longest.right + 10);
    EXPECT_EQ(r.height(), 5 + 3 * (longest.bottom + 5));
    int red = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            red += Rgb(*window, x, y) == 0xFF0000u;
    EXPECT_GT(red, 20);
}
