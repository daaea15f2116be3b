#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <span>
#include <vector>

// One ellipsoid of the unit phantom: centre, semi-axes, rotation about z in
// degrees, and the density it adds.
struct SheppLoganEllipsoid {
    double x, y, z, a, b, c, phi, density;
};
// Kak and Slaney's three-dimensional head, with Toft's modified densities,
// in the field [-1, 1].
std::span<const SheppLoganEllipsoid> SheppLoganHead();

// The modified Shepp-Logan head phantom for the simulation commands, with
// water-like densities (0.02 per pixel for the skull's value 1). The field
// [-1, 1] spans the picture; each pixel takes the value at its centre.
ClassData2DIO<float> SheppLoganSlice(int size);
// size slices of size x size; slice k lies at z = (2k + 1) / size - 1.
std::vector<ClassData2DIO<float>> SheppLoganVolume(int size);
