#pragma once

#include "ClassData2DIO.h"

// Bilinear resampling into an already sized dst. With sx = src.width / dst.width
// and sy = src.height / dst.height (float), dst(x, y) samples src at
// (fx, fy) = (x * sx, y * sy): with ix, iy their floors and ax, ay their
// fractions, the value is the bilinear blend of s(ix, iy), s(ix + 1, iy),
// s(ix, iy + 1) and s(ix + 1, iy + 1) (two linear blends, along y first when
// dst has fewer rows than src, else along x first) when 0 <= ix <= src.width - 2
// and 0 <= iy <= src.height - 2, and 0 otherwise (so the last column and row
// of a same-size copy are 0). False, with dst unchanged, when either image is
// missing or empty or both are the same image.

// Rows of dst spread over one worker per processor.
bool ResizeMC(ClassData2DIO<float>* src, ClassData2DIO<float>* dst);
// In the caller's thread.
bool ResizeSC(ClassData2DIO<float>* src, ClassData2DIO<float>* dst);

// img becomes w x h through ResizeMC. False, with img unchanged, for a size below 1.
bool Resize(ClassData2DIO<float>& img, int w, int h);
// The same through float; results are truncated back to 16 bits.
bool Resize(ClassData2DIO<unsigned short>& img, int w, int h);
