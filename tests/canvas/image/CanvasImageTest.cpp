#include "CanvasFixture.h"

#include <cmath>
#include <limits>

namespace {

// Grey level of the display pixel for image point (x, y).
int displayGrey(int id, int x, int y)
{
    const unsigned p = gCVSGetCanvasPixelPtr(id)[(gCVSGetCanvasHeight(id) - 1 - y) * gCVSGetCanvasWidth(id) + x];
    EXPECT_EQ(p & 0xFF, p >> 8 & 0xFF);
    EXPECT_EQ(p & 0xFF, p >> 16 & 0xFF);
    return int(p & 0xFF);
}

} // namespace

TEST_F(CanvasTest, FloatImageIsRescaledAndWindowed)
{
    Window(4, 64, 64);
    // 0, 10, ..., 1000 along x; rows differ by nothing.
    auto image = FloatImage(101, 3, [](int x, int) { return x * 10; });
    gCVSShowRawFloat(4, image, true, true);
    EXPECT_EQ(gCVSGetFileType(4), FileFloat);
    const ClassData2DIO<float>& working = gCVSGetRaw(4);
    ASSERT_EQ(working.width, 101);
    EXPECT_FLOAT_EQ(working.rows[0][0], 0.0f);
    EXPECT_FLOAT_EQ(working.rows[0][100], 65535.0f);
    EXPECT_FLOAT_EQ(working.rows[2][50], 500.0f * (65535.0f / 1000.0f));
    EXPECT_FLOAT_EQ(gCVSGetRawOri(4).rows[1][37], 370.0f); // kept as given
    EXPECT_EQ(gCVSGetRawPtr2D(4)[1], gCVSGetRawPtr1D(4) + 101);
    // Full window at first.
    EXPECT_EQ(Canvas(4).lut.low, 0);
    EXPECT_EQ(Canvas(4).lut.high, 65535);
    EXPECT_EQ(displayGrey(4, 100, 0), 255);
    EXPECT_EQ(displayGrey(4, 50, 1), 127); // 32767 * 255 / 65535

    gCVSSetLutPara(4, 0.25f, 0.5f);
    EXPECT_EQ(Canvas(4).lut.low, 16383);  // trunc(16383.75)
    EXPECT_EQ(Canvas(4).lut.high, 32767); // trunc(32767.5)
    EXPECT_EQ(displayGrey(4, 25, 0), 0);   // 250 -> 16383.75: at the low end
    EXPECT_EQ(displayGrey(4, 50, 2), 255); // 500 -> 32767.5: past the high end
    // 400 -> 26214: (26214 - 16383) * 255 / 16384 = 153.0...
    EXPECT_EQ(displayGrey(4, 40, 1), int((26214 - 16383) * 255.0 / (32767 - 16383)));

    // A window with right <= left keeps the last one.
    gCVSSetLutPara(4, 0.6f, 0.6f);
    EXPECT_EQ(Canvas(4).lut.low, 16383);
    EXPECT_EQ(Canvas(4).lut.high, 32767);
}

TEST_F(CanvasTest, FloatImageRowsLandBottomUp)
{
    Window(0, 20, 20);
    auto image = FloatImage(3, 4, [](int, int y) { return y == 0 ? 100 : 0; });
    gCVSShowRawFloat(0, image.data, 3, 4, false, true);
    unsigned** rows = gCVSCreateCanvasPixelPtr2D(0);
    EXPECT_EQ(rows[3][1] & 0xFFFFFF, 0xFFFFFFu); // image row 0 is memory row 3
    EXPECT_EQ(rows[0][1] & 0xFFFFFF, 0u);
    gCVSReleaseCanvasPixelPtr2D(0);
}

TEST_F(CanvasTest, TrueExtremesAreFoundBeyondTenMillion)
{
    Window(1, 20, 20);
    auto image = FloatImage(4, 1, [](int x, int) { return std::array<double, 4>{-3e7, 0.0, 1e7, 5e7}[x]; });
    image.rows[0][1] = std::numeric_limits<float>::quiet_NaN();
    gCVSShowRawFloat(1, image, true, true);
    const float* w = gCVSGetRawPtr1D(1);
    EXPECT_EQ(w[0], 0.0f);
    EXPECT_EQ(w[3], 65535.0f);
    EXPECT_FLOAT_EQ(w[2], 4e7f * (65535.0f / 8e7f));
    EXPECT_TRUE(std::isnan(w[1]));
    EXPECT_EQ(displayGrey(1, 0, 0), 0);
    EXPECT_EQ(displayGrey(1, 1, 0), 0); // NaN maps like 0
    EXPECT_EQ(displayGrey(1, 3, 0), 255);

    // Infinities do not flatten the finite values.
    auto withInf = FloatImage(3, 1, [](int x, int) { return std::array<double, 3>{0.0, 10.0, 20.0}[x]; });
    withInf.rows[0][2] = std::numeric_limits<float>::infinity();
    gCVSShowRawFloat(1, withInf, false, true);
    EXPECT_EQ(gCVSGetRawPtr1D(1)[1], 65535.0f);
    EXPECT_EQ(gCVSGetRawPtr1D(1)[2], 65535.0f);
}

TEST_F(CanvasTest, ConstantImageKeepsItsValues)
{
    Window(2, 20, 20);
    auto image = FloatImage(3, 2, [](int, int) { return 65536 + 300; });
    gCVSShowRawFloat(2, image, false, true);
    EXPECT_EQ(gCVSGetRawPtr1D(2)[4], 65836.0f);
    // The LUT index is the low 16 bits: 300 -> 300 * 255 / 65535 = 1.
    EXPECT_EQ(displayGrey(2, 1, 1), 1);
}

TEST_F(CanvasTest, ShowingTheCanvasOwnRawWorks)
{
    Window(3, 20, 20);
    auto image = FloatImage(5, 4, [](int x, int y) { return x + 10 * y; });
    gCVSShowRawFloat(3, image, true, true);
    // Callers process the working raw in place and show it again.
    gCVSGetRawPtr2D(3)[0][0] = 131070.0f;
    gCVSShowRawFloat(3, gCVSGetRaw(3), true, false);
    EXPECT_EQ(gCVSGetRaw(3).rows[0][0], 65535.0f);
    EXPECT_EQ(gCVSGetRawOri(3).rows[0][0], 131070.0f);
    EXPECT_EQ(gCVSGetRawOri(3).rows[3][4], 65535.0f);
    // And the ori raw through the pointer form.
    gCVSShowRawFloat(3, gCVSGetRawOriPtr1D(3), 5, 4, true, true);
    EXPECT_EQ(gCVSGetRawOri(3).rows[0][0], 131070.0f);
    EXPECT_EQ(gCVSGetRaw(3).rows[0][0], 65535.0f);
    EXPECT_EQ(gCVSGetRaw(3).rows[0][1], 0.0f);

    // A block that overlaps a raw without being it is read before anything
    // is overwritten: rows 1..3 of the ori raw as a new 5 x 3 image.
    const float first = gCVSGetRawOri(3).rows[1][0];
    const float last = gCVSGetRawOri(3).rows[3][4];
    gCVSShowRawFloat(3, gCVSGetRawOriPtr1D(3) + 5, 5, 3, true, true);
    ASSERT_EQ(gCVSGetRawOri(3).height, 3);
    EXPECT_EQ(gCVSGetRawOri(3).rows[0][0], first);
    EXPECT_EQ(gCVSGetRawOri(3).rows[2][4], last);
}

TEST_F(CanvasTest, BadImagesChangeNothing)
{
    Window(0, 20, 20);
    auto image = FloatImage(4, 3, [](int x, int) { return x; });
    gCVSShowRawFloat(0, image, true, true);
    AddPoints(0, {{0, 0}, {2, 0}, {2, 2}});
    ClassData2DIO<float> empty;
    ClassData2DIO<unsigned char> emptyGrey;
    unsigned char pixels[4] = {1, 2, 3, 4};
    gCVSShowRawFloat(0, empty, true, true);
    gCVSShowRawFloat(0, nullptr, 4, 4, true, true);
    gCVSShowRawFloat(0, image.data, 0, 3, true, true);
    gCVSShowRawFloat(0, image.data, -4, 3, true, true);
    gCVSShowRawFloat(0, image.data, 65536, 65536, true, true); // more pixels than an int counts
    gCVSShowUCGray(0, emptyGrey, true);
    gCVSShowUCGray(0, pixels, 2, -2, true);
    gCVSShowUCColor(0, pixels, pixels, nullptr, 2, 2, true);
    ClassData2DIO<unsigned char> a, b;
    a.SetDim(2, 2);
    b.SetDim(2, 3);
    gCVSShowUCColor(0, a, a, b, true); // planes of different sizes
    EXPECT_EQ(gCVSGetFileType(0), FileFloat);
    EXPECT_EQ(gCVSGetCanvasWidth(0), 4);
    EXPECT_EQ(gCVSGetRaw(0).width, 4);
    EXPECT_EQ(gCVSGetRawOri(0).rows[0][3], 3.0f);
    EXPECT_EQ(Canvas(0).overlays.size(), 1u);
}

TEST_F(CanvasTest, WindowChangeInsideTheSelectedRegionOnly)
{
    Window(4, 64, 64);
    auto image = FloatImage(20, 20, [](int x, int) { return x * 100; }); // 0..1900
    gCVSShowRawFloat(4, image, true, true);
    const int before = displayGrey(4, 5, 5);
    // Polygon over image columns 2..8, rows 3..9 (boundary included).
    AddPoints(4, {{2, 3}, {8, 3}, {8, 9}, {2, 9}});
    gCVSSetLutPara(4, 0.0f, 0.1f);
    EXPECT_EQ(displayGrey(4, 5, 5), 255); // inside: 500 is past 10 %
    EXPECT_EQ(displayGrey(4, 2, 3), 255); // corner
    EXPECT_EQ(displayGrey(4, 8, 9), 255);
    EXPECT_EQ(displayGrey(4, 5, 10), before); // below: unchanged
    EXPECT_EQ(displayGrey(4, 9, 5), displayGrey(4, 9, 12));
    EXPECT_EQ(displayGrey(4, 1, 5), 13); // left: the full window still
    // The label image marks the region bottom-up with ordinal + 1.
    ClassData2DIO<int>& label = Canvas(4).LabelImage();
    EXPECT_EQ(label.rows[20 - 1 - 3][2], 1);
    EXPECT_EQ(label.rows[20 - 1 - 2][2], 0);

    // Nothing selected: the window applies everywhere.
    gCVSOnLButtonDown(4, 0, {0, 0});
    ASSERT_EQ(Canvas(4).selectedIndex, -1);
    gCVSSetLutPara(4, 0.0f, 0.1f);
    EXPECT_EQ(displayGrey(4, 5, 12), 255);
    EXPECT_EQ(Canvas(4).LabelImage().rows[0][0], 1);

    // A selected overlay that is no region: nothing changes.
    AddPoints(4, {{0, 0}, {1, 0}, {1, 1}}, OverlayMeasureLine);
    gCVSSetLutPara(4, 0.5f, 1.0f);
    EXPECT_EQ(displayGrey(4, 19, 19), 255);
    EXPECT_EQ(displayGrey(4, 5, 12), 255);
    EXPECT_EQ(Canvas(4).LabelImage().rows[0][0], 0);
}

TEST_F(CanvasTest, PicturesArePaintedDirectly)
{
    Window(2, 30, 30);
    ClassData2DIO<unsigned char> grey;
    grey.SetDim(3, 2);
    grey.rows[0][2] = 77;
    grey.rows[1][0] = 200;
    gCVSShowUCGray(2, grey, true);
    EXPECT_EQ(gCVSGetFileType(2), FilePicture8);
    EXPECT_TRUE(gCVSGetRaw(2).IsEmpty());
    EXPECT_EQ(displayGrey(2, 2, 0), 77);
    EXPECT_EQ(displayGrey(2, 0, 1), 200);
    // The window belongs to float images only.
    gCVSSetLutPara(2, 0.5f, 0.6f);
    EXPECT_EQ(displayGrey(2, 2, 0), 77);

    unsigned char r[4] = {255, 0, 0, 10};
    unsigned char g[4] = {0, 255, 0, 20};
    unsigned char b[4] = {0, 0, 255, 30};
    gCVSShowUCColor(2, r, g, b, 2, 2, true);
    EXPECT_EQ(gCVSGetFileType(2), FilePicture8);
    unsigned** rows = gCVSCreateCanvasPixelPtr2D(2);
    EXPECT_EQ(rows[1][0] & 0xFFFFFF, 0xFF0000u); // image (0, 0): red
    EXPECT_EQ(rows[1][1] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(rows[0][0] & 0xFFFFFF, 0x0000FFu); // image (0, 1): blue
    EXPECT_EQ(rows[0][1] & 0xFFFFFF, 0x0A141Eu);
    gCVSReleaseCanvasPixelPtr2D(2);
}

TEST_F(CanvasTest, PixelQueries)
{
    Window(1, 40, 40); // 10 x 10 image at (15, 15)
    auto image = FloatImage(10, 10, [](int x, int y) { return x * 1.5 + y * 100; });
    gCVSShowRawFloat(1, image, true, true);
    EXPECT_FLOAT_EQ(gCVSGetImaPixelValue(1, {15 + 4, 15 + 7}), 706.0f);
    // Outside the image: the nearest border pixel.
    EXPECT_FLOAT_EQ(gCVSGetImaPixelValue(1, {0, 0}), 0.0f);
    EXPECT_FLOAT_EQ(gCVSGetImaPixelValue(1, {39, 20}), 9 * 1.5f + 500);
    gCVSSetFileType(1, FileRawOther);
    EXPECT_FLOAT_EQ(gCVSGetImaPixelValue(1, {15 + 4, 15 + 7}), 706.0f);

    // Shown without the original: nothing to read.
    gCVSShowRawFloat(1, image, false, true);
    EXPECT_EQ(gCVSGetImaPixelValue(1, {15 + 4, 15 + 7}), -1.0f);
    gCVSSetFileType(1, FileNothing);
    EXPECT_EQ(gCVSGetImaPixelValue(1, {15, 15}), -1.0f);

    // Pictures: the grey level, exactly, for every level; colour by luma.
    ClassData2DIO<unsigned char> grey;
    grey.SetDim(256, 1);
    for (int x = 0; x < 256; ++x)
        grey.rows[0][x] = static_cast<unsigned char>(x);
    gCVSShowUCGray(1, grey, true);
    const plat::Rect d = gCVSGetCanvasRegion(1);
    int wrong = 0;
    for (int x = 0; x < 256; ++x)
        wrong += gCVSGetImaPixelValue(1, {d.left + x, d.top}) != float(x);
    EXPECT_EQ(wrong, 0);
    unsigned char r = 200, g = 100, b = 50;
    gCVSShowUCColor(1, &r, &g, &b, 1, 1, true);
    EXPECT_EQ(gCVSGetImaPixelValue(1, {0, 0}), float((100 * 587 + 200 * 299 + 50 * 114) / 1000));
}
