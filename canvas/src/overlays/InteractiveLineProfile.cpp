#include "pixorama/canvo/InteractiveLineProfile.h"

#include "TwoPointLine.h"

#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/common/NumericTruncate.h"

#include <algorithm>
#include <cmath>

InteractiveLineProfile::InteractiveLineProfile()
{
    kind = OverlayLineProfile;
    pointLimit = 2;
    singlePointPerClick = 0;
}

std::vector<float> InteractiveLineProfile::Sample() const
{
    std::vector<float> values;
    if (imagePoints.size() != 2 || !canvas || canvas->fileType == FileNothing)
        return values;
    const float x0 = float(imagePoints[0].x), y0 = float(imagePoints[0].y);
    const float ex = float(imagePoints[1].x) - x0, ey = float(imagePoints[1].y) - y0;
    const float length = std::sqrt(ex * ex + ey * ey);
    if (!(length >= 10.0f))
        return values;
    const bool raw = canvas->fileType == FileFloat || canvas->fileType == FileRawOther;
    const ClassData2DIO<float>& ori = canvas->oriRaw;
    const plat::DibBitmap& surface = canvas->canvasSurface.Bitmap();
    const int width = raw ? ori.width : surface.width();
    const int height = raw ? ori.height : surface.height();
    if ((raw && ori.IsEmpty()) || width <= 0 || height <= 0)
        return values;
    const int n = pixTruncToInt(std::floor(double(length)));
    const float dx = ex / length, dy = ey / length;
    values.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        // Points may lie off the image; they read the nearest border pixel.
        const int x = std::clamp(pixTruncToInt(double(x0 + float(i) * dx)), 0, width - 1);
        const int y = std::clamp(pixTruncToInt(double(y0 + float(i) * dy)), 0, height - 1);
        values.push_back(raw ? ori.rows[y][x] : float(surface.line(y)[x] & 0xFF));
    }
    return values;
}

void InteractiveLineProfile::OnLButtonDown(unsigned flags, plat::Point pt)
{
    InteractiveSingleLine::OnLButtonDown(flags, pt);
    chart.OnLButtonDown(flags, pt);
}

void InteractiveLineProfile::OnLButtonUp(unsigned flags, plat::Point pt)
{
    InteractiveSingleLine::OnLButtonUp(flags, pt);
    chart.OnLButtonUp(flags, pt);
}

void InteractiveLineProfile::OnMouseMove(unsigned flags, plat::Point pt)
{
    if (!chartHit)
        InteractiveSingleLine::OnMouseMove(flags, pt);
    else
        lastPoint = pt;
    chart.OnMouseMove(flags, pt);
    chart.SetProfile(Sample());
}

bool InteractiveLineProfile::HitTest(plat::Point pt)
{
    chartHit = canvas && canvas->fileType != FileNothing && chart.HitTest(pt);
    bool hit = chartHit || centreMarker.contains(pt);
    for (std::size_t i = 0; !hit && i < handles.size(); ++i)
        hit = handles[i].contains(pt);
    selected = hit;
    return hit;
}

void InteractiveLineProfile::SetRectPos(float x, float y, float w, float h)
{
    chart.SetRectPos(x, y, w, h);
}

bool InteractiveLineProfile::Draw(plat::Dc* dc)
{
    if (!InteractiveSingleLine::Draw(dc))
        return false;
    drawTwoPointLine(*this, painter);
    if (canvas && canvas->fileType != FileNothing)
        chart.Draw(dc);
    return true;
}
