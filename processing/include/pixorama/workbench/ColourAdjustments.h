#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <cstdint>

// The live adjustments of colour pictures. Planes are in canvas memory order
// (bottom-up: plane row r shows screen line height - 1 - r); operations with
// a direction take it on screen. `value` is a strip position in 0..1.

using Plane = ClassData2DIO<unsigned char>;

// Kind 1: grey above integer part of value * 255 gives white, else black.
void gAdjustThreshold(const Plane& grey, float value, Plane& r, Plane& g, Plane& b);
// Kind 2: box blur of radius integer part of value * 50 (edge repeated).
void gAdjustBlur(Plane& plane, float value);
// Kinds 3 and 4: amount = value * 200 - 100 in -100..100, in the six hue
// sectors of HSV: saturation scaled by 1 + amount / 100, respectively hue
// turned by amount / 100 * 180 degrees.
void gAdjustSaturation(Plane& r, Plane& g, Plane& b, float value);
void gAdjustHue(Plane& r, Plane& g, Plane& b, float value);
// Kind 5: unsharp masking against gGauss(15, 1.5, 0): with k = integer part
// of value * 600 and d = v - blurred, v + k d / 100 (integer division).
void gAdjustSharpen(Plane& plane, float value);
// Kind 7: blocks of integer part of value * 50 pixels (from the top-left
// corner) take their mean; blocks below 2 change nothing.
void gAdjustMosaic(Plane& plane, float value);
// Kinds 9 and 10: circular shift by integer part of value * 2 * size to the
// right, respectively downwards (0.5 shifts a whole size: no change).
void gAdjustShiftX(Plane& plane, float value);
void gAdjustShiftY(Plane& plane, float value);
// Kind 11: rotation by (value - 0.5) * 360 degrees counter-clockwise about
// the centre, bilinear; what comes from outside is black.
void gAdjustRotation(Plane& plane, float value);
// Kind 12: uniform noise in -a..a with a = value * 100, the same pattern
// every time for a given seed.
void gAdjustNoise(Plane& plane, float value, std::uint32_t seed);
// Kind 13: magnifies the inside of the circle (centre in screen pixels,
// row 0 at the top) towards its centre; strength value * 100 gives a
// magnification at the centre of 1 / (1 - strength / 200).
void gAdjustMagnify(Plane& plane, float value, int centreX, int centreY, int radius);
// Kinds 20-22: the source plane through a tone table: at or below low * 255
// the low colour's channel, at or above high * 255 the high colour's, linear
// between.
void gAdjustTone(const Plane& source, float low, float high, int lowLevel, int highLevel, Plane& result);
