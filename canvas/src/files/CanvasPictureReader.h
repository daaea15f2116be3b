#pragma once

#include "DecodedPicture.h"

#include "pixorama/common/CString.h"

#include <cstddef>
#include <cstdint>

class QImage;

// Pictures from files, the decoder chosen by content: TIFF through libtiff,
// DICOM through GDCM, everything else through Qt's image readers. Colour
// and 8-bit pictures become pixels (an indexed picture gives its palette
// indices as grey levels); grey pictures deeper than 8 bits (16- and 32-bit
// integer, floating point, DICOM) keep their values for the float display.
// Every path checks the stated size against the pixel limit and the memory
// before it decodes.
//
// A page of a multi-page TIFF is chosen by its number after the name:
// "scan.tif#3" opens the third page.
class CanvasPictureReader {
public:
    // A message instead of pixels when the file is missing, cannot be
    // decoded or is too large to hold.
    static DecodedPicture Decode(const CString& path);
    // A file's bytes; extension (lower case) picks DICOM for files without
    // the preamble ("dcm"); page counts from 0.
    static DecodedPicture Decode(const std::uint8_t* data, std::size_t size, const CString& extension, int page = 0);
    // Nothing decoded (and no message) for a null picture.
    static DecodedPicture Decode(const QImage& picture);
    // Whether the file's content is a TIFF or DICOM picture, whatever its name.
    // Whether a decoder recognises the file (by its content, or a DICOM name).
    static bool Claims(const CString& path);
    static bool IsScientificPicture(const CString& path);
};
