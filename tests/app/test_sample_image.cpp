// The bundled sample: the same picture every time, a radiograph's wide
// range, fine detail a zoom can find, and a 16-bit file that reads back.
#include "pixorama/workbench/SampleImage.h"

#include "TestHome.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int W = SampleImage::defaultWidth;
constexpr int H = SampleImage::defaultHeight;

class SampleImageTest : public testing::Test {
protected:
    static void SetUpTestSuite() { values = SampleImage::generate(W, H); }
    static std::uint16_t at(int x, int y) { return values[std::size_t(y) * W + std::size_t(x)]; }
    static std::vector<std::uint16_t> values;
};

std::vector<std::uint16_t> SampleImageTest::values;

TEST_F(SampleImageTest, SameEveryTimeAndOfTheAskedSize)
{
    ASSERT_EQ(values.size(), std::size_t(W) * H);
    EXPECT_EQ(SampleImage::generate(W, H), values);
    EXPECT_EQ(SampleImage::generate(40, 30).size(), 1200u);
    EXPECT_TRUE(SampleImage::generate(15, 100).empty());
    EXPECT_TRUE(SampleImage::generate(100, -4).empty());
}

TEST_F(SampleImageTest, SpansAWideRangeWithoutClipping)
{
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    EXPECT_LT(*lo, 1500);
    EXPECT_GT(*hi, 58000);
    EXPECT_GT(*lo, 0);
    EXPECT_LT(*hi, 65535);
    // Air in the corner, tissue in the middle, metal in the screw.
    EXPECT_LT(at(5, H - 60), 3000);
    EXPECT_GT(at(W / 2, H / 2), 12000);
    EXPECT_GT(at(int(0.40 * W), int(0.36 * H)), 58000);
}

TEST_F(SampleImageTest, FinestLinePairsAlternateFromPixelToPixel)
{
    // The 2-pixel group is the last of the line-pair pattern.
    const int y = int(0.07 * H);
    int left = int(0.03 * W);
    for (const int period : {10, 8, 6, 5, 4, 3})
        left += 5 * period + 12;
    int alternations = 0;
    for (int x = left; x < left + 9; ++x) {
        const bool up = at(x, y) > at(x + 1, y);
        alternations += (up == ((x - left) % 2 == 0)) && std::abs(int(at(x, y)) - int(at(x + 1, y))) > 10000;
    }
    EXPECT_EQ(alternations, 9);
}

TEST_F(SampleImageTest, WritesASixteenBitPngThatReadsBack)
{
    const auto path = TestHome::path() / "out" / SampleImage::fileName;
    ASSERT_TRUE(SampleImage::write(path, 64, 48));
    const QImage back(QString::fromStdString(path.string()));
    ASSERT_EQ(back.format(), QImage::Format_Grayscale16);
    ASSERT_EQ(back.width(), 64);
    ASSERT_EQ(back.height(), 48);
    const std::vector<std::uint16_t> expected = SampleImage::generate(64, 48);
    for (int y = 0; y < 48; ++y)
        EXPECT_EQ(std::memcmp(back.constScanLine(y), expected.data() + y * 64, 64 * 2), 0) << "row " << y;
    EXPECT_FALSE(SampleImage::write(TestHome::path() / "tiny.png", 8, 8));
    EXPECT_FALSE(std::filesystem::exists(TestHome::path() / "tiny.png"));
}

} // namespace
