// What the views tell the application, and that they tell it before their
// canvas reacts; what they hand the canvas and what they paint.
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/EleView.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/tilemo/ViewInput.h"

#include "LayoutTestTools.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class ViewInputTest : public viewtest::LayoutFixture {
protected:
    void SetUp() override
    {
        Build({0, 0, 1405, 600});
        app->onReceive = [this](unsigned msg, std::uintptr_t wParam, std::intptr_t) {
            if (msg == WM_CTER_VIEWINPUT)
                records.push_back(*reinterpret_cast<const tagQEVViewInput*>(wParam));
        };
        Show();
    }

    const tagQEVViewInput& last() const { return records.back(); }

    std::vector<tagQEVViewInput> records;
};

TEST_F(ViewInputTest, PointerEventsReportKindFlagsAndPoint)
{
    EleView* rb = area->view(3);
    viewtest::move(rb, {30, 40}, Qt::NoButton, Qt::ShiftModifier);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(last().viewId, 4);
    EXPECT_EQ(last().event, CTER_MOUSEMOVE);
    EXPECT_EQ(last().x, 30);
    EXPECT_EQ(last().y, 40);
    EXPECT_EQ(unsigned(last().flags), plat::MK_SHIFT);

    viewtest::press(rb, {31, 41}, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(last().event, CTER_LBUTTONDOWN);
    EXPECT_EQ(unsigned(last().flags), plat::MK_LBUTTON | plat::MK_CONTROL);
    EXPECT_EQ(last().x, 31);

    viewtest::release(rb, {32, 42});
    EXPECT_EQ(last().event, CTER_LBUTTONUP);
    EXPECT_EQ(last().flags, 0);
    EXPECT_EQ(last().y, 42);
    EXPECT_EQ(records.size(), 3u);
}

TEST_F(ViewInputTest, WheelReportsAMoveWithItsDelta)
{
    viewtest::wheel(area->view(3), {50, 60}, -120, Qt::ControlModifier);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(last().event, CTER_MOUSEMOVE);
    EXPECT_EQ(last().wheelDelta, -120);
    EXPECT_EQ(last().x, 50);
    EXPECT_EQ(last().y, 60);
    EXPECT_EQ(unsigned(last().flags), plat::MK_CONTROL);
}

TEST_F(ViewInputTest, KeyReportsTheCodeAndKeepsThePointerMembers)
{
    EleView* rb = area->view(3);
    viewtest::wheel(rb, {7, 8}, 240);
    viewtest::key(rb, Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(last().event, CTER_KEYDOWN);
    EXPECT_EQ(last().keyCode, 0x41);
    EXPECT_EQ(last().flags, 0);
    EXPECT_EQ(last().x, 7);
    EXPECT_EQ(last().y, 8);
    EXPECT_EQ(last().wheelDelta, 240);
}

TEST_F(ViewInputTest, EachViewReportsItsOwnCanvasId)
{
    const int expected[] = {0, 1, 2, 4};
    for (int slot = 0; slot < 4; ++slot) {
        viewtest::move(area->view(slot), {5, 5}, Qt::NoButton);
        EXPECT_EQ(last().viewId, expected[slot]);
    }
}

TEST_F(ViewInputTest, DoubleClickIsNotReportedAsInput)
{
    gCTERSetRespondToMaxView(false);
    viewtest::doubleClick(area->view(0), {5, 5});
    // press and release twice; the double click itself goes to the view area only
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].event, CTER_LBUTTONDOWN);
    EXPECT_EQ(records[1].event, CTER_LBUTTONUP);
    EXPECT_EQ(records[2].event, CTER_LBUTTONUP);
}

TEST_F(ViewInputTest, ApplicationHearsOfTheEventBeforeTheCanvasReacts)
{
    std::vector<float> image(64 * 64, 100.0f);
    image[0] = 0.0f;
    gCVSShowRawFloat(4, image.data(), 64, 64, true, true);
    gCVSSetCanvasMoveMode(4, DisplayZoomCursor);
    const plat::Rect before = gCVSGetCanvasRegion(4);
    ASSERT_FALSE(before.isEmpty());

    plat::Rect seenByApplication{};
    app->onReceive = [&](unsigned msg, std::uintptr_t, std::intptr_t) {
        if (msg == WM_CTER_VIEWINPUT)
            seenByApplication = gCVSGetCanvasRegion(4);
    };
    viewtest::wheel(area->view(3), {100, 100}, 120, Qt::ControlModifier);
    const plat::Rect after = gCVSGetCanvasRegion(4);
    EXPECT_NE(after, before); // the canvas zoomed
    EXPECT_EQ(seenByApplication, before);
}

TEST_F(ViewInputTest, ViewShowsWhatItsCanvasPaints)
{
    std::vector<unsigned char> r(16 * 16, 255), g(16 * 16, 0), b(16 * 16, 0);
    gCVSShowUCColor(4, r.data(), g.data(), b.data(), 16, 16, true);
    EleView* rb = area->view(3);
    rb->repaint();
    const plat::DibBitmap& shown = rb->backingSurface();
    ASSERT_EQ(shown.width(), gCVSGetClientWidth(4));
    ASSERT_EQ(shown.height(), gCVSGetClientHeight(4));
    const unsigned* client = gCVSGetClientPixelPtr(4);
    ASSERT_NE(client, nullptr);
    std::size_t differing = 0;
    std::size_t red = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const std::size_t i = std::size_t(y) * std::size_t(shown.width()) + std::size_t(x);
            const plat::Pixel p = shown.bits()[i] & 0xFFFFFF;
            differing += p != (client[i] & 0xFFFFFF);
            red += p == plat::pixelOf(255, 0, 0);
        }
    }
    EXPECT_EQ(differing, 0u);
    EXPECT_GE(red, 16u * 16u); // all of the picture is on screen, at whatever zoom
    const plat::Rect d = gCVSGetCanvasRegion(4);
    EXPECT_EQ(shown.pixelAt((d.left + d.right) / 2, (d.top + d.bottom) / 2) & 0xFFFFFF, plat::pixelOf(255, 0, 0));
}

TEST_F(ViewInputTest, RefreshRepaintsTheViewsFromTheirCanvases)
{
    EleView* rb = area->view(3);
    auto showGrey = [](unsigned char level) {
        std::vector<unsigned char> grey(8 * 8, level);
        gCVSShowUCGray(4, grey.data(), 8, 8, true);
    };
    auto centre = [rb] {
        const plat::Rect shown = gCVSGetCanvasRegion(4);
        return rb->backingSurface().pixelAt((shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2) & 0xFFFFFF;
    };
    showGrey(40);
    rb->repaint();
    ASSERT_EQ(centre(), plat::pixelOf(40, 40, 40));

    showGrey(220);
    QApplication::processEvents();
    EXPECT_EQ(centre(), plat::pixelOf(40, 40, 40)); // nobody asked for a repaint yet
    ASSERT_TRUE(gCTERRefreshAllView());
    QApplication::processEvents();
    EXPECT_EQ(centre(), plat::pixelOf(220, 220, 220));

    showGrey(90);
    ASSERT_TRUE(gCTERRefreshLTView());
    QApplication::processEvents();
    EXPECT_EQ(centre(), plat::pixelOf(220, 220, 220));
    ASSERT_TRUE(gCTERRefreshRBView());
    QApplication::processEvents();
    EXPECT_EQ(centre(), plat::pixelOf(90, 90, 90));
}

} // namespace
