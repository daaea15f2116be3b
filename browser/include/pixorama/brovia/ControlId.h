#pragma once

#include <vector>

class QWidget;
namespace plat {
class Wnd;
}

// Window ids: every window of the layout carries the control id it was
// created with, and can be found by it among its parent's children.
void SetCtrlId(QWidget* window, int id);
int GetCtrlId(const QWidget* window); // 0 when none was given
QWidget* FindCtrl(const QWidget* parent, int id);

// The windows a panel notifies: the owner, its parents up to the given
// number of generations, and its root window, each once, in that order;
// windows that take no messages are left out.
std::vector<plat::Wnd*> NotifyChain(QWidget* owner, int generations = 1);
