// The contrast strip: its report, dragging and wheel limits, colours, and
// the pixels it paints (off screen, then one copy).
#include "pixorama/brovia/QEVDlgForContrast.h"
#include "pixorama/platform/Modal.h"

#include "BrowserTestTools.h"

#include <QLineEdit>
#include <QPixmap>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr plat::Pixel rgbMask = 0xFFFFFF;

// A 290 x 30 strip: label 80, track T = 200, handle 10, so sep = 0.05.
// The low handle at 0.2 covers columns 120..129, the high one at 0.7
// columns 220..229.
class ContrastStripTest : public testing::Test {
protected:
    void SetUp() override
    {
        host = std::make_unique<browsertest::Receiver>();
        strip = browsertest::OpenStrip<QEVDlgForContrast>(*host, 19, 300);
    }

    void TearDown() override { plat::setColorDialogResponder({}); }

    void Drag(QPoint from, QPoint to)
    {
        viewtest::press(strip, from);
        viewtest::move(strip, to);
        viewtest::release(strip, to);
    }

    plat::Pixel Painted(int x, int y)
    {
        surface.resize(strip->width(), strip->height());
        strip->Draw(dc);
        return surface.pixelAt(x, y) & rgbMask;
    }

    std::unique_ptr<browsertest::Receiver> host;
    QEVDlgForContrast* strip = nullptr;
    plat::DibBitmap surface;
    plat::Dc dc{surface};
};

TEST_F(ContrastStripTest, ReportCarriesPointsColoursModeAndId)
{
    EXPECT_EQ(strip->TrackWidth(), 200);
    Drag({125, 15}, {125, 15}); // a click on a handle reports where things are
    ASSERT_EQ(host->reports.size(), 1u);
    const tagQEVParaReport& r = host->reports[0];
    EXPECT_EQ(r.IntAt(0), 1);
    EXPECT_FLOAT_EQ(r.Left(), 0.2f / 0.95f);
    EXPECT_FLOAT_EQ(r.Right(), 0.65f / 0.95f);
    EXPECT_EQ(r.words[3], plat::rgb(0, 0, 0).value);
    EXPECT_EQ(r.words[4], plat::rgb(255, 255, 255).value);
    EXPECT_EQ(r.IntAt(9), 2);
    EXPECT_EQ(r.Kind(), 19);
    float low = 0;
    float high = 0;
    strip->OutHandlePara(low, high);
    EXPECT_FLOAT_EQ(low, 0.2f / 0.95f);
    EXPECT_FLOAT_EQ(high, 0.65f / 0.95f);
}

TEST_F(ContrastStripTest, DraggingTheLowHandleOntoTheHighStopsOneHandleWidthBefore)
{
    Drag({125, 15}, {285, 15});
    EXPECT_FLOAT_EQ(strip->GetLow(), 0.65f);
    EXPECT_EQ(strip->LowHandleRect().right, strip->HighHandleRect().left);
    ASSERT_EQ(host->reports.size(), 1u);
    EXPECT_FLOAT_EQ(host->reports[0].Left(), host->reports[0].Right());
    // And the high handle stops above the low one; the far end holds it.
    Drag({225, 15}, {85, 15});
    EXPECT_FLOAT_EQ(strip->GetHigh(), 0.7f);
    Drag({225, 15}, {289, 15});
    EXPECT_FLOAT_EQ(strip->GetHigh(), 1.0f);
}

TEST_F(ContrastStripTest, DraggingTheBandMovesBothUnlessOneWouldLeaveTheTrack)
{
    Drag({170, 15}, {190, 15});
    EXPECT_FLOAT_EQ(strip->GetLow(), 0.3f);
    EXPECT_FLOAT_EQ(strip->GetHigh(), 0.8f);
    Drag({170, 15}, {250, 15}); // hi would pass 1
    EXPECT_FLOAT_EQ(strip->GetLow(), 0.3f);
    EXPECT_FLOAT_EQ(strip->GetHigh(), 0.8f);
    EXPECT_EQ(host->reports.size(), 2u);
}

TEST_F(ContrastStripTest, LeavingTheTrackEndsTheDragAndReports)
{
    viewtest::press(strip, {125, 15});
    viewtest::move(strip, {145, 15});
    viewtest::move(strip, {40, 15});
    EXPECT_FLOAT_EQ(strip->GetLow(), 0.3f);
    ASSERT_EQ(host->reports.size(), 1u);
    viewtest::move(strip, {150, 15});
    viewtest::release(strip, {150, 15});
    EXPECT_FLOAT_EQ(strip->GetLow(), 0.3f);
    EXPECT_EQ(host->reports.size(), 1u);
}

TEST_F(ContrastStripTest, WheelShiftsBothAndDoesNothingAtTheLimits)
{
    viewtest::wheel(strip, {150, 15}, 120);
    EXPECT_FLOAT_EQ(strip->GetLow(), 0.21f);
    EXPECT_FLOAT_EQ(strip->GetHigh(), 0.71f);
    ASSERT_EQ(host->reports.size(), 1u);
    viewtest::wheel(strip, {40, 15}, 120); // over the label
    EXPECT_FLOAT_EQ(strip->GetLow(), 0.21f);

    strip->SetHandles(0.005f, 0.5f);
    viewtest::wheel(strip, {150, 15}, -120);
    EXPECT_FLOAT_EQ(strip->GetLow(), 0.005f);
    strip->SetHandles(0.4f, 0.995f);
    viewtest::wheel(strip, {150, 15}, 120);
    EXPECT_FLOAT_EQ(strip->GetHigh(), 0.995f);
    EXPECT_EQ(host->reports.size(), 1u);
}

TEST_F(ContrastStripTest, DoubleClickOnAHandleChoosesItsColour)
{
    plat::setColorDialogResponder([](plat::ColorRef& c) {
        c = plat::rgb(200, 0, 0);
        return true;
    });
    viewtest::doubleClick(strip, {125, 15});
    EXPECT_EQ(strip->GetLowColor(), plat::rgb(200, 0, 0));
    plat::setColorDialogResponder([](plat::ColorRef& c) {
        c = plat::rgb(1, 2, 3);
        return false;
    });
    viewtest::doubleClick(strip, {225, 15});
    EXPECT_EQ(strip->GetHighColor(), plat::rgb(255, 255, 255));
    ASSERT_FALSE(host->reports.empty());
    EXPECT_EQ(host->reports.back().words[3], plat::rgb(200, 0, 0).value);
}

TEST_F(ContrastStripTest, PaintsLabelTrackBandAndHandles)
{
    strip->SetColors(plat::rgb(0, 0, 100), plat::rgb(200, 200, 0));
    EXPECT_EQ(Painted(1, 1), plat::pixelOf(210, 210, 210));
    EXPECT_EQ(Painted(100, 15), plat::pixelOf(0, 0, 100));   // low colour left of the band
    EXPECT_EQ(Painted(125, 15), plat::pixelOf(0, 0, 255));   // handle, colour value 0xFF0000
    EXPECT_EQ(Painted(120, 15), plat::pixelOf(0, 0, 0));     // its frame
    EXPECT_EQ(Painted(130, 15), plat::pixelOf(0, 0, 100));   // band starts at the low colour
    EXPECT_EQ(Painted(175, 15), plat::pixelOf(100, 100, 50)); // halfway
    EXPECT_EQ(Painted(250, 15), plat::pixelOf(210, 210, 210)); // right of the high handle
    // The control's own repaint shows the same pixels.
    const QImage shown = strip->grab().toImage();
    EXPECT_EQ(shown.pixel(175, 15) & rgbMask, plat::pixelOf(100, 100, 50));
    EXPECT_EQ(shown.pixel(125, 15) & rgbMask, plat::pixelOf(0, 0, 255));
}

TEST_F(ContrastStripTest, HistogramDrawsFaintlyAndAnEmptyOneNotAtAll)
{
    Painted(0, 0);
    std::vector<plat::Pixel> plain(surface.bits(), surface.bits() + surface.width() * surface.height());
    strip->SetHistogram({});
    Painted(0, 0);
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), surface.bits()));

    // All weight in the last bin: the far right of the track darkens from
    // the bottom to the top, the rest stays as it was.
    std::vector<double> bins(256, 0.0);
    bins[255] = 50.0;
    bins[0] = 25.0;
    strip->SetHistogram(bins);
    EXPECT_EQ(Painted(289, 29), plat::pixelOf(174, 174, 174));
    EXPECT_EQ(Painted(289, 0), plat::pixelOf(174, 174, 174));
    EXPECT_EQ(Painted(250, 29), plat::pixelOf(210, 210, 210));
    EXPECT_EQ(Painted(80, 29), plat::pixelOf(16, 16, 16)); // half height over black
    EXPECT_EQ(Painted(80, 5), plat::pixelOf(0, 0, 0));
    EXPECT_EQ(Painted(79, 29), plat::pixelOf(210, 210, 210)); // label area untouched
}

TEST_F(ContrastStripTest, EditModeShowsTheEditOverTheLabel)
{
    ASSERT_NE(strip->Edit(), nullptr);
    EXPECT_FALSE(strip->Edit()->isVisible());
    strip->SetDisplayMode(1);
    EXPECT_TRUE(strip->Edit()->isVisible());
    EXPECT_EQ(strip->Edit()->text(), QStringLiteral("0.25"));
    EXPECT_EQ(strip->Edit()->geometry(), QRect(0, 0, 80, 30));
}

} // namespace

namespace {

TEST_F(ContrastStripTest, SettingTheReportedPointsPlacesTheHandlesSilently)
{
    strip->SetHandlePara(0.1f, 0.9f);
    float low = 0;
    float high = 0;
    strip->OutHandlePara(low, high);
    EXPECT_NEAR(low, 0.1f, 1e-6);
    EXPECT_NEAR(high, 0.9f, 1e-6);
    EXPECT_TRUE(host->reports.empty());
    strip->SetHandlePara(0.8f, 0.3f); // crossed: the high point follows the low
    strip->OutHandlePara(low, high);
    EXPECT_NEAR(low, 0.8f, 1e-6);
    EXPECT_NEAR(high, 0.8f, 1e-6);
}

} // namespace
