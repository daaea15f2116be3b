#include "CorrelationBand.h"

#include "SimdFloat.h"
#include "pixorama/common/MirrorIndex.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

// The 64-byte vectors below never cross a call: every function taking or
// returning one is inlined, so the AVX-512 calling convention does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

// Chunks vectors of eight outputs from x, each summed tap by tap in order.
// Eight chunks side by side cover the latency of the adds.
template <int Chunks>
[[gnu::always_inline]] inline void correlateChunks(float* out, int x, const float* const* src, const float* taps, int kw,
                                                   int kh)
{
    V8 a[Chunks];
#pragma GCC unroll 8
    for (int c = 0; c < Chunks; ++c)
        a[c] = V8{};
    for (int i = 0; i < kh; ++i) {
        const float* s = src[i] + x;
        const float* t = taps + i * kw;
        for (int j = 0; j < kw; ++j) {
            V8 k;
            v8Splat(k, t[j]);
#pragma GCC unroll 8
            for (int c = 0; c < Chunks; ++c) {
                V8 v;
                v8Load(v, s + j + c * kV8Lanes);
                a[c] += k * v;
            }
        }
    }
#pragma GCC unroll 8
    for (int c = 0; c < Chunks; ++c)
        v8Store(out + x + c * kV8Lanes, a[c]);
}

} // namespace

PIX_HOT_KERNEL
void correlateRow(float* out, int count, const float* const* src, const float* taps, int kw, int kh)
{
    int x = 0;
    for (; x + 8 * kV8Lanes <= count; x += 8 * kV8Lanes)
        correlateChunks<8>(out, x, src, taps, kw, kh);
    for (; x + kV8Lanes <= count; x += kV8Lanes)
        correlateChunks<1>(out, x, src, taps, kw, kh);
    for (; x < count; ++x) {
        float a = 0.0f;
        for (int i = 0; i < kh; ++i) {
            const float* s = src[i] + x;
            const float* t = taps + i * kw;
            for (int j = 0; j < kw; ++j)
                a += t[j] * s[j];
        }
        out[x] = a;
    }
}

namespace {

// Sixteen floats: one AVX-512 register, two AVX2 or four SSE registers.
using V16 = float __attribute__((vector_size(64)));
constexpr int kV16Lanes = 16;
constexpr int kNine = 9;
constexpr int kFour = 4;

[[gnu::always_inline]] inline void v16Load(V16& v, const float* p)
{
    __builtin_memcpy(&v, p, sizeof v);
}

[[gnu::always_inline]] inline void v16Store(float* p, const V16& v)
{
    __builtin_memcpy(p, &v, sizeof v);
}

// The window of sixteen values from j on, out of the vectors at 0 and 16.
template <int J>
[[gnu::always_inline]] inline V16 v16Window(const V16& a, const V16& b)
{
    return __builtin_shufflevector(a, b, J, J + 1, J + 2, J + 3, J + 4, J + 5, J + 6, J + 7, J + 8, J + 9, J + 10,
                                   J + 11, J + 12, J + 13, J + 14, J + 15);
}

// Term j of a sum along x from s: the first taps are loaded, the last ones
// shifted out of the two vectors already held, which spares the loads that
// straddle cache lines while leaving the vector units work they have room for.
template <int J>
[[gnu::always_inline]] inline V16 acrossTerm(const float* s, const V16& a, const V16& b)
{
    if constexpr (J > kNine / 2) {
        return v16Window<J>(a, b);
    } else {
        V16 v;
        v16Load(v, s + J);
        return v;
    }
}

// The nine taps below hold no negative factor and read no negative value, so
// no product is -0 and the first product may start each sum instead of a
// zero: the same floats as correlateRow. The middle factor along x is 1,
// whose product is the value itself.
template <int Chunks>
[[gnu::always_inline]] inline void acrossNineChunks(float* out, const float* s, const V16* k)
{
    V16 v[Chunks + 1];
#pragma GCC unroll 5
    for (int c = 0; c <= Chunks; ++c)
        v16Load(v[c], s + c * kV16Lanes);
#pragma GCC unroll 4
    for (int c = 0; c < Chunks; ++c) {
        const float* at = s + c * kV16Lanes;
        const V16& a = v[c];
        const V16& b = v[c + 1];
        V16 sum = k[0] * a;
        sum += k[1] * acrossTerm<1>(at, a, b);
        sum += k[2] * acrossTerm<2>(at, a, b);
        sum += k[3] * acrossTerm<3>(at, a, b);
        sum += acrossTerm<4>(at, a, b);
        sum += k[5] * acrossTerm<5>(at, a, b);
        sum += k[6] * acrossTerm<6>(at, a, b);
        sum += k[7] * acrossTerm<7>(at, a, b);
        sum += k[8] * acrossTerm<8>(at, a, b);
        v16Store(out + c * kV16Lanes, sum);
    }
}

// Sixteen outputs as floats, or truncated to bytes. Bytes are only written
// for sums known to lie in 0..255 (see sumsFitBytes_), so the truncation
// needs no holding: two instructions instead of six in the column pass.
[[gnu::always_inline]] inline void v16Put(float* p, const V16& v)
{
    v16Store(p, v);
}

[[gnu::always_inline]] inline void v16Put(unsigned char* p, const V16& v)
{
    using Ints = int __attribute__((vector_size(64)));
    using Bytes = unsigned char __attribute__((vector_size(16)));
    const Bytes bytes = __builtin_convertvector(__builtin_convertvector(v, Ints), Bytes);
    __builtin_memcpy(p, &bytes, sizeof bytes);
}

inline void put(float* p, float v)
{
    *p = v;
}

inline void put(unsigned char* p, float v)
{
    const float c = v > 0.0f ? v : 0.0f;
    *p = static_cast<unsigned char>(static_cast<int>(c < 255.0f ? c : 255.0f));
}

// Output rows r = 0..3 from the twelve source rows of their windows
// (src[r + i] is tap i of row r): each source row is read once for all four.
template <typename Out>
[[gnu::always_inline]] inline void downNineFourChunk(Out* const* out, const float* const* src, int x, const V16* k)
{
    V16 a[kFour] = {};
#pragma GCC unroll 12
    for (int i = 0; i < kNine + kFour - 1; ++i) {
        V16 v;
        v16Load(v, src[i] + x);
#pragma GCC unroll 4
        for (int r = 0; r < kFour; ++r) {
            const int j = i - r;
            if (j == 0)
                a[r] = k[0] * v;
            else if (j > 0 && j < kNine)
                a[r] += k[j] * v;
        }
    }
#pragma GCC unroll 4
    for (int r = 0; r < kFour; ++r)
        v16Put(out[r] + x, a[r]);
}

template <typename Out>
[[gnu::always_inline]] inline void downNineFourRows(Out* const* out, int count, const float* const* src,
                                                    const float* taps)
{
    V16 k[kNine];
    for (int j = 0; j < kNine; ++j)
        k[j] = V16{} + taps[j];
    int x = 0;
    for (; x + kV16Lanes <= count; x += kV16Lanes)
        downNineFourChunk(out, src, x, k);
    for (; x < count; ++x)
        for (int r = 0; r < kFour; ++r) {
            float a = taps[0] * src[r][x];
            for (int j = 1; j < kNine; ++j)
                a += taps[j] * src[r + j][x];
            put(out[r] + x, a);
        }
}

PIX_HOT_KERNEL_WIDE
void acrossNine(float* out, int count, const float* src, const float* taps, const unsigned char* ahead)
{
    V16 k[kNine];
    for (int j = 0; j < kNine; ++j)
        k[j] = V16{} + taps[j];
    // A chunk also loads the sixteen values after it, of which it uses
    // eight: src holds count + 8 values and room for count + 16.
    int x = 0;
    static_assert(4 * kV16Lanes == 64, "a chunk of floats per cache line of bytes");
    for (; x + 4 * kV16Lanes <= count; x += 4 * kV16Lanes) {
        if (ahead != nullptr)
            __builtin_prefetch(ahead + x);
        acrossNineChunks<4>(out + x, src + x, k);
    }
    for (; x + kV16Lanes <= count; x += kV16Lanes)
        acrossNineChunks<1>(out + x, src + x, k);
    for (; x < count; ++x) {
        float a = taps[0] * src[x];
        for (int j = 1; j < kNine; ++j)
            a += taps[j] * src[x + j];
        out[x] = a;
    }
}

PIX_HOT_KERNEL_WIDE
void downNineFour(float* const* out, int count, const float* const* src, const float* taps)
{
    downNineFourRows(out, count, src, taps);
}

PIX_HOT_KERNEL_WIDE
void downNineFour(unsigned char* const* out, int count, const float* const* src, const float* taps)
{
    downNineFourRows(out, count, src, taps);
}

PIX_HOT_KERNEL
void truncateRow(const float* from, unsigned char* to, int n)
{
    for (int i = 0; i < n; ++i)
        put(to + i, from[i]);
}

bool nonNegative(const std::vector<float>& factors)
{
    return std::none_of(factors.begin(), factors.end(), [](float f) { return std::signbit(f); });
}

} // namespace

bool CorrelationTaps::load(const ClassData2DIO<float>* kernel)
{
    if (kernel == nullptr || kernel->data == nullptr || kernel->width <= 0 || kernel->height <= 0)
        return false;
    if (kernel->width % 2 == 0 || kernel->height % 2 == 0)
        return false;
    kw = kernel->width;
    kh = kernel->height;
    rx = kw / 2;
    ry = kh / 2;
    taps.resize(std::size_t(kw) * std::size_t(kh));
    for (int i = 0; i < kh; ++i)
        std::copy_n(kernel->rows[i], kw, taps.begin() + std::ptrdiff_t(i) * kw);
    separable = false;
    return true;
}

void CorrelationTaps::factorise()
{
    separable = false;
    if (kw < 3 || kh < 3)
        return; // a single row or column gains nothing
    std::size_t pivot = 0;
    for (std::size_t i = 1; i < taps.size(); ++i)
        if (std::fabs(taps[i]) > std::fabs(taps[pivot]))
            pivot = i;
    const float largest = std::fabs(taps[pivot]);
    if (!(largest > 0.0f) || !std::isfinite(largest))
        return;
    const int pi = int(pivot) / kw;
    const int pj = int(pivot) % kw;
    column.resize(std::size_t(kh));
    row.resize(std::size_t(kw));
    for (int i = 0; i < kh; ++i)
        column[std::size_t(i)] = taps[std::size_t(i * kw + pj)];
    for (int j = 0; j < kw; ++j)
        row[std::size_t(j)] = taps[std::size_t(pi * kw + j)] / taps[pivot];
    const float tolerance = 1e-6f * largest;
    for (int i = 0; i < kh; ++i)
        for (int j = 0; j < kw; ++j)
            if (std::fabs(taps[std::size_t(i * kw + j)] - column[std::size_t(i)] * row[std::size_t(j)]) > tolerance)
                return;
    separable = true;
}

CorrelationBand::CorrelationBand(const CorrelationTaps& taps, int width, int height, RowSource source)
    : CorrelationBand(taps, width, height, [this, source = std::move(source)](int q, float* to) {
          std::memcpy(to, source(q), std::size_t(width_) * sizeof(float));
      })
{
}

CorrelationBand::CorrelationBand(const CorrelationTaps& taps, int width, int height, RowFill fill, int rowsAtOnce,
                                 bool nonNegativeRows)
    : taps_(taps), width_(width), height_(height), fill_(std::move(fill)), rowsAtOnce_(std::max(1, rowsAtOnce))
{
    nine_ = nonNegativeRows && taps_.separable && taps_.kw == kNine && taps_.kh == kNine &&
            taps_.row[kNine / 2] == 1.0f && nonNegative(taps_.row) && nonNegative(taps_.column);
    if (nine_) {
        nineRows_.resize(kNine + kFour - 1);
        // Every sum is at most 255 times the sums of the factors, give or take
        // a float rounding per term; below 256 it truncates to a byte as is.
        double across = 0.0, down = 0.0;
        for (float f : taps_.row)
            across += f;
        for (float f : taps_.column)
            down += f;
        sumsFitBytes_ = 255.0 * across * down * (1.0 + 1e-5) < 256.0;
    }
    // Ring rows start on cache lines, so that the vector loads of the
    // column pass never straddle two lines.
    constexpr int lineFloats = 16;
    rowLength_ = taps_.separable ? width_ : width_ + 2 * taps_.rx;
    rowLength_ = (rowLength_ + lineFloats - 1) / lineFloats * lineFloats;
    // The column pass reads a dozen ring rows at the same column at once.
    // Rows an odd number of cache lines apart fall in different sets of
    // the first-level cache; rows a multiple of 4 KB apart would all fall in
    // the same few sets and evict each other.
    if (rowLength_ / lineFloats % 2 == 0)
        rowLength_ += lineFloats;
    const int slots = std::min(taps_.kh + rowsAtOnce_ - 1, height_);
    ring_.resize(std::size_t(slots) * std::size_t(rowLength_) + lineFloats);
    const auto address = reinterpret_cast<std::uintptr_t>(ring_.data());
    ringStart_ = ring_.data() + (lineFloats - address / sizeof(float) % lineFloats) % lineFloats;
    tags_.assign(std::size_t(slots), -1);
    // The padded row starts on a cache line too, for the loads along x.
    padded_.resize(std::size_t(width_ + 2 * taps_.rx) + 2 * lineFloats);
    const auto paddedAddress = reinterpret_cast<std::uintptr_t>(padded_.data());
    paddedStart_ = padded_.data() + (lineFloats - paddedAddress / sizeof(float) % lineFloats) % lineFloats;
    window_.resize(std::size_t(taps_.kh) * std::size_t(rowsAtOnce_));
    strip_.resize(std::size_t(taps_.kh));
}

void CorrelationBand::load(int q, float* slot)
{
    // Mirror-pad the row by rx columns on each side: padded index i is column i - rx.
    const int rx = taps_.rx;
    float* padded = taps_.separable ? paddedStart_ : slot;
    float* src = padded + rx;
    fill_(q, src);
    for (int i = 0; i < rx; ++i)
        padded[i] = src[pixMirrorReflect(i - rx, width_)];
    for (int i = 0; i < rx; ++i)
        padded[rx + width_ + i] = src[pixMirrorReflect(width_ + i, width_)];
    if (nine_) {
        const unsigned char* ahead = byteRows_ && q + 1 < height_ ? byteRows_(q + 1) : nullptr;
        acrossNine(slot, width_, padded, taps_.row.data(), ahead);
    } else if (taps_.separable) {
        const float* line = padded;
        correlateRow(slot, width_, &line, taps_.row.data(), taps_.kw, 1);
    }
}

const float* CorrelationBand::ringRow(int q)
{
    // Rows of one window are consecutive, so q mod slots never collides inside it.
    const std::size_t slot = std::size_t(q % int(tags_.size()));
    float* row = ringStart_ + slot * std::size_t(rowLength_);
    if (tags_[slot] != q) {
        load(q, row);
        tags_[slot] = q;
    }
    return row;
}

void CorrelationBand::prefetchByteRows(ByteRows rows)
{
    byteRows_ = std::move(rows);
}

void CorrelationBand::advance(int y)
{
    const int first = std::max(0, y - taps_.ry);
    const int last = std::min(height_ - 1, y + taps_.ry);
    for (int q = first; q <= last; ++q)
        ringRow(q);
}

void CorrelationBand::computeRow(int y, float* out)
{
    advance(y);
    for (int dy = 0; dy < taps_.kh; ++dy)
        window_[std::size_t(dy)] = ringRow(pixMirrorReflect(y - taps_.ry + dy, height_));
    if (taps_.separable)
        correlateRow(out, width_, window_.data(), taps_.column.data(), 1, taps_.kh);
    else
        correlateRow(out, width_, window_.data(), taps_.taps.data(), taps_.kw, taps_.kh);
}

const float* const* CorrelationBand::nineWindows(int y)
{
    for (int r = 0; r < kFour; ++r)
        advance(y + r);
    for (int i = 0; i < kNine + kFour - 1; ++i)
        nineRows_[std::size_t(i)] = ringRow(pixMirrorReflect(y - taps_.ry + i, height_));
    return nineRows_.data();
}

void CorrelationBand::computeRows(int y, int count, float* const* outs)
{
    count = std::min(count, rowsAtOnce_);
    if (nine_ && count == kFour) {
        downNineFour(outs, width_, nineWindows(y), taps_.column.data());
        return;
    }
    if (!taps_.separable) {
        for (int r = 0; r < count; ++r)
            computeRow(y + r, outs[r]);
        return;
    }
    const int kh = taps_.kh;
    for (int r = 0; r < count; ++r)
        advance(y + r);
    for (int r = 0; r < count; ++r)
        for (int dy = 0; dy < kh; ++dy)
            window_[std::size_t(r * kh + dy)] = ringRow(pixMirrorReflect(y + r - taps_.ry + dy, height_));
    // Strips narrow enough that the window rows of every output row stay in
    // the first-level cache: each ring row comes from the next level once
    // for all the rows instead of once per row.
    constexpr int strip = 512;
    for (int x0 = 0; x0 < width_; x0 += strip) {
        const int n = std::min(strip, width_ - x0);
        for (int r = 0; r < count; ++r) {
            for (int dy = 0; dy < kh; ++dy)
                strip_[std::size_t(dy)] = window_[std::size_t(r * kh + dy)] + x0;
            correlateRow(outs[r] + x0, n, strip_.data(), taps_.column.data(), 1, kh);
        }
    }
}

void CorrelationBand::computeRowsTruncated(int y, int count, unsigned char* const* outs)
{
    count = std::min(count, rowsAtOnce_);
    if (nine_ && byteRows_ && sumsFitBytes_ && count == kFour) {
        downNineFour(outs, width_, nineWindows(y), taps_.column.data());
        return;
    }
    truncated_.resize(std::size_t(width_) * std::size_t(rowsAtOnce_));
    std::vector<float*> rows(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r)
        rows[std::size_t(r)] = truncated_.data() + std::size_t(r) * std::size_t(width_);
    computeRows(y, count, rows.data());
    for (int r = 0; r < count; ++r)
        truncateRow(rows[std::size_t(r)], outs[r], width_);
}
