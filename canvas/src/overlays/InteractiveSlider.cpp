#include "pixorama/canvo/InteractiveSlider.h"

#include "OverlayText.h"

#include "pixorama/common/NumericTruncate.h"
#include "pixorama/platform/Translation.h"

#include <algorithm>

namespace {

constexpr plat::ColorRef backgroundColour{0xB4B4B4};
constexpr plat::ColorRef frameColour{0x969696};
constexpr plat::ColorRef leftHandleColour{0x505050};
constexpr plat::ColorRef rightHandleColour{0xDCDCDC};

plat::Rect shrunk(const plat::Rect& r, int by)
{
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

} // namespace

void InteractiveSlider::OnViewChanged()
{
    const plat::Rect& r = displayRect;
    captionRect = shrunk({r.left, r.top, r.left + captionWidth, r.bottom}, inset);
    trackRect = shrunk({r.left + captionWidth, r.top, r.right, r.bottom}, inset);
    usableLength = trackRect.width() - handleWidth;
    const int top = trackRect.top + inset;
    const int bottom = trackRect.bottom - inset;
    const int leftX = pixTruncToInt(double(float(usableLength) * leftFraction + float(trackRect.left)));
    const int rightX = pixTruncToInt(double(float(usableLength) * rightFraction + float(trackRect.left)));
    leftHandle = {leftX, top, leftX + handleWidth, bottom};
    rightHandle = {rightX, top, rightX + handleWidth, bottom};
}

void InteractiveSlider::OnLButtonDown(unsigned, plat::Point pt)
{
    if (!enabled) {
        holdsMouse = false;
        return;
    }
    lastPoint = pt;
    leftDragged = leftHandle.contains(pt);
    rightDragged = !leftDragged && rightHandle.contains(pt);
    holdsMouse = displayRect.contains(pt);
}

void InteractiveSlider::OnLButtonUp(unsigned, plat::Point)
{
    leftDragged = rightDragged = false;
}

void InteractiveSlider::OnMouseMove(unsigned, plat::Point pt)
{
    if (!enabled)
        return;
    // Without usable track there is nothing to slide along.
    if (usableLength > 0) {
        const float u = float(usableLength);
        const float step = float(pt.x - lastPoint.x) / u;
        const float gap = float(handleWidth) / u;
        // Upper limits first: on a track shorter than two handles the
        // limits cross, and the handle then stays inside 0..1.
        if (rightDragged)
            rightFraction = std::max(std::min(std::max(rightFraction + step, leftFraction + gap), 1.0f), 0.0f);
        else if (leftDragged)
            leftFraction = std::min(std::max(std::min(leftFraction + step, rightFraction - gap), 0.0f), 1.0f);
    }
    lastPoint = pt;
    Relayout();
}

bool InteractiveSlider::Draw(plat::Dc* dc)
{
    if (!enabled)
        return true;
    if (!InteractiveFixedRect::Draw(dc))
        return false;
    dc->selectPen(plat::Pen{plat::Pen::Solid, 1, frameColour});
    dc->selectBrush(plat::Brush{plat::Brush::Solid, backgroundColour});
    dc->rectangle(captionRect);
    dc->rectangle(trackRect);
    dc->selectFont(overlayFont(12));
    dc->setTextColor(plat::ColorRef{0});
    dc->setBkColor(backgroundColour);
    dc->setBkMode(plat::OPAQUE);
    plat::Rect box = captionRect;
    dc->drawText(plat::tr(caption), box, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE);
    dc->fillRect(leftHandle, leftHandleColour);
    dc->fillRect(rightHandle, rightHandleColour);
    return true;
}
