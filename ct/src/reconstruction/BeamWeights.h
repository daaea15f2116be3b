#pragma once

#include "pixorama/workbench/CtGeometry.h"

#include <vector>

// Weight of detector column j for rays that a full turn sees twice: 1 when
// g.halfFan is off. With an offset detector the columns near the axis's
// image are seen twice, the far side once and its mirror never; the weight
// runs smoothly from 0 at the mirrored edge of the doubly seen band through
// 1 at the axis to 2 beyond the band, so that every line sums to 2 over its
// two views (2 sin^2(pi/4 (d + b) / b) for a distance d from the axis, b
// the half-width of the band).
std::vector<double> HalfFanWeights(const CtGeometry& g);

// The back-projection's scale: detector spacing at the axis times the angle
// between views, for a half-weight ramp kernel over a full turn.
double BackProjectionScale(const CtGeometry& g);
