#include "pixorama/canvo/InteractiveCrayonOneStroke.h"

#include "RegionGeometry.h"

InteractiveCrayonOneStroke::InteractiveCrayonOneStroke()
{
    kind = OverlayFreeRegion;
}

PointTemplateBase<double> InteractiveCrayonOneStroke::ImagePointOf(plat::Point pt)
{
    const PointTemplateBase<double> p = ToImage(pt);
    return clampToImage && view ? view->ClampToImage(p) : p;
}

void InteractiveCrayonOneStroke::OnLButtonDown(unsigned flags, plat::Point pt)
{
    dragging = true;
    lastPoint = pt;
    activeHandle = -1;
    if (flags & plat::MK_SHIFT) {
        imagePoints.push_back(ImagePointOf(pt));
        OnViewChanged();
        drawing = true;
        selected = true;
        return;
    }
    if (drawing)
        return;
    selected = pointInClosedPolygon(displayPoints, pt);
    if (selected)
        BeginMove();
}

void InteractiveCrayonOneStroke::OnLButtonUp(unsigned flags, plat::Point pt)
{
    InteractiveMPoint::OnLButtonUp(flags, pt);
    drawing = false;
}

void InteractiveCrayonOneStroke::OnMouseMove(unsigned flags, plat::Point pt)
{
    if (!view)
        return;
    if (IsMoving() && !(flags & plat::MK_CONTROL)) {
        regions::movePoints(imagePoints, view->StepToImage(lastPoint, pt));
        if (clampToImage)
            ClampPointsToImage();
        OnViewChanged();
    } else if (drawing) {
        imagePoints.push_back(ImagePointOf(pt));
        OnViewChanged();
    }
    lastPoint = pt;
}

bool InteractiveCrayonOneStroke::Draw(plat::Dc* dc)
{
    if (!Canvo::Draw(dc))
        return false;
    painter.ClosedPolyline(displayPoints, regions::outlineColour(*this));
    return true;
}
