#include "pixorama/workbench/JobProgress.h"

#include "UiCall.h"

#include <QProgressBar>

void JobProgress::SetRange(int maximum) const
{
    if (!shown)
        return;
    gCallOnUiThread([this, maximum] {
        if (QProgressBar* b = bar.data())
            b->setRange(0, maximum);
    });
}

void JobProgress::SetPos(int position) const
{
    if (!shown)
        return;
    gCallOnUiThread([this, position] {
        if (QProgressBar* b = bar.data())
            b->setValue(position);
    });
}
