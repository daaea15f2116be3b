#pragma once

#include "pixorama/common/CString.h"

class QAction;
class QLabel;
class QMainWindow;
class QProgressBar;
class QStatusBar;
class QToolBar;

// One menu item, toolbar button or popup title. A table is N item records
// followed by one title record (id 0, the popup's title) at index N.
struct tagMSGResource {
    int id = 0;
    CString caption;
};

// Every action these builders make carries its command id as its data
// (QAction::data().toInt()); the frame routes triggered actions by it.
int gActionCommandId(const QAction* action);

// Appends a popup titled table[count].caption holding items 0..count-1 in
// table order to the frame's menu bar. A count of 0 gives an empty popup.
// False (and nothing added) without a frame or table or for a negative count.
bool gAddMenu(const tagMSGResource* table, int count, QMainWindow* frame);
// Removes every popup of the frame's menu bar; an empty bar stays as it is.
bool gDeleteAllMenu(QMainWindow* frame);

// Fills bar with count buttons, each showing image i of the toolbar strip
// "QEVIma/ToolBarOne.bmp" (20 x 20 images side by side, black transparent)
// with its caption under it, and puts the bar at the top of parent. A
// missing strip leaves the buttons with their texts only. False (and bar
// unchanged) without a parent or table or for a negative count.
bool gSetToolBar(QMainWindow* parent, QToolBar& bar, const tagMSGResource* table, int count);
// Where the toolbar strip is looked for (plat::dataFolder).
CString gToolBarStripPath();

// Four panes: "进度条" (200 wide), "坐标信息", "像素信息", "编辑信息" (300
// each); progress goes over pane 0 with the range 0..100 at 0. False
// without a bar or progress control.
bool gCreateStatusBar(QStatusBar* bar, QProgressBar* progress);
// After a resize: pane 0 becomes 400 wide and the progress control covers it.
void gStatusBarOnSize(QStatusBar* bar, QProgressBar* progress);
// Pane 0..3 of a bar made by gCreateStatusBar; null otherwise.
QLabel* gStatusBarPane(QStatusBar* bar, int pane);
