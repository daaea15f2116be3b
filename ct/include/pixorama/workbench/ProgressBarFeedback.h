#pragma once

#include "pixorama/workbench/SequenceJob.h"

#include <memory>

class QProgressBar;

// The workbench's feedback: positions go to a progress bar (may be null) on
// the user-interface thread, messages to modal message boxes.
class ProgressBarFeedback : public JobFeedback {
public:
    explicit ProgressBarFeedback(QProgressBar* bar);
    ~ProgressBarFeedback() override;
    void SetRange(int maximum) override;
    void SetPosition(int position) override;
    void Message(const CString& text) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};
