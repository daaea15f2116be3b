#pragma once

#include "pixorama/common/CString.h"

class InteractiveImage;
class QImage;

// Pictures decoded by Qt's image readers. Colour and 8-bit pictures are
// painted into the canvas surface (file type 1): an indexed picture shows
// its palette indices as grey levels. Grey pictures deeper than 8 bits
// (16-bit, floating point) go to the float display with their values
// (file type 3).
class CanvasPictureReader {
public:
    // False, after telling the user, when the file is missing or cannot be
    // decoded; the canvas is then left empty (no image, file type 0).
    static bool Load(InteractiveImage& canvas, const CString& path, bool keepOriginal);
    // False for a null picture, or one too large for the canvas.
    static bool Show(InteractiveImage& canvas, const QImage& picture, bool keepOriginal);
};
