#include "pixorama/workbench/SequenceCancelButton.h"

#include "pixorama/platform/SourceText.h"
#include "pixorama/workbench/SequenceJob.h"

#include <QPointer>
#include <QShortcut>

SequenceCancelButton::SequenceCancelButton(QWidget* parent) : QToolButton(parent)
{
    plat::setSourceText(this, QStringLiteral("取消"));
    plat::setSourceToolTip(this, QStringLiteral("停止正在运行的序列任务"));
    escape = new QShortcut(QKeySequence(Qt::Key_Escape), parent != nullptr ? parent->window() : this);
    escape->setContext(Qt::WindowShortcut);
    connect(this, &QToolButton::clicked, [] { CancelSequenceJobs(); });
    connect(escape, &QShortcut::activated, [] { CancelSequenceJobs(); });
    QPointer<SequenceCancelButton> self(this);
    SetSequenceJobsListener([self](bool on) {
        if (self)
            self->running(on);
    });
    running(SequenceJobsRunning());
}

SequenceCancelButton::~SequenceCancelButton()
{
    SetSequenceJobsListener({});
    // The shortcut may belong to the window, which outlives the button.
    delete escape;
}

void SequenceCancelButton::running(bool on)
{
    setVisible(on);
    // Esc belongs to the canvas and the dialogs when no job runs.
    escape->setEnabled(on);
}
