#pragma once

// Radix-2 self-sorting (Stockham) transform over split complex arrays of
// length n = 2^stages. Stage s (m = 2^s) maps, for every group start g (a
// multiple of m below n/2) and j < m:
//   out[2g + j]     = in[g + j] + in[g + j + n/2]
//   out[2g + j + m] = (in[g + j] - in[g + j + n/2]) * (cosT[g], sinT[g])
// and the buffers swap roles after every stage. Neither run scales.

// Both return true when the result lies in (workRe, workIm), otherwise it
// lies in (re, im). The reference ends there after an odd number of stages;
// the fast run, which does two or three stages in one pass, may end in either.
bool fftStockham(float* re, float* im, float* workRe, float* workIm, int n, int stages, const float* cosT,
                 const float* sinT);
// The plain loops of the definition, one butterfly at a time.
bool fftStockhamReference(float* re, float* im, float* workRe, float* workIm, int n, int stages,
                          const float* cosT, const float* sinT);

// (re, im) *= (otherRe, otherIm), element by element.
void complexMultiply(float* re, float* im, const float* otherRe, const float* otherIm, int n);
// Every element of both arrays times factor.
void scaleComplex(float* re, float* im, int n, float factor);
