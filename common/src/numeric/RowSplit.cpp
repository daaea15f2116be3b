#include "pixorama/common/RowSplit.h"

#include "pixorama/platform/System.h"

#include <exception>
#include <system_error>
#include <thread>
#include <vector>

int RowSplit::threadCount()
{
    const int n = plat::processorCount();
    return n < 1 ? 1 : n;
}

RowSplit::Range RowSplit::range(int index, int threads, int count)
{
    if (threads < 1 || count <= 0 || index < 0 || index >= threads)
        return {};
    const int per = count / threads;
    const int begin = index * per;
    const int end = index == threads - 1 ? count : begin + per;
    return {begin, end};
}

void RowSplit::run(int count, const std::function<void(int begin, int end)>& body)
{
    run(count, threadCount(), body);
}

void RowSplit::run(int count, int threads, const std::function<void(int begin, int end)>& body)
{
    runWorkers(count, threads, [&body](int, int begin, int end) { body(begin, end); });
}

void RowSplit::runWorkers(int count, int threads, const std::function<void(int worker, int begin, int end)>& body)
{
    if (count <= 0)
        return;
    if (threads < 1)
        threads = 1;

    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(threads));
    std::vector<std::thread> workers;
    workers.reserve(std::size_t(threads));
    auto guarded = [&](int index, Range r) {
        try {
            body(index, r.begin, r.end);
        } catch (...) {
            failures[std::size_t(index)] = std::current_exception();
        }
    };
    for (int i = 0; i < threads - 1; ++i) {
        const Range r = range(i, threads, count);
        if (r.empty())
            continue;
        try {
            workers.emplace_back(guarded, i, r);
        } catch (const std::system_error&) {
            guarded(i, r); // no thread to be had: do the rows here
        }
    }
    guarded(threads - 1, range(threads - 1, threads, count));
    for (std::thread& t : workers)
        t.join();
    for (const std::exception_ptr& e : failures)
        if (e)
            std::rethrow_exception(e);
}
