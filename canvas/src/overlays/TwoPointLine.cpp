#include "TwoPointLine.h"

void drawTwoPointLine(const InteractiveSingleLine& line, GdiPainter& painter)
{
    if (line.displayPoints.size() < 2)
        return;
    const plat::ColorRef colour = line.selected ? line.selectedLineColour : line.lineColour;
    painter.Line(line.displayPoints[0], line.displayPoints[1], plat::Pen::Solid, colour);
    painter.HollowRect(line.centreMarker, colour);
}
