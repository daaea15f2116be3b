#include "pixorama/brovia/QEVDlgForContrast.h"

#include "pixorama/platform/Modal.h"

#include "StripPainting.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr plat::ColorRef panelGrey = plat::rgb(210, 210, 210);

// Pulls a channel a quarter of the way towards dark grey.
constexpr plat::Pixel faint(plat::Pixel p)
{
    plat::Pixel out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int c = int(p >> shift & 0xFF);
        out |= plat::Pixel(c - (c - 64) / 4) << shift;
    }
    return out;
}

} // namespace

QEVDlgForContrast::QEVDlgForContrast() = default;

void QEVDlgForContrast::SetHandles(float low, float high)
{
    lo = std::clamp(low, 0.0f, 1.0f);
    hi = std::clamp(high, lo, 1.0f);
    invalidate();
}

void QEVDlgForContrast::SetColors(plat::ColorRef low, plat::ColorRef high)
{
    lowColor = low;
    highColor = high;
    invalidate();
}

void QEVDlgForContrast::SetHistogram(const std::vector<double>& bins)
{
    histogram = bins;
    invalidate();
}

float QEVDlgForContrast::Separation() const
{
    const int track = TrackWidth();
    return track > 0 ? float(GetHandleWidth()) / float(track) : 0.0f;
}

void QEVDlgForContrast::OutHandlePara(float& low, float& high) const
{
    const float sep = Separation();
    low = lo / (1.0f - sep);
    high = (hi - sep) / (1.0f - sep);
}

void QEVDlgForContrast::SetHandlePara(float low, float high)
{
    const float sep = Separation();
    low = std::clamp(low, 0.0f, 1.0f);
    high = std::clamp(high, low, 1.0f);
    SetHandles(low * (1.0f - sep), high * (1.0f - sep) + sep);
}

plat::Rect QEVDlgForContrast::LowHandleRect() const
{
    const int left = HandleLeft(lo);
    return {left, 0, left + GetHandleWidth(), height()};
}

plat::Rect QEVDlgForContrast::HighHandleRect() const
{
    const int left = HandleLeft(hi);
    return {left, 0, left + GetHandleWidth(), height()};
}

void QEVDlgForContrast::Render(plat::Dc& off)
{
    off.fillRect(clientRect(), panelGrey);
    off.fillRect({labelWidth, 0, LowHandleRect().left, height()}, lowColor);
    DrawBand(off);
    DrawHistogram(off.surface());
    DrawStripHandle(off, LowHandleRect());
    DrawStripHandle(off, HighHandleRect());
    DrawLabelText(off);
}

void QEVDlgForContrast::DrawBand(plat::Dc& off)
{
    const int left = std::max(0, LowHandleRect().right);
    const int right = std::min(width(), HighHandleRect().left);
    if (right <= left)
        return;
    // One row of the ramp, copied to every line.
    std::vector<plat::Pixel> ramp(std::size_t(right - left));
    const float span = float(right - left);
    for (int x = left; x < right; ++x) {
        const float t = float(x - left) / span;
        const auto mix = [t](int a, int b) { return int(std::lround(float(a) + t * float(b - a))); };
        ramp[std::size_t(x - left)] = plat::pixelOf(mix(plat::redOf(lowColor), plat::redOf(highColor)),
                                                    mix(plat::greenOf(lowColor), plat::greenOf(highColor)),
                                                    mix(plat::blueOf(lowColor), plat::blueOf(highColor)));
    }
    plat::DibSurface& surface = off.surface();
    for (int y = 0; y < surface.height(); ++y)
        std::copy(ramp.begin(), ramp.end(), surface.line(y) + left);
}

void QEVDlgForContrast::DrawHistogram(plat::DibSurface& surface) const
{
    const int left = labelWidth;
    const int columns = surface.width() - left;
    const int rows = surface.height();
    const double peak = histogram.empty() ? 0.0 : *std::max_element(histogram.begin(), histogram.end());
    if (columns <= 0 || rows <= 0 || !(peak > 0.0))
        return;
    // Each column shows the largest bin it covers, so no peak is skipped
    // when the track has fewer columns than there are bins.
    std::vector<int> heights(static_cast<std::size_t>(columns));
    const std::size_t bins = histogram.size();
    for (int x = 0; x < columns; ++x) {
        const std::size_t first = std::size_t(x) * bins / std::size_t(columns);
        const std::size_t last = std::max(first + 1, std::size_t(x + 1) * bins / std::size_t(columns));
        const double v = std::max(0.0, *std::max_element(histogram.begin() + std::ptrdiff_t(first), histogram.begin() + std::ptrdiff_t(last)));
        heights[std::size_t(x)] = int(std::lround(v / peak * rows));
    }
    for (int y = 0; y < rows; ++y) {
        plat::Pixel* line = surface.line(y) + left;
        const int fromBottom = rows - y;
        for (int x = 0; x < columns; ++x)
            if (heights[std::size_t(x)] >= fromBottom)
                line[x] = faint(line[x]);
    }
}

void QEVDlgForContrast::FillReport(tagQEVParaReport& r)
{
    float low = 0.0f;
    float high = 0.0f;
    OutHandlePara(low, high);
    r.SetFloat(1, low);
    r.SetFloat(2, high);
    r.words[3] = lowColor.value;
    r.words[4] = highColor.value;
}

void QEVDlgForContrast::onLButtonDown(unsigned, plat::Point p)
{
    if (!PressInTrack(p))
        return;
    dragLow = LowHandleRect().contains(p);
    dragHigh = !dragLow && HighHandleRect().contains(p);
    dragBand = !dragLow && !dragHigh && p.x >= LowHandleRect().right && p.x < HighHandleRect().left;
}

void QEVDlgForContrast::onMouseMove(unsigned flags, plat::Point p)
{
    if (!(flags & plat::MK_LBUTTON) || !(dragLow || dragHigh || dragBand))
        return;
    if (!TrackRect().contains(p)) {
        EndDrag();
        return;
    }
    const float d = TrackDelta(p);
    const float sep = Separation();
    if (dragLow)
        lo = std::clamp(lo + d, 0.0f, hi - sep);
    else if (dragHigh)
        hi = std::clamp(hi + d, lo + sep, 1.0f);
    else if (lo + d > 0.0f && hi + d < 1.0f) {
        lo += d;
        hi += d;
    }
    invalidate();
}

void QEVDlgForContrast::onLButtonUp(unsigned, plat::Point)
{
    EndDrag();
}

void QEVDlgForContrast::onMouseLeave()
{
    EndDrag();
}

// A drag that ends, by release or by leaving the track, reports where the
// handles stopped.
void QEVDlgForContrast::EndDrag()
{
    if (!(dragLow || dragHigh || dragBand))
        return;
    dragLow = dragHigh = dragBand = false;
    SendMSG();
}

void QEVDlgForContrast::onMouseWheel(unsigned, int delta, plat::Point p)
{
    if (!TrackRect().contains(p) || delta == 0)
        return;
    const float d = delta > 0 ? wheelStep : -wheelStep;
    if (!(lo + d > wheelEdge && hi + d < 1.0f - wheelEdge))
        return;
    lo += d;
    hi += d;
    invalidate();
    SendMSG();
}

void QEVDlgForContrast::onLButtonDblClk(unsigned, plat::Point p)
{
    plat::ColorRef* target = LowHandleRect().contains(p) ? &lowColor : HighHandleRect().contains(p) ? &highColor : nullptr;
    if (target == nullptr)
        return;
    plat::ColorRef chosen = *target;
    if (!plat::colorDialog(chosen))
        return;
    *target = chosen;
    invalidate();
    SendMSG();
}
