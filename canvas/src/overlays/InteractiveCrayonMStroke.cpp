#include "pixorama/canvo/InteractiveCrayonMStroke.h"

#include "RegionGeometry.h"

#include <algorithm>

InteractiveCrayonMStroke::InteractiveCrayonMStroke()
{
    kind = OverlayFreeStroke;
}

bool InteractiveCrayonMStroke::HitTest(plat::Point pt)
{
    selected = regions::insideInclusive(regions::boundingBox(displayPoints), pt);
    return selected;
}

void InteractiveCrayonMStroke::OnLButtonDown(unsigned flags, plat::Point pt)
{
    dragging = true;
    lastPoint = pt;
    activeHandle = -1;
    if (flags & plat::MK_SHIFT) {
        strokeStarts.push_back(imagePoints.size());
        imagePoints.push_back(ToImage(pt));
        OnViewChanged();
        stroking = true;
        selected = true;
        return;
    }
    if (HitTest(pt))
        BeginMove();
}

void InteractiveCrayonMStroke::OnLButtonUp(unsigned flags, plat::Point pt)
{
    InteractiveMPoint::OnLButtonUp(flags, pt);
    stroking = false;
}

void InteractiveCrayonMStroke::OnMouseMove(unsigned flags, plat::Point pt)
{
    if (!view || !(flags & plat::MK_LBUTTON)) {
        lastPoint = pt;
        return;
    }
    if (stroking && (flags & plat::MK_SHIFT)) {
        imagePoints.push_back(ToImage(pt));
        OnViewChanged();
    } else if (IsMoving() && !(flags & plat::MK_CONTROL)) {
        regions::movePoints(imagePoints, view->StepToImage(lastPoint, pt));
        OnViewChanged();
    }
    lastPoint = pt;
}

void InteractiveCrayonMStroke::OnKeyDown(unsigned key, unsigned repeat, unsigned flags)
{
    InteractiveMPoint::OnKeyDown(key, repeat, flags);
    if (!selected)
        return;
    if (key == 'A')
        penWidth = std::min(penWidth + 1, maxPenWidth);
    else if (key == 'D')
        penWidth = std::max(penWidth - 1, 1);
}

bool InteractiveCrayonMStroke::Draw(plat::Dc* dc)
{
    if (!Canvo::Draw(dc))
        return false;
    dc->selectPen(plat::Pen{plat::Pen::Solid, penWidth, regions::outlineColour(*this)});
    for (std::size_t s = 0; s < strokeStarts.size(); ++s) {
        const std::size_t begin = std::min(strokeStarts[s], displayPoints.size());
        const std::size_t end = s + 1 < strokeStarts.size() ? std::min(strokeStarts[s + 1], displayPoints.size())
                                                            : displayPoints.size();
        if (end <= begin)
            continue;
        std::vector<plat::Point> stroke(displayPoints.begin() + std::ptrdiff_t(begin),
                                        displayPoints.begin() + std::ptrdiff_t(end));
        if (stroke.size() == 1)
            stroke.push_back(stroke.front()); // a dot
        dc->polyline(stroke);
    }
    return true;
}

void InteractiveCrayonMStroke::ClearPoints()
{
    InteractiveMPoint::ClearPoints();
    strokeStarts.clear();
}
