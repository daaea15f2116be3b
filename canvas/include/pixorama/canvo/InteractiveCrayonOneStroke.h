#pragma once

#include "pixorama/canvo/InteractiveMPoint.h"

// A free-hand region (kind 5): a Shift-drag records every mouse position,
// the outline closes itself; a press inside moves the whole region. Drawn
// as the closed outline, without handles.
class InteractiveCrayonOneStroke : public InteractiveMPoint {
public:
    InteractiveCrayonOneStroke();

    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    void OnLButtonUp(unsigned flags, plat::Point pt) override;
    void OnMouseMove(unsigned flags, plat::Point pt) override;
    bool Draw(plat::Dc* dc) override;

    bool drawing = false; // a stroke is being recorded

protected:
    // pt in image pixels, kept inside the image when clamping is on.
    PointTemplateBase<double> ImagePointOf(plat::Point pt);
};
