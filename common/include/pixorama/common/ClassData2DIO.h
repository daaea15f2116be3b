#pragma once

#include "MirrorIndex.h"
#include "PointTemplateBase.h"
#include "StructData2D.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

template <typename T>
class ClassData2DIOGeneral;
// Reads width x height floats from byte 0 of a raw file into an already sized image.
bool pixReadRawFloat(ClassData2DIOGeneral<float>& image, const char* path);

// Inclusive region of interest.
struct Data2DRoi {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The image container used at every boundary. Pixel (x, y) is rows[y][x], row 0
// first. The container owns data and rows unless ownsData / ownsRows are
// cleared, which lets it wrap buffers that belong to someone else; such a
// container never frees them. Whatever SetDim allocates is owned again.
template <typename T>
class ClassData2DIOGeneral : public StructData2D<T> {
public:
    using StructData2D<T>::data;
    using StructData2D<T>::rows;
    using StructData2D<T>::width;
    using StructData2D<T>::height;

    Data2DRoi roi;
    int auxA = 1;
    int auxB = 1;
    bool ownsData = true;
    bool ownsRows = true;

    ClassData2DIOGeneral() = default;
    ClassData2DIOGeneral(const ClassData2DIOGeneral& other) { copyFrom(other); }
    virtual ~ClassData2DIOGeneral() { ClassData2DIOGeneral::Clear(); }

    // Discards the old contents, allocates w x h zeroed elements and sets the
    // region of interest to the whole image. A negative size or more than
    // 2^31 - 1 elements throws std::bad_alloc and leaves the container cleared.
    virtual void SetDim(int w, int h)
    {
        Clear();
        this->Allocate(w, h);
        ownsData = ownsRows = true;
        std::memset(static_cast<void*>(data), 0, std::size_t(w) * std::size_t(h) * sizeof(T));
        roi = {0, 0, w - 1, h - 1};
    }

    // Frees what the container owns; width and height become -1.
    virtual void Clear()
    {
        if (ownsData && data)
            pixAlignedFree(data);
        if (ownsRows && rows)
            pixAlignedFree(rows);
        data = nullptr;
        rows = nullptr;
        width = height = -1;
        roi = {};
        auxA = auxB = 1;
    }

    // Exchanges the pixels, sizes and ownership of two images; nothing is
    // copied.
    void SwapPixels(ClassData2DIOGeneral& other)
    {
        std::swap(data, other.data);
        std::swap(rows, other.rows);
        std::swap(ownsData, other.ownsData);
        std::swap(ownsRows, other.ownsRows);
        std::swap(width, other.width);
        std::swap(height, other.height);
        std::swap(roi, other.roi);
    }

    virtual T* GetRow(int y) { return data + std::size_t(y) * std::size_t(width); }

    // Float images read a headerless raw file of their current size.
    bool ReadRaw(const char* path)
        requires std::is_same_v<T, float>
    {
        return pixReadRawFloat(*this, path);
    }

    // Deep copy; the region of interest becomes the whole image. An empty
    // source gives an empty 0 x 0 image.
    virtual ClassData2DIOGeneral& operator=(const ClassData2DIOGeneral& other)
    {
        if (this != &other)
            copyFrom(other);
        return *this;
    }

    bool IsEmpty() const { return width <= 0 || height <= 0 || !rows; }

    // Reads (p.x, p.y), folding positions outside the image back in: 8-bit
    // images repeat the edge pixel, the others do not. An empty image reads T{}.
    T GetMirrored(PointTemplateBase<int> p) const
    {
        if (IsEmpty())
            return T{};
        return rows[pixMirrorIndex<T>(p.y, height)][pixMirrorIndex<T>(p.x, width)];
    }

    // out(x, y) = in(x - dx, y - dy). Mode 0 gives the bits of fill where the
    // source lies outside the region of interest; mode 1 reflects the source
    // back into the image (edge not repeated). Other modes change nothing.
    void Shift(int dx, int dy, int mode, int fill)
        requires(sizeof(T) == 4)
    {
        if (IsEmpty() || (mode != 0 && mode != 1))
            return;
        const std::vector<T> src = pixels();
        if (mode == 0)
            shiftFilled(src, dx, dy, fill);
        else
            shiftMirrored(src, dx, dy);
    }

    // Mean of rows[y][x0..x1]. The span is clipped to the image; a row outside
    // the image or an empty span gives 0.
    float RowMean(int y, int x0, int x1) const
        requires std::is_same_v<T, float>
    {
        if (IsEmpty() || y < 0 || y >= height)
            return 0.0f;
        const int from = x0 < 0 ? 0 : x0;
        const int to = x1 >= width ? width - 1 : x1;
        if (from > to)
            return 0.0f;
        double sum = 0.0;
        for (const float* p = rows[y] + from; p <= rows[y] + to; ++p)
            sum += *p;
        return float(sum / (to - from + 1));
    }

    // Scales the image to sum 1; a sum of (nearly) zero leaves it unchanged.
    void NormalizeSum()
        requires std::is_same_v<T, float>
    {
        if (IsEmpty())
            return;
        double sum = 0.0;
        for (int y = 0; y < height; ++y)
            for (const float* p = rows[y]; p < rows[y] + width; ++p)
                sum += *p;
        if (std::fabs(sum) <= 1e-10)
            return;
        const float s = float(sum);
        for (int y = 0; y < height; ++y)
            for (float* p = rows[y]; p < rows[y] + width; ++p)
                *p /= s;
    }

protected:
    void copyFrom(const ClassData2DIOGeneral& other)
    {
        const bool empty = other.width <= 0 || other.height <= 0 || (!other.rows && !other.data);
        const int w = empty ? 0 : other.width;
        const int h = empty ? 0 : other.height;
        SetDim(w, h);
        for (int y = 0; y < h; ++y)
            std::memcpy(static_cast<void*>(rows[y]), other.sourceRow(y), std::size_t(w) * sizeof(T));
    }

    // Row y of the source: the row table when there is one, else the buffer.
    const T* sourceRow(int y) const
    {
        return rows ? rows[y] : data + std::size_t(y) * std::size_t(width);
    }

    // The pixels in row-major order, read through the row table.
    std::vector<T> pixels() const
    {
        std::vector<T> out(std::size_t(width) * std::size_t(height));
        for (int y = 0; y < height; ++y)
            std::memcpy(static_cast<void*>(out.data() + std::size_t(y) * width), rows[y], std::size_t(width) * sizeof(T));
        return out;
    }

private:
    void shiftFilled(const std::vector<T>& src, long long dx, long long dy, int fill)
    {
        T fillValue;
        std::memcpy(static_cast<void*>(&fillValue), &fill, sizeof(T));
        // The readable source is the region of interest clipped to the image.
        const long long l = roi.left < 0 ? 0 : roi.left;
        const long long r = roi.right >= width ? width - 1 : roi.right;
        const long long t = roi.top < 0 ? 0 : roi.top;
        const long long b = roi.bottom >= height ? height - 1 : roi.bottom;
        const long long from = std::max(l + dx, 0LL);
        const long long to = std::min(r + dx, (long long)width - 1);
        for (int y = 0; y < height; ++y) {
            T* out = rows[y];
            const long long sy = y - dy;
            if (sy < t || sy > b || from > to) {
                std::fill(out, out + width, fillValue);
                continue;
            }
            const T* in = src.data() + sy * width;
            std::fill(out, out + from, fillValue);
            std::memcpy(static_cast<void*>(out + from), in + (from - dx), std::size_t(to - from + 1) * sizeof(T));
            std::fill(out + to + 1, out + width, fillValue);
        }
    }

    void shiftMirrored(const std::vector<T>& src, long long dx, long long dy)
    {
        std::vector<int> xs(static_cast<std::size_t>(width));
        for (int x = 0; x < width; ++x)
            xs[std::size_t(x)] = pixMirrorReflect(x - dx, width);
        for (int y = 0; y < height; ++y) {
            const T* in = src.data() + std::size_t(pixMirrorReflect(y - dy, height)) * std::size_t(width);
            T* out = rows[y];
            for (int x = 0; x < width; ++x)
                out[x] = in[xs[std::size_t(x)]];
        }
    }
};

template <typename T>
class ClassData2DIO : public ClassData2DIOGeneral<T> {
public:
    ClassData2DIO() = default;
    ClassData2DIO(const ClassData2DIO& other) : ClassData2DIOGeneral<T>(other) {}
    ClassData2DIO& operator=(const ClassData2DIO& other)
    {
        ClassData2DIOGeneral<T>::operator=(other);
        return *this;
    }
};
