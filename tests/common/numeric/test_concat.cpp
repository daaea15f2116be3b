#include "MessageBoxLog.h"
#include "pixorama/common/ImageConcat.h"
#include "pixorama/platform/Modal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using Image = ClassData2DIO<float>;

Image ramp(int w, int h, float base, float step)
{
    Image img;
    img.SetDim(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.rows[y][x] = base + step * float(x) + 3.0f * float(y);
    return img;
}

class Concat : public testing::Test {
protected:
    void SetUp() override
    {
        RecordMessageBoxes(messages);
    }
    void TearDown() override { plat::setMessageBoxResponder({}); }

    std::vector<std::wstring> messages;
};

// The seam by its formula, in double.
double seam(const Image& l, const Image& r, int overlap, int cut, bool matchGain, int x, int y)
{
    const int n = overlap - 2 * cut;
    const int e = l.width - cut;
    const int s = e - n;
    double u = 1.0;
    if (matchGain) {
        double mL = 0.0, mR = 0.0;
        for (int i = 0; i < n; ++i) {
            mL += l.rows[y][s + i];
            mR += r.rows[y][cut + i];
        }
        mL /= n;
        mR /= n;
        if (std::fabs(mR) >= 10.0)
            u = mL / mR;
    }
    if (x < s)
        return l.rows[y][x];
    if (x < e) {
        const double a = double(x - s) / double(n - 1);
        return r.rows[y][x - s + cut] * a * u + l.rows[y][x] * (1.0 - a);
    }
    return u * r.rows[y][x - s + cut];
}

} // namespace

TEST_F(Concat, ZeroOverlapPutsTheImagesSideBySide)
{
    Image left = ramp(3, 2, 0.0f, 1.0f);
    Image right = ramp(2, 2, 100.0f, 1.0f);
    ASSERT_TRUE(gImaConcate(&left, &right, 0, 0, true));
    ASSERT_EQ(left.width, 5);
    ASSERT_EQ(left.height, 2);
    const float row1[5] = {3, 4, 5, 103, 104};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(left.rows[1][x], row1[x]) << x;
    EXPECT_TRUE(messages.empty());
}

TEST_F(Concat, TooNarrowASeamIsRefusedWithAMessage)
{
    Image left = ramp(30, 4, 0.0f, 1.0f);
    Image right = ramp(30, 4, 50.0f, 1.0f);
    EXPECT_FALSE(gImaConcate(&left, &right, 10, 5, false));
    EXPECT_FALSE(gImaConcate(&left, &right, 11, 5, false)); // n = 1 still cannot ramp
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], L"水平重合参数需要大于二倍的中间切边参数加一");
    EXPECT_EQ(left.width, 30);
    EXPECT_EQ(left.rows[2][7], 13.0f);
}

TEST_F(Concat, BlendedSeamFollowsTheRamp)
{
    // overlap 8, cut 2: n = 4, the seam runs from s = 14 to e = 18 of a 20-wide left.
    Image left = ramp(20, 3, 0.0f, 2.0f);
    Image right = ramp(16, 3, 40.0f, 1.0f);
    const Image l0(left);
    ASSERT_TRUE(gImaConcate(&left, &right, 8, 2, false));
    ASSERT_EQ(left.width, 20 + 16 - 8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < left.width; ++x)
            ASSERT_NEAR(left.rows[y][x], seam(l0, right, 8, 2, false, x, y), 1e-4) << x << "," << y;
    // Ends of the ramp: all left at s, all right at e - 1.
    EXPECT_EQ(left.rows[0][14], l0.rows[0][14]);
    EXPECT_EQ(left.rows[0][17], right.rows[0][5]);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Concat, GainMatchingScalesTheRightImagePerRow)
{
    Image left = ramp(20, 3, 100.0f, 0.0f);  // rows 100, 103, 106
    Image right = ramp(16, 3, 50.0f, 0.0f);  // rows 50, 53, 56
    right.rows[2][0] = 0.0f;
    for (int x = 0; x < 16; ++x)
        right.rows[1][x] = 5.0f; // mean below 10: no gain for this row
    const Image l0(left);
    ASSERT_TRUE(gImaConcate(&left, &right, 8, 2, true));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < left.width; ++x)
            ASSERT_NEAR(left.rows[y][x], seam(l0, right, 8, 2, true, x, y), 1e-3) << x << "," << y;
    EXPECT_NEAR(left.rows[0][27], 100.0f, 1e-3) << "right row 0 scaled by 100 / 50";
    EXPECT_EQ(left.rows[1][27], 5.0f);
}

TEST_F(Concat, MismatchedOrOutOfRangeArgumentsChangeNothing)
{
    Image left = ramp(10, 3, 0.0f, 1.0f);
    Image shorter = ramp(10, 2, 0.0f, 1.0f);
    Image right = ramp(6, 3, 0.0f, 1.0f);
    EXPECT_FALSE(gImaConcate(&left, &shorter, 0, 0, false));
    EXPECT_FALSE(gImaConcate(&left, &right, 8, 1, false)) << "wider than the right image";
    EXPECT_FALSE(gImaConcate(&left, &right, 4, -1, false));
    EXPECT_FALSE(gImaConcate(&left, &left, 0, 0, false));
    EXPECT_FALSE(gImaConcate(nullptr, &right, 0, 0, false));
    EXPECT_EQ(left.width, 10);
    EXPECT_EQ(left.rows[2][9], 15.0f);
    EXPECT_TRUE(messages.empty());
}
