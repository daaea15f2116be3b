#pragma once

#include "pixorama/canvo/InteractiveRect.h"

// A rectangle whose corners were typed in (kind 1). It can be moved by a
// press inside and a drag, but its corners are not edited with the mouse.
// With the ellipse flag set it is rasterised as the inscribed ellipse.
class InteractiveCustomRect : public InteractiveRect {
public:
    InteractiveCustomRect();

    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    void OnMouseMove(unsigned flags, plat::Point pt) override;
};
