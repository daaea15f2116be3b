#pragma once

#include "pixorama/workbench/ColourPlanes.h"

#include "pixorama/common/QEVUCDATA2D.h"

// The grey levels of QEVColorToGray (0.299 R + 0.587 G + 0.114 B, truncated),
// row bands converted side by side on the processors. Empty when the planes
// are empty.
QEVUCDATA2D GreyOfPlanes(ColourPlanes planes);

// The same grey levels into w * h bytes, row after row.
void GreyOfPlanes(ColourPlanes planes, unsigned char* grey);
