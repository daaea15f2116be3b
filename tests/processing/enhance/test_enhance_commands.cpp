// The menu enhancements of colour pictures on canvas 4.
#include "WorkbenchFixture.h"

#include "pixorama/common/LocalThreshold.h"
#include "pixorama/workbench/CommandGroups.h"

class EnhanceCommand : public WorkbenchTest {};

TEST_F(EnhanceCommand, NeedsAColourPicture)
{
    for (int id : {2394, 2396, 2399, 2403})
        RunEnhanceCommand(id);
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0], L"彩色图像不存在");

    messages.clear();
    ClassData2DIO<float> raw = FloatImage(4, 4, [](int x, int y) { return x + y; });
    ShowRaw(raw);
    RunEnhanceCommand(2396);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(gCVSGetFileType(4), FileFloat);

    messages.clear();
    RunEnhanceCommand(2395); // no command of its own
    EXPECT_TRUE(messages.empty());
}

TEST_F(EnhanceCommand, EqualisationReplacesTheWholePictureUpright)
{
    // Red: 0 in the top row, 100 and 200 below; green constant; blue two values.
    ShowColour(2, 2, [](int x, int y) {
        const unsigned red = y == 0 ? 0 : x == 0 ? 100 : 200;
        return red << 16 | 40u << 8 | (x == 0 ? 10u : 20u);
    });
    AddPoints(4, {{0, 0}, {0.5, 0}, {0.5, 0.5}}); // a region does not limit the menu commands
    RunEnhanceCommand(2396);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Pixel(0, 0), 0x80FF80u); // red t(0) = 128, green 255, blue t(10) = 128
    EXPECT_EQ(Pixel(1, 0), 0x80FFFFu);
    EXPECT_EQ(Pixel(0, 1), 0xBFFF80u); // red t(100) = 191
    EXPECT_EQ(Pixel(1, 1), 0xFFFFFFu);
}

TEST_F(EnhanceCommand, BrightnessAdaptationStretchesEveryPlane)
{
    ShowColour(8, 8, [](int x, int) { return unsigned(20 + 20 * x) * 0x010101u; });
    RunEnhanceCommand(2399);
    EXPECT_EQ(Pixel(0, 3), 0u);
    EXPECT_EQ(Pixel(7, 3), 0xFFFFFFu);
    EXPECT_EQ(Pixel(3, 0), Pixel(3, 7));
}

TEST_F(EnhanceCommand, LocalThresholdOfTheGreyPicture)
{
    // A bright square on a dark ground.
    const auto value = [](int x, int y) { return x >= 3 && x < 7 && y >= 2 && y < 6 ? 200 : 30; };
    ShowGrey(10, 8, value);
    DialogScript script([](DialogDriver& d) {
        d.SetText(L"m_Content", L"5");
        d.PressOk();
    });
    RunEnhanceCommand(2403);
    ClassData2DIO<unsigned char> expected;
    expected.SetDim(10, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            expected.rows[y][x] = static_cast<unsigned char>(value(x, y));
    LAT_Constant(expected, 5);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(Pixel(x, y), unsigned(expected.rows[y][x]) * 0x010101u) << x << "," << y;
    EXPECT_EQ(Pixel(4, 3), 0xFFFFFFu);
}

TEST_F(EnhanceCommand, LocalThresholdRefusesBadWindowsAndCancel)
{
    ShowGrey(6, 4, [](int x, int) { return 40 * x; });
    for (const wchar_t* text : {L"0", L"-3", L"5", L"abc"}) {
        DialogScript script([text](DialogDriver& d) {
            d.SetText(L"m_Content", text);
            d.PressOk();
        });
        RunEnhanceCommand(2403);
    }
    ASSERT_EQ(messages.size(), 4u) << "0, negative, taller than the picture, not a number";
    EXPECT_EQ(messages[2], L"局部阈值的窗口大小必须大于0且不大于图像");
    EXPECT_EQ(Pixel(5, 0), 0xC8C8C8u) << "the picture is untouched";

    DialogScript cancel([](DialogDriver& d) { d.PressCancel(); });
    RunEnhanceCommand(2403);
    EXPECT_EQ(messages.size(), 4u);
    EXPECT_EQ(Pixel(5, 0), 0xC8C8C8u);
}

TEST_F(EnhanceCommand, PyramidEnhancementKeepsSizeAndGrey)
{
    ShowGrey(5, 3, [](int x, int y) { return 60 + 30 * ((x + y) % 3); });
    RunEnhanceCommand(2394);
    EXPECT_EQ(gCVSGetCanvasWidth(4), 5);
    EXPECT_EQ(gCVSGetCanvasHeight(4), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const unsigned p = Pixel(x, y);
            EXPECT_NEAR(int(p >> 16), int(p & 0xFF), 1);
        }
}
