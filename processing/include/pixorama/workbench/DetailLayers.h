#pragma once

#include "pixorama/common/QEVUCDATA2D.h"

#include <functional>

// The layers of the multi-scale detail enhancement of a raw picture: the
// picture stretched between 10 % and 90 % of its range, and three window
// processor layers (WindowProcessor.h) of growing window size.
struct DetailLayers {
    QEVUCDATA2D base;
    QEVUCDATA2D small;  // (17, 17, 2, 2)
    QEVUCDATA2D medium; // (35, 35, 4, 4)
    QEVUCDATA2D large;  // (61, 61, 7, 7), steps (4, 4) in the batch form

    // Positions after the base layer and after each window layer: 10, 20,
    // 50, 100. batch selects the batch form of the large layer.
    void Compute(const ClassData2DIO<float>& raw, bool batch = false,
                 const std::function<void(int position)>& progress = {});

    // result = (w15 small + w16 medium + w17 large + w14 base) / (w14 + w15 +
    // w16 + w17), truncated to 0..255; all weights 0 give 0. Weights in the
    // order base, small, medium, large (kinds 14, 15, 16, 17).
    void Recombine(const float weights[4], ClassData2DIO<unsigned char>& result) const;

    bool Empty() const { return base.IsEmpty(); }
};

// The base layer: values at or below lo = min + 0.1 (max - min) give 0, at
// or above hi = max - 0.1 (max - min) give 255, between them the integer part
// of (v - lo) 255 / (hi - lo). When hi - lo is below 1e-10, base keeps its
// pixels (sized to the picture, zeroed, when it had another size).
void gDetailBaseLayer(const ClassData2DIO<float>& raw, ClassData2DIO<unsigned char>& base);

// The batch form for whole sequences: DetailLayers::Compute(picture, true)
// recombined with the live weights into out (sized to the picture). False
// for an empty picture. The sequence conversion uses it for its detail kinds.
bool gBatchDetailEnhance(const ClassData2DIO<float>& picture, ClassData2DIO<unsigned char>& out);
