#pragma once

#include "pixorama/workbench/SFRunnable.h"

#include <atomic>
#include <string>
#include <thread>

// One operating-system thread that runs a runnable it does not own.
//
// The started flag is set before the thread exists, so the new thread always
// finds it set and runs its target (a flag set after the thread started could
// be read too late and the target skipped). It is atomic because the thread
// clears it while the starter may be reading it.
class SFThread : public SFRunnable {
public:
    explicit SFThread(SFRunnable* target = nullptr) : target(target) {}
    ~SFThread() override;
    SFThread(const SFThread&) = delete;
    SFThread& operator=(const SFThread&) = delete;

    // Runs the target once if the thread was started, then clears the flag.
    void Run() override;
    // Starts the thread; false (and nothing runs) when none could be made.
    bool Start();
    // Waits for the thread to end; returns at once when it never started.
    void Join();

    bool Started() const { return started.load(); }

private:
    std::thread handle;
    SFRunnable* target = nullptr;
    unsigned id = 0;
    std::string name;
    std::atomic<bool> started{false};
};
