#pragma once

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/platform/Types.h"

#include <cstddef>
#include <memory>
#include <vector>

// Large buffers that steps no longer need, kept for the next step so that
// neither it nor the command it records writes into freshly mapped memory:
// raw images, colour planes and surface pixels, handed to their owners in
// place of the ones a step takes, and the byte buffers of whole-plane
// copies. At most two of each are kept, and one picture's worth of colour
// planes. User-interface thread only.
class Spares {
public:
    static void Give(std::unique_ptr<ClassData2DIO<float>> image);
    static void Give(std::unique_ptr<ClassData2DIO<unsigned char>> plane);
    // Swaps a kept image of width x height into image (an empty one), if
    // there is one.
    static void PutInto(ClassData2DIOGeneral<float>& image, int width, int height);
    static void PutInto(ClassData2DIOGeneral<unsigned char>& plane, int width, int height);

    static void GivePixels(std::vector<plat::Pixel> pixels);
    // Kept pixels of exactly count, else count fresh ones.
    static std::vector<plat::Pixel> TakePixels(std::size_t count);

    // A buffer from pixAlignedAlloc; small ones are freed at once.
    static void GiveBytes(unsigned char* bytes, std::size_t size);
    // A kept buffer of exactly size bytes, else null.
    static unsigned char* TakeBytes(std::size_t size);
};
