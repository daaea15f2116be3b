#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/common/ClassData2DIO.h"

#include <cstdint>
#include <filesystem>

namespace plat {
class AtomicFile;
}

// Headerless raw frames of the sequence and projection files: width x height
// elements, row 0 first, from byte 0. Pixel type 0 is unsigned 16-bit, 1 is
// 32-bit float; littleEndian says how the bytes of one element are ordered
// (the "Little Endian" box of the dialogs, read the same way as the canvas).
struct RawLayout {
    int width = 0;
    int height = 0;
    int pixelType = 0;
    bool littleEndian = true;

    // 2 or 4; 0 for a type these files do not use.
    int ElementBytes() const;
    // Bytes of a whole frame; 0 for a bad size or type.
    std::int64_t FrameBytes() const;
};

enum class FrameStatus { Ok, Missing, Short, BadLayout, NoMemory };

// Reads one frame into image (sized to the layout, its buffer kept when it
// already has that size). Missing and Short leave image zero-filled.
FrameStatus ReadRawFrame(const CString& path, const RawLayout& layout, ClassData2DIO<float>& image);

// Reads count elements from element index first of the file (one row of a
// projection, say) without reading the rest. Missing or Short fill out with 0.
FrameStatus ReadRawSpan(const CString& path, const RawLayout& layout, std::int64_t first, float* out, int count);

// Size of a file in bytes; -1 when it does not exist or is not a file.
std::int64_t RawFileBytes(const CString& path);

// Writes image completely or not at all. Type 0 truncates toward zero and
// clamps to 0..65535; type 1 writes the floats.
bool WriteRawFrame(const std::filesystem::path& target, const ClassData2DIO<float>& image, const RawLayout& layout);
// The same bytes into an open file, left uncommitted.
bool WriteRawFrame(plat::AtomicFile& out, const ClassData2DIO<float>& image, const RawLayout& layout);
