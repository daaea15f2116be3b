#include "pixorama/canvo/InteractiveSpline.h"

#include "pixorama/common/BSpline.h"
#include "pixorama/common/NumericTruncate.h"

#include "RegionGeometry.h"

#include <cstdlib>

InteractiveSpline::InteractiveSpline()
{
    kind = OverlaySpline;
}

void InteractiveSpline::OnViewChanged()
{
    InteractivePolygon::OnViewChanged();
    std::vector<plat::Point> list = displayPoints;
    if (!list.empty())
        list.push_back(list.front());
    // Every mouse move re-attaches the view; solve again only when the
    // control points really moved.
    if (list == controlList)
        return;
    controlList = std::move(list);
    curve.clear();
    std::vector<PointTemplateBase<int>> in;
    in.reserve(controlList.size());
    for (const plat::Point& p : controlList)
        in.push_back({p.x, p.y});
    std::vector<PointTemplateBase<int>> samples;
    std::vector<PointTemplateBase<int>> work;
    mB3Line(in, samples, work);
    curve.reserve(samples.size());
    for (const PointTemplateBase<int>& s : samples)
        curve.push_back({s.x, s.y});
}

bool InteractiveSpline::Draw(plat::Dc* dc)
{
    if (!Canvo::Draw(dc))
        return false;
    const plat::ColorRef colour = regions::outlineColour(*this);
    if (!curve.empty())
        painter.ClosedPolyline(curve, colour);
    for (const plat::Rect& h : handles)
        painter.HollowEllipse(h, colour);
    return true;
}

bool InteractiveSpline::GetCurvePoints(std::vector<PointTemplateBase<int>>& points)
{
    points.clear();
    if (curve.size() < 3)
        return false;
    auto far = [](plat::Point a, plat::Point b) { return std::abs(a.x - b.x) + std::abs(a.y - b.y) > 3; };
    std::vector<plat::Point> kept{curve.front()};
    for (std::size_t i = 1; i < curve.size(); ++i)
        if (far(curve[i], kept.back()))
            kept.push_back(curve[i]);
    for (const plat::Point& p : kept) {
        const PointTemplateBase<double> image = ToImage(p);
        points.push_back({pixTruncToInt(image.x), pixTruncToInt(image.y)});
    }
    return true;
}
