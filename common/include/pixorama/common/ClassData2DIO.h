#pragma once

#include "StructData2D.h"

#include <cstring>
#include <type_traits>

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

// The image container used at every boundary. Pixel (x, y) is rows[y][x].
// The container owns data and rows unless ownsData / ownsRows are cleared,
// which lets it wrap buffers that belong to someone else; such a container
// must not be given to SetDim.
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
    // region of interest to the whole image.
    virtual void SetDim(int w, int h)
    {
        Clear();
        this->Allocate(w, h);
        std::memset(static_cast<void*>(data), 0, std::size_t(w) * std::size_t(h) * sizeof(T));
        roi = {0, 0, w - 1, h - 1};
    }

    // Frees what the container owns; width and height become -1.
    virtual void Clear()
    {
        if (ownsData && data) {
            pixAlignedFree(data);
            data = nullptr;
        }
        if (ownsRows && rows) {
            pixAlignedFree(rows);
            rows = nullptr;
        }
        width = height = -1;
        roi = {};
        auxA = auxB = 1;
    }

    virtual T* GetRow(int y) { return data + std::size_t(y) * std::size_t(width); }

    // Float images read a headerless raw file of their current size.
    bool ReadRaw(const char* path)
        requires std::is_same_v<T, float>
    {
        return pixReadRawFloat(*this, path);
    }

    // Deep copy; the region of interest becomes the whole image.
    virtual ClassData2DIOGeneral& operator=(const ClassData2DIOGeneral& other)
    {
        if (this != &other)
            copyFrom(other);
        return *this;
    }

protected:
    void copyFrom(const ClassData2DIOGeneral& other)
    {
        const int w = other.width < 0 ? 0 : other.width;
        const int h = other.height < 0 ? 0 : other.height;
        SetDim(w, h);
        if (w > 0 && h > 0)
            std::memcpy(static_cast<void*>(data), other.data, std::size_t(w) * std::size_t(h) * sizeof(T));
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
