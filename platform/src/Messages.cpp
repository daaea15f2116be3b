#include "pixorama/platform/Messages.h"

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
    // Qt releases a blocked sender when the receiver dies before handling it.
    std::intptr_t result = 0;
    QMetaObject::invokeMethod(
        wnd, [&result, wnd, msg, wParam, lParam] { result = wnd->onMessage(msg, wParam, lParam); },
        Qt::BlockingQueuedConnection);
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
