// The menu bar, the toolbar and the status bar as the frame builds them.
#include "WorkbenchFixture.h"

#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/parlet/MenuBuilders.h"
#include "pixorama/workbench/MenuTables.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>

#include <set>

namespace {

struct Item {
    int id;
    std::wstring caption;
    friend bool operator==(const Item&, const Item&) = default;
};

// The table entries of a popup, leaving out what the frame adds after them.
std::vector<Item> tableItems(QMenu* popup, int count)
{
    std::vector<Item> items;
    const QList<QAction*> actions = popup->actions();
    for (int i = 0; i < count && i < actions.size(); ++i)
        items.push_back({gActionCommandId(actions[i]), actions[i]->text().toStdWString()});
    return items;
}

std::vector<Item> expected(const MenuTable& table)
{
    std::vector<Item> items;
    for (int i = 0; i < table.count; ++i)
        items.push_back({table.items[i].id, table.items[i].caption});
    return items;
}

class MenuTest : public WorkbenchTest {
protected:
    QList<QAction*> popups() const { return frame->menuBar()->actions(); }

    void expectMainMenu()
    {
        const std::vector<std::pair<std::wstring, int>> shape = {
            {L"基本功能", 8}, {L"视图", 6}, {L"图像编辑", 10}, {L"图像选区", 9},
            {L"图像分析", 2}, {L"单字节图像增强", 4}, {L"图像艺术处理", 16}, {L"图像分割", 8},
            {L"图像重建实验", 11}, {L"大视场重建", 4},
        };
        ASSERT_EQ(popups().size(), qsizetype(shape.size()));
        for (std::size_t i = 0; i < shape.size(); ++i) {
            QMenu* popup = popups()[qsizetype(i)]->menu();
            ASSERT_NE(popup, nullptr);
            EXPECT_EQ(popup->title().toStdWString(), shape[i].first);
            EXPECT_EQ(tableItems(popup, shape[i].second), expected(MainMenuTables()[i])) << i;
        }
    }
};

TEST_F(MenuTest, TenPopupsWithTheirItemsInTableOrder)
{
    expectMainMenu();
    const std::vector<Item> edit = tableItems(popups()[2]->menu(), 10);
    EXPECT_EQ(edit.front(), (Item{2244, L"固化结果"}));
    EXPECT_EQ(edit[6], (Item{2242, L"转化为256阶位图"}));
    EXPECT_EQ(tableItems(popups()[3]->menu(), 1).front(), (Item{2274, L"矩形(按住shift画)"}));
    EXPECT_EQ(tableItems(popups()[6]->menu(), 16).back(), (Item{2349, L"颜色矩阵"}));
    EXPECT_EQ(tableItems(popups()[7]->menu(), 8).back(), (Item{2544, L"结束"}));
}

TEST_F(MenuTest, InstallingTwiceOrLeavingFullScreenStillGivesEight)
{
    frame->InstallMainMenu();
    frame->InstallMainMenu();
    expectMainMenu();
    frame->EnterFullScreen();
    EXPECT_TRUE(popups().isEmpty());
    frame->LeaveFullScreen();
    expectMainMenu();
}

TEST_F(MenuTest, FrameEntriesFollowTheTables)
{
    QMenu* basic = popups()[0]->menu();
    ASSERT_EQ(basic->actions().size(), 13);
    EXPECT_TRUE(basic->actions()[8]->isSeparator());
    EXPECT_EQ(basic->actions()[9]->menu(), frame->recentMenu());
    EXPECT_TRUE(basic->actions()[10]->isSeparator());
    EXPECT_EQ(gActionCommandId(basic->actions()[11]), ID_UNDO);
    EXPECT_EQ(basic->actions()[11]->text(), QStringLiteral("撤销"));
    EXPECT_EQ(gActionCommandId(basic->actions()[12]), ID_REDO);
    EXPECT_EQ(basic->actions()[12]->text(), QStringLiteral("重做"));
    QMenu* view = popups()[1]->menu();
    ASSERT_EQ(view->actions().size(), 10);
    EXPECT_EQ(gActionCommandId(view->actions()[7]), ID_AUTO_RAW_WINDOW);
    EXPECT_EQ(view->actions()[7]->text(), QStringLiteral("自动窗宽窗位"));

    // Smooth display of shrunk pictures: on at start, switched for every canvas.
    QAction* smooth = view->actions()[8];
    EXPECT_EQ(gActionCommandId(smooth), ID_SMOOTH_WHEN_SHRUNK);
    EXPECT_EQ(smooth->text(), QStringLiteral("缩小时平滑显示"));
    EXPECT_TRUE(smooth->isChecked());
    smooth->trigger();
    EXPECT_FALSE(smooth->isChecked());
    for (int id = 0; id < CanvasTable::count; ++id)
        EXPECT_FALSE(CanvasTable::At(id)->canvasSurface.smoothWhenShrunk) << id;
    smooth->trigger();
    EXPECT_TRUE(smooth->isChecked());
    EXPECT_TRUE(CanvasTable::At(4)->canvasSurface.smoothWhenShrunk);
    ASSERT_NE(view->actions()[9]->menu(), nullptr);
    EXPECT_EQ(view->actions()[9]->text(), QStringLiteral("语言 / Language"));
}

TEST_F(MenuTest, SmoothDisplayChoiceIsKeptForTheNextStart)
{
    const auto smoothEntry = [this] {
        QMenu* view = popups()[1]->menu();
        return view->actions()[8];
    };
    smoothEntry()->trigger();
    const auto restart = [this] {
        frame.reset();
        for (int id = 0; id < CanvasTable::count; ++id)
            gCVSSetCanvasSmoothWhenShrunk(id, true);
        frame = std::make_unique<CMainFrame>();
    };
    restart();
    EXPECT_FALSE(smoothEntry()->isChecked());
    EXPECT_FALSE(frame->isSmoothWhenShrunk());
    for (int id = 0; id < CanvasTable::count; ++id)
        EXPECT_FALSE(CanvasTable::At(id)->canvasSurface.smoothWhenShrunk) << id;

    smoothEntry()->trigger();
    restart();
    EXPECT_TRUE(smoothEntry()->isChecked());
    EXPECT_TRUE(CanvasTable::At(4)->canvasSurface.smoothWhenShrunk);
}

TEST_F(MenuTest, OpenAndReopenShowTheirKeys)
{
    ASSERT_NE(frame->menuAction(2224), nullptr);
    EXPECT_EQ(frame->menuAction(2224)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(frame->menuAction(2228)->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_TRUE(frame->menuAction(2232)->shortcut().isEmpty());
    EXPECT_EQ(frame->menuAction(ID_UNDO)->shortcuts(), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z)});
    EXPECT_EQ(frame->menuAction(ID_REDO)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    // Nothing to take back yet.
    EXPECT_FALSE(frame->menuAction(ID_UNDO)->isEnabled());
    EXPECT_FALSE(frame->menuAction(ID_REDO)->isEnabled());
    EXPECT_EQ(frame->menuAction(2230)->text(), QStringLiteral("创建图像"));
    EXPECT_EQ(frame->menuAction(9999), nullptr);
}

TEST_F(MenuTest, ToolBarHasThirteenButtonsWithTextsAndImages)
{
    QToolBar* bar = frame->toolBar();
    ASSERT_NE(bar, nullptr);
    const std::vector<Item> want = {
        {2224, L"打开图像"}, {2228, L"重新打开"}, {2244, L"固化结果"}, {2255, L"单视图"}, {2256, L"双视图"},
        {2257, L"四视图"}, {2258, L"信息视图"}, {2230, L"创建图像"}, {2232, L"存标记图"}, {2234, L"存Raw图"},
        {2236, L"存当前图"}, {2238, L"存显示图"}, {2240, L"存客户区"},
    };
    std::vector<Item> got;
    for (QAction* a : bar->actions())
        got.push_back({gActionCommandId(a), a->text().toStdWString()});
    EXPECT_EQ(got, want);
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(bar->iconSize(), QSize(20, 20));
}

TEST_F(MenuTest, TablesOffTheMenuBarKeepTheirIdsAndTitles)
{
    std::vector<std::wstring> titles;
    for (const MenuTable& t : OffMenuTables())
        titles.push_back(t.title());
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"三维图像处理", L"脚本示例", L"图像编码", L"测试", L"成像仿真"}));
    EXPECT_EQ(MainMenuTables()[8].items[10].id, 2926);
    EXPECT_EQ(OffMenuTables()[3].count, 9);
    EXPECT_EQ(OffMenuTables()[4].count, 0);
    EXPECT_EQ(ToolBarTable().title(), L"测试");
    // No id appears twice on the menu bar.
    std::set<int> ids;
    int total = 0;
    for (const MenuTable& t : MainMenuTables())
        for (int i = 0; i < t.count; ++i, ++total)
            ids.insert(t.items[i].id);
    EXPECT_EQ(int(ids.size()), total);
}

TEST_F(MenuTest, StatusPanesAndProgressControl)
{
    EXPECT_EQ(frame->paneText(0), L"进度条");
    EXPECT_EQ(frame->paneText(1), L"坐标信息");
    EXPECT_EQ(frame->paneText(3), L"编辑信息");
    EXPECT_EQ(gWorkState().progress, frame->progressCtrl());
    frame->resize(900, 600);
    QApplication::processEvents();
    QLabel* first = gStatusBarPane(frame->statusBar(), 0);
    EXPECT_EQ(first->width(), 400);
    EXPECT_EQ(frame->progressCtrl()->geometry(), QRect(0, 0, 400, first->height()));
}

TEST_F(MenuTest, ClosingTheFrameWithdrawsItsProgressControl)
{
    frame.reset();
    EXPECT_EQ(gWorkState().progress, nullptr);
}

} // namespace
