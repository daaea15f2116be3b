#include "pixorama/common/QEVPP1DFFT.h"

#include "FftKernel.h"
#include "pixorama/common/AlignedBuffer.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double kTwoPi = 6.2831852;

float* allocFloats(int n)
{
    return static_cast<float*>(pixAlignedAlloc(std::size_t(n) * sizeof(float)));
}

void freeFloats(float*& p)
{
    pixAlignedFree(p);
    p = nullptr;
}

} // namespace

QEVPP1DFFT::QEVPP1DFFT(const QEVPP1DFFT& other)
{
    *this = other;
}

QEVPP1DFFT& QEVPP1DFFT::operator=(const QEVPP1DFFT& other)
{
    if (this == &other)
        return *this;
    if (other.size <= 0) {
        Clear();
        forward = other.forward;
        return *this;
    }
    Init(other.size, other.forward);
    std::memcpy(re, other.re, std::size_t(size) * sizeof(float));
    std::memcpy(im, other.im, std::size_t(size) * sizeof(float));
    return *this;
}

QEVPP1DFFT::~QEVPP1DFFT()
{
    Clear();
}

void QEVPP1DFFT::Clear()
{
    float* buffers[] = {re, im, workRe, workIm, cosFwd, sinFwd, cosInv, sinInv};
    for (float*& p : buffers)
        freeFloats(p);
    re = im = workRe = workIm = cosFwd = sinFwd = cosInv = sinInv = nullptr;
    size = 0;
    invSize = 0.0f;
    stages = 0;
    evenStages = true;
}

bool QEVPP1DFFT::Init(int n, bool isForward)
{
    Clear();
    forward = isForward;
    if (n < 1 || !CheckInputToFFT(n))
        return false;

    // Allocate into locals first so that a failed allocation leaves the object empty.
    float* buffers[8] = {};
    try {
        for (float*& p : buffers)
            p = allocFloats(n);
    } catch (...) {
        for (float*& p : buffers)
            freeFloats(p);
        throw;
    }
    re = buffers[0];
    im = buffers[1];
    workRe = buffers[2];
    workIm = buffers[3];
    cosFwd = buffers[4];
    sinFwd = buffers[5];
    cosInv = buffers[6];
    sinInv = buffers[7];

    size = n;
    invSize = 1.0f / float(n);
    int s = 0;
    while ((1 << s) < n)
        ++s;
    stages = s;
    evenStages = s % 2 == 0;
    SetReImZero();
    std::memset(workRe, 0, std::size_t(n) * sizeof(float));
    std::memset(workIm, 0, std::size_t(n) * sizeof(float));

    for (int k = 0; k < n; ++k) {
        const double angle = kTwoPi * double(float(k)) / double(float(n));
        cosFwd[k] = float(std::cos(-angle));
        sinFwd[k] = float(std::sin(-angle));
        cosInv[k] = float(std::cos(angle));
        sinInv[k] = float(std::sin(angle));
    }
    return true;
}

void QEVPP1DFFT::UpLoadRe(const float* src, int count)
{
    if (src == nullptr || count <= 0 || count > size)
        return;
    std::memcpy(re, src, std::size_t(count) * sizeof(float));
}

void QEVPP1DFFT::UpLoadReUs(const unsigned short* src, int count)
{
    if (src == nullptr || count <= 0 || count > size)
        return;
    for (int i = 0; i < count; ++i)
        re[i] = float(src[i]);
}

void QEVPP1DFFT::UpLoadIm(const float* src, int count)
{
    if (src == nullptr || count != size || size == 0)
        return;
    std::memcpy(im, src, std::size_t(count) * sizeof(float));
}

void QEVPP1DFFT::DownLoadRe(float* dst, int count, int start) const
{
    if (dst == nullptr || count <= 0 || start < 0 || start > size || count > size - start)
        return;
    std::memcpy(dst, re + start, std::size_t(count) * sizeof(float));
}

void QEVPP1DFFT::DownLoadIm(float* dst, int count, int start) const
{
    if (dst == nullptr || count <= 0 || start < 0 || start > size || count > size - start)
        return;
    std::memcpy(dst, im + start, std::size_t(count) * sizeof(float));
}

void QEVPP1DFFT::SetReZero()
{
    if (size > 0)
        std::memset(re, 0, std::size_t(size) * sizeof(float));
}

void QEVPP1DFFT::SetImZero()
{
    if (size > 0)
        std::memset(im, 0, std::size_t(size) * sizeof(float));
}

void QEVPP1DFFT::SetReImZero()
{
    SetReZero();
    SetImZero();
}

void QEVPP1DFFT::run(Kernel kernel)
{
    if (size <= 0)
        return;
    const float* c = forward ? cosFwd : cosInv;
    const float* s = forward ? sinFwd : sinInv;
    if (kernel(re, im, workRe, workIm, size, stages, c, s)) {
        // Exchange the pointers rather than copy: the result then lies in re/im.
        // (No std::swap: references to packed fields would be misaligned.)
        float* const r = re;
        float* const i = im;
        re = workRe;
        im = workIm;
        workRe = r;
        workIm = i;
    }
    if (!forward)
        scaleComplex(re, im, size, invSize);
}

void QEVPP1DFFT::RunFFT()
{
    run(fftStockham);
}

void QEVPP1DFFT::RunFFT(bool isForward)
{
    forward = isForward;
    RunFFT();
}

void QEVPP1DFFT::RunFFTOri()
{
    run(fftStockhamReference);
}

void QEVPP1DFFT::Multiply(const QEVPP1DFFT& other)
{
    if (size <= 0 || other.size != size)
        return;
    complexMultiply(re, im, other.re, other.im, size);
}

void QEVPP1DFFT::MultiplyV(const std::vector<std::complex<float>>& v)
{
    if (size <= 0 || v.size() < std::size_t(size))
        return;
    for (int i = 0; i < size; ++i) {
        const float aR = re[i];
        const float aI = im[i];
        const float bR = v[std::size_t(i)].real();
        const float bI = v[std::size_t(i)].imag();
        re[i] = aR * bR - aI * bI;
        im[i] = aR * bI + aI * bR;
    }
}

bool QEVPP1DFFT::CheckInputToFFT(int n)
{
    const unsigned u = unsigned(n);
    return (u & (u - 1u)) == 0;
}
