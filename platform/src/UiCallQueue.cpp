#include "UiCallQueue.h"

#include "pixorama/platform/UiPost.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace {

// Made on the application's thread as the application starts, so that no
// worker's first call builds it.
void makeOnTheUiThread()
{
    UiCallQueue::Instance();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(makeOnTheUiThread)

UiCallQueue& UiCallQueue::Instance()
{
    static UiCallQueue* queue = new UiCallQueue;
    return *queue;
}

UiCallQueue::UiCallQueue()
{
    moveToThread(QCoreApplication::instance()->thread());
}

void UiCallQueue::Post(std::function<void()> call)
{
    {
        const std::lock_guard<std::mutex> held(lock);
        calls.push_back(std::move(call));
    }
    QMetaObject::invokeMethod(this, "drain", Qt::QueuedConnection);
}

void UiCallQueue::drain()
{
    std::deque<std::function<void()>> due;
    {
        const std::lock_guard<std::mutex> held(lock);
        due.swap(calls);
    }
    for (auto& call : due)
        call();
}

void plat::postToUiThread(std::function<void()> call)
{
    UiCallQueue::Instance().Post(std::move(call));
}
