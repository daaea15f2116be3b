// The registry of running background jobs: start, cancel all, wait, and the
// running/idle signal for the status bar.
#include "pixorama/workbench/SequenceJob.h"

#include "pixorama/platform/System.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct Registry {
    std::mutex mutex;
    std::condition_variable idle;
    std::vector<std::shared_ptr<SequenceJob>> running;
    std::function<void(bool)> listener;
};

Registry& registry()
{
    static Registry r;
    return r;
}

// Hands the running/idle change to the user-interface thread without waiting.
void notify(bool running)
{
    std::function<void(bool)> listener;
    {
        std::lock_guard lock(registry().mutex);
        listener = registry().listener;
    }
    if (!listener)
        return;
    if (QCoreApplication::instance() == nullptr || plat::isUiThread())
        listener(running);
    else
        QMetaObject::invokeMethod(QCoreApplication::instance(), [listener, running] { listener(running); },
                                  Qt::QueuedConnection);
}

// Owns a job's feedback for as long as its thread runs.
struct JobOwner {
    std::unique_ptr<JobFeedback> feedback;
    std::shared_ptr<SequenceJob> job;
};

void finish(const std::shared_ptr<SequenceJob>& job)
{
    bool last = false;
    {
        std::lock_guard lock(registry().mutex);
        auto& list = registry().running;
        list.erase(std::remove(list.begin(), list.end(), job), list.end());
        last = list.empty();
    }
    if (last)
        notify(false);
    registry().idle.notify_all();
}

} // namespace

std::shared_ptr<SequenceJob> StartSequenceJob(std::unique_ptr<JobFeedback> feedback,
                                              std::function<void(SequenceJob&)> body, int* externalFlag)
{
    auto owner = std::make_shared<JobOwner>();
    owner->feedback = std::move(feedback);
    owner->job = std::make_shared<SequenceJob>(*owner->feedback, externalFlag);
    bool first = false;
    {
        std::lock_guard lock(registry().mutex);
        first = registry().running.empty();
        registry().running.push_back(owner->job);
    }
    if (first)
        notify(true);
    std::thread([owner, body = std::move(body)] {
        body(*owner->job);
        finish(owner->job);
    }).detach();
    return owner->job;
}

void CancelSequenceJobs()
{
    std::lock_guard lock(registry().mutex);
    for (const auto& job : registry().running)
        job->Cancel();
}

bool SequenceJobsRunning()
{
    std::lock_guard lock(registry().mutex);
    return !registry().running.empty();
}

void SetSequenceJobsListener(std::function<void(bool running)> listener)
{
    std::lock_guard lock(registry().mutex);
    registry().listener = std::move(listener);
}

void WaitForSequenceJobs()
{
    const bool pump = QCoreApplication::instance() != nullptr && plat::isUiThread();
    std::unique_lock lock(registry().mutex);
    while (!registry().running.empty()) {
        if (!pump) {
            registry().idle.wait(lock);
            continue;
        }
        lock.unlock();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        lock.lock();
    }
}
