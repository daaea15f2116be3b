#pragma once

#include <QToolButton>

class QShortcut;

// The status bar's cancel button for background jobs: shown while a job
// runs, hidden otherwise. A click, or Esc in the button's window while a job
// runs, cancels every running job (each stops before its next file). The
// frame adds it to its status bar; it takes over the jobs' running signal
// (SetSequenceJobsListener) for as long as it lives.
class SequenceCancelButton : public QToolButton {
public:
    explicit SequenceCancelButton(QWidget* parent);
    ~SequenceCancelButton() override;

private:
    void running(bool on);

    QShortcut* escape = nullptr;
};
