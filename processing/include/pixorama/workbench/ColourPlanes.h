#pragma once

#include "pixorama/common/ClassData2DIO.h"

// Three 8-bit planes of one size (red, green, blue) that an operation reads
// or changes together. Each plane's rows follow each other in one buffer, as
// SetDim lays them out.
struct ColourPlanes {
    ClassData2DIO<unsigned char>& r;
    ClassData2DIO<unsigned char>& g;
    ClassData2DIO<unsigned char>& b;

    int Width() const { return r.width; }
    int Height() const { return r.height; }
    bool Empty() const { return r.IsEmpty(); }
};
