#pragma once

#include "pixorama/common/CString.h"

#include <atomic>
#include <functional>
#include <memory>

// Where a sequence, stitching or sinogram job reports: the progress range
// and position and its messages. Called from the job's own thread.
class JobFeedback {
public:
    virtual ~JobFeedback() = default;
    virtual void SetRange(int maximum) = 0;
    virtual void SetPosition(int position) = 0;
    virtual void Message(const CString& text) = 0;
};

// One running job: its feedback and a cancel flag. A cancelled job stops
// before its next file; every file it wrote is complete.
class SequenceJob {
public:
    // externalFlag, when given, is an int that cancels the job when it reads
    // 1 (the stitching record's CancelFlag).
    explicit SequenceJob(JobFeedback& feedback, int* externalFlag = nullptr);

    void Cancel() { stop.store(true); }
    bool Cancelled() const;

    void SetRange(int maximum) { feedback.SetRange(maximum); }
    void SetPosition(int position) { feedback.SetPosition(position); }
    void Message(const CString& text) { feedback.Message(text); }
    // False, after telling the memory refusal, when bytes more will not fit.
    bool MemoryFits(double bytes);

private:
    JobFeedback& feedback;
    int* external;
    std::atomic<bool> stop{false};
};

// Background jobs of the workbench. Start runs body on a new thread with a
// job that owns feedback and returns at once; the caller never waits.
std::shared_ptr<SequenceJob> StartSequenceJob(std::unique_ptr<JobFeedback> feedback,
                                              std::function<void(SequenceJob&)> body, int* externalFlag = nullptr);
// The status bar's cancel button and Esc: cancels every running job.
void CancelSequenceJobs();
bool SequenceJobsRunning();
// Called on the user-interface thread with true when the first job starts
// and false when the last one ends (the frame shows or hides its cancel
// button). An empty function removes the listener.
void SetSequenceJobsListener(std::function<void(bool running)> listener);
// Blocks until no job runs; on the user-interface thread it keeps handling
// events meanwhile, so the jobs' progress and messages get through.
void WaitForSequenceJobs();
