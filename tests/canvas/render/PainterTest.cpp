#include "CanvasFixture.h"

#include "pixorama/canvo/GdiPainter.h"

namespace {

int countPixels(const plat::DibBitmap& s, unsigned rgb)
{
    int n = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            n += (s.pixelAt(x, y) & 0xFFFFFF) == rgb;
    return n;
}

} // namespace

TEST(GdiPainter, OutlinesAreHollowAndOnePixelWide)
{
    plat::DibBitmap s(40, 30, 0x101010);
    plat::Dc dc(s);
    GdiPainter painter;
    painter.Line({0, 0}, {5, 0}, plat::Pen::Solid, plat::ColorRef{0x0000FF}); // red
    painter.Bind(&dc);
    painter.Line({0, 0}, {5, 0}, plat::Pen::Solid, plat::ColorRef{0x0000FF});
    EXPECT_EQ(countPixels(s, 0xFF0000), 5); // the end point is not drawn
    painter.HollowRect({10, 10, 20, 16}, plat::ColorRef{0x00FF00});
    EXPECT_EQ(s.pixelAt(10, 12) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(s.pixelAt(19, 15) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(s.pixelAt(15, 13) & 0xFFFFFF, 0x101010u); // hollow
    EXPECT_EQ(countPixels(s, 0x00FF00), 2 * 10 + 2 * 4);
    painter.ClosedPolyline({{30, 2}, {36, 2}, {36, 8}}, plat::ColorRef{0xFF0000}); // blue
    EXPECT_EQ(s.pixelAt(33, 5) & 0xFFFFFF, 0x0000FFu); // the closing diagonal
    painter.HollowEllipse({0, 20, 9, 29}, plat::ColorRef{0xFFFFFF});
    EXPECT_EQ(s.pixelAt(4, 24) & 0xFFFFFF, 0x101010u);
    EXPECT_GT(countPixels(s, 0xFFFFFF), 16);
}

TEST(GdiPainter, TextOnAWhiteBoxOrTransparent)
{
    plat::DibBitmap s(200, 60, 0x404040);
    plat::Dc dc(s);
    GdiPainter painter;
    painter.Bind(&dc);
    painter.SelectFont(18, plat::ColorRef{0}, plat::TRANSPARENT);
    painter.TextInRect(L"长度 = 2.500 mm", {10, 10, 150, 30});
    // The box grows by 3 on every side and is white behind dark text.
    EXPECT_EQ(s.pixelAt(7, 7) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(s.pixelAt(152, 32) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(s.pixelAt(6, 7) & 0xFFFFFF, 0x404040u);
    int dark = 0;
    for (int y = 7; y < 33; ++y)
        for (int x = 7; x < 153; ++x)
            dark += (s.pixelAt(x, y) & 0xFF) < 0x80;
    EXPECT_GT(dark, 20);

    painter.TextAt(L"x", {170, 40});
    int blue = 0;
    for (int y = 38; y < 60; ++y)
        for (int x = 168; x < 200; ++x) {
            const unsigned p = s.pixelAt(x, y);
            blue += (p & 0xFF) > 0x80 && (p >> 16 & 0xFF) < 0x60;
        }
    EXPECT_GT(blue, 0);
}

TEST_F(CanvasTest, OverlaysWithoutAViewOrBitmapSaySo)
{
    InteractiveMPoint loose;
    loose.imagePoints = {{1, 1}};
    loose.OnViewChanged();
    EXPECT_EQ(loose.displayPoints[0], (plat::Point{0, 0}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"显示信息未提供");

    plat::DibBitmap empty;
    plat::Dc dc(empty);
    EXPECT_FALSE(loose.Draw(&dc));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], L"No bmp");
    EXPECT_EQ(loose.GetText(), L"NULL");
}
