#include "SegmentationBuffer.h"

#include <atomic>

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
