#include "pixorama/canvo/InteractiveMeasureAngle4Pts.h"

#include "OverlayText.h"

#include "pixorama/common/NumericTruncate.h"

#include <algorithm>
#include <limits>

InteractiveMeasureAngle4Pts::InteractiveMeasureAngle4Pts()
{
    kind = OverlayAngle4;
    pointLimit = 4;
}

double InteractiveMeasureAngle4Pts::IntersectionAngle()
{
    constexpr double none = std::numeric_limits<double>::quiet_NaN();
    if (displayPoints.size() < 4)
        return none;
    const auto x = [this](int i) { return float(displayPoints[std::size_t(i)].x); };
    const auto y = [this](int i) { return float(displayPoints[std::size_t(i)].y); };
    const float a1 = y(1) - y(0), b1 = x(0) - x(1), c1 = y(0) * x(1) - y(1) * x(0);
    const float a2 = y(3) - y(2), b2 = x(2) - x(3), c2 = y(2) * x(3) - y(3) * x(2);
    const float denominator = b2 * a1 - a2 * b1;
    parallel = denominator == 0.0f;
    if (parallel) {
        marker = {};
        return none;
    }
    // Nearly parallel lines meet far away; the bound keeps the marker's
    // corners representable.
    constexpr double far = 1.0e8;
    intersection = {pixTruncToInt(std::clamp(double((c2 * b1 - b2 * c1) / denominator), -far, far)),
                    pixTruncToInt(std::clamp(double((c2 * a1 - a2 * c1) / -denominator), -far, far))};
    const int px = intersection.x, py = intersection.y;
    marker = {px - 4, py - 4, px + 4, py + 4};
    double ux = double(px) - x(2), uy = double(py) - y(2);
    double vx = double(px) - x(0), vy = double(py) - y(0);
    // A line point on the intersection gives no ray: take the line's other point.
    if (ux == 0.0 && uy == 0.0) {
        ux = double(px) - x(3);
        uy = double(py) - y(3);
    }
    if (vx == 0.0 && vy == 0.0) {
        vx = double(px) - x(1);
        vy = double(py) - y(1);
    }
    return angleBetween(ux, uy, vx, vy);
}

CString InteractiveMeasureAngle4Pts::MeasureText()
{
    if (displayPoints.size() < 4)
        return label.GetText();
    const double angle = IntersectionAngle();
    return parallel ? CString(L"两直线平行") : formatOverlayText(L"角度 = %3.3f 度", angle);
}

bool InteractiveMeasureAngle4Pts::Draw(plat::Dc* dc)
{
    if (!InteractiveMPoint::Draw(dc))
        return false;
    const plat::ColorRef colour = selected ? selectedLineColour : lineColour;
    if (displayPoints.size() >= 2)
        painter.Line(displayPoints[0], displayPoints[1], plat::Pen::Solid, colour);
    if (displayPoints.size() >= 4) {
        painter.Line(displayPoints[2], displayPoints[3], plat::Pen::Solid, colour);
        if (!parallel && labelShown)
            painter.HollowRect(marker, colour);
    }
    if (labelShown && imagePoints.size() == 4)
        label.Draw(dc);
    return true;
}
