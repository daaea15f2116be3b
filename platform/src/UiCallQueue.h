#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <mutex>

// Calls handed to the user-interface thread. The calls wait in a queue of
// our own under a std::mutex; Qt carries only a wake-up with nothing in it,
// so every hand-over is one the thread checker can see (Qt's own locks are
// invisible to it).
class UiCallQueue final : public QObject {
    Q_OBJECT
public:
    // Lives on the application's thread; made on first use.
    static UiCallQueue& Instance();
    // Runs call on the user-interface thread, later, in posting order.
    void Post(std::function<void()> call);

private:
    UiCallQueue();
    // Invoked by name, so that the wake-up Qt carries is Qt's alone.
    Q_INVOKABLE void drain();

    std::mutex lock;
    std::deque<std::function<void()>> calls;
};
