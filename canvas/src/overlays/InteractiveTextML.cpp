#include "pixorama/canvo/InteractiveTextML.h"

#include "OverlayText.h"

#include <algorithm>

namespace {
constexpr plat::ColorRef textColour{0x0000FF};
}

InteractiveTextML::InteractiveTextML()
{
    kind = OverlayPassiveWindow;
}

void InteractiveTextML::SetLines(const std::vector<CString>& newLines)
{
    lines = newLines;
}

void InteractiveTextML::AddLine(const CString& line)
{
    lines.push_back(line);
}

bool InteractiveTextML::Draw(plat::Dc* dc)
{
    if (!Canvo::Draw(dc))
        return false;
    if (measuredLines != lines) {
        measuredSizes.clear();
        for (const CString& line : lines)
            measuredSizes.push_back(measureOverlayText(dc, line, fontHeight));
        measuredLines = lines;
    }
    int widest = 0;
    int height = margin;
    int lineHeight = 0;
    for (const plat::Size& size : measuredSizes) {
        widest = std::max(widest, size.cx);
        height += size.cy + margin;
        lineHeight = size.cy;
    }
    displayRect.right = displayRect.left + widest + 2 * margin;
    displayRect.bottom = displayRect.top + height;
    InteractiveMovableRect::Draw(dc);
    if (painter.BackgroundMode() == plat::OPAQUE) {
        const plat::Rect& r = displayRect;
        dc->fillRect({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, plat::rgb(255, 255, 255));
    }
    dc->selectFont(overlayFont(fontHeight));
    dc->setTextColor(textColour);
    dc->setBkMode(plat::TRANSPARENT);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int top = displayRect.top + margin + int(i) * (margin + lineHeight);
        plat::Rect band{displayRect.left + margin, top, displayRect.right - margin, top + margin + lineHeight};
        dc->drawText(lines[i], band, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE);
    }
    return true;
}
