#pragma once

#include <complex>
#include <vector>

// Complex FFT of a power-of-two length N over split arrays (re, im), computed
// in place in the current direction. An inverse run scales by 1/N, a forward
// run does not. The transform is self-sorting: input and output are both in
// natural order and no bit-reversal pass is needed.
//
// The fields keep their packed order because callers read re/im directly.
#pragma pack(push, 1)
class QEVPP1DFFT {
public:
    int size = 0;          // N
    float invSize = 0.0f;  // 1 / N
    int stages = 0;        // smallest s with 2^s >= N
    bool evenStages = true;
    bool forward = true;   // direction of the next run
    float* re = nullptr;
    float* im = nullptr;
    float* workRe = nullptr; // ping-pong partners of re / im
    float* workIm = nullptr;
    float* cosFwd = nullptr; // cos(-2 pi k / N), sin(-2 pi k / N)
    float* sinFwd = nullptr;
    float* cosInv = nullptr; // cos(2 pi k / N), sin(2 pi k / N)
    float* sinInv = nullptr;

    QEVPP1DFFT() = default;
    QEVPP1DFFT(const QEVPP1DFFT& other);
    QEVPP1DFFT& operator=(const QEVPP1DFFT& other);
    ~QEVPP1DFFT();

    // Allocates every buffer for length n, zeroes the data and work buffers and
    // fills the twiddle tables. A length that is not a positive power of two
    // leaves the object empty (size 0) and returns false.
    bool Init(int n, bool isForward);
    void Clear();

    // Copies count values to re[0..count) when count <= N; otherwise nothing.
    void UpLoadRe(const float* src, int count);
    void UpLoadReUs(const unsigned short* src, int count);
    // Copies into im only when count == N exactly.
    void UpLoadIm(const float* src, int count);
    // Copy re[start..start+count) / im[...] to dst; a range outside 0..N copies nothing.
    void DownLoadRe(float* dst, int count, int start) const;
    void DownLoadIm(float* dst, int count, int start) const;

    void SetReZero();
    void SetImZero();
    void SetReImZero();

    void RunFFT();
    void RunFFT(bool isForward);
    void ChangeDir(bool isForward) { forward = isForward; }
    // The plain one-butterfly-at-a-time loops; same results as RunFFT.
    void RunFFTOri();

    // (re, im) *= (other.re, other.im) element by element; nothing when the sizes differ.
    void Multiply(const QEVPP1DFFT& other);
    // The same with interleaved values; nothing when v holds fewer than N.
    void MultiplyV(const std::vector<std::complex<float>>& v);

    // True when n has at most one bit set.
    static bool CheckInputToFFT(int n);

private:
    // A transform: true when it leaves the result in the work arrays.
    using Kernel = bool (*)(float*, float*, float*, float*, int, int, const float*, const float*);
    // Runs kernel in the current direction; the result ends in re/im, scaled
    // by 1/N for the inverse.
    void run(Kernel kernel);
};
#pragma pack(pop)
