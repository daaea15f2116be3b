// Histogram equalisation against hand-computed tables, and the brightness
// adaptation.
#include "PlaneTools.h"

#include "pixorama/workbench/Enhancements.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

ClassData2DIO<unsigned char> Plane(int w, int h, std::initializer_list<int> values)
{
    return PlaneOf<unsigned char>(w, h, values);
}

} // namespace

TEST(HistogramEqualisation, HandComputedTables)
{
    // Cumulative shares 2/4, 3/4, 4/4: 127.5 + 0.5, 191.25 + 0.5, 255 + 0.5.
    auto p = Plane(2, 2, {0, 0, 100, 200});
    const auto t = gEqualisationTable(p);
    EXPECT_EQ(t[0], 128);
    EXPECT_EQ(t[50], 128);
    EXPECT_EQ(t[100], 191);
    EXPECT_EQ(t[199], 191);
    EXPECT_EQ(t[200], 255);
    gEqualiseHistogram(p);
    EXPECT_EQ(p.data[0], 128);
    EXPECT_EQ(p.data[1], 128);
    EXPECT_EQ(p.data[2], 191);
    EXPECT_EQ(p.data[3], 255);

    // Five values once each: c = 0.2, 0.4, ... gives 51.5, 102.5, ... -> 51, 102, 153, 204, 255.
    auto q = Plane(5, 1, {9, 7, 5, 3, 1});
    gEqualiseHistogram(q);
    const int expected[5] = {255, 204, 153, 102, 51};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(q.data[i], expected[i]);

    // The rounding half: 1 of 2 pixels gives 127.5 + 0.5 = 128 exactly.
    auto r = Plane(2, 1, {10, 20});
    gEqualiseHistogram(r);
    EXPECT_EQ(r.data[0], 128);
}

// A plane wide enough for the word and vector paths, with a ragged width and
// skewed levels, against the table recounted pixel by pixel here.
TEST(HistogramEqualisation, LargePlaneMapsEveryPixelThroughItsCumulativeShare)
{
    const int w = 1037;
    const int h = 611;
    ClassData2DIO<unsigned char> p;
    p.SetDim(w, h);
    std::uint32_t s = 7;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            s = s * 1664525u + 1013904223u;
            p.rows[y][x] = static_cast<unsigned char>((s >> 24) * (s >> 24) >> 8 ^ (x & 0x81));
        }
    std::vector<long long> count(256, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ++count[p.rows[y][x]];
    const long long n = (long long)w * h;
    std::vector<int> expected(256);
    long long cumulative = 0;
    for (int k = 0; k < 256; ++k) {
        cumulative += count[std::size_t(k)];
        expected[std::size_t(k)] = int(std::floor(double(cumulative) * 255.0 / double(n) + 0.5));
    }
    const ClassData2DIO<unsigned char> before = p;
    gEqualiseHistogram(p);
    int wrong = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            wrong += p.rows[y][x] != expected[before.rows[y][x]];
    EXPECT_EQ(wrong, 0);
}

TEST(BrightnessAdaptation, ConstantPlaneIsReturnedUnchanged)
{
    for (int v : {0, 1, 90, 255}) {
        ClassData2DIO<unsigned char> p;
        p.SetDim(7, 5);
        std::fill(p.data, p.data + 35, v);
        gAdaptBrightness(p);
        for (int i = 0; i < 35; ++i)
            EXPECT_EQ(p.data[i], v);
    }
}

TEST(BrightnessAdaptation, LiftsDarkDetailAndStretchesToTheFullRange)
{
    // Rows of 20, 40, 60, 80 and 200 repeated; the border copies its inner neighbours.
    ClassData2DIO<unsigned char> p;
    p.SetDim(6, 6);
    const int levels[6] = {20, 20, 40, 60, 80, 200};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            p.rows[y][x] = static_cast<unsigned char>(levels[x]);
    gAdaptBrightness(p);
    // Columns 0 and 1 are copies; rows are all alike.
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(p.rows[y][0], p.rows[y][1]);
        EXPECT_EQ(p.rows[y][5], p.rows[y][4]);
        EXPECT_EQ(p.rows[y][2], p.rows[1][2]);
    }
    EXPECT_EQ(p.rows[2][1], 0);
    EXPECT_EQ(p.rows[2][4], 255);
    // Dark steps come out wider than they went in: 40 - 20 of 80 - 20 is a third.
    EXPECT_GT(double(p.rows[2][2]) / 255.0, 1.0 / 3.0);
}
