// Dragging a bar: the outline follows the pointer along the bar's axis,
// stays in its owner and its limits, and the owner hears of the move once,
// only when the bar moved.
#include "pixorama/tilemo/EleSegBar.h"
#include "pixorama/tilemo/ViewInput.h"

#include "ViewTestTools.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using plat::Rect;
using viewtest::RecordingWnd;

class SegBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        owner = std::make_unique<RecordingWnd>();
        owner->resize(1000, 600);
        vertical = new EleSegBar(owner.get(), true, 77);
        vertical->setLimits(0, 600);
        vertical->place({400, 0, 405, 600});
        horizontal = new EleSegBar(owner.get(), false, 78);
        horizontal->setLimits(0, 2000);
        horizontal->place({0, 300, 1000, 305});
        owner->show();
        QApplication::processEvents();
    }

    // Grabs bar at (2, 10) of the bar, moves by dx along the pointer, lets go.
    void drag(EleSegBar* bar, QPoint by)
    {
        const QPoint grab(2, 10);
        viewtest::press(bar, grab);
        viewtest::move(bar, grab + by);
        viewtest::release(bar, grab + by);
    }

    std::vector<RecordingWnd::Message> moves() const { return owner->of(WM_CTER_BARMOVED); }

    std::unique_ptr<RecordingWnd> owner;
    EleSegBar* vertical = nullptr;
    EleSegBar* horizontal = nullptr;
};

TEST_F(SegBarTest, DragMovesTheBarAndTellsTheOwnerOnce)
{
    drag(vertical, {100, 37});
    EXPECT_EQ(vertical->barRect(), (Rect{500, 0, 505, 600})); // vertical bars ignore y
    EXPECT_EQ(vertical->position(), 500);
    EXPECT_EQ(vertical->geometry(), QRect(500, 0, 5, 600));
    ASSERT_EQ(moves().size(), 1u);
    EXPECT_EQ(int(moves()[0].wParam), 500);
    EXPECT_EQ(moves()[0].lParam, 77);

    drag(horizontal, {250, -120});
    EXPECT_EQ(horizontal->barRect(), (Rect{0, 180, 1000, 185}));
    ASSERT_EQ(moves().size(), 2u);
    EXPECT_EQ(int(moves()[1].wParam), 180);
    EXPECT_EQ(moves()[1].lParam, 78);
}

TEST_F(SegBarTest, OutlineFollowsThePointerWhileTheBarStays)
{
    viewtest::press(vertical, {2, 10});
    EXPECT_TRUE(vertical->isDragging());
    viewtest::move(vertical, {-58, 10});
    EXPECT_EQ(vertical->outlineRect(), (Rect{340, 0, 345, 600}));
    EXPECT_EQ(vertical->barRect(), (Rect{400, 0, 405, 600}));
    EXPECT_TRUE(moves().empty());
    viewtest::release(vertical, {-58, 10});
    EXPECT_FALSE(vertical->isDragging());
    EXPECT_EQ(vertical->barRect(), (Rect{340, 0, 345, 600}));
}

TEST_F(SegBarTest, ReleaseWithoutMovementSendsNothing)
{
    drag(vertical, {0, 50});
    viewtest::press(vertical, {2, 10});
    viewtest::move(vertical, {80, 10});
    viewtest::move(vertical, {2, 10}); // and back again
    viewtest::release(vertical, {2, 10});
    EXPECT_TRUE(moves().empty());
    EXPECT_EQ(vertical->barRect(), (Rect{400, 0, 405, 600}));
}

TEST_F(SegBarTest, TrailingEdgeStaysWithinTheLimits)
{
    drag(vertical, {400, 0}); // trailing edge would be 805
    EXPECT_EQ(vertical->barRect().right, 600);
    ASSERT_EQ(moves().size(), 1u);
    EXPECT_EQ(int(moves()[0].wParam), 595);

    vertical->setLimits(200, 600);
    drag(vertical, {-500, 0});
    EXPECT_EQ(vertical->barRect().right, 200);
    EXPECT_EQ(vertical->position(), 195);
}

TEST_F(SegBarTest, BarStaysInsideItsOwner)
{
    drag(horizontal, {0, 900}); // limits allow 2000, the owner only 600
    EXPECT_EQ(horizontal->barRect(), (Rect{0, 595, 1000, 600}));
    drag(vertical, {-900, 0});
    EXPECT_EQ(vertical->barRect(), (Rect{0, 0, 5, 600}));
}

TEST_F(SegBarTest, RightButtonAndEscapeEndTheDrag)
{
    viewtest::press(vertical, {2, 10});
    viewtest::move(vertical, {52, 10});
    viewtest::press(vertical, {52, 10}, Qt::RightButton);
    EXPECT_FALSE(vertical->isDragging());
    EXPECT_EQ(vertical->position(), 450);

    viewtest::press(horizontal, {2, 2});
    viewtest::move(horizontal, {2, 42});
    viewtest::key(horizontal, Qt::Key_Escape);
    EXPECT_FALSE(horizontal->isDragging());
    EXPECT_EQ(horizontal->position(), 340);
    // Later moves do nothing.
    viewtest::move(horizontal, {2, 200});
    EXPECT_EQ(horizontal->position(), 340);
    EXPECT_EQ(moves().size(), 2u);
}

TEST_F(SegBarTest, NoDragWhileAnotherWindowHoldsTheMouse)
{
    QWidget other(owner.get());
    other.show();
    other.grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), &other);
    viewtest::press(vertical, {2, 10});
    EXPECT_FALSE(vertical->isDragging());
    viewtest::move(vertical, {80, 10});
    viewtest::release(vertical, {80, 10});
    other.releaseMouse();
    EXPECT_TRUE(moves().empty());
    EXPECT_EQ(vertical->position(), 300); // never dragged: the default
}

TEST_F(SegBarTest, EmptyOwnerEndsTheDragAtOnce)
{
    owner->resize(0, 0);
    viewtest::press(vertical, {2, 10});
    EXPECT_FALSE(vertical->isDragging());
    viewtest::release(vertical, {50, 10});
    EXPECT_TRUE(moves().empty());
}

TEST_F(SegBarTest, BarsPaintInTheSharedColour)
{
    EleSegBar::setColor(10, 20, 30);
    vertical->repaint();
    horizontal->repaint();
    EXPECT_EQ(vertical->backingSurface().pixelAt(2, 300) & 0xFFFFFF, plat::pixelOf(10, 20, 30));
    EXPECT_EQ(horizontal->backingSurface().pixelAt(900, 4) & 0xFFFFFF, plat::pixelOf(10, 20, 30));
    EleSegBar::setColor(200, 200, 200);
}

} // namespace
