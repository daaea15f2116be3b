// What a title bar tells its owner: the displacement and its id after a
// drag that moved it, its index when asked to maximise; and how it paints.
#include "pixorama/brovia/ControlId.h"
#include "pixorama/brovia/QEVSegBar.h"

#include "BrowserTestTools.h"

#include <QPixmap>
#include <gtest/gtest.h>

#include <memory>

namespace {

using viewtest::RecordingWnd;

class SegBarMessagesTest : public testing::Test {
protected:
    void SetUp() override
    {
        owner = std::make_unique<RecordingWnd>();
        owner->resize(200, 300);
        bar = new QEVSegBar(owner.get(), 77);
        bar->SetSBIndex(3);
        bar->SetPropName(L"序列文件");
        bar->setGeometry(0, 100, 200, 21);
        owner->show();
    }

    std::unique_ptr<RecordingWnd> owner;
    QEVSegBar* bar = nullptr;
};

TEST_F(SegBarMessagesTest, AMovedBarReportsItsDisplacementAndId)
{
    viewtest::press(bar, {50, 10});
    viewtest::move(bar, {50, -30});
    viewtest::release(bar, {50, -30});
    const auto moves = owner->of(WM_LAYOUT_BARMOVED);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(std::intptr_t(moves[0].wParam), -40);
    EXPECT_EQ(moves[0].lParam, 77);
    EXPECT_EQ(bar->y(), 60);
    EXPECT_EQ(GetCtrlId(bar), 77);

    // A drag that ends where it began says nothing; one past the owner's
    // bottom stops with the bar inside it.
    viewtest::press(bar, {50, 10});
    viewtest::release(bar, {50, 10});
    EXPECT_EQ(owner->of(WM_LAYOUT_BARMOVED).size(), 1u);
    viewtest::press(bar, {50, 10});
    viewtest::move(bar, {50, 900});
    viewtest::press(bar, {50, 900}, Qt::RightButton); // the right button ends a drag too
    ASSERT_EQ(owner->of(WM_LAYOUT_BARMOVED).size(), 2u);
    EXPECT_EQ(std::intptr_t(owner->of(WM_LAYOUT_BARMOVED)[1].wParam), 300 - 21 - 60);
    EXPECT_EQ(bar->y(), 300 - 21);
}

TEST_F(SegBarMessagesTest, DoubleClickAndMiddleButtonAskToMaximiseByIndex)
{
    viewtest::doubleClick(bar, {50, 10});
    viewtest::press(bar, {50, 10}, Qt::MiddleButton);
    const auto asks = owner->of(WM_LAYOUT_BARMAXIMISE);
    ASSERT_EQ(asks.size(), 2u);
    EXPECT_EQ(asks[0].wParam, 0u);
    EXPECT_EQ(asks[0].lParam, 3);
    EXPECT_EQ(asks[1].lParam, 3);
    EXPECT_TRUE(owner->of(WM_LAYOUT_BARMOVED).empty());
}

TEST_F(SegBarMessagesTest, PaintsGreyWithTheTitleInTheMiddle)
{
    const QImage shown = bar->grab().toImage();
    EXPECT_EQ(shown.pixel(2, 2) & 0xFFFFFF, plat::pixelOf(210, 210, 210));
    // Title pixels sit around the centre only, in the title colour's hue.
    int titleLeft = 200;
    int titleRight = -1;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 200; ++x)
            if ((shown.pixel(x, y) & 0xFFFFFF) != plat::pixelOf(210, 210, 210)) {
                titleLeft = std::min(titleLeft, x);
                titleRight = std::max(titleRight, x);
                const QColor c(shown.pixel(x, y));
                EXPECT_GT(c.red(), c.green()) << x << "," << y;
            }
    ASSERT_GE(titleRight, titleLeft);
    EXPECT_NEAR((titleLeft + titleRight) / 2.0, 100.0, 4.0);
}

} // namespace
