#include "pixorama/canvo/InteractiveTextRect.h"

#include "OverlayText.h"

#include <algorithm>

InteractiveTextRect::InteractiveTextRect()
{
    kind = OverlayText;
    keepsPixelSize = true;
    handlesVisible = false;
    clampToImage = false;
}

void InteractiveTextRect::SetTextStyle(FontType font, int newSize, plat::ColorRef newColour, int newMode)
{
    fontType = font;
    size = newSize;
    colour = newColour;
    mode = newMode;
    outlineDrawn = font == FontBoxedBlack || font == FontBoxedRed;
}

int InteractiveTextRect::FontHeight() const
{
    switch (fontType) {
    case FontBoxedBlack: return 18;
    case FontLargeBlack: return 24;
    case FontRed:
    case FontBoxedRed: return 22;
    default: return size;
    }
}

plat::ColorRef InteractiveTextRect::TextColour() const
{
    switch (fontType) {
    case FontBoxedBlack:
    case FontLargeBlack: return plat::ColorRef{0x000000};
    case FontRed:
    case FontBoxedRed: return plat::ColorRef{0x0000FF};
    default: return colour;
    }
}

bool InteractiveTextRect::WhiteBox() const
{
    if (fontType == FontBoxedBlack || fontType == FontBoxedRed)
        return true;
    const int background = fontType == FontCustom ? mode : painter.BackgroundMode();
    return background == plat::OPAQUE;
}

void InteractiveTextRect::SetTextAndPos(const CString& newText, plat::Point newAnchor)
{
    text = newText;
    anchor = newAnchor;
    const plat::Size measured = measureOverlayText(painter.Bound(), text, FontHeight());
    textWidth = measured.cx;
    textHeight = measured.cy;
    const PointTemplateBase<double> corner = ToImage(anchor);
    imagePoints = {corner, {corner.x + textWidth, corner.y + textHeight}};
    OnViewChanged();
}

void InteractiveTextRect::SetText(const CString& newText)
{
    SetTextAndPos(newText, imagePoints.empty() ? anchor : ToClient(imagePoints.front()));
}

plat::Size InteractiveTextRect::GetTextSize()
{
    return {textWidth, textHeight};
}

CString InteractiveTextRect::GetText()
{
    return text;
}

void InteractiveTextRect::OnViewChanged()
{
    if (imagePoints.size() < 2 || !view)
        return;
    const plat::Point first = ToClient(imagePoints[0]);
    const plat::Point second{first.x + int(imagePoints[1].x - imagePoints[0].x),
                             first.y + int(imagePoints[1].y - imagePoints[0].y)};
    anchor = first;
    displayPoints = {first, second};
    handles.clear();
    displayRect = {std::min(first.x, second.x) - 3, std::min(first.y, second.y) - 3,
                   std::max(first.x, second.x) + 3, std::max(first.y, second.y) + 3};
}

bool InteractiveTextRect::HitTest(plat::Point pt)
{
    selected = displayRect.contains(pt);
    return selected;
}

void InteractiveTextRect::OnLButtonDown(unsigned, plat::Point pt)
{
    dragging = true;
    lastPoint = pt;
    activeHandle = -1;
    if (HitTest(pt))
        BeginMove();
}

void InteractiveTextRect::OnMouseMove(unsigned flags, plat::Point pt)
{
    if (view && IsMoving() && (flags & plat::MK_LBUTTON) && !(flags & plat::MK_CONTROL)) {
        const PointTemplateBase<double> step = view->StepToImage(lastPoint, pt);
        dragStepX = step.x;
        dragStepY = step.y;
        // The box keeps its pixel size: both corners move by the same amount.
        for (PointTemplateBase<double>& p : imagePoints) {
            p.x += dragStepX;
            p.y += dragStepY;
        }
        OnViewChanged();
    }
    lastPoint = pt;
}

bool InteractiveTextRect::Draw(plat::Dc* dc)
{
    if (!Canvo::Draw(dc))
        return false;
    painter.SelectFont(FontHeight(), TextColour(), fontType == FontCustom ? mode : painter.BackgroundMode());
    painter.fillWhiteBehindText = WhiteBox();
    painter.TextInRect(text, displayRect);
    // After the text: its white box reaches past the outline.
    if (outlineDrawn)
        painter.HollowRect(displayRect, selected ? selectedLineColour : lineColour);
    return true;
}
