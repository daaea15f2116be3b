// The threshold strip: dragging its handle, the wheel never reaching 0 or
// 1, its display modes and its report.
#include "pixorama/brovia/ControlId.h"
#include "pixorama/brovia/QEVDlgForThreshold.h"

#include "BrowserTestTools.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <memory>

namespace {

// 290 x 30: track T = 200; the handle at 0.5 covers columns 180..189.
class ThresholdStripTest : public testing::Test {
protected:
    void SetUp() override
    {
        host = std::make_unique<browsertest::Receiver>();
        strip = browsertest::OpenStrip<QEVDlgForThreshold>(*host, 12, 400);
    }

    std::unique_ptr<browsertest::Receiver> host;
    QEVDlgForThreshold* strip = nullptr;
};

TEST_F(ThresholdStripTest, DraggingTheHandleSetsThePositionAndReportsOnRelease)
{
    viewtest::press(strip, {185, 15});
    viewtest::move(strip, {225, 15});
    EXPECT_FLOAT_EQ(strip->GetPos(), 0.7f);
    EXPECT_TRUE(host->reports.empty());
    viewtest::move(strip, {400, 15});
    EXPECT_FLOAT_EQ(strip->GetPos(), 1.0f);
    viewtest::release(strip, {400, 15});
    ASSERT_EQ(host->reports.size(), 1u);
    const tagQEVParaReport& r = host->reports[0];
    EXPECT_EQ(r.IntAt(0), 1);
    EXPECT_FLOAT_EQ(r.Value(), 1.0f);
    EXPECT_EQ(r.IntAt(9), 2);
    EXPECT_EQ(r.Kind(), 12);
}

TEST_F(ThresholdStripTest, APressBesideTheHandleStartsNoDrag)
{
    viewtest::press(strip, {120, 15});
    viewtest::move(strip, {160, 15});
    viewtest::release(strip, {160, 15});
    EXPECT_FLOAT_EQ(strip->GetPos(), 0.5f);
    EXPECT_TRUE(host->reports.empty());
}

TEST_F(ThresholdStripTest, WheelNeverReachesZeroOrOne)
{
    for (int i = 0; i < 80; ++i)
        viewtest::wheel(strip, {150, 15}, -120);
    EXPECT_GT(strip->GetPos(), 0.0f);
    EXPECT_LT(strip->GetPos(), 0.011f);
    const std::size_t reports = host->reports.size();
    EXPECT_EQ(reports, 49u);
    for (int i = 0; i < 150; ++i)
        viewtest::wheel(strip, {150, 15}, 120);
    EXPECT_LT(strip->GetPos(), 1.0f);
    EXPECT_GT(strip->GetPos(), 0.989f);
    EXPECT_GT(host->reports.back().Value(), 0.0f);
    EXPECT_LT(host->reports.back().Value(), 1.0f);
}

TEST_F(ThresholdStripTest, PaintsBlackLeftAndWhiteRightOfTheHandle)
{
    plat::DibBitmap surface(290, 30);
    plat::Dc dc(surface);
    strip->Draw(dc);
    EXPECT_EQ(surface.pixelAt(2, 2) & 0xFFFFFF, plat::pixelOf(210, 210, 210));
    EXPECT_EQ(surface.pixelAt(100, 15) & 0xFFFFFF, plat::pixelOf(0, 0, 0));
    EXPECT_EQ(surface.pixelAt(185, 15) & 0xFFFFFF, plat::pixelOf(0, 0, 255));
    EXPECT_EQ(surface.pixelAt(200, 15) & 0xFFFFFF, plat::pixelOf(255, 255, 255));
    EXPECT_EQ(surface.pixelAt(289, 29) & 0xFFFFFF, plat::pixelOf(255, 255, 255));
}

TEST_F(ThresholdStripTest, DisplayModesShowTheirControlAndTheComboIndexIsReported)
{
    EXPECT_EQ(strip->GetLabel(), L"阈值");
    EXPECT_EQ(FindCtrl(strip, 401), strip->Edit());
    EXPECT_EQ(FindCtrl(strip, 402), strip->Combo());
    ASSERT_EQ(strip->Combo()->count(), 3);
    EXPECT_EQ(strip->Combo()->itemText(2), QStringLiteral("中值模糊"));
    EXPECT_FALSE(strip->Combo()->isVisible());

    strip->SetDisplayMode(3);
    EXPECT_TRUE(strip->Combo()->isVisible());
    EXPECT_FALSE(strip->Edit()->isVisible());
    EXPECT_EQ(strip->Combo()->currentIndex(), 0);
    strip->Combo()->setCurrentIndex(2);
    viewtest::wheel(strip, {150, 15}, 120);
    ASSERT_EQ(host->reports.size(), 1u);
    EXPECT_EQ(host->reports[0].IntAt(8), 2);
    EXPECT_EQ(host->reports[0].IntAt(9), 3);

    // Outside mode 3 word 8 keeps what it held.
    strip->SetDisplayMode(1);
    EXPECT_TRUE(strip->Edit()->isVisible());
    EXPECT_FALSE(strip->Combo()->isVisible());
    strip->Combo()->setCurrentIndex(1);
    viewtest::wheel(strip, {150, 15}, 120);
    EXPECT_EQ(host->reports[1].IntAt(8), 2);
    EXPECT_EQ(host->reports[1].IntAt(9), 1);
}

TEST(StripReports, NothingIsSentOnceTheOwnerIsGone)
{
    auto host = std::make_unique<browsertest::Receiver>();
    QEVDlgForThreshold strip;
    strip.CreateWin({0, 0, 290, 30}, host.get(), 10);
    strip.setParent(nullptr);
    host.reset();
    strip.SendMSG(); // would reach a destroyed window
    EXPECT_EQ(strip.Report().IntAt(0), 0);
}

} // namespace
