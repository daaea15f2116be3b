#pragma once

#include "pixorama/common/CString.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What a picture decoder hands to the image layer: width x height pixels,
// top row first, in exactly one of three forms, or none and a message
// saying why.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    // Grey values kept as they are (16-bit, floating point): the float display.
    std::vector<float> values;
    // 8-bit grey levels.
    std::vector<std::uint8_t> grey;
    // Colour pixels 0x00RRGGBB.
    std::vector<std::uint32_t> colour;
    // Set when nothing was decoded: told to the user as it stands.
    CString message;

    std::size_t PixelCount() const { return std::size_t(width) * std::size_t(height); }

    static DecodedPicture Failed(const CString& why)
    {
        DecodedPicture p;
        p.message = why;
        return p;
    }
};
