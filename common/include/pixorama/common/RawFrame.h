#pragma once

#include "CString.h"
#include "ClassData2DIO.h"

#include <cstdint>
#include <filesystem>

namespace plat {
class AtomicFile;
}

// Headerless raw frames: after a header of skipBytes, width x height
// elements of one pixel type, row 0 first. Pixel types: 0 unsigned 16-bit,
// 1 32-bit float, 2 signed 16-bit, 3 unsigned 8-bit, 4 signed 32-bit,
// 5 64-bit float. littleEndian orders the bytes of one element.
struct RawLayout {
    int width = 0;
    int height = 0;
    int pixelType = 0;
    bool littleEndian = true;
    std::int64_t skipBytes = 0;

    // Bytes of one element of a pixel type; 0 for an unknown type.
    static int ElementBytes(int pixelType);
    int ElementBytes() const { return ElementBytes(pixelType); }
    // The header and the pixels; 0 for a layout ValidLayout refuses.
    std::int64_t FrameBytes() const;
};

enum class FrameStatus {
    Ok,
    Missing,    // no such file
    CannotOpen, // a folder, or not readable
    Short,      // fewer bytes than the layout needs
    BadSize,    // width or height not positive, or too many pixels
    BadSkip,    // negative header size
    BadType,    // unknown pixel type
    NoMemory,
};

// Ok, or why the layout cannot describe a frame.
FrameStatus ValidLayout(const RawLayout& layout);

// Reads one frame into image as floats (doubles beyond the float range
// become infinities). The image is sized to the layout, its buffer kept when
// it already has that size. Missing, CannotOpen and Short leave it filled
// with zeros; the layout refusals and NoMemory leave it as it was or empty.
FrameStatus ReadRawFrame(const CString& path, const RawLayout& layout, ClassData2DIO<float>& image);

// Reads count elements from element index first of the frame (one row of a
// projection, say) without reading the rest. Anything but Ok fills out
// with zeros.
FrameStatus ReadRawSpan(const CString& path, const RawLayout& layout, std::int64_t first, float* out, int count);

// Size of a file in bytes; -1 when it does not exist or is not a file.
std::int64_t RawFileBytes(const CString& path);

// Writes image with no header, completely or not at all. Integer types
// truncate toward zero and clamp to their range.
bool WriteRawFrame(const std::filesystem::path& target, const ClassData2DIO<float>& image, const RawLayout& layout);
// The same bytes into an open file, left uncommitted.
bool WriteRawFrame(plat::AtomicFile& out, const ClassData2DIO<float>& image, const RawLayout& layout);
