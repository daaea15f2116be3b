#pragma once

#include "pixorama/common/CString.h"

#include <QObject>

#include <functional>
#include <memory>

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// The pieces the three trees of the layout share.

// A tree control with the font "微软雅黑" at the given point size, as a
// child of parent with that control id.
QTreeWidget* NewTreeControl(QWidget* parent, int id, int points);

// Reports left clicks on the tree's items with the modifier keys held at
// the click; the tree's own context-menu request shows contextMenu(item)
// when it gives one.
void WatchTree(QTreeWidget* tree, std::function<void(QTreeWidgetItem*, bool control)> clicked,
               std::function<std::unique_ptr<QMenu>(QTreeWidgetItem*)> contextMenu);

// An action of a context menu: it carries its command id as data and runs
// onCommand with that id when triggered.
void AddCommand(QMenu& menu, const CString& caption, int id, const std::function<void(int)>& onCommand);
