#pragma once

#include <QPointer>
#include <QProgressBar>


// The progress protocol of a background job on the status-bar progress
// control: a range before the work, a position after each step, 0 at the
// end. Made on the user-interface thread; its calls may come from any
// thread and reach the control on the user-interface thread only. Without
// a control (or once it is gone) they do nothing.
class JobProgress {
public:
    explicit JobProgress(QProgressBar* bar = nullptr) : bar(bar), shown(bar != nullptr) {}

    void SetRange(int maximum) const;
    void SetPos(int position) const;

private:
    QPointer<QProgressBar> bar; // read on the user-interface thread only
    bool shown = false;
};
