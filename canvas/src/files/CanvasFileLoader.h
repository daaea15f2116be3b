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
    // dialog; any other file as a picture. The picture shown before stays
    // unless a new one was read; true when one was.
    static bool Load(InteractiveImage& canvas, const CString& path, bool keepOriginal);
    // A decoded picture, or its message (the canvas then keeps its picture).
    static bool Show(InteractiveImage& canvas, const DecodedPicture& picture, bool keepOriginal);
    // Whether Load would try the file: raw data by its name, or a picture
    // a decoder recognises.
    static bool Claims(const CString& path);
};
