#pragma once

#include "pixorama/canvo/InteractiveSingleLine.h"

// Drawing shared by the two-point measuring overlays (measuring line, line
// profile): the line and its centre marker in the (selected) line colour.
void drawTwoPointLine(const InteractiveSingleLine& line, GdiPainter& painter);
