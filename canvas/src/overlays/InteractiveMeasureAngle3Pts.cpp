#include "pixorama/canvo/InteractiveMeasureAngle3Pts.h"

#include "MeasureLabel.h"
#include "OverlayText.h"

#include <algorithm>
#include <cmath>

double angleBetween(double ux, double uy, double vx, double vy)
{
    const double lengths = std::sqrt((ux * ux + uy * uy) * (vx * vx + vy * vy));
    if (!(lengths > 0.0))
        return 0.0;
    // Rounding can push the cosine just past +-1, where acos has no value.
    const double cosine = std::clamp((ux * vx + uy * vy) / lengths, -1.0, 1.0);
    return std::acos(cosine) * 57.295780490442965;
}

InteractiveMeasureAngle3Pts::InteractiveMeasureAngle3Pts()
{
    kind = OverlayAngle3;
    pointLimit = 3;
    clampToImage = false;
}

double InteractiveMeasureAngle3Pts::Angle() const
{
    if (imagePoints.size() != 3)
        return 0.0;
    const PointTemplateBase<double>& p0 = imagePoints[0];
    return angleBetween(p0.x - imagePoints[1].x, p0.y - imagePoints[1].y, p0.x - imagePoints[2].x,
                        p0.y - imagePoints[2].y);
}

void InteractiveMeasureAngle3Pts::ShowLabel(const CString& text)
{
    if (label.view != view)
        label.AttachView(view);
    if (!labelPlaced && !displayPoints.empty()) {
        labelPlaced = true;
        label.SetTextAndPos(text, {displayPoints[0].x + 30, displayPoints[0].y - 30});
    } else {
        label.SetText(text);
    }
    labelShown = true;
}

CString InteractiveMeasureAngle3Pts::MeasureText()
{
    return formatOverlayText(L"角度 = %3.3f 度", Angle());
}

void InteractiveMeasureAngle3Pts::OnMouseMove(unsigned flags, plat::Point pt)
{
    measurelabel::MoveShapeUnlessOnLabel(hitOnLabel, pt, lastPoint,
                                         [&] { InteractiveMPoint::OnMouseMove(flags, pt); });
    label.OnMouseMove(flags, pt);
    if (imagePoints.size() == Needed())
        ShowLabel(MeasureText());
}

bool InteractiveMeasureAngle3Pts::HitTest(plat::Point pt)
{
    hitOnLabel = measurelabel::Hit(labelShown, label, pt);
    const bool onShape = InteractiveMPoint::HitTest(pt);
    selected = onShape || hitOnLabel;
    return selected;
}

void InteractiveMeasureAngle3Pts::OnLButtonDown(unsigned flags, plat::Point pt)
{
    InteractiveMPoint::OnLButtonDown(flags, pt);
    if (labelShown)
        label.OnLButtonDown(flags, pt);
}

void InteractiveMeasureAngle3Pts::OnLButtonUp(unsigned flags, plat::Point pt)
{
    InteractiveMPoint::OnLButtonUp(flags, pt);
    label.OnLButtonUp(flags, pt);
}

void InteractiveMeasureAngle3Pts::OnViewChanged()
{
    InteractiveMPoint::OnViewChanged();
    measurelabel::FollowView(label, view);
}

bool InteractiveMeasureAngle3Pts::Draw(plat::Dc* dc)
{
    if (!InteractiveMPoint::Draw(dc))
        return false;
    const plat::ColorRef colour = selected ? selectedLineColour : lineColour;
    for (std::size_t i = 1; i < displayPoints.size() && i < 3; ++i)
        painter.Line(displayPoints[0], displayPoints[i], plat::Pen::Solid, colour);
    if (labelShown && imagePoints.size() == Needed())
        label.Draw(dc);
    return true;
}

CString InteractiveMeasureAngle3Pts::GetText()
{
    return label.GetText();
}
