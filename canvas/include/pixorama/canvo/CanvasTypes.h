#pragma once

#include "pixorama/platform/Messages.h"

// Value types of the canvas interface.

// What a canvas shows. 2 is never set by the canvas; pixel queries treat it
// like 3.
enum FileType : int {
    FileNothing = 0,
    FilePicture8 = 1, // 8-bit grey or colour picture, no raw images
    FileRawOther = 2,
    FileFloat = 3, // float image, displayed from the working raw
};

// How the view reacts to the wheel and to Ctrl-drag.
enum DisplayMode : int {
    DisplayFixed = 0,      // no zoom, no pan
    DisplayZoomCentre = 1, // zoom about the image centre, pan
    DisplayZoomCursor = 2, // zoom about the cursor, pan
};

// Text overlay styles.
enum FontType : int {
    FontBoxedBlack = 0,
    FontLargeBlack = 1,
    FontRed = 2,
    FontBoxedRed = 3,
    FontCustom = 4, // the caller's size, colour and background mode
};

using MSG = plat::Msg;
