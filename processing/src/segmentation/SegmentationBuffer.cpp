#include "SegmentationBuffer.h"

#include <atomic>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

std::atomic<int> failCountdown{0};

} // namespace

bool SegmentationAllocationShouldFail()
{
    int left = failCountdown.load();
    while (left > 0) {
        if (failCountdown.compare_exchange_weak(left, left - 1))
            return left == 1;
    }
    return false;
}

void FailSegmentationAllocationForTesting(int countdown)
{
    failCountdown = countdown < 0 ? 0 : countdown;
}

void AdviseHugePages(void* data, std::size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t hugePage = std::uintptr_t(2) << 20;
    const std::uintptr_t start = (reinterpret_cast<std::uintptr_t>(data) + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(hugePage - 1);
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE); // only advice
#else
    (void)data;
    (void)bytes;
#endif
}
