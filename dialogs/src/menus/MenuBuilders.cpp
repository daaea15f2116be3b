#include "pixorama/parlet/MenuBuilders.h"

#include "pixorama/platform/SourceText.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

int gActionCommandId(const QAction* action)
{
    return action != nullptr ? action->data().toInt() : 0;
}

bool gAddMenu(const tagMSGResource* table, int count, QMainWindow* frame)
{
    if (frame == nullptr || table == nullptr || count < 0)
        return false;
    QMenuBar* bar = frame->menuBar();
    auto* popup = new QMenu(bar);
    plat::setSourceText(popup->menuAction(), QString::fromStdWString(table[count].caption));
    for (int i = 0; i < count; ++i) {
        QAction* item = popup->addAction(QString());
        plat::setSourceText(item, QString::fromStdWString(table[i].caption));
        item->setData(table[i].id);
    }
    bar->addMenu(popup);
    return true;
}

bool gDeleteAllMenu(QMainWindow* frame)
{
    if (frame == nullptr)
        return false;
    QMenuBar* bar = frame->menuBar();
    const QList<QAction*> items = bar->actions();
    for (QAction* item : items) {
        bar->removeAction(item);
        // A popup's action belongs to its menu: deleting the menu removes both.
        if (QMenu* popup = item->menu())
            popup->deleteLater();
        else if (item->parent() == bar)
            item->deleteLater();
    }
    return true;
}
