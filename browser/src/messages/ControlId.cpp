#include "pixorama/brovia/ControlId.h"

#include "pixorama/platform/Wnd.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace {

constexpr const char* idProperty = "pixoramaCtrlId";

} // namespace

void SetCtrlId(QWidget* window, int id)
{
    window->setProperty(idProperty, id);
}

int GetCtrlId(const QWidget* window)
{
    return window ? window->property(idProperty).toInt() : 0;
}

QWidget* FindCtrl(const QWidget* parent, int id)
{
    if (parent == nullptr)
        return nullptr;
    const auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children)
        if (GetCtrlId(child) == id)
            return child;
    return nullptr;
}

std::vector<plat::Wnd*> NotifyChain(QWidget* owner, int generations)
{
    std::vector<plat::Wnd*> chain;
    if (owner == nullptr)
        return chain;
    std::vector<QWidget*> windows{owner};
    for (QWidget* w = owner->parentWidget(); w != nullptr && int(windows.size()) <= generations; w = w->parentWidget())
        windows.push_back(w);
    windows.push_back(owner->window());
    for (QWidget* w : windows) {
        auto* wnd = dynamic_cast<plat::Wnd*>(w);
        if (wnd != nullptr && std::find(chain.begin(), chain.end(), wnd) == chain.end())
            chain.push_back(wnd);
    }
    return chain;
}
