#include "pixorama/common/ClassRGB.h"
#include "pixorama/common/ClassRGBArray.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

struct Named {
    void (ClassRGB::*set)();
    int r, g, b;
};

void expectRgb(const ClassRGB& c, int r, int g, int b)
{
    EXPECT_EQ(c.red, r);
    EXPECT_EQ(c.green, g);
    EXPECT_EQ(c.blue, b);
}

} // namespace

TEST(Colours, NamedColoursSetTheirChannels)
{
    const Named table[] = {
        {&ClassRGB::SetBrown, 128, 42, 42},       {&ClassRGB::SetChocolate, 210, 105, 30},
        {&ClassRGB::SetOrange, 255, 128, 0},      {&ClassRGB::SetTurky, 0, 199, 140},
        {&ClassRGB::WindowsGray, 128, 128, 128},  {&ClassRGB::Violet, 160, 32, 240},
        {&ClassRGB::GrassGreen, 124, 252, 0},     {&ClassRGB::ForestGreen, 34, 139, 34},
        {&ClassRGB::Mentha, 189, 252, 201},       {&ClassRGB::IndiaRed, 176, 23, 31},
        {&ClassRGB::BrickRed, 156, 102, 31},      {&ClassRGB::DeepRed, 255, 0, 255},
        {&ClassRGB::OrangeRed, 255, 69, 0},       {&ClassRGB::Banana, 227, 207, 87},
        {&ClassRGB::Red, 255, 0, 0},              {&ClassRGB::Green, 0, 255, 0},
        {&ClassRGB::Blue, 0, 0, 255},             {&ClassRGB::White, 255, 255, 255},
        {&ClassRGB::Black, 0, 0, 0},
    };
    for (const Named& n : table) {
        ClassRGB c(1, 2, 3);
        c.count = 17;
        (c.*n.set)();
        expectRgb(c, n.r, n.g, n.b);
        EXPECT_EQ(c.count, 17); // only the channels change
    }
}

TEST(Colours, ChannelsSitInBlueGreenRedOrder)
{
    ClassRGB c(300, -1, 7);
    expectRgb(c, 44, 255, 7);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&c);
    EXPECT_EQ(bytes[0], 7);
    EXPECT_EQ(bytes[1], 255);
    EXPECT_EQ(bytes[2], 44);
}

TEST(Colours, EqualityAndDifference)
{
    ClassRGB red;
    red.Red();
    ClassRGB blue;
    blue.Blue();
    EXPECT_EQ(red.GetDif(blue), 510);
    EXPECT_EQ(blue.GetDif(red), 510);
    EXPECT_FALSE(red == blue);

    ClassRGB other(255, 0, 0);
    other.count = 99;
    EXPECT_TRUE(red == other);
    EXPECT_EQ(red.GetDif(ClassRGB(250, 10, 3)), 18);
}

TEST(Colours, RampInterpolatesAndClampsTheIndex)
{
    const ClassRGB c0(0, 200, 10);
    const ClassRGB c1(100, 0, 60);
    ClassRGB ramp;
    ramp.SetColorHandle(11, c0, c1);
    EXPECT_EQ(ramp.count, 11);
    EXPECT_FLOAT_EQ(ramp.step, 0.1f);
    EXPECT_FLOAT_EQ(ramp.dRed, 10.0f);
    EXPECT_FLOAT_EQ(ramp.dGreen, -20.0f);

    expectRgb(ramp.GetRangeColor(0, c0, c1), 0, 200, 10);
    expectRgb(ramp.GetRangeColor(5, c0, c1), 50, 100, 35);
    expectRgb(ramp.GetRangeColor(10, c0, c1), 100, 0, 60);
    expectRgb(ramp.GetRangeColor(-3, c0, c1), 0, 200, 10);
    expectRgb(ramp.GetRangeColor(21, c0, c1), 100, 0, 60);
    // c1 is not read: the prepared ramp decides.
    expectRgb(ramp.GetRangeColor(10, c0, ClassRGB(1, 1, 1)), 100, 0, 60);
}

TEST(Colours, OneColourRampStaysAtTheStart)
{
    const ClassRGB c0(30, 40, 50);
    ClassRGB ramp;
    ramp.SetColorHandle(1, c0, ClassRGB(255, 255, 255));
    expectRgb(ramp.GetRangeColor(0, c0, c0), 30, 40, 50);
    expectRgb(ramp.GetRangeColor(7, c0, c0), 30, 40, 50);
    ramp.SetColorHandle(0, c0, ClassRGB(255, 255, 255));
    expectRgb(ramp.GetRangeColor(3, c0, c0), 30, 40, 50);
}

TEST(ColourArray, RandomColoursStayBelow255AndSpreadOut)
{
    ClassRGBArray arr;
    EXPECT_EQ(arr.count, 255);
    EXPECT_EQ(arr.colors, nullptr);

    std::srand(12345);
    arr.GenerateRGBArray(1999);
    ASSERT_EQ(arr.count, 2000);
    ASSERT_NE(arr.colors, nullptr);
    int maxRed = 0;
    int maxBlue = 0;
    std::set<int> reds;
    for (int i = 0; i < arr.count; ++i) {
        const ClassRGB& c = arr.colors[i];
        EXPECT_LE(c.red, 254);
        EXPECT_LE(c.green, 254);
        EXPECT_LE(c.blue, 254);
        maxRed = std::max<int>(maxRed, c.red);
        maxBlue = std::max<int>(maxBlue, c.blue);
        reds.insert(c.red);
    }
    EXPECT_GE(maxRed, 240);
    EXPECT_GE(maxBlue, 240);
    EXPECT_GT(reds.size(), 200u);

    // The same seed gives the same colours.
    std::srand(12345);
    ClassRGBArray again;
    again.GenerateRGBArray(1999);
    EXPECT_TRUE(again.colors[1234] == arr.colors[1234]);
    EXPECT_EQ(again.colors[77].green, arr.colors[77].green);
}

TEST(ColourArray, RegenerationCopiesAndBadCounts)
{
    ClassRGBArray arr;
    arr.GenerateRGBArray(3);
    arr.GenerateRGBArray(0);
    EXPECT_EQ(arr.count, 1);
    ASSERT_NE(arr.colors, nullptr);

    arr.GenerateRGBArray(4);
    ClassRGBArray copy(arr);
    ASSERT_NE(copy.colors, arr.colors);
    EXPECT_EQ(copy.count, 5);
    EXPECT_TRUE(copy.colors[4] == arr.colors[4]);
    ClassRGBArray assigned;
    assigned = arr;
    EXPECT_TRUE(assigned.colors[2] == arr.colors[2]);

    arr.GenerateRGBArray(-1);
    EXPECT_EQ(arr.count, 0);
    EXPECT_EQ(arr.colors, nullptr);
    EXPECT_EQ(copy.count, 5);
}
