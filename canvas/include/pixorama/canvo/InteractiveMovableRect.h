#pragma once

#include "pixorama/canvo/Canvo.h"

// A window in client coordinates (displayRect) that the user drags with the
// left button: the base of the text windows and of the profile chart.
class InteractiveMovableRect : public Canvo {
public:
    // (trunc x, trunc y, trunc(x + w), trunc(y + h)).
    void SetRectPos(float x, float y, float w, float h) override;
    bool HitTest(plat::Point pt) override;
    // A press inside starts a drag.
    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    void OnLButtonUp(unsigned flags, plat::Point pt) override;
    // While dragging, moves the window by the mouse step.
    void OnMouseMove(unsigned flags, plat::Point pt) override;
    bool Draw(plat::Dc* dc) override;

protected:
    void DragTo(plat::Point pt);
};
