#include "pixorama/common/QEVDATA2DBase.h"

#include <algorithm>
#include <climits>
#include <new>
#include <vector>

namespace {

// Sizes computed in 64 bits must fit the container's int before allocation.
int checkedSize(long long n)
{
    if (n < 0 || n > INT_MAX)
        throw std::bad_alloc();
    return int(n);
}

} // namespace

template <typename T>
std::atomic<int> QEVDATA2DBase<T>::liveCount{0};

template <typename T>
QEVDATA2DBase<T>::QEVDATA2DBase()
{
    typeCode = pixTypeCode<T>();
    ++liveCount;
}

template <typename T>
QEVDATA2DBase<T>::QEVDATA2DBase(const QEVDATA2DBase& other)
    : ClassData2DIO<T>(other),
      origWidth(other.origWidth),
      origHeight(other.origHeight),
      tagA(other.tagA),
      tagB(other.tagB),
      tagC(other.tagC),
      tagD(other.tagD),
      ownsBuffers(other.ownsBuffers),
      epsilon(other.epsilon)
{
    std::copy(std::begin(other.tagBytes), std::end(other.tagBytes), tagBytes);
    typeCode = other.typeCode;
    ++liveCount;
}

template <typename T>
QEVDATA2DBase<T>& QEVDATA2DBase<T>::operator=(const QEVDATA2DBase& other)
{
    if (this != &other) {
        origWidth = other.origWidth;
        origHeight = other.origHeight;
        this->copyFrom(other);
    }
    return *this;
}

template <typename T>
QEVDATA2DBase<T>::~QEVDATA2DBase()
{
    if (ownsBuffers) {
        Clear();
    } else {
        if (ownsRows && rows)
            pixAlignedFree(rows);
        rows = nullptr;
        width = height = 0;
    }
    --liveCount;
}

template <typename T>
void QEVDATA2DBase<T>::Clear()
{
    ClassData2DIOGeneral<T>::Clear();
    width = height = 0;
}

template <typename T>
void QEVDATA2DBase<T>::Release()
{
    delete this;
}

template <typename T>
int QEVDATA2DBase<T>::LiveCount()
{
    return liveCount.load();
}

template <typename T>
double QEVDATA2DBase<T>::GetFullScaleSquare() const
{
    switch (typeCode) {
    case 2:
        return 65025.0;
    case 3:
        return 4294836225.0;
    default:
        return 0.0;
    }
}

namespace {

// The value no other beats (first wins on ties); T{} for an empty image.
template <typename T, typename Beats>
T extreme(const QEVDATA2DBase<T>& image, Beats beats)
{
    if (image.IsEmpty())
        return T{};
    T m = image.rows[0][0];
    for (int y = 0; y < image.height; ++y)
        for (const T* p = image.rows[y]; p < image.rows[y] + image.width; ++p)
            m = beats(*p, m) ? *p : m;
    return m;
}

} // namespace

template <typename T>
T QEVDATA2DBase<T>::GetMin() const
{
    return extreme(*this, [](T a, T b) { return a < b; });
}

template <typename T>
T QEVDATA2DBase<T>::GetMax() const
{
    return extreme(*this, [](T a, T b) { return a > b; });
}

template <typename T>
void QEVDATA2DBase<T>::MirrorLR()
{
    if (this->IsEmpty())
        return;
    for (int y = 0; y < height; ++y)
        std::reverse(rows[y], rows[y] + width);
}

template <typename T>
void QEVDATA2DBase<T>::MirrorTB()
{
    if (this->IsEmpty())
        return;
    for (int y = 0; y < height / 2; ++y)
        std::swap_ranges(rows[y], rows[y] + width, rows[height - 1 - y]);
}

template <typename T>
void QEVDATA2DBase<T>::Crop(QEVRECT& r)
{
    const long long w = (long long)r.right - r.left + 1;
    const long long h = (long long)r.bottom - r.top + 1;
    if (this->IsEmpty() || w <= 0 || h <= 0)
        return;
    checkedSize(w);
    checkedSize(h);
    ClassData2DIOGeneral<T> out;
    out.SetDim(int(w), int(h));
    std::vector<int> xs(static_cast<std::size_t>(w));
    for (long long x = 0; x < w; ++x)
        xs[std::size_t(x)] = pixMirrorIndex<T>(r.left + x, width);
    for (int y = 0; y < out.height; ++y) {
        const T* in = rows[pixMirrorIndex<T>(r.top + (long long)y, height)];
        T* o = out.rows[y];
        for (int x = 0; x < out.width; ++x)
            o[x] = in[xs[std::size_t(x)]];
    }
    r.width = out.width;
    r.height = out.height;
    takeBuffers(out);
}

template <typename T>
void QEVDATA2DBase<T>::Transpose()
{
    if (this->IsEmpty())
        return;
    ClassData2DIOGeneral<T> out;
    out.SetDim(height, width);
    // Tiles keep both the reads and the writes in cache.
    constexpr int tile = 32;
    for (int y0 = 0; y0 < out.height; y0 += tile) {
        const int y1 = std::min(y0 + tile, out.height);
        for (int x0 = 0; x0 < out.width; x0 += tile) {
            const int x1 = std::min(x0 + tile, out.width);
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    out.rows[y][x] = rows[x][y];
        }
    }
    takeBuffers(out);
}

template <typename T>
void QEVDATA2DBase<T>::HalfSize(QEVDATA2DBase& out) const
{
    ClassData2DIOGeneral<T> half;
    if (this->IsEmpty()) {
        half.SetDim(0, 0);
    } else {
        half.SetDim(width / 2, height / 2);
        for (int y = 0; y < half.height; ++y) {
            const T* in = rows[2 * y + 1];
            T* o = half.rows[y];
            for (int x = 0; x < half.width; ++x)
                o[x] = in[2 * x + 1];
        }
    }
    out.takeBuffers(half);
}

template <typename T>
void QEVDATA2DBase<T>::DoubleSize(QEVDATA2DBase& out) const
{
    ClassData2DIOGeneral<T> twice;
    if (this->IsEmpty()) {
        twice.SetDim(0, 0);
    } else {
        twice.SetDim(checkedSize(2LL * width), checkedSize(2LL * height));
        for (int y = 0; y < height; ++y) {
            const T* in = rows[y];
            T* o = twice.rows[2 * y + 1];
            for (int x = 0; x < width; ++x)
                o[2 * x + 1] = in[x];
        }
    }
    out.takeBuffers(twice);
}

template <typename T>
void QEVDATA2DBase<T>::takeBuffers(ClassData2DIOGeneral<T>& fresh)
{
    Clear();
    data = fresh.data;
    rows = fresh.rows;
    width = fresh.width;
    height = fresh.height;
    roi = fresh.roi;
    ownsData = ownsRows = true;
    fresh.data = nullptr;
    fresh.rows = nullptr;
    fresh.Clear();
}

template class QEVDATA2DBase<unsigned char>;
template class QEVDATA2DBase<unsigned short>;
template class QEVDATA2DBase<int>;
template class QEVDATA2DBase<float>;
