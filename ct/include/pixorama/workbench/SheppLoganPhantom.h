#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <vector>

// The modified Shepp-Logan head phantom for the simulation commands, with
// water-like densities (0.02 per pixel for the skull's value 1). The field
// [-1, 1] spans the picture; each pixel takes the value at its centre.
ClassData2DIO<float> SheppLoganSlice(int size);
// size slices of size x size; slice k lies at z = (2k + 1) / size - 1.
std::vector<ClassData2DIO<float>> SheppLoganVolume(int size);
