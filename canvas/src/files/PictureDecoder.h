#pragma once

#include "DecodedPicture.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Any picture file's bytes to a decoded picture, the decoder chosen by
// content: TIFF through libtiff, DICOM through GDCM, the rest through Qt's
// image readers. Every path checks the stated size against the pixel limit
// and the memory before it decodes.
class PictureDecoder {
public:
    // extension (lower case, without dot) only matters for DICOM files
    // without preamble ("dcm"); page counts from 0 and applies to TIFF.
    static DecodedPicture Decode(const std::uint8_t* data, std::size_t size, const std::wstring& extension,
                                 int page = 0);

    // Grey Qt pictures deeper than 8 bits become values; colour, 8-bit
    // and indexed pictures stay pictures.
    static DecodedPicture FromQImage(const QImage& picture);
};
