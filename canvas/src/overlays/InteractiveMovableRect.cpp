#include "pixorama/canvo/InteractiveMovableRect.h"

#include "pixorama/common/NumericTruncate.h"

namespace {
constexpr plat::ColorRef outlineColour{0x69A5DA};
}

void InteractiveMovableRect::SetRectPos(float x, float y, float w, float h)
{
    displayRect = {pixTruncToInt(x), pixTruncToInt(y), pixTruncToInt(double(x) + w), pixTruncToInt(double(y) + h)};
}

bool InteractiveMovableRect::HitTest(plat::Point pt)
{
    return displayRect.contains(pt);
}

void InteractiveMovableRect::OnLButtonDown(unsigned, plat::Point pt)
{
    dragging = HitTest(pt);
    lastPoint = pt;
}

void InteractiveMovableRect::OnLButtonUp(unsigned flags, plat::Point pt)
{
    Canvo::OnLButtonUp(flags, pt);
}

void InteractiveMovableRect::OnMouseMove(unsigned, plat::Point pt)
{
    DragTo(pt);
}

void InteractiveMovableRect::DragTo(plat::Point pt)
{
    if (dragging) {
        const int dx = pt.x - lastPoint.x;
        const int dy = pt.y - lastPoint.y;
        displayRect = {displayRect.left + dx, displayRect.top + dy, displayRect.right + dx, displayRect.bottom + dy};
    }
    lastPoint = pt;
}

bool InteractiveMovableRect::Draw(plat::Dc* dc)
{
    if (!Canvo::Draw(dc))
        return false;
    painter.HollowRect(displayRect, outlineColour);
    return true;
}
