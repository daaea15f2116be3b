#include "CorrelationBand.h"

#include "SimdFloat.h"
#include "pixorama/common/MirrorIndex.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

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

CorrelationBand::CorrelationBand(const CorrelationTaps& taps, int width, int height, RowFill fill, int rowsAtOnce)
    : taps_(taps), width_(width), height_(height), fill_(std::move(fill)), rowsAtOnce_(std::max(1, rowsAtOnce))
{
    // Ring rows start on cache lines, so that the vector loads of the
    // column pass never straddle two lines.
    constexpr int lineFloats = 16;
    rowLength_ = taps_.separable ? width_ : width_ + 2 * taps_.rx;
    rowLength_ = (rowLength_ + lineFloats - 1) / lineFloats * lineFloats;
    const int slots = std::min(taps_.kh + rowsAtOnce_ - 1, height_);
    ring_.resize(std::size_t(slots) * std::size_t(rowLength_) + lineFloats);
    const auto address = reinterpret_cast<std::uintptr_t>(ring_.data());
    ringStart_ = ring_.data() + (lineFloats - address / sizeof(float) % lineFloats) % lineFloats;
    tags_.assign(std::size_t(slots), -1);
    padded_.resize(std::size_t(width_ + 2 * taps_.rx));
    window_.resize(std::size_t(taps_.kh) * std::size_t(rowsAtOnce_));
    strip_.resize(std::size_t(taps_.kh));
}

void CorrelationBand::load(int q, float* slot)
{
    // Mirror-pad the row by rx columns on each side: padded index i is column i - rx.
    const int rx = taps_.rx;
    float* padded = taps_.separable ? padded_.data() : slot;
    float* src = padded + rx;
    fill_(q, src);
    for (int i = 0; i < rx; ++i)
        padded[i] = src[pixMirrorReflect(i - rx, width_)];
    for (int i = 0; i < rx; ++i)
        padded[rx + width_ + i] = src[pixMirrorReflect(width_ + i, width_)];
    if (taps_.separable) {
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

void CorrelationBand::computeRows(int y, int count, float* const* outs)
{
    count = std::min(count, rowsAtOnce_);
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
