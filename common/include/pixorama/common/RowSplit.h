#pragma once

#include <functional>

// One worker per processor over a run of rows. Worker i of T takes rows
// i * (count / T) ... (i + 1) * (count / T) - 1 and the last worker takes every
// remaining row, so small counts leave the first workers idle. The caller's
// thread serves as the last worker; run() returns only after every worker has
// finished, and rethrows the first exception a worker raised.
class RowSplit {
public:
    struct Range {
        int begin = 0; // first row
        int end = 0;   // one past the last row
        bool empty() const { return end <= begin; }
    };

    // plat::processorCount(), at least 1.
    static int threadCount();

    // Rows of worker `index` out of `threads` for `count` rows.
    static Range range(int index, int threads, int count);

    // Calls body(begin, end) once for every non-empty range.
    static void run(int count, const std::function<void(int begin, int end)>& body);
    static void run(int count, int threads, const std::function<void(int begin, int end)>& body);
    // Also hands each call its worker index, for per-worker totals merged
    // after the join.
    static void runWorkers(int count, int threads, const std::function<void(int worker, int begin, int end)>& body);
};
