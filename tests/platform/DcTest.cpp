#include "pixorama/platform/Dc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plat;

namespace {

constexpr Pixel white = 0xFFFFFF;

// The window-coordinate box of every pixel that is not white.
Rect inkBounds(const DibBitmap& s)
{
    Rect box{s.width(), s.height(), 0, 0};
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if ((s.pixelAt(x, y) & 0xFFFFFF) == white)
                continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    return box;
}

int inkCount(const DibBitmap& s, const Rect& r)
{
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            count += (s.pixelAt(x, y) & 0xFFFFFF) != white;
    return count;
}

// Row y of the surface as a string: '#' ink, '.' white.
std::string picture(const DibBitmap& s, int y)
{
    std::string out;
    for (int x = 0; x < s.width(); ++x)
        out += (s.pixelAt(x, y) & 0xFFFFFF) == white ? '.' : '#';
    return out;
}

// Every row of the surface, from the top, as picture draws them.
std::vector<std::string> pictureRows(const DibBitmap& s)
{
    std::vector<std::string> rows;
    for (int y = 0; y < s.height(); ++y)
        rows.push_back(picture(s, y));
    return rows;
}

} // namespace

TEST(Dc, LineAtWindowRowZeroLandsInTheLastMemoryRow)
{
    DibBitmap s(8, 5, white);
    Dc dc(s);
    dc.selectPen({Pen::Solid, 1, rgb(0, 0, 0)});
    dc.line({1, 0}, {6, 0});
    EXPECT_EQ(s.row(4)[1] & 0xFFFFFF, 0u);
    EXPECT_EQ(picture(s, 0), ".#####..");
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(s.row(r)[1] & 0xFFFFFF, white) << r;
}

TEST(Dc, LinesCoverTheStartAndStopBeforeTheEnd)
{
    DibBitmap s(6, 6, white);
    Dc dc(s);
    dc.selectPen({Pen::Solid, 1, rgb(0, 0, 0)});
    dc.moveTo({0, 5});
    dc.lineTo({0, 1}); // upwards
    dc.lineTo({4, 5}); // diagonal, continues from the current position
    const std::vector<std::string> drawn = {
        "......", //
        "#.....", //
        "##....", //
        "#.#...", //
        "#..#..", //
        "#.....", //
    };
    EXPECT_EQ(pictureRows(s), drawn);
}

TEST(Dc, DottedPenRunsThreeOnThreeOff)
{
    DibBitmap s(12, 1, white);
    Dc dc(s);
    dc.setBkMode(TRANSPARENT);
    dc.selectPen({Pen::Dot, 1, rgb(0, 0, 0)});
    dc.line({0, 0}, {12, 0});
    EXPECT_EQ(picture(s, 0), "###...###...");

    dc.setBkMode(OPAQUE);
    dc.setBkColor(rgb(0, 255, 0));
    dc.line({0, 0}, {12, 0});
    EXPECT_EQ(s.pixelAt(3, 0) & 0xFFFFFF, pixelOf(0, 255, 0));
    EXPECT_EQ(s.pixelAt(0, 0) & 0xFFFFFF, 0u);
}

TEST(Dc, RectangleOutlinesItsBorderAndFillsInside)
{
    DibBitmap s(10, 8, white);
    Dc dc(s);
    dc.selectPen({Pen::Solid, 1, rgb(255, 0, 0)});
    dc.selectBrush({Brush::Solid, rgb(0, 0, 255)});
    dc.rectangle({2, 1, 7, 6});
    EXPECT_EQ(inkBounds(s), (Rect{2, 1, 7, 6}));
    EXPECT_EQ(dc.getPixel({2, 1}), rgb(255, 0, 0));
    EXPECT_EQ(dc.getPixel({6, 5}), rgb(255, 0, 0));
    EXPECT_EQ(dc.getPixel({3, 2}), rgb(0, 0, 255));
    EXPECT_EQ(dc.getPixel({5, 4}), rgb(0, 0, 255));

    s.fill(white);
    dc.selectBrush({Brush::Hollow, {}});
    dc.selectPen({Pen::Solid, 2, rgb(0, 0, 0)});
    dc.rectangle({1, 1, 9, 7});
    EXPECT_EQ(inkBounds(s), (Rect{1, 1, 9, 7}));
    EXPECT_EQ(inkCount(s, {3, 3, 7, 5}), 0); // hollow inside the 2-pixel pen
    EXPECT_EQ(inkCount(s, {1, 1, 9, 3}), 16);

    s.fill(white);
    dc.selectPen({Pen::Null, 1, {}});
    dc.selectBrush({Brush::Solid, rgb(0, 0, 0)});
    dc.rectangle({0, 0, 3, 2});
    EXPECT_EQ(inkBounds(s), (Rect{0, 0, 3, 2}));
    EXPECT_EQ(inkCount(s, {0, 0, 10, 8}), 6);
}

TEST(Dc, EllipseTouchesEverySideOfItsRectangle)
{
    for (const Rect r : {Rect{1, 2, 11, 8}, Rect{0, 0, 7, 5}, Rect{3, 1, 5, 10}, Rect{2, 2, 3, 3}}) {
        DibBitmap s(14, 12, white);
        Dc dc(s);
        dc.selectPen({Pen::Solid, 1, rgb(0, 0, 0)});
        dc.selectBrush({Brush::Solid, rgb(0, 200, 0)});
        dc.ellipse(r);
        EXPECT_EQ(inkBounds(s), r) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    // Corners stay outside; the centre gets the brush, the rim the pen.
    DibBitmap s(12, 12, white);
    Dc dc(s);
    dc.selectPen({Pen::Solid, 1, rgb(0, 0, 0)});
    dc.selectBrush({Brush::Solid, rgb(0, 200, 0)});
    dc.ellipse({1, 1, 11, 11});
    EXPECT_EQ(dc.getPixel({1, 1}), rgb(255, 255, 255));
    EXPECT_EQ(dc.getPixel({10, 10}), rgb(255, 255, 255));
    EXPECT_EQ(dc.getPixel({6, 6}), rgb(0, 200, 0));
    EXPECT_EQ(dc.getPixel({1, 6}), rgb(0, 0, 0));
    EXPECT_EQ(dc.getPixel({6, 10}), rgb(0, 0, 0));
    // Symmetric about both centre lines.
    for (int y = 0; y < 12; ++y) {
        EXPECT_EQ(picture(s, y), picture(s, 11 - y)) << y;
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(s.pixelAt(x, y), s.pixelAt(11 - x, y)) << x << "," << y;
    }
}

TEST(Dc, DiagonalCrossBrushHatchesOverTheBackground)
{
    DibBitmap s(8, 8, white);
    Dc dc(s);
    dc.setBkMode(TRANSPARENT);
    dc.fillRect({0, 0, 8, 8}, Brush{Brush::DiagCross, rgb(0, 0, 0)});
    EXPECT_EQ(picture(s, 0), "#.......");
    EXPECT_EQ(picture(s, 1), ".#.....#");
    EXPECT_EQ(picture(s, 4), "....#...");
    dc.setBkMode(OPAQUE);
    dc.setBkColor(rgb(1, 2, 3));
    dc.fillRect({0, 0, 8, 8}, Brush{Brush::DiagCross, rgb(0, 0, 0)});
    EXPECT_EQ(dc.getPixel({1, 0}), rgb(1, 2, 3));
}

TEST(Dc, PolygonFillsPixelsWhoseCentresAreInside)
{
    DibBitmap s(8, 8, white);
    Dc dc(s);
    dc.selectPen({Pen::Null, 1, {}});
    dc.selectBrush({Brush::Solid, rgb(0, 0, 0)});
    dc.polygon({{1, 1}, {7, 1}, {7, 4}, {1, 4}});
    EXPECT_EQ(inkBounds(s), (Rect{1, 1, 7, 4}));
    EXPECT_EQ(inkCount(s, {0, 0, 8, 8}), 18);

    s.fill(white);
    // Centres on the slanted right edge stay out, as on Windows.
    dc.polygon({{0, 0}, {8, 0}, {0, 8}});
    EXPECT_EQ(picture(s, 0), "#######.");
    EXPECT_EQ(picture(s, 6), "#.......");
    EXPECT_EQ(picture(s, 7), "........");
}

TEST(Dc, ClipRectLimitsDrawing)
{
    DibBitmap s(8, 4, white);
    Dc dc(s);
    dc.setClipRect(Rect{2, 0, 5, 4});
    dc.fillRect({0, 0, 8, 4}, rgb(0, 0, 0));
    dc.selectPen({Pen::Solid, 1, rgb(0, 0, 0)});
    dc.line({0, 3}, {8, 3});
    EXPECT_EQ(inkBounds(s), (Rect{2, 0, 5, 4}));
    dc.setClipRect(std::nullopt);
    dc.setPixel({7, 3}, rgb(0, 0, 0));
    EXPECT_EQ(dc.getPixel({7, 3}), rgb(0, 0, 0));
    EXPECT_EQ(dc.getPixel({8, 3}).value, CLR_INVALID);
}

TEST(Dc, ColorRefAndPixelKeepTheirOwnByteOrder)
{
    DibBitmap s(1, 1);
    Dc dc(s);
    dc.setPixel({0, 0}, rgb(0x11, 0x22, 0x33));
    EXPECT_EQ(s.bits()[0] & 0xFFFFFF, 0x112233u); // red high in a pixel
    EXPECT_EQ(dc.getPixel({0, 0}).value, 0x332211u); // red low in a COLORREF
}

TEST(Dc, TextIsUprightAndInsideItsRectangle)
{
    DibBitmap s(60, 60, white);
    Dc dc(s);
    dc.selectFont({L"DejaVu Sans", 40, 700});
    dc.setTextColor(rgb(0, 0, 0));
    dc.setBkMode(TRANSPARENT);
    Rect r{5, 5, 55, 55};
    dc.drawText(L"F", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const Rect ink = inkBounds(s);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left, 5);
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.right, 55);
    EXPECT_LE(ink.bottom, 55);
    // An upright F has its bar along the top and a bare stem at the bottom.
    const int topInk = inkCount(s, {ink.left, ink.top, ink.right, ink.top + 4});
    const int bottomInk = inkCount(s, {ink.left, ink.bottom - 4, ink.right, ink.bottom});
    EXPECT_GT(topInk, 2 * bottomInk);
    // Not mirrored left to right either: the bar reaches right, the stem sits left.
    const int mid = (ink.left + ink.right) / 2;
    EXPECT_GT(inkCount(s, {ink.left, ink.top, mid, ink.bottom}), inkCount(s, {mid, ink.top, ink.right, ink.bottom}));
}

TEST(Dc, TextCentredTextAndCalcRect)
{
    DibBitmap s(100, 40, white);
    Dc dc(s);
    dc.selectFont({L"DejaVu Sans", 16, 400});
    Rect calc{10, 10, 10, 10};
    const int height = dc.drawText(L"Hello", calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(inkCount(s, {0, 0, 100, 40}), 0); // measuring draws nothing
    EXPECT_GT(calc.width(), 20);
    EXPECT_EQ(calc.left, 10);
    EXPECT_EQ(calc.height(), height);
    EXPECT_EQ(dc.textExtent(L"Hello").cx, calc.width());

    Rect two{0, 0, 0, 0};
    dc.drawText(L"a\nb", two, DT_CALCRECT);
    EXPECT_GT(two.height(), calc.height());

    dc.setBkMode(TRANSPARENT);
    Rect box{0, 0, 100, 40};
    dc.drawText(L"Hello", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const Rect ink = inkBounds(s);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 50, 3);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 20, 4);

    s.fill(white);
    dc.setBkMode(OPAQUE);
    dc.setBkColor(rgb(0, 0, 255));
    dc.textOut(2, 2, L"x");
    EXPECT_EQ(dc.getPixel({2, 2}), rgb(0, 0, 255)); // the cell behind the glyph
}
