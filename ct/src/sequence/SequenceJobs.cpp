// The registry of running background jobs: start, cancel all, wait, and the
// running/idle signal for the status bar.
#include "pixorama/workbench/SequenceJob.h"

#include "pixorama/platform/System.h"
#include "pixorama/platform/UiPost.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
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

// Hands the running/idle change to the user-interface thread without
// waiting; with no application, or on that thread, calls the listener now.
void notify(const std::function<void(bool)>& listener, bool running)
{
    if (!listener)
        return;
    if (QCoreApplication::instance() == nullptr || plat::isUiThread())
        listener(running);
    else
        plat::postToUiThread([listener, running] { listener(running); });
}

// Owns a job's feedback for as long as its thread runs.
struct JobOwner {
    std::unique_ptr<JobFeedback> feedback;
    std::shared_ptr<SequenceJob> job;
};

void finish(const std::shared_ptr<SequenceJob>& job)
{
    std::function<void(bool)> direct;
    {
        // The idle signal is queued before anyone can see the list empty,
        // so a wait that returns is always followed by it.
        std::lock_guard lock(registry().mutex);
        auto& list = registry().running;
        list.erase(std::remove(list.begin(), list.end(), job), list.end());
        if (list.empty() && QCoreApplication::instance() != nullptr)
            notify(registry().listener, false);
        else if (list.empty())
            direct = registry().listener;
    }
    if (direct)
        direct(false);
    registry().idle.notify_all();
}

} // namespace

std::shared_ptr<SequenceJob> StartSequenceJob(std::unique_ptr<JobFeedback> feedback,
                                              std::function<void(SequenceJob&)> body, int* externalFlag)
{
    auto owner = std::make_shared<JobOwner>();
    owner->feedback = std::move(feedback);
    owner->job = std::make_shared<SequenceJob>(*owner->feedback, externalFlag);
    std::function<void(bool)> listener;
    {
        std::lock_guard lock(registry().mutex);
        if (registry().running.empty())
            listener = registry().listener;
        registry().running.push_back(owner->job);
    }
    notify(listener, true);
    std::thread([owner, body = std::move(body)] {
        // A job that runs out of memory stops with a message, not the program.
        try {
            body(*owner->job);
        } catch (const std::bad_alloc&) {
            owner->job->Message(L"内存不足，任务已停止");
        }
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
    lock.unlock();
    // Delivers the idle signal queued by the last job.
    if (pump)
        QCoreApplication::processEvents();
}
