#pragma once

#include "pixorama/canvo/InteractiveTextML.h"

// The 5 x 5 values around the cursor, in a movable text window. Offsets are
// client pixels, so above zoom 1 neighbouring entries can repeat a pixel.
class InteractiveNeighborV : public Canvo {
public:
    InteractiveNeighborV();

    void OnMouseMove(unsigned flags, plat::Point pt) override;
    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    void OnLButtonUp(unsigned flags, plat::Point pt) override;
    bool HitTest(plat::Point pt) override;
    void SetRectPos(float x, float y, float w, float h) override;
    bool Draw(plat::Dc* dc) override;

    InteractiveTextML window;
};
