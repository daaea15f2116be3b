#include "pixorama/canvo/InteractiveSingleLine.h"

#include "pixorama/common/NumericTruncate.h"

#include <algorithm>

void InteractiveSingleLine::OnViewChanged()
{
    InteractiveMPoint::OnViewChanged();
    if (displayPoints.size() < 2) {
        centre = {};
        centreMarker = displayRect = imageRect = {};
        return;
    }
    const plat::Point a = displayPoints[0];
    const plat::Point b = displayPoints[1];
    centre = {(a.x + b.x) / 2, (a.y + b.y) / 2};
    centreMarker = {centre.x - handleHalfSize, centre.y - handleHalfSize, centre.x + handleHalfSize,
                    centre.y + handleHalfSize};
    displayRect = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    const int ax = pixTruncToInt(imagePoints[0].x);
    const int ay = pixTruncToInt(imagePoints[0].y);
    const int bx = pixTruncToInt(imagePoints[1].x);
    const int by = pixTruncToInt(imagePoints[1].y);
    imageRect = {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
}
