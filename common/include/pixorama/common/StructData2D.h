#pragma once

#include "AlignedBuffer.h"
#include "NumericTruncate.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>

// A plain image record: one contiguous row-major buffer, row 0 first, and a
// table of row pointers with rows[y] == data + y * width.
template <typename T>
struct StructData2D {
    T* data = nullptr;
    T** rows = nullptr;
    int width = 0;
    int height = 0;
    int reservedA = 0;
    int typeCode = 0;

    // Sets the size, allocates both buffers and fills the row table. The pixels
    // are not zeroed and earlier buffers are not freed: use on fresh records only.
    // A negative size or an element count past 32 bits throws std::bad_alloc
    // before anything changes.
    void Allocate(int w, int h)
    {
        const std::int64_t count = std::int64_t(w) * std::int64_t(h);
        if (w < 0 || h < 0 || count > std::numeric_limits<int>::max())
            throw std::bad_alloc();
        T* newData = static_cast<T*>(pixAlignedAlloc(std::size_t(count) * sizeof(T)));
        T** newRows = nullptr;
        try {
            newRows = static_cast<T**>(pixAlignedAlloc(std::size_t(h) * sizeof(T*)));
        } catch (...) {
            pixAlignedFree(newData);
            throw;
        }
        for (int y = 0; y < h; ++y)
            newRows[y] = newData + std::size_t(y) * std::size_t(w);
        data = newData;
        rows = newRows;
        width = w;
        height = h;
    }
};

// dst = src + offset, element by element, into a freshly allocated dst. Integer
// destinations truncate toward zero to 64 bits and keep the low bits.
template <typename D, typename S>
void ConvertWithOffset(StructData2D<D>& dst, const StructData2D<S>& src, float offset)
{
    const int w = src.width < 0 ? 0 : src.width;
    const int h = src.height < 0 ? 0 : src.height;
    dst.Allocate(w, h);
    const std::size_t n = std::size_t(w) * std::size_t(h);
    const S* in = src.data;
    D* out = dst.data;
    for (std::size_t i = 0; i < n; ++i)
        out[i] = pixConvertTruncated<D>(float(in[i]) + offset);
}
