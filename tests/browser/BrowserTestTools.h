#pragma once

#include "../views/ViewTestTools.h"

#include "pixorama/brovia/BrowserMessages.h"
#include "pixorama/brovia/BrowserString.h"
#include "pixorama/common/tagQEVParaReport.h"

#include <QAction>
#include <QMenu>

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

} // namespace browsertest
