#include "pixorama/common/QEVProgressMonitor.h"

#include "pixorama/common/NumericTruncate.h"

void QEVProgressMonitor::SetRange(int n)
{
    step = float(n / 100.0);
}

void QEVProgressMonitor::StepForward()
{
    indicator += step;
}

int QEVProgressMonitor::GetIndicator() const
{
    return pixTruncToInt(indicator);
}

void QEVProgressMonitor::SetState(bool done)
{
    finished = done;
}

bool QEVProgressMonitor::IsFinished() const
{
    return finished;
}
