#pragma once

#include "pixorama/canvo/InteractiveImage.h"

// The five canvases of the process, addressed by id 0..4. They exist from
// the first use of the library to its unload.
class CanvasTable {
public:
    static constexpr int count = 5;

    // Null for an id outside 0..4.
    static InteractiveImage* At(int id);
};
