#pragma once

#include <cstdint>
#include <vector>

// Grey and colour pictures as TIFF bytes in memory (deflate-compressed,
// one strip per 16 rows, little-endian); the caller writes them to a file.
// Empty on failure.
class TiffEncoder {
public:
    // 32-bit floating-point grey; row y of the picture at rows[y].
    static std::vector<std::uint8_t> Float32(const float* const* rows, int width, int height);
    // 16-bit unsigned grey.
    static std::vector<std::uint8_t> Grey16(const std::uint16_t* const* rows, int width, int height);
    // 16-bit RGB, samples side by side.
    static std::vector<std::uint8_t> Rgb16(const std::uint16_t* const* rows, int width, int height);
};
