#include "Transpose.h"

#include "SimdFloat.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kBlock = 32;

// out row i = column i of the 8 x 8 block at src.
[[gnu::always_inline]] inline void transpose8(const float* src, std::ptrdiff_t ss, float* dst, std::ptrdiff_t ds)
{
    V8 r0, r1, r2, r3, r4, r5, r6, r7;
    v8Load(r0, src);
    v8Load(r1, src + ss);
    v8Load(r2, src + 2 * ss);
    v8Load(r3, src + 3 * ss);
    v8Load(r4, src + 4 * ss);
    v8Load(r5, src + 5 * ss);
    v8Load(r6, src + 6 * ss);
    v8Load(r7, src + 7 * ss);
    const V8 t0 = __builtin_shufflevector(r0, r1, 0, 8, 1, 9, 4, 12, 5, 13);
    const V8 t1 = __builtin_shufflevector(r0, r1, 2, 10, 3, 11, 6, 14, 7, 15);
    const V8 t2 = __builtin_shufflevector(r2, r3, 0, 8, 1, 9, 4, 12, 5, 13);
    const V8 t3 = __builtin_shufflevector(r2, r3, 2, 10, 3, 11, 6, 14, 7, 15);
    const V8 t4 = __builtin_shufflevector(r4, r5, 0, 8, 1, 9, 4, 12, 5, 13);
    const V8 t5 = __builtin_shufflevector(r4, r5, 2, 10, 3, 11, 6, 14, 7, 15);
    const V8 t6 = __builtin_shufflevector(r6, r7, 0, 8, 1, 9, 4, 12, 5, 13);
    const V8 t7 = __builtin_shufflevector(r6, r7, 2, 10, 3, 11, 6, 14, 7, 15);
    const V8 u0 = __builtin_shufflevector(t0, t2, 0, 1, 8, 9, 4, 5, 12, 13);
    const V8 u1 = __builtin_shufflevector(t0, t2, 2, 3, 10, 11, 6, 7, 14, 15);
    const V8 u2 = __builtin_shufflevector(t1, t3, 0, 1, 8, 9, 4, 5, 12, 13);
    const V8 u3 = __builtin_shufflevector(t1, t3, 2, 3, 10, 11, 6, 7, 14, 15);
    const V8 u4 = __builtin_shufflevector(t4, t6, 0, 1, 8, 9, 4, 5, 12, 13);
    const V8 u5 = __builtin_shufflevector(t4, t6, 2, 3, 10, 11, 6, 7, 14, 15);
    const V8 u6 = __builtin_shufflevector(t5, t7, 0, 1, 8, 9, 4, 5, 12, 13);
    const V8 u7 = __builtin_shufflevector(t5, t7, 2, 3, 10, 11, 6, 7, 14, 15);
    v8Store(dst, __builtin_shufflevector(u0, u4, 0, 1, 2, 3, 8, 9, 10, 11));
    v8Store(dst + ds, __builtin_shufflevector(u1, u5, 0, 1, 2, 3, 8, 9, 10, 11));
    v8Store(dst + 2 * ds, __builtin_shufflevector(u2, u6, 0, 1, 2, 3, 8, 9, 10, 11));
    v8Store(dst + 3 * ds, __builtin_shufflevector(u3, u7, 0, 1, 2, 3, 8, 9, 10, 11));
    v8Store(dst + 4 * ds, __builtin_shufflevector(u0, u4, 4, 5, 6, 7, 12, 13, 14, 15));
    v8Store(dst + 5 * ds, __builtin_shufflevector(u1, u5, 4, 5, 6, 7, 12, 13, 14, 15));
    v8Store(dst + 6 * ds, __builtin_shufflevector(u2, u6, 4, 5, 6, 7, 12, 13, 14, 15));
    v8Store(dst + 7 * ds, __builtin_shufflevector(u3, u7, 4, 5, 6, 7, 12, 13, 14, 15));
}

void transposeScalar(const float* src, std::ptrdiff_t ss, float* dst, std::ptrdiff_t ds, int rows, int cols)
{
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x)
            dst[x * ds + y] = src[y * ss + x];
}

} // namespace

PIX_HOT_KERNEL
void transposeRows(const float* src, std::ptrdiff_t srcStride, float* dst, std::ptrdiff_t dstStride, int rowBegin,
                   int rowEnd, int cols)
{
    const int rows = rowEnd - rowBegin;
    if (rows <= 0 || cols <= 0)
        return;
    src += rowBegin * srcStride;
    dst += rowBegin;
    if (rows % kV8Lanes != 0 || cols % kV8Lanes != 0) {
        transposeScalar(src, srcStride, dst, dstStride, rows, cols);
        return;
    }
    for (int by = 0; by < rows; by += kBlock) {
        const int ey = std::min(rows, by + kBlock);
        for (int bx = 0; bx < cols; bx += kBlock) {
            const int ex = std::min(cols, bx + kBlock);
            for (int y = by; y < ey; y += kV8Lanes)
                for (int x = bx; x < ex; x += kV8Lanes)
                    transpose8(src + y * srcStride + x, srcStride, dst + x * dstStride + y, dstStride);
        }
    }
}

PIX_HOT_KERNEL
void swapTransposeTiles(float* data, std::ptrdiff_t stride, int tile, int ti, int tj)
{
    float* a = data + std::ptrdiff_t(ti) * tile * stride + std::ptrdiff_t(tj) * tile;
    float* b = data + std::ptrdiff_t(tj) * tile * stride + std::ptrdiff_t(ti) * tile;
    if (tile % kV8Lanes != 0) {
        for (int y = 0; y < tile; ++y)
            for (int x = (a == b ? y + 1 : 0); x < tile; ++x)
                std::swap(a[y * stride + x], b[x * stride + y]);
        return;
    }
    alignas(32) float held[kV8Lanes * kV8Lanes];
    for (int y = 0; y < tile; y += kV8Lanes) {
        for (int x = (a == b ? y : 0); x < tile; x += kV8Lanes) {
            float* p = a + y * stride + x;
            float* q = b + x * stride + y;
            if (p == q) {
                transpose8(p, stride, p, stride); // loads all eight rows before storing
                continue;
            }
            transpose8(p, stride, held, kV8Lanes);
            transpose8(q, stride, p, stride);
            for (int r = 0; r < kV8Lanes; ++r) {
                V8 v;
                v8Load(v, held + r * kV8Lanes);
                v8Store(q + r * stride, v);
            }
        }
    }
}
