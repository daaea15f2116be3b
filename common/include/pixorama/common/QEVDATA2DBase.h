#pragma once

#include "ClassData2DIO.h"
#include "QEVRECT.h"

#include <atomic>
#include <cstdint>

// The element-type codes stored in typeCode.
template <typename T>
constexpr int pixTypeCode()
{
    if constexpr (std::is_same_v<T, unsigned char>)
        return 2;
    else if constexpr (std::is_same_v<T, unsigned short>)
        return 3;
    else if constexpr (std::is_same_v<T, float>)
        return 4;
    else if constexpr (std::is_same_v<T, int>)
        return 6;
    else
        return 0;
}

// The base of the program's image classes: a ClassData2DIO with the size before
// power-of-two padding, a few caller-defined tags and a count of live objects.
// Instantiated for unsigned char, unsigned short, int and float.
template <typename T>
class QEVDATA2DBase : public ClassData2DIO<T> {
public:
    using ClassData2DIO<T>::data;
    using ClassData2DIO<T>::rows;
    using ClassData2DIO<T>::width;
    using ClassData2DIO<T>::height;
    using ClassData2DIO<T>::roi;
    using ClassData2DIO<T>::typeCode;
    using ClassData2DIO<T>::ownsData;
    using ClassData2DIO<T>::ownsRows;

    int origWidth = 0;
    int origHeight = 0;
    // Zeroed and copied, never interpreted here.
    std::uint32_t tagA = 0;
    std::uint32_t tagB = 0;
    std::uint64_t tagC = 0;
    std::uint32_t tagD = 0;
    unsigned char tagBytes[8] = {};
    // When false the destructor frees only the row table and leaves the pixel
    // buffer to ownsData.
    bool ownsBuffers = true;
    // The mean of an empty labelled region.
    double epsilon = 1e-7;

    QEVDATA2DBase();
    QEVDATA2DBase(const QEVDATA2DBase& other);
    // Copies origWidth / origHeight and the pixels.
    QEVDATA2DBase& operator=(const QEVDATA2DBase& other);
    ~QEVDATA2DBase() override;

    // Frees what the ownership flags allow and leaves an empty 0 x 0 image.
    void Clear() override;
    // Deletes a heap-allocated image.
    virtual void Release();
    // Smoothing with the fixed 3 x 3 and 5 x 5 kernels. Here (and so in the int
    // image) they leave the pixels alone.
    virtual void Smooth3() {}
    virtual void Smooth5() {}

    // Objects of this instantiation alive now.
    static int LiveCount();
    // The squared full-scale value used by statistics: 255^2 for 8-bit,
    // 65535^2 for 16-bit, 0 otherwise.
    double GetFullScaleSquare() const;

    // Smallest / largest pixel; T{} for an empty image.
    T GetMin() const;
    T GetMax() const;

    void MirrorLR();
    void MirrorTB();
    // The image becomes the inclusive rectangle r (its size is stored in r),
    // read through the mirror rule of the element type where r reaches
    // outside. An inverted rectangle or an empty image changes nothing.
    void Crop(QEVRECT& r);
    // The image becomes H x W with out(x, y) = in(y, x).
    void Transpose();
    // out becomes W/2 x H/2 with out(x, y) = in(2x + 1, 2y + 1).
    void HalfSize(QEVDATA2DBase& out) const;
    // out becomes 2W x 2H, zero except out(2x + 1, 2y + 1) = in(x, y).
    void DoubleSize(QEVDATA2DBase& out) const;

protected:
    // Drops the current buffers and takes over those of fresh, which is left empty.
    void takeBuffers(ClassData2DIOGeneral<T>& fresh);

private:
    static std::atomic<int> liveCount;
};

extern template class QEVDATA2DBase<unsigned char>;
extern template class QEVDATA2DBase<unsigned short>;
extern template class QEVDATA2DBase<int>;
extern template class QEVDATA2DBase<float>;
