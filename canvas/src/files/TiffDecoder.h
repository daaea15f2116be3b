#pragma once

#include "DecodedPicture.h"

#include <cstddef>
#include <cstdint>

// TIFF through libtiff, from bytes in memory: grey of 8, 16 and 32 bits
// (unsigned or signed) and 32- or 64-bit floating point as float values;
// RGB of 8 or 16 bits as colour; anything else libtiff can turn into RGBA
// (bilevel, palette colour, YCbCr, CMYK) as 8-bit colour. Strips or tiles,
// either byte order, any compression libtiff was built with.
class TiffDecoder {
public:
    // page counts from 0. Sizes are checked before any pixel is read;
    // chunks that cannot be decoded are left 0 and reported in warnings.
    static DecodedPicture Decode(const std::uint8_t* data, std::size_t size, int page = 0);
};
