// Cell geometry, button placement, parent sizing and rescaling of the
// data-driven container, seen through the controls it places.
#include "DialogTestTools.h"
#include "GridPanel.h"

#include "pixorama/parlet/ParletMessages.h"

#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

using namespace dialogs_test;

namespace {

QRect rectOf(const QWidget* w)
{
    return w == nullptr ? QRect() : w->geometry();
}

// A 2 x 4 grid: an edit at (0, 0), a check box at (1, 1), a static
// spanning two cells at (1, 2).
std::vector<CtrlItem> sampleItems()
{
    return {makeItem(L"Edit", L"A", 0, 0), makeItem(L"CheckBox", L"B", 1, 1, 1, L"tick"),
            makeItem(L"Static", L"nul", 1, 2, 2, L"label")};
}

struct Hosted {
    QWidget host;
    GridPanel panel;

    explicit Hosted(std::vector<CtrlItem> items = sampleItems(), int rows = 2, int columns = 4)
        : panel(std::move(items), rows, columns)
    {
    }
    void create(int titleWidth = 0)
    {
        panel.SetTitleWidth(titleWidth);
        panel.CreateWin({}, &host, 100);
        host.show();
        // As the dialog does: the container fills its host's client area.
        panel.setGeometry(0, 0, host.width() - titleWidth, host.height());
    }
};

} // namespace

TEST(ContainerGeometry, CellsFollowTheGridFormula)
{
    Hosted h;
    h.create();
    EXPECT_EQ(rectOf(h.panel.GetControl(0)), QRect(10, 10, 150, 30));
    EXPECT_EQ(rectOf(h.panel.GetControl(1)), QRect(170, 50, 150, 30));
    // Two columns: one cell, the gap and another cell.
    EXPECT_EQ(rectOf(h.panel.GetControl(2)), QRect(330, 50, 310, 30));

    plat::Rect r;
    h.panel.GetCtrlRect(2.5f, 0.5f, r, 2, 1);
    EXPECT_EQ(r, (plat::Rect{90, 110, 240, 180}));
}

TEST(ContainerGeometry, ParentIsSizedToTheGridPlusTheButtonRow)
{
    Hosted h;
    h.create();
    // 4 columns x (2 + 1) rows with margins on both sides.
    EXPECT_EQ(h.host.size(), QSize(650, 130));
    plat::Rect content;
    h.panel.GetContainerRect(content);
    EXPECT_EQ(content, (plat::Rect{0, 0, 650, 130}));

    Hosted titled;
    titled.create(50);
    EXPECT_EQ(titled.host.size(), QSize(700, 130));
}

TEST(ContainerGeometry, OkCancelAreCentredInTheLastRow)
{
    Hosted four;
    four.create();
    EXPECT_EQ(rectOf(four.panel.GetButton(1)), QRect(170, 90, 150, 30));
    EXPECT_EQ(rectOf(four.panel.GetButton(2)), QRect(330, 90, 150, 30));
    EXPECT_EQ(four.panel.GetButton(1)->text(), QStringLiteral("确定"));
    EXPECT_EQ(four.panel.GetButton(2)->text(), QStringLiteral("取消"));

    // Three columns: the pair straddles cells at positions 0.5 and 1.5.
    Hosted three(sampleItems(), 2, 3);
    three.create();
    EXPECT_EQ(rectOf(three.panel.GetButton(1)), QRect(90, 90, 150, 30));
    EXPECT_EQ(rectOf(three.panel.GetButton(2)), QRect(250, 90, 150, 30));
}

TEST(ContainerGeometry, PreNextTakeTheButtonCellsWithTheirTexts)
{
    Hosted h;
    h.panel.SetOkCancel(false);
    h.panel.SetPreNext(true);
    h.panel.SetNextBtnText(L"完成");
    h.create();
    EXPECT_EQ(h.panel.GetButton(1), nullptr);
    EXPECT_EQ(rectOf(h.panel.GetButton(IDC_PRE)), QRect(170, 90, 150, 30));
    EXPECT_EQ(rectOf(h.panel.GetButton(IDC_NEXT)), QRect(330, 90, 150, 30));
    EXPECT_EQ(h.panel.GetButton(IDC_PRE)->text(), QStringLiteral("上一步"));
    EXPECT_EQ(h.panel.GetButton(IDC_NEXT)->text(), QStringLiteral("完成"));
}

TEST(ContainerGeometry, WideningScalesCellsGapsAndMargins)
{
    Hosted h;
    h.create();
    h.panel.resize(1300, 130);
    EXPECT_FLOAT_EQ(h.panel.GetScaleX(), 2.0f);
    EXPECT_EQ(h.panel.GetCellPara(), (QEVCtrlContainer::CellPara{300, 30, 20, 20, 10, 10}));
    EXPECT_EQ(rectOf(h.panel.GetControl(0)), QRect(20, 10, 300, 30));
    EXPECT_EQ(rectOf(h.panel.GetControl(1)), QRect(340, 50, 300, 30));
    EXPECT_EQ(rectOf(h.panel.GetButton(2)), QRect(660, 90, 300, 30));

    // A scale of 700 / 650: every scaled length is truncated.
    h.panel.resize(700, 130);
    EXPECT_EQ(h.panel.GetCellPara(), (QEVCtrlContainer::CellPara{161, 30, 10, 10, 10, 10}));
    EXPECT_EQ(rectOf(h.panel.GetControl(2)), QRect(352, 50, 332, 30));
}

TEST(ContainerGeometry, HeighteningChangesNothingUnlessYIsAdjustable)
{
    Hosted h;
    h.create();
    h.panel.resize(650, 260);
    EXPECT_EQ(rectOf(h.panel.GetControl(1)), QRect(170, 50, 150, 30));
    EXPECT_EQ(rectOf(h.panel.GetButton(1)), QRect(170, 90, 150, 30));

    Hosted y;
    y.panel.SetYAdjustable(true);
    y.create();
    y.panel.resize(650, 260);
    EXPECT_FLOAT_EQ(y.panel.GetScaleY(), 2.0f);
    EXPECT_EQ(rectOf(y.panel.GetControl(1)), QRect(170, 100, 150, 60));
    EXPECT_EQ(rectOf(y.panel.GetButton(1)), QRect(170, 180, 150, 60));

    Hosted fixed;
    fixed.panel.SetXAdjustable(false);
    fixed.create();
    fixed.panel.resize(1300, 130);
    EXPECT_EQ(rectOf(fixed.panel.GetControl(1)), QRect(170, 50, 150, 30));
}

TEST(ContainerGeometry, PageOneLevelDeeperSizesTheGrandparent)
{
    QWidget outer;
    QWidget middle(&outer);
    middle.resize(10, 10);
    GridPanel panel(sampleItems(), 2, 4);
    panel.SetCtrlUsedInDlg(false);
    panel.SetTitleWidth(50);
    panel.CreateWin({}, &middle, 100);
    EXPECT_EQ(outer.size(), QSize(700, 130));
    EXPECT_EQ(middle.size(), QSize(10, 10));

    // Without parent resizing the parent keeps its size and so does the page's own rectangle.
    QWidget host;
    host.resize(300, 200);
    GridPanel quiet(sampleItems(), 2, 4);
    quiet.SetAdjustParentWinSize(false);
    quiet.CreateWin({5, 6, 105, 56}, &host, 100);
    EXPECT_EQ(host.size(), QSize(300, 200));
    EXPECT_EQ(quiet.geometry(), QRect(5, 6, 100, 50));
    plat::Rect wanted;
    quiet.GetParentWinRect(wanted);
    EXPECT_EQ(wanted, (plat::Rect{0, 0, 650, 130}));
}

TEST(ContainerGeometry, ControlsCarryNamesIdsAndTheDialogFont)
{
    std::vector<CtrlItem> items = sampleItems();
    items[0].id = 4711;
    Hosted h(items);
    h.create();
    QWidget* edit = h.panel.GetControl(0);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->objectName(), QStringLiteral("A"));
    EXPECT_EQ(edit->property("ctrlId").toInt(), 4711);
    EXPECT_EQ(edit->font().pointSize(), 10);
    EXPECT_EQ(edit->font().family(), QStringLiteral("微软雅黑"));
    EXPECT_EQ(h.panel.GetControl(2)->font(), edit->font());
    // A second CreateWin is refused and leaves the controls alone.
    EXPECT_FALSE(h.panel.CreateWin({}, &h.host, 100));
    EXPECT_EQ(h.panel.GetControl(0), edit);
}
