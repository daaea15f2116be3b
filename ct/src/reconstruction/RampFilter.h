#pragma once

#include "pixorama/workbench/Reconstruction.h"

#include <complex>
#include <vector>

// The ramp filter of filtered back-projection for rows of one width: a
// linear convolution with the half-weight Ram-Lak or Shepp-Logan kernel of
// 2 * width - 1 taps (the half weight suits a full turn, every ray seen
// twice), times a scale, through one FFT of a power of two >= 2 * width - 1
// per pair of rows. With a cut-off below 1 (a fraction of Nyquist) the
// spectrum is rolled off by a Hann window that reaches zero at the cut-off.
class RampFilter {
public:
    RampFilter(int width, double tau, const RampChoice& choice, double scale);

    // Filters count rows of width values; rows i and i + 1 share a transform.
    // out may be the same as in.
    void Run(const float* const* in, float* const* out, int count) const;

private:
    int width;
    int n;
    std::vector<std::complex<float>> spectrum;
};
