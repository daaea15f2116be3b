#pragma once

#include "ClassData2DIO.h"

class QEVPP1DFFT;

// The ramp filter applied to projections before back-projection.

// Smallest power of two >= n; 1 for n <= 1, and 0 when no int power of two is
// that large.
int ComputeFFTN(int n);

// n mod 2 != 0, negative odd numbers included.
bool IsOdd(int n);

// Fills every row of k, over its width L, with the ramp kernel: sample j
// stands for n = j - L/2 and holds 1 / (8 tau^2) at n = 0, -1 / (2 pi^2 n^2 tau^2)
// for odd n and 0 for other even n (the Ramachandran-Lakshminarayanan kernel
// scaled by one half).
void KernelGenerate(ClassData2DIO<float>& k, float tau);

// Leaves fft holding the forward spectrum of a len-sample ramp kernel stored
// from re[0] (not centred) in an n-point transform. False, with fft empty, when
// n is not a power of two or len is not in 1..n.
bool GetKernerlFFT(QEVPP1DFFT& fft, int n, int len, float tau);

// Replaces every row (W samples) by its linear convolution with the
// (2W - 1)-tap ramp kernel, sampled at the row's own positions. Uses one FFT
// of length >= 3W - 1 per row so that nothing wraps around. Rows are spread
// over one worker per processor. False, with the rows unchanged, for an empty
// image or a tau of zero, infinity or NaN.
bool QEVFilter1DForRec(ClassData2DIO<float>* rows, float tau);
