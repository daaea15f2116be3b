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

std::vector<plat::Wnd*> NotifyChain(QWidget* owner)
{
    std::vector<plat::Wnd*> chain;
    if (owner == nullptr)
        return chain;
    for (QWidget* w : {owner, owner->parentWidget(), owner->window()}) {
        auto* wnd = dynamic_cast<plat::Wnd*>(w);
        if (wnd != nullptr && std::find(chain.begin(), chain.end(), wnd) == chain.end())
            chain.push_back(wnd);
    }
    return chain;
}
