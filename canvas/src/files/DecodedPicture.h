#pragma once

#include "pixorama/common/CString.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What a picture decoder hands to the image layer: width x height pixels,
// top row first, in exactly one of three forms, or none and a message
// saying why; and what the file says about showing and measuring them.
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
    // Things the user should know about a picture that was decoded
    // (incomplete file, invalid values).
    std::vector<CString> warnings;

    // Millimetres per pixel; 0 when the file does not say.
    double pixelSpacing = 0.0;
    // Display window in the values' own units.
    bool hasWindow = false;
    double windowCentre = 0.0;
    double windowWidth = 0.0;
    // Low values are bright (DICOM MONOCHROME1, TIFF min-is-white).
    bool inverted = false;
    // Pages or frames in the file, of which one was decoded.
    int pages = 1;

    std::size_t PixelCount() const { return std::size_t(width) * std::size_t(height); }
    bool Decoded() const { return width > 0 && (!values.empty() || !grey.empty() || !colour.empty()); }

    static DecodedPicture Failed(const CString& why)
    {
        DecodedPicture p;
        p.message = why;
        return p;
    }
};
