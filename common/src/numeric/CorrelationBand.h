#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <functional>
#include <vector>

// out[x] = sum over i < kh, j < kw of taps[i * kw + j] * src[i][x + j], for
// x in 0..count-1. Every output sums its taps in the same order, whether it
// falls in a vector chunk or in the tail, and no product is fused into its
// sum: every processor gives the same floats.
void correlateRow(float* out, int count, const float* const* src, const float* taps, int kw, int kh);

// A correlation kernel copied out of its container, with its rank-one factors
// when it has them within float rounding.
struct CorrelationTaps {
    int kw = 0;
    int kh = 0;
    int rx = 0; // kw / 2
    int ry = 0; // kh / 2
    std::vector<float> taps; // kh rows of kw
    bool separable = false;
    std::vector<float> column; // kh factors
    std::vector<float> row;    // kw factors

    // False for a missing or empty kernel and for even sizes, whose windows
    // would reach past the kernel.
    bool load(const ClassData2DIO<float>* kernel);
    // Sets separable when every tap equals column[i] * row[j] within
    // 1e-6 of the largest tap.
    void factorise();
};

// Computes mirrored-border correlation rows of one image, one band of rows at
// a time. Source rows are copied into a ring keyed by row index the first
// time an output window reaches them (mirror-padded by kw / 2 columns, or
// already filtered along x on the separable path), so an output row may be
// written over its own source row as soon as advance() has seen its window.
// Every row an output window needs lies within kh / 2 rows of it.
class CorrelationBand {
public:
    using RowSource = std::function<const float*(int row)>;
    // Writes the width floats of a source row to `to`.
    using RowFill = std::function<void(int row, float* to)>;

    CorrelationBand(const CorrelationTaps& taps, int width, int height, RowSource source);
    // Rows made on the way (from bytes, say) go straight into the padded row.
    // The ring holds the windows of rowsAtOnce consecutive output rows. With
    // nonNegativeRows (no row value below zero, nor -0) a separable nine-tap
    // kernel of non-negative factors takes a faster path to the same floats.
    CorrelationBand(const CorrelationTaps& taps, int width, int height, RowFill fill, int rowsAtOnce = 1,
                    bool nonNegativeRows = false);

    // Declares that every row is filled from bytes (values 0..255): rows(q)
    // is where source row q's width bytes lie, or null. On the nine-tap path
    // the next row is fetched from memory while the one before it is
    // filtered, and sums truncated to bytes skip holding them to 0..255 when
    // the factors cannot take a sum past 255.
    using ByteRows = std::function<const unsigned char*(int row)>;
    void prefetchByteRows(ByteRows rows);

    // Brings the source rows of output row y's window into the ring.
    void advance(int y);
    // advance(y), then writes output row y (width floats) to out.
    void computeRow(int y, float* out);
    // Output rows y .. y + count - 1 (count at most rowsAtOnce) to outs[0 ..
    // count - 1], their windows brought in first. The same floats as
    // computeRow.
    void computeRows(int y, int count, float* const* outs);
    // computeRows truncated to bytes and held to 0..255 (not-a-number gives 0).
    void computeRowsTruncated(int y, int count, unsigned char* const* outs);

private:
    const float* ringRow(int q);
    // The twelve ring rows of the windows of output rows y .. y + 3.
    const float* const* nineWindows(int y);
    void load(int q, float* slot);

    const CorrelationTaps& taps_;
    int width_;
    int height_;
    RowFill fill_;
    ByteRows byteRows_;
    int rowsAtOnce_ = 1;
    bool nine_ = false;
    bool sumsFitBytes_ = false; // nine-tap sums of bytes stay below 256
    int rowLength_;
    std::vector<float> ring_;
    float* ringStart_ = nullptr; // the first cache line in ring_
    std::vector<int> tags_;
    std::vector<float> padded_;
    float* paddedStart_ = nullptr; // the first cache line in padded_
    std::vector<const float*> window_; // kh rows per output row
    std::vector<const float*> strip_;
    std::vector<const float*> nineRows_;
    std::vector<float> truncated_; // rows on their way to bytes
};
