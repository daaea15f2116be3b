#include "pixorama/common/ReconFilter.h"

#include "pixorama/common/QEVPP1DFFT.h"
#include "pixorama/common/RowSplit.h"

#include <cmath>
#include <cstdint>
#include <cstring>

int ComputeFFTN(int n)
{
    if (n <= 1)
        return 1;
    if (n > (1 << 30))
        return 0;
    int p = 1;
    while (p < n)
        p <<= 1;
    return p;
}

bool IsOdd(int n)
{
    return n % 2 != 0;
}

void KernelGenerate(ClassData2DIO<float>& k, float tau)
{
    constexpr double twoPiSquared = 19.73920812874952;
    const int len = k.width;
    if (len <= 0 || k.height <= 0 || k.data == nullptr)
        return;
    const double t2 = double(tau) * double(tau);
    float* first = k.rows[0];
    for (int j = 0; j < len; ++j) {
        const int n = j - len / 2;
        double v = 0.0;
        if (n == 0)
            v = 1.0 / (8.0 * t2);
        else if (IsOdd(n))
            v = -1.0 / (twoPiSquared * double(n) * double(n) * t2);
        first[j] = float(v);
    }
    for (int y = 1; y < k.height; ++y)
        std::memcpy(k.rows[y], first, std::size_t(len) * sizeof(float));
}

bool GetKernerlFFT(QEVPP1DFFT& fft, int n, int len, float tau)
{
    if (len < 1 || len > n || !fft.Init(n, true)) {
        fft.Clear();
        return false;
    }
    ClassData2DIO<float> kernel;
    kernel.SetDim(len, 1);
    KernelGenerate(kernel, tau);
    fft.SetReImZero();
    fft.UpLoadRe(kernel.data, len);
    fft.RunFFT(true);
    return true;
}

namespace {

void filterRows(ClassData2DIO<float>& image, const QEVPP1DFFT& kernelFft, int begin, int end)
{
    const int w = image.width;
    QEVPP1DFFT fft;
    fft.Init(kernelFft.size, true);
    for (int y = begin; y < end; ++y) {
        fft.SetReImZero();
        fft.UpLoadRe(image.rows[y], w);
        fft.RunFFT(true);
        fft.Multiply(kernelFft);
        fft.RunFFT(false);
        // The kernel's centre sits at index W - 1.
        fft.DownLoadRe(image.rows[y], w, w - 1);
    }
}

} // namespace

bool QEVFilter1DForRec(ClassData2DIO<float>* rows, float tau)
{
    if (rows == nullptr || rows->data == nullptr || rows->width <= 0 || rows->height <= 0)
        return false;
    if (tau == 0.0f || !std::isfinite(tau))
        return false;
    const int w = rows->width;
    const std::int64_t needed = 3 * std::int64_t(w) - 1;
    if (needed > (1 << 30))
        return false;
    const int n = ComputeFFTN(int(needed));

    QEVPP1DFFT kernelFft;
    if (!GetKernerlFFT(kernelFft, n, 2 * w - 1, tau))
        return false;

    RowSplit::run(rows->height, [&](int begin, int end) { filterRows(*rows, kernelFft, begin, end); });
    return true;
}
