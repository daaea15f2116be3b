#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <memory>

// Raw image buffers that steps no longer need, kept for the next step to
// hand to the canvas in place of the buffers it takes, so a command writes
// its raws into memory that is already mapped. At most two are kept (a
// working and an ori raw). User-interface thread only.
class RawSpares {
public:
    static void Give(std::unique_ptr<ClassData2DIO<float>> image);
    // Swaps a kept buffer of width x height into image (an empty one), if
    // there is one.
    static void PutInto(ClassData2DIO<float>& image, int width, int height);
};
