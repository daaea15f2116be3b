#include "pixorama/canvo/InteractiveCustomRect.h"

#include "RegionGeometry.h"

InteractiveCustomRect::InteractiveCustomRect()
{
    kind = OverlayCustomRect;
}

void InteractiveCustomRect::OnLButtonDown(unsigned, plat::Point pt)
{
    dragging = true;
    lastPoint = pt;
    activeHandle = -1;
    selected = imagePoints.size() >= 2 && regions::insideInclusive(displayRect, pt);
    handlesVisible = true;
    if (selected)
        BeginMove();
}

void InteractiveCustomRect::OnMouseMove(unsigned flags, plat::Point pt)
{
    if (!view)
        return;
    if (IsMoving() && (flags & plat::MK_LBUTTON) && !(flags & plat::MK_CONTROL)) {
        regions::movePoints(imagePoints, view->StepToImage(lastPoint, pt));
        OnViewChanged();
    }
    lastPoint = pt;
}
