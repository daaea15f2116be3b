#pragma once

#include "DecodedPicture.h"

#include "pixorama/common/CString.h"

class InteractiveImage;

// Reads a file onto a canvas: the decoders give pixels or a status, the
// canvas's Show operations put them on screen, and whatever went wrong is
// told to the user here.
class CanvasFileLoader {
public:
    // Raw detector data (extensions raw, hraw, his, nul) after the load
    // dialog; any other file as a picture.
    static void Load(InteractiveImage& canvas, const CString& path, bool keepOriginal);
    // A decoded picture, or its message (the canvas then shows nothing).
    static void Show(InteractiveImage& canvas, const DecodedPicture& picture, bool keepOriginal);
};
