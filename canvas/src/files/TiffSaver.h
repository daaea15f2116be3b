#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/platform/Types.h"

class InteractiveImage;

// The canvas's saves when the chosen name ends in .tif or .tiff. The bytes
// are made in memory and written through an atomic file: a failure leaves
// an existing file as it was.
class TiffSaver {
public:
    static bool IsTiffName(const CString& path);
    // Float values as 32-bit floating-point grey, exactly.
    static bool SaveFloat(const ClassData2DIO<float>& image, const CString& path);
    // The image area (top-down, right and bottom exclusive) at 16 bits: the
    // working raw's 0..65535 levels of a float image, else the surface's
    // colours scaled to 16-bit RGB.
    static bool SaveShown16(InteractiveImage& canvas, const plat::Rect& area, const CString& path);
};
