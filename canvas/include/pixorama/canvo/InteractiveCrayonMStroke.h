#pragma once

#include "pixorama/canvo/InteractiveMPoint.h"

// Free-hand crayon marks (kind 7), an annotation rather than a region: every
// Shift-drag adds a stroke; a press inside the bounding box moves them all.
// Keys A and D widen and narrow the pen of the selected marks (1..40).
class InteractiveCrayonMStroke : public InteractiveMPoint {
public:
    static constexpr int maxPenWidth = 40;

    InteractiveCrayonMStroke();

    // Inside the bounding box of the display points (edges included);
    // fewer than two points never hit. Sets the selected flag.
    bool HitTest(plat::Point pt) override;
    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    void OnLButtonUp(unsigned flags, plat::Point pt) override;
    void OnMouseMove(unsigned flags, plat::Point pt) override;
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    bool Draw(plat::Dc* dc) override;
    void ClearPoints() override;

    std::vector<std::size_t> strokeStarts; // index of each stroke's first point

private:
    bool stroking = false; // the button went down with Shift on this object
};
