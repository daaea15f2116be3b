#pragma once

#include "pixorama/common/QEVFLOATDATA2D.h"

// The post-processing kinds of a stitched projection (OutImaIP).
namespace pairpost {

// Keeps columns leftCut .. width - rightCut - 1, in the image's own buffer;
// nothing when no column would remain.
void CropColumns(QEVFLOATDATA2D& image, int leftCut, int rightCut);
// (width / 2) x (height / 2): each pixel the mean of the two middle values
// of its 2 x 2 block.
void Bin2x2(QEVFLOATDATA2D& image);
// Per row, x = 1 .. width - 2 in order and in place:
// v[x] = 0.25 (v[x - 1] + v[x + 1]) + 0.5 v[x].
void SmoothRows(QEVFLOATDATA2D& image);
// to = from with its origWidth and origHeight, reusing to's buffer when it
// already has from's size.
void CopyOut(const QEVFLOATDATA2D& from, QEVFLOATDATA2D& to);

} // namespace pairpost
