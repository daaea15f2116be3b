#include "pixorama/common/QEVMAPIMA.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

tagStructRGBA rgba(int r, int g, int b, int a)
{
    tagStructRGBA c;
    c.red = static_cast<unsigned char>(r);
    c.green = static_cast<unsigned char>(g);
    c.blue = static_cast<unsigned char>(b);
    c.alpha = static_cast<unsigned char>(a);
    return c;
}

void expectColour(const tagStructRGBA& c, int r, int g, int b, int a)
{
    EXPECT_EQ(c.red, r);
    EXPECT_EQ(c.green, g);
    EXPECT_EQ(c.blue, b);
    EXPECT_EQ(c.alpha, a);
}

} // namespace

TEST(MapTables, FreshTablesAreSizedAndZero)
{
    QEVMAPIMA map;
    ASSERT_NE(map.usMap, nullptr);
    EXPECT_EQ(map.usMap->width, 65536);
    EXPECT_EQ(map.usMap->height, 1);
    EXPECT_EQ(map.ucMap->width, 256);
    EXPECT_EQ(map.colorMap->width, 65536);
    EXPECT_EQ(map.usMap->data[65535], 0);
    EXPECT_EQ(map.ucMap->data[255], 0);
    expectColour(map.colorMap->data[40000], 0, 0, 0, 0);
}

TEST(MapTables, SetRangeBuildsTheSixteenBitRamp)
{
    QEVMAPIMA map;
    map.SetRange(100, 200);
    EXPECT_EQ(map.low, 100);
    EXPECT_EQ(map.high, 200);
    const int* t = map.usMap->data;
    // value, grey level
    const int levels[][2] = {{0, 0}, {100, 0}, {101, 2}, {150, 127}, {199, 252}, {200, 255}, {65535, 255}};
    for (const auto& [v, grey] : levels)
        EXPECT_EQ(t[v], grey) << v;
    for (int v = 101; v < 200; ++v) {
        EXPECT_LE(t[v - 1], t[v]);
        EXPECT_EQ(t[v], int((v - 100) * 255.0 / 100.0)) << v;
    }
}

TEST(MapTables, SetRangeClampsAndIgnoresEmptyWindows)
{
    QEVMAPIMA map;
    map.SetRange(-5, 70000);
    EXPECT_EQ(map.low, 0);
    EXPECT_EQ(map.high, 65535);
    EXPECT_EQ(map.usMap->data[0], 0);
    EXPECT_EQ(map.usMap->data[1], 0);          // 255 / 65535 truncates to 0
    EXPECT_EQ(map.usMap->data[32768], 127);
    EXPECT_EQ(map.usMap->data[65534], 254);
    EXPECT_EQ(map.usMap->data[65535], 255);

    map.SetRange(7, 7);
    map.SetRange(9, 3);
    EXPECT_EQ(map.low, 0);
    EXPECT_EQ(map.high, 65535);
    EXPECT_EQ(map.usMap->data[32768], 127);

    // A window above the table: everything maps to 0.
    map.SetRange(70000, 80000);
    EXPECT_EQ(map.usMap->data[65535], 0);
}

TEST(MapTables, FullWindowOnWholeTableMatchesTheFormula)
{
    QEVMAPIMA map;
    map.SetRange(1000, 61000);
    for (int v = 0; v < 65536; v += 97) {
        int expected = v <= 1000 ? 0 : v >= 61000 ? 255 : int(double(float(v - 1000)) * 255.0 / double(float(60000)));
        ASSERT_EQ(map.usMap->data[v], expected) << v;
    }
}

TEST(MapTables, EightBitMapUsesFractionsOfFullScale)
{
    QEVMAPIMA map;
    map.SetRange(10, 20);
    map.GetMapUc(0.0f, 1.0f);
    EXPECT_EQ(map.ucMap->data[0], 0);
    EXPECT_EQ(map.ucMap->data[128], 128);
    EXPECT_EQ(map.ucMap->data[255], 255);
    EXPECT_EQ(map.low, 10);
    EXPECT_EQ(map.high, 20);

    map.GetMapUc(0.2f, 0.6f); // 51 .. 153
    EXPECT_EQ(map.ucMap->data[51], 0);
    EXPECT_EQ(map.ucMap->data[52], 2);
    EXPECT_EQ(map.ucMap->data[102], 127);
    EXPECT_EQ(map.ucMap->data[153], 255);

    // Reversed or odd fractions still give a defined table.
    map.GetMapUc(0.8f, 0.1f);
    EXPECT_EQ(map.ucMap->data[204], 0);
    EXPECT_EQ(map.ucMap->data[205], 255);
    map.GetMapUc(NAN, 1e30f);
    EXPECT_EQ(map.ucMap->data[0], 0);
    EXPECT_EQ(map.ucMap->data[255], 0);
}

TEST(MapTables, ColourRangeInterpolatesAndKeepsRampAlpha)
{
    QEVMAPIMA map;
    for (int v = 0; v < 65536; ++v)
        map.colorMap->data[v].alpha = 0x55;
    map.SetUsColorRange(100, 110, rgba(0, 0, 0, 7), rgba(250, 200, 100, 9));
    EXPECT_EQ(map.low, 100);
    EXPECT_EQ(map.high, 110);
    // value, red, green, blue, alpha
    const int colours[][5] = {{0, 0, 0, 0, 7},          {100, 0, 0, 0, 7},          {101, 25, 20, 10, 0x55},
                              {105, 125, 100, 50, 0x55}, {109, 225, 180, 90, 0x55}, {110, 250, 200, 100, 9},
                              {65535, 250, 200, 100, 9}};
    for (const auto& c : colours) {
        SCOPED_TRACE(c[0]);
        expectColour(map.colorMap->data[c[0]], c[1], c[2], c[3], c[4]);
    }

    // Falling channels truncate toward zero too; the ramp keeps the alpha
    // that the previous call's c0 left there.
    map.SetUsColorRange(0, 3, rgba(200, 10, 0, 1), rgba(0, 10, 255, 1));
    expectColour(map.colorMap->data[1], 133, 10, 85, 7);
    expectColour(map.colorMap->data[2], 66, 10, 170, 7);
}

TEST(MapTables, ColourRangeEdgesAndUnclampedWindows)
{
    QEVMAPIMA map;
    map.SetUsColorRange(99, 100, rgba(1, 2, 3, 4), rgba(5, 6, 7, 8));
    expectColour(map.colorMap->data[99], 1, 2, 3, 4);
    expectColour(map.colorMap->data[100], 5, 6, 7, 8);
    expectColour(map.colorMap->data[0], 1, 2, 3, 4);
    expectColour(map.colorMap->data[65535], 5, 6, 7, 8);

    map.SetUsColorRange(-100, 100000, rgba(0, 0, 0, 0), rgba(255, 0, 0, 0));
    EXPECT_EQ(map.low, -100);
    EXPECT_EQ(map.high, 100000);
    // 65635 steps of 255 / 100100 into the window.
    EXPECT_EQ(map.colorMap->data[0].red, 0);
    EXPECT_EQ(map.colorMap->data[65535].red, 167);

    map.SetUsColorRange(500, 500, rgba(1, 1, 1, 1), rgba(2, 2, 2, 2));
    expectColour(map.colorMap->data[500], 1, 1, 1, 1);
    expectColour(map.colorMap->data[501], 2, 2, 2, 2);
    map.SetUsColorRange(600, 300, rgba(1, 1, 1, 1), rgba(2, 2, 2, 2));
    expectColour(map.colorMap->data[400], 1, 1, 1, 1);
    expectColour(map.colorMap->data[601], 2, 2, 2, 2);
}

TEST(MapTables, CopiesShareTablesThatOutliveTheOriginal)
{
    auto* original = new QEVMAPIMA;
    QEVMAPIMA copy(*original);
    QEVMAPIMA assigned;
    assigned = *original;
    EXPECT_EQ(copy.usMap, original->usMap);
    EXPECT_EQ(assigned.colorMap, original->colorMap);

    original->SetRange(0, 255);
    EXPECT_EQ(copy.usMap->data[128], 128);
    delete original;
    // Still readable and writable after the original is gone.
    copy.SetRange(0, 510);
    EXPECT_EQ(assigned.usMap->data[510], 255);
    EXPECT_EQ(assigned.usMap->data[2], 1);
}

TEST(MapTables, ResizedTablesAreNotWrittenPastTheirEnd)
{
    QEVMAPIMA map;
    map.usMap->SetDim(300, 1);
    map.SetRange(0, 200);
    EXPECT_EQ(map.usMap->data[299], 255);
    map.ucMap->Clear();
    map.GetMapUc(0.0f, 1.0f);
    EXPECT_EQ(map.ucMap->data, nullptr);
}
