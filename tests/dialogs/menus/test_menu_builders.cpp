// The menu, toolbar and status-bar builders on a bare main window.
#include "TestHome.h"

#include "pixorama/parlet/MenuBuilders.h"
#include "pixorama/platform/System.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

const tagMSGResource fileTable[] = {{11, L"打开"}, {12, L"保存"}, {0, L"文件"}};
const tagMSGResource titleOnly[] = {{0, L"成像仿真"}};

QStringList texts(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        out << a->text();
    return out;
}

TEST(MenuBuilders, AddMenuAppendsAPopupWithItsItemsAndIds)
{
    QMainWindow frame;
    EXPECT_TRUE(gAddMenu(fileTable, 2, &frame));
    EXPECT_TRUE(gAddMenu(titleOnly, 0, &frame));
    const QList<QAction*> popups = frame.menuBar()->actions();
    ASSERT_EQ(popups.size(), 2);
    EXPECT_EQ(popups[0]->text(), QStringLiteral("文件"));
    EXPECT_EQ(texts(popups[0]->menu()->actions()), (QStringList{QStringLiteral("打开"), QStringLiteral("保存")}));
    EXPECT_EQ(gActionCommandId(popups[0]->menu()->actions()[1]), 12);
    // A table with no items gives an empty popup titled with record 0.
    EXPECT_EQ(popups[1]->text(), QStringLiteral("成像仿真"));
    EXPECT_TRUE(popups[1]->menu()->actions().isEmpty());
    EXPECT_EQ(gActionCommandId(nullptr), 0);
}

TEST(MenuBuilders, BadArgumentsAddNothing)
{
    QMainWindow frame;
    EXPECT_FALSE(gAddMenu(nullptr, 1, &frame));
    EXPECT_FALSE(gAddMenu(fileTable, -1, &frame));
    EXPECT_FALSE(gAddMenu(fileTable, 2, nullptr));
    EXPECT_TRUE(frame.menuBar()->actions().isEmpty());
    EXPECT_FALSE(gDeleteAllMenu(nullptr));
}

TEST(MenuBuilders, DeleteAllMenuEmptiesTheBarAndLeavesAnEmptyOneAlone)
{
    QMainWindow frame;
    EXPECT_TRUE(gDeleteAllMenu(&frame));
    EXPECT_TRUE(frame.menuBar()->actions().isEmpty());
    gAddMenu(fileTable, 2, &frame);
    gAddMenu(fileTable, 1, &frame);
    QPointer<QMenu> first = frame.menuBar()->actions()[0]->menu();
    EXPECT_TRUE(gDeleteAllMenu(&frame));
    EXPECT_TRUE(frame.menuBar()->actions().isEmpty());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
}

class ToolBarBuilder : public testing::Test {
protected:
    static constexpr int buttons = 13;

    std::vector<tagMSGResource> Table() const
    {
        std::vector<tagMSGResource> table;
        for (int i = 0; i < buttons; ++i)
            table.push_back({100 + i, L"按钮" + std::to_wstring(i)});
        table.push_back({0, L"测试"});
        return table;
    }
};

TEST_F(ToolBarBuilder, ThirteenButtonsWithCaptionsImagesAndIds)
{
    // The strip drawn at build time beside the test programs.
    QMainWindow frame;
    QToolBar bar;
    const std::vector<tagMSGResource> table = Table();
    EXPECT_TRUE(gSetToolBar(&frame, bar, table.data(), buttons));
    const QList<QAction*> actions = bar.actions();
    ASSERT_EQ(actions.size(), buttons);
    EXPECT_EQ(actions[12]->text(), QStringLiteral("按钮12"));
    EXPECT_EQ(gActionCommandId(actions[12]), 112);
    EXPECT_EQ(bar.parentWidget(), &frame);
    EXPECT_EQ(frame.toolBarArea(&bar), Qt::TopToolBarArea);
    EXPECT_EQ(bar.toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    // Image i of the strip, with black transparent.
    const QImage first = actions[0]->icon().pixmap(20, 20).toImage();
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size(), QSize(20, 20));
    EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
    int opaque = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            opaque += qAlpha(first.pixel(x, y)) > 0;
    EXPECT_GT(opaque, 40);
    const QImage second = actions[1]->icon().pixmap(20, 20).toImage();
    EXPECT_NE(first, second);
}

TEST_F(ToolBarBuilder, WithoutAParentOrATableTheBarStaysAsItWas)
{
    QMainWindow frame;
    QToolBar bar;
    const std::vector<tagMSGResource> table = Table();
    EXPECT_TRUE(gSetToolBar(&frame, bar, table.data(), buttons));
    EXPECT_FALSE(gSetToolBar(nullptr, bar, table.data(), buttons));
    EXPECT_FALSE(gSetToolBar(&frame, bar, nullptr, buttons));
    EXPECT_EQ(bar.actions().size(), buttons);
}

TEST(StatusBarBuilder, FourPanesAndAProgressOverTheFirst)
{
    QMainWindow frame;
    auto* progress = new QProgressBar;
    ASSERT_TRUE(gCreateStatusBar(frame.statusBar(), progress));
    const std::vector<std::pair<QString, int>> panes = {
        {QStringLiteral("进度条"), 200}, {QStringLiteral("坐标信息"), 300},
        {QStringLiteral("像素信息"), 300}, {QStringLiteral("编辑信息"), 300},
    };
    for (int i = 0; i < 4; ++i) {
        QLabel* pane = gStatusBarPane(frame.statusBar(), i);
        ASSERT_NE(pane, nullptr);
        EXPECT_EQ(pane->text(), panes[std::size_t(i)].first);
        EXPECT_EQ(pane->width(), panes[std::size_t(i)].second);
    }
    EXPECT_EQ(gStatusBarPane(frame.statusBar(), 4), nullptr);
    EXPECT_EQ(gStatusBarPane(nullptr, 0), nullptr);
    EXPECT_EQ(progress->minimum(), 0);
    EXPECT_EQ(progress->maximum(), 100);
    EXPECT_EQ(progress->value(), 0);
    EXPECT_EQ(progress->parentWidget(), gStatusBarPane(frame.statusBar(), 0));

    frame.resize(1200, 500);
    frame.show();
    QApplication::processEvents();
    gStatusBarOnSize(frame.statusBar(), progress);
    EXPECT_EQ(gStatusBarPane(frame.statusBar(), 0)->width(), 400);
    EXPECT_EQ(progress->geometry(), gStatusBarPane(frame.statusBar(), 0)->rect());
}

TEST(StatusBarBuilder, MissingPartsAreRefused)
{
    QMainWindow frame;
    QProgressBar progress;
    EXPECT_FALSE(gCreateStatusBar(nullptr, &progress));
    EXPECT_FALSE(gCreateStatusBar(frame.statusBar(), nullptr));
    EXPECT_EQ(gStatusBarPane(frame.statusBar(), 0), nullptr);
    // Resizing a bar that was never built changes nothing.
    gStatusBarOnSize(frame.statusBar(), &progress);
    gStatusBarOnSize(nullptr, nullptr);
    EXPECT_EQ(progress.parentWidget(), nullptr);
}

} // namespace
