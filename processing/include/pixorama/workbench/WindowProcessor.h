#pragma once

#include "pixorama/common/ClassData2DIO.h"

// The window processor: a locally stretched picture.
//
// The picture is padded by p = max(a / 2, b / 2) on every side with mirrored
// reads. Windows of a columns by b rows are centred on the grid of rows
// p, p + sr, ... below H + p - 1 (so the last image row is never a centre)
// and columns p, p + sc, ... below W + p. Every window is stretched to
// 8 bits by its own minimum and maximum (integer part of
// (v - min) * (255 / (max - min))); a window whose range is below 1e-7
// adds 0 everywhere (QEVClassicEnhanceRaw::constantWindowValue). Each pixel
// becomes the mean of the windows that cover it, and the W x H result is
// stretched by its own minimum and maximum into out. When that range is
// below 1e-7, out keeps its pixels (it is sized W x H, zeroed, when it had
// another size).
//
// The result is that of the direct method (every window copied, searched
// and added with its count), computed with less work: the extremes of a
// window come from column extremes over its rows and runs of doubling
// length along them, the counts are the product of a row and a column
// cover count, and only the stretched values are added window by window.
//
// The centre rows are split into strips over `threads` workers (0: two per
// logical processor); the result is the same, byte for byte, for every
// thread count. False, with out untouched, for an empty picture or a
// window size or step below 1.
bool gWindowProcess(const ClassData2DIO<float>& picture, ClassData2DIO<unsigned char>& out, int a, int b, int sr,
                    int sc, int threads = 0);

// Two workers per logical processor.
int gWindowProcessThreads();

// The source padded by pad on every side: index k < 0 reads -k, k >= N
// reads 2N - k - 2, then clamped into 0..N-1.
void gPadMirrored(const ClassData2DIO<float>& picture, int pad, ClassData2DIO<float>& padded);
