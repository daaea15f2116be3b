#include "pixorama/canvo/ViewState.h"

#include "pixorama/common/NumericTruncate.h"
#include "pixorama/platform/Assert.h"
#include "pixorama/platform/GdiObjects.h"

#include <algorithm>
#include <cmath>

namespace {

int halfSum(int a, int b)
{
    return int((static_cast<long long>(a) + b) / 2);
}

// The integer centre whose displayed corner, trunc(centre - half), is the
// whole pixel nearest to `corner`.
int centreFor(double corner, double half)
{
    const int target = pixTruncToInt(std::round(corner));
    const double shift = target >= 0 ? std::ceil(half) : std::floor(half);
    return pixTruncToInt(target + shift);
}

// Single-precision quotient; 0 when the divisor is 0.
float fraction(int numerator, int denominator)
{
    return denominator == 0 ? 0.0f : float(numerator) / float(denominator);
}

struct Span {
    int lo = 0;
    int hi = 0;
};

// One axis of a blit plan. f0 and f1 are client end minus displayed end at
// either side, as fractions of the displayed size; the destination is the
// part of the client that shows image, the source the image part it shows.
void planAxis(float f0, float f1, Span shown, Span client, int size, int& dstLo, int& dstHi, int& srcLo, int& srcHi)
{
    if (f0 < 0) {
        dstLo = shown.lo;
        srcLo = 0;
    } else {
        dstLo = client.lo;
        srcLo = pixTruncToInt(size * f0);
    }
    if (f1 < 0) {
        dstHi = client.hi;
        srcHi = pixTruncToInt((1.0f - std::fabs(f1)) * size);
    } else {
        dstHi = shown.hi;
        srcHi = size;
    }
}

} // namespace

void ViewState::SetClient(const plat::Rect& clientRect)
{
    client = clientRect;
    if (firstLayout) {
        centreX = halfSum(client.left, client.right);
        centreY = halfSum(client.top, client.bottom);
        firstLayout = false;
    } else {
        centreX = pixTruncToInt(relativeX * client.width() + halfSum(client.left, client.right));
        centreY = pixTruncToInt(relativeY * client.height() + halfSum(client.top, client.bottom));
    }
    visibleSource.left = centreX - imageWidth / 2;
    visibleSource.top = centreY - imageHeight / 2;
    visibleSource.right = visibleSource.left + imageWidth;
    visibleSource.bottom = visibleSource.top + imageHeight;
    UpdateDisplayed();
}

void ViewState::UpdateDisplayed()
{
    const double sw = imageWidth * scale;
    const double sh = imageHeight * scale;
    const double x0 = centreX - sw * 0.5;
    const double y0 = centreY - sh * 0.5;
    displayed = {pixTruncToInt(x0), pixTruncToInt(y0), pixTruncToInt(x0 + sw), pixTruncToInt(y0 + sh)};
}

void ViewState::UpdateRelative()
{
    relativeX = fraction(centreX - halfSum(client.left, client.right), client.width());
    relativeY = fraction(centreY - halfSum(client.top, client.bottom), client.height());
}

void ViewState::OnLButtonDown(plat::Point p)
{
    lastMouse = p;
    buttonDown = true;
}

void ViewState::OnLButtonUp()
{
    buttonDown = false;
}

void ViewState::OnMouseMove(unsigned flags, plat::Point p)
{
    if (buttonDown && (flags & plat::MK_CONTROL)) {
        if (moveMode != DisplayFixed) {
            centreX += p.x - lastMouse.x;
            centreY += p.y - lastMouse.y;
        }
        lastMouse = p;
        UpdateDisplayed();
    }
    UpdateRelative();
}

void ViewState::OnMouseWheel(unsigned flags, short delta, plat::Point p)
{
    if (!(flags & plat::MK_CONTROL) || moveMode == DisplayFixed)
        return;
    const double oldScale = scale;
    if (delta > 0 && visibleSource.height() > 4)
        scale *= zoomStep;
    else if (delta < 0 && displayed.width() > 4 && displayed.height() > 4)
        scale /= zoomStep;
    if (moveMode == DisplayZoomCursor && scale != oldScale) {
        // Keep the image point under the cursor where it is: put the
        // displayed corner on the nearest whole pixel to where that point
        // needs it, and derive the centre from the corner.
        centreX = centreFor(p.x - (p.x - displayed.left) / oldScale * scale, imageWidth * scale * 0.5);
        centreY = centreFor(p.y - (p.y - displayed.top) / oldScale * scale, imageHeight * scale * 0.5);
    }
    UpdateDisplayed();
    UpdateRelative();
}

PointTemplateBase<double> ViewState::ToImage(plat::Point p) const
{
    return {(p.x - displayed.left) / scale, (p.y - displayed.top) / scale};
}

PointTemplateBase<double> ViewState::StepToImage(plat::Point from, plat::Point to) const
{
    PIX_ASSERT(scale > 0.0, "the view's scale stays positive through every zoom");
    return {(to.x - from.x) / scale, (to.y - from.y) / scale};
}

plat::Point ViewState::ToClient(PointTemplateBase<double> image) const
{
    // Far off the window whatever the screen: handles and midpoints the
    // overlays build around such a point stay within int.
    constexpr double farOff = double(1 << 29);
    const auto client = [](double v) { return std::isnan(v) ? 0 : pixTruncToInt(std::fmin(std::fmax(v, -farOff), farOff)); };
    return {client(image.x * scale + displayed.left), client(image.y * scale + displayed.top)};
}

PointTemplateBase<double> ViewState::ClampToImage(PointTemplateBase<double> image) const
{
    // fmax/fmin also turn NaN into the lower bound.
    return {std::fmin(std::fmax(image.x, 0.0), std::max(imageWidth - 1, 0)),
            std::fmin(std::fmax(image.y, 0.0), std::max(imageHeight - 1, 0))};
}

ViewState::BlitPlan ViewState::PlanBlit(int mode, int width, int height)
{
    BlitPlan plan;
    const int dw = displayed.width();
    const int dh = displayed.height();
    if (dw == 0 || dh == 0 || width <= 0 || height <= 0)
        return plan;
    // The parts of the displayed rectangle that stick out of the client
    // area, as fractions of its size, cut the same share off the source.
    const float fx0 = fraction(client.left - displayed.left, dw);
    const float fx1 = fraction(client.right - displayed.right, dw);
    const float fy0 = fraction(client.top - displayed.top, dh);
    const float fy1 = fraction(client.bottom - displayed.bottom, dh);
    plat::Rect& dst = plan.destination;
    plat::Rect& src = plan.source;
    planAxis(fx0, fx1, {displayed.left, displayed.right}, {client.left, client.right}, width, dst.left, dst.right,
             src.left, src.right);
    planAxis(fy0, fy1, {displayed.top, displayed.bottom}, {client.top, client.bottom}, height, dst.top, dst.bottom,
             src.top, src.bottom);
    visibleSource = src;
    // Both modes scale the whole image onto the displayed rectangle and let
    // the client edge clip it, so that every client pixel shows the image
    // pixel the point mapping gives for it. Only the visible part is
    // computed either way.
    const bool visible = !dst.isEmpty();
    dst = displayed;
    src = {0, 0, width, height};
    plan.copies = (mode == plat::HALFTONE || mode == plat::COLORONCOLOR) && visible;
    return plan;
}
