#include "pixorama/workbench/JobProgress.h"

#include "pixorama/platform/System.h"

#include <QProgressBar>

void JobProgress::SetRange(int maximum) const
{
    if (!shown)
        return;
    plat::runOnUiThread([this, maximum] {
        if (QProgressBar* b = bar.data())
            b->setRange(0, maximum);
    });
}

void JobProgress::SetPos(int position) const
{
    if (!shown)
        return;
    plat::runOnUiThread([this, position] {
        if (QProgressBar* b = bar.data())
            b->setValue(position);
    });
}
