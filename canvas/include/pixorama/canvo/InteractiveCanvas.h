#pragma once

#include "pixorama/canvo/InteractiveMovableRect.h"

#include <cstdint>
#include <vector>

// The chart window of a line profile: the values as a polyline scaled to
// the window, with their minimum and maximum in the caption.
class InteractiveCanvas : public InteractiveMovableRect {
public:
    // More than 4 values are kept and scaled to the window; fewer empty it.
    void SetProfile(const std::vector<float>& values);
    bool Draw(plat::Dc* dc) override;

    const std::vector<float>& Profile() const { return profile; }
    // Plotted height of every pixel column of the window.
    const std::vector<std::int16_t>& Heights() const { return heights; }
    float Minimum() const { return minimum; }
    float Maximum() const { return maximum; }

private:
    std::vector<float> profile;
    std::vector<std::int16_t> heights;
    float minimum = 0.0f;
    float maximum = 0.0f;
};
