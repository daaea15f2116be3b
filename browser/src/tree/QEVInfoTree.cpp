#include "pixorama/brovia/QEVInfoTree.h"

#include "pixorama/brovia/BrowserMessages.h"
#include "pixorama/brovia/BrowserString.h"
#include "pixorama/brovia/ControlId.h"

#include "TreeControls.h"
#include "pixorama/platform/SourceText.h"

#include <QMenu>
#include <QTreeWidget>

namespace {

struct CategoryMenu {
    const wchar_t* title;
    const wchar_t* deleteAll;
    int deleteAllId;
    const wchar_t* deleteTicked;
    int deleteTickedId;
};

const CategoryMenu categories[] = {
    {L"测量对象", L"删除全部测量结果", ID_INFOTREE_DELETEALLMEASURE, L"删除选定测量结果", ID_INFOTREE_DELETESELECTEDMEASURE},
    {L"ROI对象", L"删除全部ROI", ID_INFOTREE_DELETEALLROI, L"删除选定ROI", ID_INFOTREE_DELETESELECTEDROI},
    {L"拟合对象", L"删除全部平面", ID_INFOTREE_DELETEALLFITTING, L"删除选定平面", ID_INFOTREE_DELETESELECTEDFITTING},
};

} // namespace

QEVInfoTree::QEVInfoTree(plat::Wnd* parent) : plat::Wnd(parent), owner(parent)
{
    SetCtrlId(this, IDC_LAYOUT_INFOTREE);
    setFocusPolicy(Qt::NoFocus);
    tree = NewTreeControl(this, IDC_INFOTREE_TREE, 10);
    auto* root = new QTreeWidgetItem;
    plat::setSourceText(root, 0, QStringLiteral("对象信息"));
    tree->addTopLevelItem(root);
    for (const CategoryMenu& c : categories) {
        auto* item = new QTreeWidgetItem;
        plat::setSourceText(item, 0, QString::fromWCharArray(c.title));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        root->addChild(item);
    }
    tree->expandAll();
    WatchTree(
        tree, [this](QTreeWidgetItem* item, bool control) { OnItemClicked(item, control); },
        [this](QTreeWidgetItem* item) { return ContextMenu(item); });
}

QEVInfoTree::~QEVInfoTree() = default;

QTreeWidgetItem* QEVInfoTree::CategoryItem(Category c) const
{
    return tree->topLevelItem(0)->child(int(c));
}

void QEVInfoTree::Insert(Category c, const CString& text)
{
    auto* item = new QTreeWidgetItem(QStringList{QString::fromStdWString(text)});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    CategoryItem(c)->addChild(item);
    CategoryItem(c)->setExpanded(true);
}

void QEVInfoTree::DeleteChild(Category c, int row)
{
    QTreeWidgetItem* item = CategoryItem(c)->child(row);
    for (plat::Wnd* target : NotifyChain(owner))
        SendStringMessage(target, WM_LAYOUT_OBJECTDELETED, 1, item->text(0).toStdWString());
    // A receiver may have changed the tree meanwhile.
    if (CategoryItem(c)->indexOfChild(item) >= 0)
        delete CategoryItem(c)->takeChild(CategoryItem(c)->indexOfChild(item));
}

void QEVInfoTree::DeleteFirst(Category c, const CString& text)
{
    const QString part = QString::fromStdWString(text);
    QTreeWidgetItem* category = CategoryItem(c);
    for (int i = 0; i < category->childCount(); ++i)
        if (category->child(i)->text(0).contains(part)) {
            DeleteChild(c, i);
            return;
        }
}

void QEVInfoTree::DeleteAll(Category c)
{
    while (CategoryItem(c)->childCount() > 0)
        DeleteChild(c, 0);
}

void QEVInfoTree::DeleteTicked(Category c)
{
    for (int i = CategoryItem(c)->childCount() - 1; i >= 0; --i)
        if (i < CategoryItem(c)->childCount() && CategoryItem(c)->child(i)->checkState(0) == Qt::Checked)
            DeleteChild(c, i);
}

void QEVInfoTree::OnItemClicked(QTreeWidgetItem* item, bool control)
{
    // Objects are the items two levels down.
    if (control || item == nullptr || item->parent() == nullptr || item->parent()->parent() == nullptr)
        return;
    for (plat::Wnd* target : NotifyChain(owner))
        SendStringMessage(target, WM_LAYOUT_OBJECTPICKED, 1, item->text(0).toStdWString());
}

std::unique_ptr<QMenu> QEVInfoTree::ContextMenu(QTreeWidgetItem* item)
{
    for (int c = 0; c < 3; ++c) {
        if (item != CategoryItem(Category(c)))
            continue;
        auto menu = std::make_unique<QMenu>();
        const auto run = [this](int id) { OnCommand(id); };
        AddCommand(*menu, categories[c].deleteAll, categories[c].deleteAllId, run);
        AddCommand(*menu, categories[c].deleteTicked, categories[c].deleteTickedId, run);
        return menu;
    }
    return nullptr;
}

void QEVInfoTree::OnCommand(int id)
{
    for (int c = 0; c < 3; ++c) {
        if (id == categories[c].deleteAllId)
            DeleteAll(Category(c));
        else if (id == categories[c].deleteTickedId)
            DeleteTicked(Category(c));
    }
}

void QEVInfoTree::onSize(int width, int height)
{
    tree->setGeometry(0, 0, width, height);
}
