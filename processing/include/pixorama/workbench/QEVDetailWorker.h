#pragma once

#include "pixorama/workbench/DetailLayers.h"
#include "pixorama/workbench/JobProgress.h"

#include <array>
#include <atomic>
#include <thread>

class QProgressBar;

// The live multi-scale detail enhancement of the raw picture in canvas 4.
// The user-interface thread stores weights and asks for a run; the work runs
// on one background worker at a time. The layers are computed once per raw
// picture (while the working state's detailLayersReady is clear) and then
// only recombined.
//
// Weights and flags are atomic. A request while the worker runs starts no
// second worker: it marks the run as stale, and the worker, when it
// finishes, runs once more with the latest weights. Every canvas call and
// repaint of the worker, and its progress, happen on the user-interface
// thread.
class QEVDetailWorker {
public:
    static constexpr int firstKind = 14; // weights of kinds 14 (base) .. 17 (large)
    static constexpr int lastKind = 17;

    QEVDetailWorker();
    ~QEVDetailWorker();

    // Kinds 14..17; other kinds are ignored.
    void SetWeight(int kind, float value);
    float Weight(int kind) const;

    // User-interface thread: starts the worker unless it runs; true when a
    // worker was started. progress may be null.
    bool Request(QProgressBar* progress);

    bool Busy() const { return busy.load(); }
    // Workers started since the program began.
    int WorkersStarted() const { return started.load(); }

    // The result last drawn; read it while the worker is not busy.
    const QEVUCDATA2D& Result() const { return result; }
    const DetailLayers& Layers() const { return layers; }

private:
    void Work();
    void RunOnce();
    bool ComputeLayers();

    std::array<std::atomic<float>, 4> weights;
    std::atomic<bool> busy{false};
    std::atomic<bool> stale{false};
    std::atomic<int> started{0};
    std::thread thread;
    JobProgress progress; // set before a worker starts, read by it
    DetailLayers layers; // touched by the worker only while busy
    QEVUCDATA2D result;
};

QEVDetailWorker& gDetailWorker();
