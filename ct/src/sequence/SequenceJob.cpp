#include "pixorama/workbench/SequenceJob.h"

#include "pixorama/common/MemoryBudget.h"

#include <atomic>

SequenceJob::SequenceJob(JobFeedback& feedback, int* externalFlag) : feedback(feedback), external(externalFlag) {}

bool SequenceJob::MemoryFits(double bytes)
{
    const CString refusal = MemoryBudget::Refusal(bytes);
    if (!refusal.empty())
        Message(refusal);
    return refusal.empty();
}

bool SequenceJob::Cancelled() const
{
    if (stop.load())
        return true;
    return external != nullptr && std::atomic_ref<int>(*external).load() == 1;
}
