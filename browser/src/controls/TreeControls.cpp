#include "TreeControls.h"

#include "pixorama/brovia/ControlId.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/SourceText.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {

class ClickWatcher : public QObject {
public:
    ClickWatcher(QTreeWidget* watched, std::function<void(QTreeWidgetItem*, bool)> onClick)
        : QObject(watched), tree(watched), clicked(std::move(onClick))
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        QTreeWidgetItem* item = tree->itemAt(mouse->position().toPoint());
        // The check box of an item is not a click on its object.
        if (item != nullptr && !OnCheckBox(item, mouse->position().toPoint()))
            clicked(item, (mouse->modifiers() & Qt::ControlModifier) != 0);
        return false;
    }

private:
    bool OnCheckBox(QTreeWidgetItem* item, QPoint p) const
    {
        if (!(item->flags() & Qt::ItemIsUserCheckable))
            return false;
        const QRect r = tree->visualItemRect(item);
        return p.x() < r.left() + r.height();
    }

    QTreeWidget* tree;
    std::function<void(QTreeWidgetItem*, bool)> clicked;
};

} // namespace

QTreeWidget* NewTreeControl(QWidget* parent, int id, int points)
{
    auto* tree = new QTreeWidget(parent);
    SetCtrlId(tree, id);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setUniformRowHeights(true);
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSize(points);
    tree->setFont(font);
    return tree;
}

void WatchTree(QTreeWidget* tree, std::function<void(QTreeWidgetItem*, bool)> clicked,
               std::function<std::unique_ptr<QMenu>(QTreeWidgetItem*)> contextMenu)
{
    tree->viewport()->installEventFilter(new ClickWatcher(tree, std::move(clicked)));
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(tree, &QWidget::customContextMenuRequested, tree, [tree, contextMenu](const QPoint& p) {
        std::unique_ptr<QMenu> menu = contextMenu(tree->itemAt(p));
        if (menu)
            menu->exec(tree->viewport()->mapToGlobal(p));
    });
}

void AddCommand(QMenu& menu, const CString& caption, int id, const std::function<void(int)>& onCommand)
{
    QAction* action = menu.addAction(QString());
    plat::setSourceText(action, QString::fromStdWString(caption));
    action->setData(id);
    QObject::connect(action, &QAction::triggered, &menu, [onCommand, id] { onCommand(id); });
}
