#pragma once

#include "pixorama/canvo/Canvo.h"

#include <algorithm>
#include <vector>

// Small pieces shared by the region overlays.
namespace regions {

inline void movePoints(std::vector<PointTemplateBase<double>>& points, PointTemplateBase<double> step)
{
    for (PointTemplateBase<double>& p : points) {
        p.x += step.x;
        p.y += step.y;
    }
}

// Inclusive bounding box of the points: right and bottom are the largest
// coordinates themselves. Fewer than two points give an empty box.
inline plat::Rect boundingBox(const std::vector<plat::Point>& points)
{
    if (points.size() < 2)
        return {};
    plat::Rect box{10000, 10000, -10000, -10000};
    for (const plat::Point& p : points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

inline bool insideInclusive(const plat::Rect& box, plat::Point p)
{
    return box.left <= p.x && p.x <= box.right && box.top <= p.y && p.y <= box.bottom;
}

// The rectangle a painter outlines so that both inclusive edges are drawn.
inline plat::Rect outlineOf(const plat::Rect& box)
{
    return {box.left, box.top, box.right + 1, box.bottom + 1};
}

inline plat::ColorRef outlineColour(const Canvo& overlay)
{
    return overlay.selected ? overlay.selectedLineColour : overlay.lineColour;
}

} // namespace regions
