#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <cstddef>
#include <memory>

// Large buffers that steps no longer need, kept for the next step so that
// neither it nor the command it records writes into freshly mapped memory:
// raw images, handed to the canvas in place of the raws a step takes, and
// the byte buffers of whole-plane copies. At most two of each are kept.
// User-interface thread only.
class Spares {
public:
    static void Give(std::unique_ptr<ClassData2DIO<float>> image);
    // Swaps a kept raw of width x height into image (an empty one), if
    // there is one.
    static void PutInto(ClassData2DIO<float>& image, int width, int height);

    // A buffer from pixAlignedAlloc; small ones are freed at once.
    static void GiveBytes(unsigned char* bytes, std::size_t size);
    // A kept buffer of exactly size bytes, else null.
    static unsigned char* TakeBytes(std::size_t size);
};
