#pragma once

#include "pixorama/platform/Dc.h"

// Drawing shared by the strips.

// A handle: filled with the colour value 0xFF0000 and framed in black.
void DrawStripHandle(plat::Dc& dc, const plat::Rect& r);
