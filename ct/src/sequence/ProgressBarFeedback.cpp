#include "pixorama/workbench/ProgressBarFeedback.h"

#include "pixorama/platform/Modal.h"
#include "pixorama/platform/System.h"

#include <QPointer>
#include <QProgressBar>

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
