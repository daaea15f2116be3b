#include "pixorama/platform/Messages.h"

#include "pixorama/platform/System.h"
#include "pixorama/platform/Wnd.h"

#include <QMetaObject>
#include <QPointer>
#include <QThread>

namespace plat {

std::intptr_t sendMessage(Wnd* wnd, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (wnd == nullptr)
        return 0;
    if (QThread::currentThread() == wnd->thread())
        return wnd->onMessage(msg, wParam, lParam);
    // Windows live on the user-interface thread; one that dies before its
    // turn handles nothing and the sender gets 0.
    const QPointer<Wnd> alive(wnd);
    std::intptr_t result = 0;
    runOnUiThread([&] {
        if (alive)
            result = wnd->onMessage(msg, wParam, lParam);
    });
    return result;
}

bool postMessage(Wnd* wnd, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (wnd == nullptr)
        return false;
    QMetaObject::invokeMethod(
        wnd, [wnd, msg, wParam, lParam] { wnd->onMessage(msg, wParam, lParam); }, Qt::QueuedConnection);
    return true;
}

} // namespace plat
