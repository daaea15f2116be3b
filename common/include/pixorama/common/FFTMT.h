#pragma once

#include "ClassData2DIO.h"

// Threaded FFTs of float image pairs (real part, imaginary part). They take
// the container base, so QEVFLOATDATA2D images pass straight in.

// Transforms every row of (re, im) in place; rows are spread over one worker
// per processor. False, with both images unchanged, when they are empty,
// differ in size or their width is not a power of two.
bool FFTMT1D(ClassData2DIO<float>* re, ClassData2DIO<float>* im, bool forward);

// The 2-D transform in natural row and column order: rows, transpose, rows
// again, transpose back. Both sizes must be powers of two.
bool FFTMT2D(ClassData2DIO<float>* re, ClassData2DIO<float>* im, bool forward);

// out(x, y) = in((x + W/2) mod W, (y + H/2) mod H): moves the zero frequency
// to the centre (for odd sizes, FFTShift is not its own inverse).
void FFTShift(ClassData2DIO<float>* img);
