#include "pixorama/workbench/SequenceJob.h"

#include <atomic>

SequenceJob::SequenceJob(JobFeedback& feedback, int* externalFlag) : feedback(feedback), external(externalFlag) {}

bool SequenceJob::Cancelled() const
{
    if (stop.load())
        return true;
    return external != nullptr && std::atomic_ref<int>(*external).load() == 1;
}
