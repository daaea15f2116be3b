#include "pixorama/canvo/InteractiveCanvas.h"

#include "OverlayText.h"

#include "pixorama/common/NumericTruncate.h"

#include <algorithm>

namespace {
constexpr plat::ColorRef curveColour{0x0000FF};
constexpr plat::ColorRef captionColour{0xFF0000};
} // namespace

void InteractiveCanvas::SetProfile(const std::vector<float>& values)
{
    if (values.size() <= 4) {
        profile.clear();
        heights.clear();
        minimum = maximum = 0.0f;
        return;
    }
    profile = values;
    const auto [lo, hi] = std::minmax_element(profile.begin(), profile.end());
    minimum = *lo;
    maximum = *hi;
    const int columns = std::max(displayRect.width(), 0);
    heights.assign(std::size_t(columns), 0);
    if (columns == 0)
        return;
    const float step = float(profile.size()) / float(columns);
    // A flat profile lies on the bottom edge instead of dividing by zero.
    const float factor = maximum > minimum ? float(displayRect.height()) / (maximum - minimum) : 0.0f;
    const int last = int(profile.size()) - 1;
    for (int c = 0; c < columns; ++c) {
        const int j = std::clamp(pixTruncToInt(double(float(c) * step)), 0, last);
        heights[std::size_t(c)] = std::int16_t(pixTruncToInt(double((profile[std::size_t(j)] - minimum) * factor)));
    }
}

bool InteractiveCanvas::Draw(plat::Dc* dc)
{
    if (!InteractiveMovableRect::Draw(dc))
        return false;
    if (profile.size() > 5 && !heights.empty()) {
        std::vector<plat::Point> curve;
        curve.reserve(heights.size() + 1);
        curve.push_back({displayRect.left, displayRect.bottom});
        for (std::size_t c = 0; c < heights.size(); ++c) {
            const plat::Point p{displayRect.left + int(c), displayRect.bottom - heights[c]};
            // A point in the middle of a flat run adds no pixels: drop it.
            const std::size_t n = curve.size();
            if (n >= 2 && curve[n - 1].y == p.y && curve[n - 2].y == p.y)
                curve.back() = p;
            else
                curve.push_back(p);
        }
        dc->selectPen(plat::Pen{plat::Pen::Solid, 1, curveColour});
        dc->polyline(curve);
    }
    const CString caption =
        formatOverlayText(L"线数据的最小值为 %5.3f 最大值为 %5.3f", double(minimum), double(maximum));
    dc->selectFont(overlayFont(12));
    dc->setTextColor(captionColour);
    dc->setBkMode(plat::TRANSPARENT);
    // Top-left at (left + 5, top + 5) like a text-out, without measuring first.
    plat::Rect at{displayRect.left + 5, displayRect.top + 5, displayRect.left + 5 + (1 << 16),
                  displayRect.top + 5 + (1 << 16)};
    dc->drawText(caption, at, plat::DT_LEFT | plat::DT_SINGLELINE | plat::DT_NOCLIP);
    return true;
}
