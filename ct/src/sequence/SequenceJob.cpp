#include "pixorama/workbench/SequenceJob.h"

#include "pixorama/platform/Modal.h"
#include "pixorama/platform/System.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressBar>

#include <atomic>

struct ProgressBarFeedback::Impl {
    QPointer<QProgressBar> bar;
};

ProgressBarFeedback::ProgressBarFeedback(QProgressBar* bar) : impl(std::make_unique<Impl>())
{
    impl->bar = bar;
}

ProgressBarFeedback::~ProgressBarFeedback() = default;

void ProgressBarFeedback::SetRange(int maximum)
{
    if (!impl->bar)
        return;
    plat::runOnUiThread([this, maximum] {
        if (impl->bar)
            impl->bar->setRange(0, maximum);
    });
}

void ProgressBarFeedback::SetPosition(int position)
{
    if (!impl->bar)
        return;
    plat::runOnUiThread([this, position] {
        if (impl->bar)
            impl->bar->setValue(position);
    });
}

void ProgressBarFeedback::Message(const CString& text)
{
    plat::messageBox(text);
}

SequenceJob::SequenceJob(JobFeedback& feedback, int* externalFlag) : feedback(feedback), external(externalFlag) {}

bool SequenceJob::Cancelled() const
{
    if (stop.load())
        return true;
    return external != nullptr && std::atomic_ref<int>(*external).load() == 1;
}
