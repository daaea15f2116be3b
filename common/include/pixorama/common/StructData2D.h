#pragma once

#include "AlignedBuffer.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

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
    void Allocate(int w, int h)
    {
        width = w;
        height = h;
        const int count = w * h;
        if (count < 0 || w < 0 || h < 0)
            throw std::bad_alloc();
        data = static_cast<T*>(pixAlignedAlloc(std::size_t(count) * sizeof(T)));
        rows = static_cast<T**>(pixAlignedAlloc(std::size_t(h) * sizeof(T*)));
        for (int y = 0; y < h; ++y)
            rows[y] = data + std::size_t(y) * std::size_t(w);
    }
};

// dst = src + offset, element by element, into a freshly allocated dst. Integer
// destinations truncate toward zero to 64 bits and keep the low bits.
template <typename D, typename S>
void ConvertWithOffset(StructData2D<D>& dst, const StructData2D<S>& src, float offset)
{
    dst.Allocate(src.width, src.height);
    const std::size_t n = std::size_t(src.width) * std::size_t(src.height);
    const S* in = src.data;
    D* out = dst.data;
    for (std::size_t i = 0; i < n; ++i) {
        const float v = float(in[i]) + offset;
        if constexpr (std::is_floating_point_v<D>)
            out[i] = D(v);
        else
            out[i] = D(std::int64_t(v));
    }
}
