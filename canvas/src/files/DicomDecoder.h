#pragma once

#include "DecodedPicture.h"

#include <cstddef>
#include <cstdint>

// DICOM through GDCM, from bytes in memory: the first frame of a grey
// picture of 8, 16 or 32 bits, signed or unsigned, uncompressed or in any
// transfer syntax GDCM decodes (JPEG, JPEG-LS, JPEG 2000, RLE), with the
// modality rescale applied; MONOCHROME1 marked inverted; the window and the
// pixel spacing from the file. RGB pictures decode as colour.
class DicomDecoder {
public:
    // In a child process, so that a file GDCM stops on costs a message.
    static DecodedPicture Decode(const std::uint8_t* data, std::size_t size);
    // In this process; for callers that run it isolated themselves.
    static DecodedPicture DecodeHere(const std::uint8_t* data, std::size_t size);
};
