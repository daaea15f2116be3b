#include "pixorama/canvo/InteractiveMeasureLine.h"

#include "MeasureLabel.h"
#include "OverlayText.h"
#include "TwoPointLine.h"

#include <algorithm>
#include <cmath>

InteractiveMeasureLine::InteractiveMeasureLine()
{
    kind = OverlayMeasureLine;
    pointLimit = 2;
    singlePointPerClick = 0;
    clampToImage = false;
}

double InteractiveMeasureLine::Length() const
{
    if (imagePoints.size() != 2)
        return 0.0;
    const double dx = imagePoints[0].x - imagePoints[1].x;
    const double dy = imagePoints[0].y - imagePoints[1].y;
    return std::sqrt(dx * dx + dy * dy) * measureScale;
}

CString InteractiveMeasureLine::LengthText() const
{
    return formatOverlayText(L"长度 = %4.3f mm", Length());
}

void InteractiveMeasureLine::OnViewChanged()
{
    InteractiveSingleLine::OnViewChanged();
    measurelabel::FollowView(label, view);
}

void InteractiveMeasureLine::OnLButtonDown(unsigned flags, plat::Point pt)
{
    InteractiveSingleLine::OnLButtonDown(flags, pt);
    if (imagePoints.size() == 2)
        labelShown = true;
    if (labelShown)
        label.OnLButtonDown(flags, pt);
}

void InteractiveMeasureLine::OnLButtonUp(unsigned flags, plat::Point pt)
{
    InteractiveSingleLine::OnLButtonUp(flags, pt);
    if (imagePoints.size() == 2 && labelPending) {
        labelPending = false;
        labelShown = true;
        label.AttachView(view);
        label.SetTextAndPos(LengthText(), {centre.x + 100, centre.y - 100});
    }
    if (labelShown)
        label.OnLButtonUp(flags, pt);
}

void InteractiveMeasureLine::OnMouseMove(unsigned flags, plat::Point pt)
{
    measurelabel::MoveShapeUnlessOnLabel(hitOnLabel, pt, lastPoint,
                                         [&] { InteractiveSingleLine::OnMouseMove(flags, pt); });
    if (labelShown && !labelPending) {
        label.SetText(LengthText());
        label.OnMouseMove(flags, pt);
    }
}

bool InteractiveMeasureLine::HitTest(plat::Point pt)
{
    hitOnLabel = measurelabel::Hit(labelShown, label, pt);
    bool hit = hitOnLabel || centreMarker.contains(pt);
    for (std::size_t i = 0; !hit && i < handles.size(); ++i)
        hit = handles[i].contains(pt);
    selected = hit;
    return hit;
}

bool InteractiveMeasureLine::Draw(plat::Dc* dc)
{
    if (!InteractiveSingleLine::Draw(dc))
        return false;
    drawTwoPointLine(*this, painter);
    if (labelShown && !labelPending) {
        label.Draw(dc);
        const plat::Rect& box = label.displayRect;
        const plat::Point nearest{std::clamp(centre.x, box.left, box.right - 1),
                                  std::clamp(centre.y, box.top, box.bottom - 1)};
        painter.Line(centre, nearest, plat::Pen::Dot, plat::ColorRef{0});
    }
    return true;
}

CString InteractiveMeasureLine::GetText()
{
    return label.GetText();
}
