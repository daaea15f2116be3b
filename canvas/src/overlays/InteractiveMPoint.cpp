#include "pixorama/canvo/InteractiveMPoint.h"

#include "pixorama/common/NumericTruncate.h"
#include "pixorama/platform/Translation.h"
#include <algorithm>

namespace {

long long cross(plat::Point o, plat::Point a, plat::Point b)
{
    return (long long)(a.x - o.x) * (b.y - o.y) - (long long)(a.y - o.y) * (b.x - o.x);
}

bool onSegment(plat::Point a, plat::Point b, plat::Point p)
{
    return cross(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y
           && p.y <= std::max(a.y, b.y);
}

// Quadrant of v around p; the four quadrants cover every point but p.
int quadrant(plat::Point p, plat::Point v)
{
    const int dx = v.x - p.x;
    const int dy = v.y - p.y;
    if (dx > 0 && dy >= 0)
        return 0;
    if (dx <= 0 && dy > 0)
        return 1;
    if (dx < 0 && dy <= 0)
        return 2;
    return 3;
}

} // namespace

bool pointInClosedPolygon(const std::vector<plat::Point>& polygon, plat::Point p)
{
    const std::size_t n = polygon.size();
    if (n < 3)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (onSegment(polygon[i], polygon[(i + 1) % n], p))
            return true;
    int winding = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const plat::Point a = polygon[i];
        const plat::Point b = polygon[(i + 1) % n];
        int step = quadrant(p, b) - quadrant(p, a);
        if (step == 3)
            step = -1;
        else if (step == -3)
            step = 1;
        else if (step == 2 || step == -2)
            step = cross(p, a, b) > 0 ? 2 : -2; // the edge passes p on one side
        winding += step;
    }
    return winding != 0;
}

void InteractiveMPoint::OnViewChanged()
{
    displayPoints.resize(imagePoints.size());
    handles.resize(imagePoints.size());
    for (std::size_t i = 0; i < imagePoints.size(); ++i) {
        const plat::Point d = ToClient(imagePoints[i]);
        displayPoints[i] = d;
        handles[i] = {d.x - handleHalfSize, d.y - handleHalfSize, d.x + handleHalfSize, d.y + handleHalfSize};
    }
}

bool InteractiveMPoint::HitTest(plat::Point pt)
{
    bool hit = pointInClosedPolygon(displayPoints, pt);
    for (std::size_t i = 0; !hit && i < handles.size(); ++i)
        hit = handles[i].contains(pt);
    selected = hit;
    return hit;
}

void InteractiveMPoint::OnLButtonDown(unsigned flags, plat::Point pt)
{
    selected = false;
    dragging = true;
    lastPoint = pt;
    activeHandle = -1;
    for (std::size_t i = 0; i < handles.size(); ++i) {
        if (handles[i].contains(pt)) {
            activeHandle = int(i);
            break;
        }
    }
    if (activeHandle == -1) {
        const bool shift = flags & plat::MK_SHIFT;
        if (clampToImage && view)
            pt = ToClient(view->ClampToImage(ToImage(pt)));
        if (shift) {
            if (int(imagePoints.size()) >= pointLimit)
                ClearPoints();
            imagePoints.push_back(ToImage(pt));
            if (singlePointPerClick == 0) {
                // Rubber band: the second copy follows the mouse.
                imagePoints.push_back(imagePoints.back());
                activeHandle = int(imagePoints.size()) - 1;
            }
            OnViewChanged();
        }
        if (!HitTest(pt)) {
            selected = false;
            handlesVisible = kind != OverlayPolygon;
            return;
        }
        if (activeHandle == -1 && !shift)
            BeginMove();
    }
    handlesVisible = true;
    selected = true;
}

void InteractiveMPoint::OnMouseMove(unsigned flags, plat::Point pt)
{
    if (!view)
        return;
    const PointTemplateBase<double> step = view->StepToImage(lastPoint, pt);
    dragStepX = step.x;
    dragStepY = step.y;
    if (activeHandle >= 0 && activeHandle < int(imagePoints.size())) {
        imagePoints[std::size_t(activeHandle)].x += dragStepX;
        imagePoints[std::size_t(activeHandle)].y += dragStepY;
        OnViewChanged();
    }
    if (IsMoving() && (flags & plat::MK_LBUTTON) && !(flags & plat::MK_CONTROL)) {
        for (PointTemplateBase<double>& p : imagePoints) {
            p.x += dragStepX;
            p.y += dragStepY;
        }
        OnViewChanged();
    }
    if (clampToImage) {
        ClampPointsToImage();
        OnViewChanged();
    }
    lastPoint = pt;
}

void InteractiveMPoint::ClampPointsToImage()
{
    for (PointTemplateBase<double>& p : imagePoints)
        p = view->ClampToImage(p);
}

void InteractiveMPoint::OnKeyDown(unsigned key, unsigned, unsigned)
{
    if (key == 'E') {
        ellipse = !ellipse;
    } else if (key == 'I' || key == 'T') {
        SetRectPos(50.0f, 50.0f, 50.0f, 50.0f);
        if (key == 'T')
            SetText(plat::tr(L"这是一个测试"));
    }
}

bool InteractiveMPoint::Draw(plat::Dc* dc)
{
    if (!Canvo::Draw(dc))
        return false;
    if (!handlesVisible)
        return true;
    const plat::ColorRef colour = selected ? selectedColour : normalColour;
    for (const plat::Rect& h : handles) {
        if (handleShape == 1)
            painter.HollowRect(h, colour);
        else
            painter.HollowEllipse(h, colour);
    }
    return true;
}

void InteractiveMPoint::SetSinglePointPerClick(int single)
{
    singlePointPerClick = single;
}

void InteractiveMPoint::SetPointLimit(int limit)
{
    pointLimit = limit;
}

bool InteractiveMPoint::GetIntPoints(std::vector<PointTemplateBase<int>>& points)
{
    points.clear();
    for (const PointTemplateBase<double>& p : imagePoints)
        points.push_back({pixTruncToInt(p.x), pixTruncToInt(p.y)});
    return !points.empty();
}
