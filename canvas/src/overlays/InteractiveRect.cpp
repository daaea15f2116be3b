#include "pixorama/canvo/InteractiveRect.h"

#include "pixorama/common/NumericTruncate.h"

#include "RegionGeometry.h"

#include <cmath>

InteractiveRect::InteractiveRect()
{
    kind = OverlayRect;
    pointLimit = 2;
    singlePointPerClick = 0;
}

bool InteractiveRect::HitTest(plat::Point pt)
{
    bool hit = imagePoints.size() >= 2 && regions::insideInclusive(displayRect, pt);
    for (std::size_t i = 0; !hit && i < handles.size(); ++i)
        hit = handles[i].contains(pt);
    selected = hit;
    return hit;
}

void InteractiveRect::OnLButtonDown(unsigned flags, plat::Point pt)
{
    InteractiveMPoint::OnLButtonDown(flags, pt);
    // A press on a handle or a Shift-click edits the corners instead.
    if (!selected || activeHandle != -1 || (flags & plat::MK_SHIFT) || imagePoints.size() < 2)
        return;
    const double dx = pt.x - centre.x;
    const double dy = pt.y - centre.y;
    const bool onCentre = handleShape == 0 && std::sqrt(dx * dx + dy * dy) <= handleHalfSize;
    if (onCentre || regions::insideInclusive(displayRect, pt))
        BeginMove();
}

void InteractiveRect::OnKeyDown(unsigned key, unsigned repeat, unsigned flags)
{
    if (!selected && (key == 'E' || key == 'I' || key == 'T'))
        return;
    InteractiveMPoint::OnKeyDown(key, repeat, flags);
}

void InteractiveRect::SetRectPos(float x, float y, float w, float h)
{
    imagePoints = {{double(pixTruncToInt(x)), double(pixTruncToInt(y))},
                   {double(pixTruncToInt(double(x) + w)), double(pixTruncToInt(double(y) + h))}};
    if (view)
        OnViewChanged();
}

bool InteractiveRect::Draw(plat::Dc* dc)
{
    if (!InteractiveMPoint::Draw(dc))
        return false;
    DrawShape();
    return true;
}

void InteractiveRect::DrawShape()
{
    if (displayPoints.size() < 2)
        return;
    if (handlesVisible)
        painter.HollowRect(centreMarker, selected ? selectedColour : normalColour);
    const plat::Rect outline = regions::outlineOf(displayRect);
    if (ellipse)
        painter.HollowEllipse(outline, regions::outlineColour(*this));
    else
        painter.HollowRect(outline, regions::outlineColour(*this));
}
