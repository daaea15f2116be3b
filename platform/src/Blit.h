#pragma once

#include "pixorama/platform/DibBitmap.h"
#include "pixorama/platform/Types.h"

// Pixel copies between surfaces, in window coordinates, limited to clip
// (which must lie inside the destination).
namespace plat::blit {

// Plain copy; the source may be the destination, overlapping or not.
void copy(DibBitmap& dst, Point at, Size size, const DibBitmap& src, Point from, const Rect& clip);

// Scaled copy of src into dst; negative extents mirror. Nearest pixel: the
// destination pixel d takes source pixel floor((d + 0.5) * sw / dw).
// Smooth: an area average when shrinking, linear between pixel centres
// when enlarging; separable, with each axis' weights rounded to fixed point
// summing to exactly one (down: steps of 1/256, across: 1/4096) and the
// result rounded half up. Shrinks by 2, 4, 8 or 16 give exact block means.
void stretch(DibBitmap& dst, const Rect& dstRect, const DibBitmap& src, const Rect& srcRect, bool smooth,
             const Rect& clip);

} // namespace plat::blit
