#include "RampFilter.h"

#include "pixorama/common/QEVPP1DFFT.h"
#include "pixorama/common/ReconFilter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Half the Shepp-Logan kernel: -1 / (pi^2 tau^2 (4 n^2 - 1)).
void sheppLoganKernel(ClassData2DIO<float>& k, double tau)
{
    const int len = k.width;
    for (int j = 0; j < len; ++j) {
        const double m = j - len / 2;
        k.rows[0][j] = float(-1.0 / (std::numbers::pi * std::numbers::pi * tau * tau * (4 * m * m - 1)));
    }
}

} // namespace

RampFilter::RampFilter(int width, double tau, const RampChoice& choice, double scale)
    : width(width), n(ComputeFFTN(2 * width - 1))
{
    ClassData2DIO<float> kernel;
    kernel.SetDim(2 * width - 1, 1);
    if (choice.sheppLogan)
        sheppLoganKernel(kernel, tau);
    else
        KernelGenerate(kernel, float(tau));
    QEVPP1DFFT fft;
    fft.Init(n, true);
    fft.UpLoadRe(kernel.data, kernel.width);
    fft.RunFFT(true);
    spectrum.resize(std::size_t(n));
    const bool cut = choice.cutoff > 0 && choice.cutoff < 1;
    for (int f = 0; f < n; ++f) {
        const double nu = double(std::min(f, n - f)) / (n / 2);
        // A Hann roll-off from 1 at zero to 0 at the cut-off avoids ringing.
        const double keep = !cut ? scale : nu >= choice.cutoff ? 0.0 : scale * 0.5 * (1 + std::cos(std::numbers::pi * nu / choice.cutoff));
        spectrum[std::size_t(f)] = {float(fft.re[f] * keep), float(fft.im[f] * keep)};
    }
}

void RampFilter::Run(const float* const* in, float* const* out, int count) const
{
    QEVPP1DFFT fft;
    fft.Init(n, true);
    for (int i = 0; i < count; i += 2) {
        const bool pair = i + 1 < count;
        fft.SetReImZero();
        std::copy(in[i], in[i] + width, fft.re);
        if (pair)
            std::copy(in[i + 1], in[i + 1] + width, fft.im);
        fft.RunFFT(true);
        fft.MultiplyV(spectrum);
        fft.RunFFT(false);
        // The kernel's centre sits at index width - 1; the real kernel keeps
        // the two rows apart in the real and imaginary parts.
        fft.DownLoadRe(out[i], width, width - 1);
        if (pair)
            fft.DownLoadIm(out[i + 1], width, width - 1);
    }
}
