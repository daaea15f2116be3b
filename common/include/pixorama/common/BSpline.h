#pragma once

#include "pixorama/common/PointTemplateBase.h"

#include <vector>

// The interpolating uniform cubic B-spline through 2 to 199 points: out
// receives 11 samples per segment (t = 0, 0.1, ..., 1.0, so every joint
// twice), truncated to int; work receives the control points, rounded.
// Outside that range out and work are left as they are. When the last
// point repeats the first the curve closes smoothly, else its ends are
// natural (no bending at the first and last point).
void mB3Line(std::vector<PointTemplateBase<int>>& in, std::vector<PointTemplateBase<int>>& out,
             std::vector<PointTemplateBase<int>>& work);
