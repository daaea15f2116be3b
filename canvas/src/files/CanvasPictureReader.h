#pragma once

#include "DecodedPicture.h"

#include "pixorama/common/CString.h"

class InteractiveImage;

// Pictures from files onto a canvas. Grey pictures deeper than 8 bits
// (16- and 32-bit integer, floating point, DICOM) go to the float display
// with their values (file type 3); colour and 8-bit pictures are painted
// into the canvas surface (file type 1), an indexed picture showing its
// palette indices as grey levels.
//
// A page of a multi-page TIFF is chosen by its number after the name:
// "scan.tif#3" opens the third page.
class CanvasPictureReader {
public:
    // False, after telling the user, when the file is missing, refused or
    // cannot be decoded; the canvas is then left empty (no image, file
    // type 0). Warnings about a picture that was shown are told as well.
    static bool Load(InteractiveImage& canvas, const CString& path, bool keepOriginal);
    // False when the picture is empty or too large for the canvas.
    static bool Show(InteractiveImage& canvas, const DecodedPicture& picture, bool keepOriginal);
    // Whether the file's content is a TIFF or DICOM picture, whatever its name.
    static bool IsScientificPicture(const CString& path);
};
