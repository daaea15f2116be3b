#pragma once

#include "pixorama/canvo/InteractiveCanvas.h"
#include "pixorama/canvo/InteractiveSingleLine.h"

#include <vector>

// A line whose grey values, one sample per image pixel of its length, are
// charted in a movable window. Lines shorter than 10 pixels chart nothing.
class InteractiveLineProfile : public InteractiveSingleLine {
public:
    InteractiveLineProfile();

    // The samples along the line; empty for fewer than 10 pixels, without
    // exactly two points or without an image.
    std::vector<float> Sample() const;

    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    void OnLButtonUp(unsigned flags, plat::Point pt) override;
    void OnMouseMove(unsigned flags, plat::Point pt) override;
    bool HitTest(plat::Point pt) override;
    // Places the chart window.
    void SetRectPos(float x, float y, float w, float h) override;
    bool Draw(plat::Dc* dc) override;

    InteractiveCanvas chart;
    bool chartHit = false;
};
