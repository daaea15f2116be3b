#pragma once

#include "DecodedPicture.h"

#include "pixorama/common/CString.h"

class QImage;

// Pictures decoded by Qt's image readers. Colour and 8-bit pictures become
// pixels (an indexed picture gives its palette indices as grey levels);
// grey pictures deeper than 8 bits (16-bit, floating point) keep their
// values for the float display.
class CanvasPictureReader {
public:
    // A message instead of pixels when the file is missing, cannot be
    // decoded or is too large to hold.
    static DecodedPicture Decode(const CString& path);
    // Nothing decoded (and no message) for a null picture.
    static DecodedPicture Decode(const QImage& picture);
};
