#pragma once

#include "pixorama/canvo/InteractiveFixedRect.h"

// The canvas's progress bar: a dark bar over the grey control, as long as
// the position's share of the range.
class InteractiveProgress : public InteractiveFixedRect {
public:
    void SetRange(int min, int max);
    void SetPos(int pos);
    // Recomputes the bar. An empty range, or a position at or below the
    // minimum, gives an empty bar; at or above the maximum a full one.
    void OnViewChanged() override;
    bool Draw(plat::Dc* dc) override;

    int minimum = 100;
    int maximum = 200;
    int position = 150;
    plat::Rect bar;
};
