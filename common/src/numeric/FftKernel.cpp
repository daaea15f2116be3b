#include "FftKernel.h"

#include "SimdFloat.h"

#include <utility>

bool fftStockhamReference(float* re, float* im, float* workRe, float* workIm, int n, int stages,
                          const float* cosT, const float* sinT)
{
    const int half = n / 2;
    // Stage s reads pair s % 2 and writes the other.
    float* const pairR[2] = {re, workRe};
    float* const pairI[2] = {im, workIm};
    for (int s = 0; s < stages; ++s) {
        const float* inR = pairR[s % 2];
        const float* inI = pairI[s % 2];
        float* outR = pairR[1 - s % 2];
        float* outI = pairI[1 - s % 2];
        const int m = 1 << s;
        for (int g = 0; g < half; g += m) {
            const float wr = cosT[g];
            const float wi = sinT[g];
            for (int j = 0; j < m; ++j) {
                const float aR = inR[g + j];
                const float aI = inI[g + j];
                const float bR = inR[g + j + half];
                const float bI = inI[g + j + half];
                outR[2 * g + j] = aR + bR;
                outI[2 * g + j] = aI + bI;
                const float dR = aR - bR;
                const float dI = aI - bI;
                outR[2 * g + j + m] = dR * wr - dI * wi;
                outI[2 * g + j + m] = dR * wi + dI * wr;
            }
        }
    }
    return stages % 2 != 0;
}

namespace {

// (dR, dI) times the twiddle (wR, wI).
[[gnu::always_inline]] inline void twiddle(const V8& dR, const V8& dI, const V8& wR, const V8& wI, V8& tR, V8& tI)
{
    tR = dR * wR - dI * wI;
    tI = dR * wI + dI * wR;
}

// One stage, eight butterflies at a time. Chunk k..k+7 of the input halves maps
// to group g = k & ~(m - 1); for m >= 8 a chunk stays inside one group and its
// two results are contiguous, for m = 1, 2, 4 the results interleave.
template <int M>
[[gnu::always_inline]] inline void stage(const float* inR, const float* inI, float* outR, float* outI, int half,
                                         int m, const float* cosT, const float* sinT)
{
    for (int k = 0; k < half; k += kV8Lanes) {
        V8 aR, aI, bR, bI;
        v8Load(aR, inR + k);
        v8Load(aI, inI + k);
        v8Load(bR, inR + k + half);
        v8Load(bI, inI + k + half);
        const V8 sR = aR + bR;
        const V8 sI = aI + bI;
        const V8 dR = aR - bR;
        const V8 dI = aI - bI;

        V8 wR, wI;
        if constexpr (M == 0) {
            const int g = k & ~(m - 1);
            v8Splat(wR, cosT[g]);
            v8Splat(wI, sinT[g]);
        } else {
            v8Load(wR, cosT + k);
            v8Load(wI, sinT + k);
            if constexpr (M == 2) {
                wR = __builtin_shufflevector(wR, wR, 0, 0, 2, 2, 4, 4, 6, 6);
                wI = __builtin_shufflevector(wI, wI, 0, 0, 2, 2, 4, 4, 6, 6);
            } else if constexpr (M == 4) {
                wR = __builtin_shufflevector(wR, wR, 0, 0, 0, 0, 4, 4, 4, 4);
                wI = __builtin_shufflevector(wI, wI, 0, 0, 0, 0, 4, 4, 4, 4);
            }
        }
        V8 tR, tI;
        twiddle(dR, dI, wR, wI, tR, tI);

        if constexpr (M == 0) {
            const int o = k + (k & ~(m - 1));
            v8Store(outR + o, sR);
            v8Store(outI + o, sI);
            v8Store(outR + o + m, tR);
            v8Store(outI + o + m, tI);
        } else {
            V8 loR, hiR, loI, hiI;
            if constexpr (M == 1) {
                loR = __builtin_shufflevector(sR, tR, 0, 8, 1, 9, 2, 10, 3, 11);
                hiR = __builtin_shufflevector(sR, tR, 4, 12, 5, 13, 6, 14, 7, 15);
                loI = __builtin_shufflevector(sI, tI, 0, 8, 1, 9, 2, 10, 3, 11);
                hiI = __builtin_shufflevector(sI, tI, 4, 12, 5, 13, 6, 14, 7, 15);
            } else if constexpr (M == 2) {
                loR = __builtin_shufflevector(sR, tR, 0, 1, 8, 9, 2, 3, 10, 11);
                hiR = __builtin_shufflevector(sR, tR, 4, 5, 12, 13, 6, 7, 14, 15);
                loI = __builtin_shufflevector(sI, tI, 0, 1, 8, 9, 2, 3, 10, 11);
                hiI = __builtin_shufflevector(sI, tI, 4, 5, 12, 13, 6, 7, 14, 15);
            } else {
                loR = __builtin_shufflevector(sR, tR, 0, 1, 2, 3, 8, 9, 10, 11);
                hiR = __builtin_shufflevector(sR, tR, 4, 5, 6, 7, 12, 13, 14, 15);
                loI = __builtin_shufflevector(sI, tI, 0, 1, 2, 3, 8, 9, 10, 11);
                hiI = __builtin_shufflevector(sI, tI, 4, 5, 6, 7, 12, 13, 14, 15);
            }
            v8Store(outR + 2 * k, loR);
            v8Store(outR + 2 * k + kV8Lanes, hiR);
            v8Store(outI + 2 * k, loI);
            v8Store(outI + 2 * k + kV8Lanes, hiI);
        }
    }
}

// Stages m and 2m (8 <= m, 2m <= n/2) in one pass over the data, with the
// very operations of the two single stages. Butterflies k and k + n/4 of
// stage m write the four inputs of two butterflies of stage 2m: with
// g = k & ~(m - 1) and j = k - g, their results land at 4g + j + {0, m, 2m, 3m}.
[[gnu::always_inline]] inline void stagePair(const float* inR, const float* inI, float* outR, float* outI, int half,
                                             int m, const float* cosT, const float* sinT)
{
    const int quarter = half / 2;
    for (int k = 0; k < quarter; k += kV8Lanes) {
        const int g = k & ~(m - 1);
        const int o = 4 * g + (k - g);
        V8 a0R, a0I, a1R, a1I, a2R, a2I, a3R, a3I;
        v8Load(a0R, inR + k);
        v8Load(a0I, inI + k);
        v8Load(a1R, inR + k + quarter);
        v8Load(a1I, inI + k + quarter);
        v8Load(a2R, inR + k + half);
        v8Load(a2I, inI + k + half);
        v8Load(a3R, inR + k + half + quarter);
        v8Load(a3I, inI + k + half + quarter);
        V8 wR, wI, d0R, d0I, d1R, d1I;
        v8Splat(wR, cosT[g]);
        v8Splat(wI, sinT[g]);
        twiddle(a0R - a2R, a0I - a2I, wR, wI, d0R, d0I);
        v8Splat(wR, cosT[g + quarter]);
        v8Splat(wI, sinT[g + quarter]);
        twiddle(a1R - a3R, a1I - a3I, wR, wI, d1R, d1I);
        const V8 s0R = a0R + a2R;
        const V8 s0I = a0I + a2I;
        const V8 s1R = a1R + a3R;
        const V8 s1I = a1I + a3I;

        v8Splat(wR, cosT[2 * g]);
        v8Splat(wI, sinT[2 * g]);
        V8 tR, tI;
        v8Store(outR + o, s0R + s1R);
        v8Store(outI + o, s0I + s1I);
        twiddle(s0R - s1R, s0I - s1I, wR, wI, tR, tI);
        v8Store(outR + o + 2 * m, tR);
        v8Store(outI + o + 2 * m, tI);
        v8Store(outR + o + m, d0R + d1R);
        v8Store(outI + o + m, d0I + d1I);
        twiddle(d0R - d1R, d0I - d1I, wR, wI, tR, tI);
        v8Store(outR + o + 3 * m, tR);
        v8Store(outI + o + 3 * m, tI);
    }
}

// Stages m, 2m and 4m (8 <= m, 4m <= n/2) in one pass, with the very
// operations of the three single stages. Inputs k + t n/8 (t = 0..7) feed
// butterflies k + t n/8 (t < 4) of stage m; their results meet again in stage
// 2m, with twiddles 2g and 2g + n/4, and in stage 4m, with twiddle 4g; the
// eight results land at 8g + j + a m (a = 0..7), g = k & ~(m - 1), j = k - g.
[[gnu::always_inline]] inline void stageTriple(const float* inR, const float* inI, float* outR, float* outI,
                                               int half, int m, const float* cosT, const float* sinT)
{
    const int eighth = half / 4;
    for (int k = 0; k < eighth; k += kV8Lanes) {
        const int g = k & ~(m - 1);
        const int o = 8 * g + (k - g);
        V8 wR, wI;
        V8 aR[4], aI[4], bR[4], bI[4];
        for (int t = 0; t < 4; ++t) {
            V8 xR, xI, yR, yI;
            v8Load(xR, inR + k + t * eighth);
            v8Load(xI, inI + k + t * eighth);
            v8Load(yR, inR + k + (t + 4) * eighth);
            v8Load(yI, inI + k + (t + 4) * eighth);
            aR[t] = xR + yR;
            aI[t] = xI + yI;
            v8Splat(wR, cosT[g + t * eighth]);
            v8Splat(wI, sinT[g + t * eighth]);
            twiddle(xR - yR, xI - yI, wR, wI, bR[t], bI[t]);
        }
        // Stage 2m: e[0] from the pairs (a0, a2) and (b0, b2), e[1] from (a1, a3) and (b1, b3).
        V8 eR[2][4], eI[2][4];
        for (int h = 0; h < 2; ++h) {
            v8Splat(wR, cosT[2 * g + 2 * h * eighth]);
            v8Splat(wI, sinT[2 * g + 2 * h * eighth]);
            eR[h][0] = aR[h] + aR[h + 2];
            eI[h][0] = aI[h] + aI[h + 2];
            eR[h][1] = bR[h] + bR[h + 2];
            eI[h][1] = bI[h] + bI[h + 2];
            twiddle(aR[h] - aR[h + 2], aI[h] - aI[h + 2], wR, wI, eR[h][2], eI[h][2]);
            twiddle(bR[h] - bR[h + 2], bI[h] - bI[h + 2], wR, wI, eR[h][3], eI[h][3]);
        }
        // Stage 4m.
        v8Splat(wR, cosT[4 * g]);
        v8Splat(wI, sinT[4 * g]);
        for (int a = 0; a < 4; ++a) {
            V8 tR, tI;
            v8Store(outR + o + a * m, eR[0][a] + eR[1][a]);
            v8Store(outI + o + a * m, eI[0][a] + eI[1][a]);
            twiddle(eR[0][a] - eR[1][a], eI[0][a] - eI[1][a], wR, wI, tR, tI);
            v8Store(outR + o + (a + 4) * m, tR);
            v8Store(outI + o + (a + 4) * m, tI);
        }
    }
}

} // namespace

PIX_HOT_KERNEL
bool fftStockham(float* re, float* im, float* workRe, float* workIm, int n, int stages, const float* cosT,
                 const float* sinT)
{
    const int half = n / 2;
    if (half < kV8Lanes)
        return fftStockhamReference(re, im, workRe, workIm, n, stages, cosT, sinT);

    float* inR = re;
    float* inI = im;
    float* outR = workRe;
    float* outI = workIm;
    for (int s = 0; s < stages; ++s) {
        const int m = 1 << s;
        if (m >= kV8Lanes && 4 * m <= half) {
            // Stages m, 2m and 4m in one pass from in to out.
            stageTriple(inR, inI, outR, outI, half, m, cosT, sinT);
            s += 2;
            std::swap(inR, outR);
            std::swap(inI, outI);
            continue;
        }
        if (m >= kV8Lanes && 2 * m <= half) {
            // Stages m and 2m in one pass from in to out.
            stagePair(inR, inI, outR, outI, half, m, cosT, sinT);
            ++s;
            std::swap(inR, outR);
            std::swap(inI, outI);
            continue;
        }
        switch (m) {
        case 1:
            stage<1>(inR, inI, outR, outI, half, m, cosT, sinT);
            break;
        case 2:
            stage<2>(inR, inI, outR, outI, half, m, cosT, sinT);
            break;
        case 4:
            stage<4>(inR, inI, outR, outI, half, m, cosT, sinT);
            break;
        default:
            stage<0>(inR, inI, outR, outI, half, m, cosT, sinT);
            break;
        }
        std::swap(inR, outR);
        std::swap(inI, outI);
    }
    return inR == workRe;
}

PIX_HOT_KERNEL
void complexMultiply(float* re, float* im, const float* otherRe, const float* otherIm, int n)
{
    for (int i = 0; i < n; ++i) {
        // Read all four first: other may be this very pair.
        const float aR = re[i];
        const float aI = im[i];
        const float bR = otherRe[i];
        const float bI = otherIm[i];
        re[i] = aR * bR - aI * bI;
        im[i] = aR * bI + aI * bR;
    }
}

void scaleComplex(float* re, float* im, int n, float factor)
{
    for (int i = 0; i < n; ++i) {
        re[i] *= factor;
        im[i] *= factor;
    }
}
