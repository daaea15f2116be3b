#pragma once

#include "../views/ViewTestTools.h"

#include "pixorama/brovia/BrowserMessages.h"
#include "pixorama/brovia/BrowserString.h"
#include "pixorama/common/tagQEVParaReport.h"

#include <QAction>
#include <QMenu>

#include <memory>
#include <string>
#include <vector>

namespace browsertest {

// A window that keeps what the browser tells it. It owns the strings of
// the string messages and frees them, as every receiver must; reports are
// copied while the message is handled.
class Receiver : public plat::Wnd {
public:
    struct Received {
        unsigned msg;
        std::uintptr_t wParam;
        std::wstring text;
    };

    using plat::Wnd::Wnd;

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        if (msg == WM_LAYOUT_PARACHANGED) {
            reports.push_back(*reinterpret_cast<const tagQEVParaReport*>(wParam));
            return 0;
        }
        if (msg == WM_LAYOUT_ADDTOLIST || msg == WM_LAYOUT_OPENFILE || msg == WM_LAYOUT_OBJECTPICKED
            || msg == WM_LAYOUT_OBJECTDELETED) {
            OwnedBSTR text(lParam);
            received.push_back({msg, wParam, text.str()});
        }
        return 0;
    }

    std::vector<std::wstring> texts(unsigned msg) const
    {
        std::vector<std::wstring> out;
        for (const Received& r : received)
            if (r.msg == msg)
                out.push_back(r.text);
        return out;
    }

    std::vector<Received> received;
    std::vector<tagQEVParaReport> reports;
};

// The action of a context menu (or one of its submenus) with that command id.
inline QAction* findCommand(QMenu* menu, int id)
{
    if (menu == nullptr)
        return nullptr;
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            if (QAction* inner = findCommand(action->menu(), id))
                return inner;
        } else if (action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

inline std::vector<std::wstring> captions(QMenu* menu)
{
    std::vector<std::wstring> out;
    for (QAction* action : menu->actions())
        out.push_back(action->text().toStdWString());
    return out;
}

// host <- middle <- a new widget of kind Widget, each w x h, host shown: the
// widget notifies middle, its parent, and host, the root.
template <typename Widget>
Widget* OpenNested(std::unique_ptr<Receiver>& host, Receiver*& middle, int w, int h)
{
    host = std::make_unique<Receiver>();
    host->resize(w, h);
    middle = new Receiver(host.get());
    middle->setGeometry(0, 0, w, h);
    auto* widget = new Widget(middle);
    widget->setGeometry(0, 0, w, h);
    host->show();
    return widget;
}

// Shows host at 400 x 100 with a new 290 x 30 strip of kind Strip at its
// top left, reporting as id for ownerId.
template <typename Strip>
Strip* OpenStrip(Receiver& host, int ownerId, int id)
{
    host.resize(400, 100);
    auto* strip = new Strip;
    strip->SetOwnerId(ownerId);
    strip->CreateWin({0, 0, 290, 30}, &host, id);
    host.show();
    return strip;
}

} // namespace browsertest
