// The main window as a user meets it: the layout set up in the view, the
// status bar panes and the cursor position of canvas 4 in pane 1.
#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/EleSegBar.h"
#include "pixorama/tilemo/EleView.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/CMainFrame.h"
#include "pixorama/workbench/CPixoramaView.h"
#include "pixorama/workbench/QEVViewOfParaOne.h"

#include "../views/ViewTestTools.h"

#include <QProgressBar>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <memory>

namespace {

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame = std::make_unique<CMainFrame>();
        frame->show();
        QApplication::processEvents();
        ASSERT_NE(gCTERGetContainer(), nullptr);
        area = gCTERGetContainer()->viewArea();
    }

    EleView* working() const { return area->view(3); }

    std::unique_ptr<CMainFrame> frame;
    EleViewContainer* area = nullptr;
};

TEST_F(MainFrameTest, TitleAndStatusPanesStartAsBuilt)
{
    EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("图像分析软件 ")));
    EXPECT_EQ(frame->paneText(0), L"进度条");
    EXPECT_EQ(frame->paneText(1), L"坐标信息");
    EXPECT_EQ(frame->paneText(2), L"像素信息");
    EXPECT_EQ(frame->paneText(3), L"编辑信息");
    EXPECT_EQ(frame->paneText(4), L"");
    ASSERT_NE(frame->progressCtrl(), nullptr);
    EXPECT_EQ(frame->progressCtrl()->minimum(), 0);
    EXPECT_EQ(frame->progressCtrl()->maximum(), 100);
}

TEST_F(MainFrameTest, ViewHostsTheLayoutWithCanvasFourAlone)
{
    EleContainer* c = gCTERGetContainer();
    EXPECT_EQ(c->parentWidget(), frame->view());
    EXPECT_EQ(c->geometry(), frame->view()->rect());
    // The parameter view on the left, the working view over the rest.
    ASSERT_NE(frame->view()->paraView(), nullptr);
    EXPECT_EQ(frame->view()->paraView()->parentWidget(), c);
    EXPECT_EQ(frame->view()->paraView()->geometry(), QRect(0, 0, 400, c->height()));
    EXPECT_EQ(working()->canvasId(), 4);
    EXPECT_EQ(working()->geometry(), QRect(0, 0, area->width(), area->height()));
    EXPECT_EQ(area->view(0)->width() * area->view(0)->height(), 0);
    EXPECT_EQ(area->infoCtrl()->height(), 0);
    EXPECT_EQ(EleSegBar::color(), plat::rgb(180, 180, 180));
}

TEST_F(MainFrameTest, LayoutFollowsTheWindowSize)
{
    frame->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(gCTERGetContainer()->geometry(), frame->view()->rect());
    EXPECT_EQ(area->width(), frame->view()->width() - 405);
    EXPECT_EQ(working()->size(), area->size());
}

TEST_F(MainFrameTest, DoubleClickDoesNotMaximise)
{
    const bool maximised = area->grid().isMaximised();
    viewtest::doubleClick(working(), {20, 20});
    EXPECT_EQ(area->grid().isMaximised(), maximised);
    EXPECT_EQ(working()->geometry(), QRect(0, 0, area->width(), area->height()));
}

TEST_F(MainFrameTest, CursorOverCanvasFourShowsInPaneOne)
{
    viewtest::move(working(), {12, 34}, Qt::NoButton);
    EXPECT_EQ(frame->paneText(1), L"x=12 y=34");
    viewtest::wheel(working(), {56, 78}, 120);
    EXPECT_EQ(frame->paneText(1), L"x=56 y=78");
}

TEST_F(MainFrameTest, OtherEventsAndOtherCanvasesLeaveThePaneAlone)
{
    viewtest::move(working(), {1, 2}, Qt::NoButton);
    viewtest::press(working(), {3, 4});
    viewtest::release(working(), {5, 6});
    viewtest::key(working(), Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(frame->paneText(1), L"x=1 y=2");

    // Another view, reachable once the grid shows all four.
    gCTERSetLayOut(1.2f, 0.5f, 0.5f, false);
    viewtest::move(area->view(0), {7, 8}, Qt::NoButton);
    viewtest::move(area->view(1), {9, 10}, Qt::NoButton);
    EXPECT_EQ(frame->paneText(1), L"x=1 y=2");
    viewtest::move(working(), {11, 12}, Qt::NoButton);
    EXPECT_EQ(frame->paneText(1), L"x=11 y=12");
}

TEST_F(MainFrameTest, PaneTextOutsideTheBarIsIgnored)
{
    frame->setPaneText(-1, L"x");
    frame->setPaneText(4, L"x");
    frame->setPaneText(2, L"灰度 = 17");
    EXPECT_EQ(frame->paneText(2), L"灰度 = 17");
    EXPECT_EQ(frame->paneText(1), L"坐标信息");
}

} // namespace
