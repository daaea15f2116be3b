// Region measures, their texts, and the two analysis commands on canvas 4.
#include "PlaneTools.h"
#include "WorkbenchFixture.h"

#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/RegionStatistics.h"

#include <cmath>

namespace {

ClassData2DIO<unsigned char> GreyOf(int w, int h, std::initializer_list<int> values)
{
    return PlaneOf<unsigned char>(w, h, values);
}

ClassData2DIO<int> LabelOf(int w, int h, std::initializer_list<int> values)
{
    return PlaneOf<int>(w, h, values);
}

} // namespace

TEST(RegionStatistics, GreyMeasuresOfAKnownRegion)
{
    // The region (label 2) holds 10, 20, 30 and 40; the other pixels do not count.
    const auto grey = GreyOf(3, 2, {10, 20, 99, 30, 40, 0});
    const auto label = LabelOf(3, 2, {2, 2, 1, 2, 2, 0});
    const RegionMeasures m = gMeasureGreyRegion(grey, label, 2);
    EXPECT_EQ(m.count, 4);
    EXPECT_DOUBLE_EQ(m.maximum, 40.0);
    EXPECT_DOUBLE_EQ(m.minimum, 10.0);
    EXPECT_DOUBLE_EQ(m.mean, 25.0);
    EXPECT_NEAR(m.stdevp, 11.180339887, 1e-9);
    EXPECT_NEAR(m.stdev, 12.909944487, 1e-9);
    EXPECT_NEAR(m.snr, 10.0 * std::log(3000.0 / 500.0), 1e-9);
    EXPECT_NEAR(m.psnr, 10.0 * std::log(4.0 * 65025.0 / 500.0), 1e-9);
    EXPECT_NEAR(m.entropy, std::log(4.0), 1e-12);
}

TEST(RegionStatistics, ConstantRegionHasNoDeviationAndInfiniteRatios)
{
    const auto grey = GreyOf(3, 1, {77, 77, 77});
    const auto label = LabelOf(3, 1, {1, 1, 1});
    const RegionMeasures m = gMeasureGreyRegion(grey, label, 1);
    EXPECT_EQ(m.stdevp, 0.0);
    EXPECT_TRUE(std::isinf(m.snr) && m.snr > 0);
    EXPECT_TRUE(std::isinf(m.psnr) && m.psnr > 0);
    EXPECT_EQ(m.entropy, 0.0);
}

TEST(RegionStatistics, OnePixelHasNoSampleDeviation)
{
    const auto grey = GreyOf(2, 1, {5, 9});
    const auto label = LabelOf(2, 1, {0, 1});
    const RegionMeasures m = gMeasureGreyRegion(grey, label, 1);
    EXPECT_EQ(m.count, 1);
    EXPECT_TRUE(std::isnan(m.stdev));
    EXPECT_EQ(m.maximum, 9.0);
    EXPECT_EQ(m.minimum, 9.0);
}

TEST(RegionStatistics, EntropyOfTwoValues)
{
    const auto grey = GreyOf(4, 1, {3, 3, 3, 200});
    const auto label = LabelOf(4, 1, {1, 1, 1, 1});
    EXPECT_NEAR(gMeasureGreyRegion(grey, label, 1).entropy, -(0.75 * std::log(0.75) + 0.25 * std::log(0.25)), 1e-12);
}

TEST(RegionStatistics, JnbComparesSobelEdgesWithLaplacianEdges)
{
    // A horizontal ramp: the Sobel gradient is non-zero everywhere, the
    // Laplacian only in the first and last columns (the edge is repeated there).
    ClassData2DIO<unsigned char> grey;
    grey.SetDim(6, 4);
    ClassData2DIO<int> label;
    label.SetDim(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            grey.rows[y][x] = static_cast<unsigned char>(10 * x);
            label.rows[y][x] = 1;
        }
    EXPECT_DOUBLE_EQ(gMeasureGreyRegion(grey, label, 1).jnb, 24.0 / 8.0);
}

TEST(RegionStatistics, RawExtremesAreTrueForNegativeAndLargeValues)
{
    ClassData2DIO<float> raw;
    raw.SetDim(2, 2);
    raw.rows[0][0] = -5.0f, raw.rows[0][1] = -2.0f; // image row 0 (top)
    raw.rows[1][0] = 250000.0f, raw.rows[1][1] = -1.0f;
    // The label is bottom-up: label row 1 is image row 0.
    const auto label = LabelOf(2, 2, {1, 0, 1, 1});
    RegionMeasures m = gMeasureRawRegion(raw, label, 1);
    EXPECT_EQ(m.count, 3);
    EXPECT_DOUBLE_EQ(m.maximum, 250000.0);
    EXPECT_DOUBLE_EQ(m.minimum, -5.0);

    const auto negatives = LabelOf(2, 2, {0, 0, 1, 1});
    m = gMeasureRawRegion(raw, negatives, 1);
    EXPECT_DOUBLE_EQ(m.maximum, -2.0);
    EXPECT_DOUBLE_EQ(m.minimum, -5.0);
}

TEST(RegionStatistics, EmptyRegionKeepsTheDefinedValues)
{
    const auto grey = GreyOf(2, 1, {5, 9});
    const auto label = LabelOf(2, 1, {0, 0});
    const RegionMeasures m = gMeasureGreyRegion(grey, label, 3);
    EXPECT_EQ(m.count, 0);
    EXPECT_EQ(m.maximum, 0.0);
    EXPECT_EQ(m.minimum, 100000.0);
    EXPECT_EQ(m.mean, 1e-7);
}

TEST(StatisticsText, ColourTextListsEveryMeasure)
{
    RegionMeasures m;
    m.maximum = 40, m.minimum = 10, m.mean = 25, m.stdevp = 2, m.stdev = 3, m.snr = 1.5, m.psnr = 62.5,
    m.entropy = 1.25, m.jnb = 3;
    EXPECT_EQ(gStatisticsTextColour(m), L"最大值为40.0000;最小值为10.0000;均值为25.0000;\r\n"
                                        L"总体标准差为(STDEVP)2.00000;总体方差为4.00000;"
                                        L"样本标准差为(STDEV)3.00000;样本方差为9.00000;\r\n"
                                        L"总体方差/平均值为0.16000;\r\n"
                                        L"SNR为1.5000;\r\nPSNR为62.5000;图像熵为1.2500;JNB值为3.0000;\r\n");
}

TEST(StatisticsText, RawTextAndNotANumber)
{
    RegionMeasures m;
    m.maximum = 250000, m.minimum = -5.5, m.mean = 1, m.stdevp = 0;
    m.stdev = std::copysign(std::nan(""), -1.0);
    EXPECT_EQ(gStatisticsTextRaw(m), L"最大值为250000.0000;最小值为-5.5000;均值为1.0000\r\n"
                                     L"总体标准差为(STDEVP)0.00000;样本标准差为(STDEV)   nan;");
}

// The information view shows a line break for "\r\n".
class AnalysisCommand : public WorkbenchTest {
protected:
    static std::wstring Shown(std::wstring text)
    {
        std::erase(text, L'\r');
        return text;
    }
};

TEST_F(AnalysisCommand, StatisticsOfAColourPictureGoToTheInformationView)
{
    // Grey 10, 20, 30, 40 in a 2 x 2 picture; no region drawn: the whole picture.
    ShowGrey(2, 2, [](int x, int y) { return 10 + 10 * x + 20 * y; });
    RunAnalysisCommand(2416);
    const std::wstring info = gCTERGetInfo();
    EXPECT_EQ(info.rfind(Shown(L"最大值为40.0000;最小值为10.0000;均值为25.0000;\r\n总体标准差为(STDEVP)11.18034;"), 0), 0u);
    EXPECT_NE(info.find(L"图像熵为1.3863;"), std::wstring::npos);
}

TEST_F(AnalysisCommand, StatisticsOfARawRegion)
{
    // A 4 x 3 float picture; the rectangle covers image columns 1..2, rows 0..1.
    ClassData2DIO<float> raw = FloatImage(4, 3, [](int x, int y) { return x == 2 && y == 0 ? -7.0 : 1000.0 * (x + 4 * y); });
    ShowRaw(raw);
    AddPoints(4, {{1, 0}, {2, 0}, {2, 1}, {1, 1}});
    RunAnalysisCommand(2416);
    // Region values 1000, -7, 5000, 6000.
    EXPECT_EQ(gCTERGetInfo().rfind(Shown(L"最大值为6000.0000;最小值为-7.0000;均值为2998.2500\r\n"), 0), 0u);
}

TEST_F(AnalysisCommand, NoPictureSaysSo)
{
    RunAnalysisCommand(2416);
    EXPECT_EQ(gCTERGetInfo(), L"图像不存在");
}

TEST_F(AnalysisCommand, UniformityWithZeroToleranceMarksEveryPixelOffTheMean)
{
    // Red plane 10, 20, 30 and 20 (mean 20) over a blue picture.
    ShowColour(4, 1, [](int x, int) { return (x == 0 ? 10u : x == 2 ? 30u : 20u) << 16 | 0x40; });
    DialogScript script([](DialogDriver& d) {
        d.SetText(L"m_Content", L"0");
        d.PressOk();
    });
    RunAnalysisCommand(2415);
    EXPECT_EQ(script.shown, 1);
    EXPECT_EQ(Pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(Pixel(1, 0), 0x140040u);
    EXPECT_EQ(Pixel(2, 0), 0xFF0000u);
    EXPECT_EQ(Pixel(3, 0), 0x140040u);
}

TEST_F(AnalysisCommand, UniformityOfARawPicturePaintsWhereThePixelsAre)
{
    // Image row 0 (top) is bright, row 2 dark; the map must show red at the
    // top and green at the bottom.
    ClassData2DIO<float> raw = FloatImage(2, 3, [](int, int y) { return y == 0 ? 900.0 : y == 1 ? 500.0 : 100.0; });
    ShowRaw(raw);
    DialogScript script([](DialogDriver& d) {
        d.SetText(L"m_Content", L"0.1");
        d.PressOk();
    });
    RunAnalysisCommand(2415);
    EXPECT_EQ(Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(Pixel(1, 2), 0x00FF00u);
    EXPECT_NE(Pixel(0, 1), 0xFF0000u);
    EXPECT_NE(Pixel(0, 1), 0x00FF00u);
}

TEST_F(AnalysisCommand, UniformityWithoutPictureOrWhenCancelled)
{
    RunAnalysisCommand(2415);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"没有图像数据");

    ShowGrey(2, 1, [](int x, int) { return 50 * x; });
    DialogScript cancel([](DialogDriver& d) { d.PressCancel(); });
    RunAnalysisCommand(2415);
    EXPECT_EQ(Pixel(0, 0), 0u);
    EXPECT_EQ(Pixel(1, 0), 0x323232u);
    EXPECT_EQ(messages.size(), 1u);
}
