// The layout as the application drives it through the gCTER functions:
// where the parameter view, the bars and the four views end up, bar drags,
// the maximise toggle, the colours and the information strip.
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/EleSegBar.h"
#include "pixorama/tilemo/EleView.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/tilemo/ViewInput.h"

#include "LayoutTestTools.h"

#include <QTextEdit>
#include <gtest/gtest.h>

#include <memory>

namespace {

using plat::Rect;
using viewtest::RecordingWnd;

class LayoutTest : public viewtest::LayoutFixture {
protected:
    void SetUp() override
    {
        Build({0, 0, 900, 600});
        Show();
        // The parameter area takes 400 pixels and the bar 5: the view area is 1000 wide.
        ASSERT_TRUE(gCTEROnSize({0, 0, 1405, 600}));
    }

    EleView* view(int slot) const { return area->view(slot); }
};

TEST_F(LayoutTest, CreationFollowsTheCallersRectangleAndStyle)
{
    RecordingWnd parent;
    ASSERT_TRUE(gCTERCreate(L"#32770", L"Hello", 0x5000004E, {10, 20, 910, 620}, &parent, 2000));
    EleContainer* c = gCTERGetContainer();
    EXPECT_EQ(c->parentWidget(), &parent);
    EXPECT_EQ(c->geometry(), QRect(10, 20, 900, 600));
    EXPECT_TRUE(c->isVisibleTo(&parent));
    ASSERT_TRUE(gCTERCreate(L"#32770", L"Hello", 0x40000000, {0, 0, 100, 100}, &parent, 2000));
    EXPECT_FALSE(gCTERGetContainer()->isVisibleTo(&parent)); // no WS_VISIBLE
    EXPECT_FALSE(gCTERCreate(L"#32770", L"Hello", 0x5000004E, {0, 0, 100, 100}, nullptr, 2000));
}

TEST_F(LayoutTest, OuterAreasSitBesideTheBar)
{
    EXPECT_EQ(container->paraRect(), (Rect{0, 0, 400, 600}));
    EXPECT_EQ(container->bar()->barRect(), (Rect{400, 0, 405, 600}));
    EXPECT_EQ(container->viewRect(), (Rect{405, 0, 1405, 600}));
    EXPECT_EQ(area->geometry(), QRect(405, 0, 1000, 600));

    QWidget para;
    ASSERT_TRUE(gCTERSetParaView(&para));
    EXPECT_EQ(para.parentWidget(), container);
    EXPECT_TRUE(para.isVisible());
    EXPECT_EQ(para.geometry(), QRect(0, 0, 400, 600));
    para.setParent(nullptr);
}

TEST_F(LayoutTest, OuterPaintShowsTheAreaColours)
{
    container->repaint();
    const plat::DibBitmap& s = container->backingSurface();
    EXPECT_EQ(s.pixelAt(100, 300) & 0xFFFFFF, plat::pixelOf(180, 180, 180));
    EXPECT_EQ(s.pixelAt(1000, 300) & 0xFFFFFF, plat::pixelOf(200, 200, 200));
    gCTERSetSegBarColor(180, 180, 180);
    container->bar()->repaint();
    EXPECT_EQ(container->bar()->backingSurface().pixelAt(2, 2) & 0xFFFFFF, plat::pixelOf(180, 180, 180));
    gCTERSetSegBarColor(200, 200, 200);
}

TEST_F(LayoutTest, ViewWindowsFollowTheFourRatioSets)
{
    struct Case {
        float r0, ry, rx;
        bool max;
        QRect rb;
        QRect lt;
        QRect info;
    };
    const Case cases[] = {
        {0.8f, -0.2f, -0.2f, false, {0, 0, 1000, 476}, {0, 0, 0, 0}, {0, 481, 1000, 119}},
        {1.2f, -0.2f, -0.2f, true, {0, 0, 1000, 600}, {0, 0, 0, 0}, {0, 605, 1000, 0}},
        {1.2f, -0.2f, 0.5f, false, {502, 0, 498, 600}, {0, 0, 497, 0}, {0, 605, 1000, 0}},
        {1.2f, 0.5f, 0.5f, false, {502, 302, 498, 298}, {0, 0, 497, 297}, {0, 605, 1000, 0}},
    };
    for (const Case& c : cases) {
        gCTERSetLayOut(c.r0, c.ry, c.rx, c.max);
        EXPECT_EQ(view(3)->geometry(), c.rb) << c.r0 << " " << c.ry << " " << c.rx;
        EXPECT_EQ(view(0)->geometry(), c.lt) << c.r0 << " " << c.ry << " " << c.rx;
        EXPECT_EQ(area->infoCtrl()->geometry(), c.info) << c.r0 << " " << c.ry << " " << c.rx;
        // The canvas behind the right-bottom view has the view's client size.
        EXPECT_EQ(gCVSGetClientWidth(4), c.rb.width());
        EXPECT_EQ(gCVSGetClientHeight(4), c.rb.height());
    }
}

TEST_F(LayoutTest, ViewsCarryTheirCanvasIdsAndControlIds)
{
    EXPECT_EQ(view(0)->canvasId(), 0);
    EXPECT_EQ(view(1)->canvasId(), 1);
    EXPECT_EQ(view(2)->canvasId(), 2);
    EXPECT_EQ(view(3)->canvasId(), 4);
    EXPECT_EQ(view(0)->controlId(), 21036);
    EXPECT_EQ(view(1)->controlId(), 21038);
    EXPECT_EQ(view(2)->controlId(), 21040);
    EXPECT_EQ(view(3)->controlId(), 21034);
    EXPECT_EQ(area->bar(0)->controlId(), 21024);
    EXPECT_EQ(area->bar(1)->controlId(), 21026);
    EXPECT_EQ(area->bar(2)->controlId(), 21028);
}

TEST_F(LayoutTest, DraggingTheColumnBarToTheMiddleSticksAcrossResizes)
{
    gCTERSetLayOut(1.2f, 0.5f, 0.25f, false);
    EleSegBar* columnBar = area->bar(2);
    ASSERT_EQ(columnBar->barRect(), (Rect{248, 0, 253, 600}));
    viewtest::press(columnBar, {2, 100});
    viewtest::move(columnBar, {254, 100});
    viewtest::release(columnBar, {254, 100});
    EXPECT_NEAR(area->grid().columnRatio(), 0.5f, 0.005f);
    EXPECT_EQ(view(0)->geometry(), QRect(0, 0, 500, 297));
    EXPECT_EQ(view(1)->geometry(), QRect(505, 0, 495, 297));

    gCTEROnSize({0, 0, 2405, 600}); // view area 2000 wide
    EXPECT_EQ(area->rects().leftColumnWidth, 1002);
    EXPECT_EQ(view(1)->geometry().left(), 1007);
}

TEST_F(LayoutTest, DraggingTheRowAndGridBarsMovesTheRows)
{
    gCTERSetLayOut(0.8f, 0.5f, 0.5f, false);
    ASSERT_EQ(area->bar(1)->barRect(), (Rect{0, 235, 1000, 240})); // trunc(471 x 0.5)
    viewtest::press(area->bar(1), {600, 2});
    viewtest::move(area->bar(1), {600, -133});
    viewtest::release(area->bar(1), {600, -133});
    // Dropped at 100: ry = 100 / 476 and the row is (476 - 5) x ry high.
    EXPECT_FLOAT_EQ(area->grid().rowRatio(), 100.0f / 476.0f);
    EXPECT_EQ(view(0)->geometry(), QRect(0, 0, 497, 98));
    EXPECT_EQ(view(2)->geometry().top(), 103);

    viewtest::press(area->bar(0), {600, 2});
    viewtest::move(area->bar(0), {600, 102});
    viewtest::release(area->bar(0), {600, 102});
    EXPECT_EQ(area->rects().gridHeight, 576);
    EXPECT_EQ(area->infoCtrl()->geometry(), QRect(0, 581, 1000, 19));
}

TEST_F(LayoutTest, DraggingTheOuterBarResizesTheParameterArea)
{
    EleSegBar* bar = container->bar();
    viewtest::press(bar, {2, 100});
    viewtest::move(bar, {-98, 100});
    viewtest::release(bar, {-98, 100});
    EXPECT_EQ(container->paraRect(), (Rect{0, 0, 300, 600}));
    EXPECT_EQ(area->geometry(), QRect(305, 0, 1100, 600));
    // The bar's right edge goes no further than 600.
    viewtest::press(bar, {2, 100});
    viewtest::move(bar, {702, 100});
    viewtest::release(bar, {702, 100});
    EXPECT_EQ(container->paraRect(), (Rect{0, 0, 595, 600}));
}

TEST_F(LayoutTest, DoubleClickMaximisesAndRestores)
{
    viewtest::doubleClick(view(1), {10, 10});
    EXPECT_TRUE(area->grid().isMaximised());
    EXPECT_EQ(view(1)->geometry(), QRect(0, 0, 1000, 595));
    EXPECT_EQ(view(0)->geometry().width(), 0);
    viewtest::doubleClick(view(1), {10, 10});
    EXPECT_FALSE(area->grid().isMaximised());
    EXPECT_EQ(view(1)->geometry(), QRect(502, 0, 498, 297));
}

TEST_F(LayoutTest, SingleViewRestoresToAnEvenGridAndOffIgnoresDoubleClicks)
{
    gCTERSetLayOut(1.2f, -0.2f, -0.2f, true);
    EXPECT_EQ(view(3)->geometry(), QRect(0, 0, 1000, 600));
    EXPECT_EQ(area->infoCtrl()->height(), 0);
    viewtest::doubleClick(view(3), {500, 300});
    EXPECT_EQ(view(0)->geometry(), QRect(0, 0, 497, 297));
    EXPECT_EQ(view(3)->geometry(), QRect(502, 302, 498, 298));

    gCTERSetRespondToMaxView(false);
    viewtest::doubleClick(view(3), {10, 10});
    EXPECT_FALSE(area->grid().isMaximised());
    EXPECT_EQ(view(3)->geometry(), QRect(502, 302, 498, 298));
}

TEST_F(LayoutTest, InformationStripHoldsTheText)
{
    gCTERSetLayOut(0.8f, -0.2f, -0.2f, false);
    ASSERT_TRUE(gCTERSetInfo(L"均值 = 12.5\n方差 = 3"));
    EXPECT_EQ(gCTERGetInfo(), L"均值 = 12.5\n方差 = 3");
    ASSERT_NE(gCTERGetInfoCtrl(), nullptr);
    EXPECT_EQ(gCTERGetInfoCtrl()->toPlainText(), QStringLiteral("均值 = 12.5\n方差 = 3"));
    EXPECT_TRUE(gCTERGetInfoCtrl()->isReadOnly());
    EXPECT_EQ(gCTERGetInfoCtrl()->font().family(), QStringLiteral("微软雅黑"));
}

TEST_F(LayoutTest, CallsWithoutWindowsAreRefusedSafely)
{
    app.reset(); // takes the layout's windows with it
    EXPECT_EQ(gCTERGetContainer(), nullptr);
    EXPECT_FALSE(gCTERSetInfo(L"x"));
    EXPECT_EQ(gCTERGetInfo(), L"");
    EXPECT_EQ(gCTERGetInfoCtrl(), nullptr);
    EXPECT_FALSE(gCTEROnSize({0, 0, 10, 10}));
    EXPECT_FALSE(gCTERRefreshAllView());
    EXPECT_FALSE(gCTERRefreshRBView());
    QWidget para;
    EXPECT_FALSE(gCTERSetParaView(&para));
    // Settings are kept for the next layout.
    EXPECT_TRUE(gCTERSetLayOut(1.2f, -0.2f, 0.5f, false));
    RecordingWnd parent;
    parent.resize(1405, 600);
    ASSERT_TRUE(gCTERCreate(L"#32770", L"Hello", 0x5000004E, {0, 0, 1405, 600}, &parent, 2000));
    parent.show();
    EXPECT_EQ(gCTERGetContainer()->viewArea()->view(2)->geometry(), QRect(0, 0, 497, 600));
}

} // namespace
