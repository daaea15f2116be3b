#pragma once

#include "pixorama/canvo/CanvasTypes.h"
#include "pixorama/common/CString.h"
#include "pixorama/platform/Types.h"

#include <vector>

// Text overlays. Font types 0 to 3 have a fixed size and colour; 4 takes
// size, colour (a COLORREF value) and background mode (1 transparent,
// 2 opaque) from the caller. An id outside 0..4 is ignored.

// Asks the user for a text and adds it at client (200, 200), red and boxed;
// a cancelled dialog adds nothing.
void gCVSAddTextOL(int id);
// The text's top-left corner at client point (x, y).
void gCVSAddTextOL(int id, CString text, int x, int y, FontType font, int size, unsigned colour, int mode);
// The text's top-left corner at image point (x, y).
void gCVSAddTextOLV2(int id, CString text, int x, int y, FontType font, int size, unsigned colour, int mode);
// (0, 0, width, height) of the text in that font; adds nothing.
plat::Rect gCVSGetTextRectOL(int id, CString text, int x, int y, FontType font, int size, unsigned colour,
                             int mode);
// A movable window with the lines, its top-left corner at client (x, y).
void gCVSAddTextML(int id, std::vector<CString>& lines, int x, int y);
