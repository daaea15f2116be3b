// The object tree: categories, inserting and deleting objects, and what
// the owner, its parent and the root window hear.
#include "pixorama/brovia/ControlId.h"
#include "pixorama/brovia/QEVInfoTree.h"

#include "BrowserTestTools.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

using Paths = std::vector<std::wstring>;

class ObjectTreeTest : public testing::Test {
protected:
    void SetUp() override
    {
        objects = browsertest::OpenNested<QEVInfoTree>(host, middle, 300, 400);
        objects->InsertMeasureInfo(L"距离 1");
        objects->InsertMeasureInfo(L"角度 2");
        objects->InsertMeasureInfo(L"距离 3");
        objects->InsertROIInfo(L"矩形 1");
        objects->InsertROIInfo(L"多边形 2");
        objects->InsertFittingInfo(L"平面 1");
        QApplication::processEvents();
    }

    Paths Children(QEVInfoTree::Category c) const
    {
        Paths out;
        QTreeWidgetItem* item = objects->CategoryItem(c);
        for (int i = 0; i < item->childCount(); ++i)
            out.push_back(item->child(i)->text(0).toStdWString());
        return out;
    }

    void Run(QEVInfoTree::Category c, int id)
    {
        std::unique_ptr<QMenu> menu = objects->ContextMenu(objects->CategoryItem(c));
        QAction* action = browsertest::findCommand(menu.get(), id);
        ASSERT_NE(action, nullptr) << id;
        action->trigger();
    }

    std::unique_ptr<browsertest::Receiver> host;
    browsertest::Receiver* middle = nullptr;
    QEVInfoTree* objects = nullptr;
};

TEST_F(ObjectTreeTest, CategoriesHoldTheirObjects)
{
    QTreeWidgetItem* root = objects->Tree()->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("对象信息"));
    EXPECT_EQ(objects->CategoryItem(QEVInfoTree::Measure)->text(0), QStringLiteral("测量对象"));
    EXPECT_EQ(objects->CategoryItem(QEVInfoTree::ROI)->text(0), QStringLiteral("ROI对象"));
    EXPECT_EQ(objects->CategoryItem(QEVInfoTree::Fitting)->text(0), QStringLiteral("拟合对象"));
    EXPECT_EQ(Children(QEVInfoTree::Measure), (Paths{L"距离 1", L"角度 2", L"距离 3"}));
    EXPECT_TRUE(objects->CategoryItem(QEVInfoTree::ROI)->child(0)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(FindCtrl(objects, 1264), objects->Tree());
}

TEST_F(ObjectTreeTest, DeleteByTextRemovesTheFirstMatchAndTellsEveryone)
{
    objects->DeleteMeasureInfo(L"距离");
    EXPECT_EQ(Children(QEVInfoTree::Measure), (Paths{L"角度 2", L"距离 3"}));
    EXPECT_EQ(middle->texts(WM_LAYOUT_OBJECTDELETED), (Paths{L"距离 1"}));
    EXPECT_EQ(host->texts(WM_LAYOUT_OBJECTDELETED), (Paths{L"距离 1"}));
    objects->DeleteROIInfo(L"圆");
    EXPECT_EQ(Children(QEVInfoTree::ROI).size(), 2u);
    objects->DeleteFittingInfo(L"平面");
    EXPECT_TRUE(Children(QEVInfoTree::Fitting).empty());
}

TEST_F(ObjectTreeTest, MenuDeletesTickedOrAllOfItsCategory)
{
    EXPECT_EQ(browsertest::captions(objects->ContextMenu(objects->CategoryItem(QEVInfoTree::Measure)).get()),
              (Paths{L"删除全部测量结果", L"删除选定测量结果"}));
    EXPECT_EQ(browsertest::captions(objects->ContextMenu(objects->CategoryItem(QEVInfoTree::ROI)).get()),
              (Paths{L"删除全部ROI", L"删除选定ROI"}));
    EXPECT_EQ(browsertest::captions(objects->ContextMenu(objects->CategoryItem(QEVInfoTree::Fitting)).get()),
              (Paths{L"删除全部平面", L"删除选定平面"}));
    EXPECT_EQ(objects->ContextMenu(objects->CategoryItem(QEVInfoTree::ROI)->child(0)), nullptr);

    objects->CategoryItem(QEVInfoTree::Measure)->child(0)->setCheckState(0, Qt::Checked);
    objects->CategoryItem(QEVInfoTree::Measure)->child(2)->setCheckState(0, Qt::Checked);
    Run(QEVInfoTree::Measure, ID_INFOTREE_DELETESELECTEDMEASURE);
    EXPECT_EQ(Children(QEVInfoTree::Measure), (Paths{L"角度 2"}));
    EXPECT_EQ(host->texts(WM_LAYOUT_OBJECTDELETED), (Paths{L"距离 3", L"距离 1"}));

    Run(QEVInfoTree::ROI, ID_INFOTREE_DELETEALLROI);
    EXPECT_TRUE(Children(QEVInfoTree::ROI).empty());
    Run(QEVInfoTree::Fitting, ID_INFOTREE_DELETESELECTEDFITTING); // nothing ticked
    EXPECT_EQ(Children(QEVInfoTree::Fitting).size(), 1u);
    Run(QEVInfoTree::Fitting, ID_INFOTREE_DELETEALLFITTING);
    Run(QEVInfoTree::Measure, ID_INFOTREE_DELETEALLMEASURE);
    EXPECT_EQ(middle->texts(WM_LAYOUT_OBJECTDELETED),
              (Paths{L"距离 3", L"距离 1", L"矩形 1", L"多边形 2", L"平面 1", L"角度 2"}));
}

TEST_F(ObjectTreeTest, AClickWithoutCtrlPicksTheObject)
{
    QTreeWidget* tree = objects->Tree();
    const QRect r = tree->visualItemRect(objects->CategoryItem(QEVInfoTree::ROI)->child(1));
    const QPoint onText(r.right() - 5, r.center().y());
    viewtest::release(tree->viewport(), onText);
    EXPECT_EQ(middle->texts(WM_LAYOUT_OBJECTPICKED), (Paths{L"多边形 2"}));
    EXPECT_EQ(host->texts(WM_LAYOUT_OBJECTPICKED), (Paths{L"多边形 2"}));
    viewtest::release(tree->viewport(), onText, Qt::LeftButton, Qt::ControlModifier);
    const QRect category = tree->visualItemRect(objects->CategoryItem(QEVInfoTree::ROI));
    viewtest::release(tree->viewport(), QPoint(category.right() - 5, category.center().y()));
    EXPECT_EQ(host->texts(WM_LAYOUT_OBJECTPICKED).size(), 1u);
}

} // namespace
