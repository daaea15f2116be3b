#include "pixorama/canvo/InteractiveDC.h"

#include <algorithm>
#include <utility>

namespace {

constexpr plat::ColorRef backgroundColour{0x998877};
constexpr plat::ColorRef hatchColour{0x808080};
constexpr plat::ColorRef frameColour{0xFF0000};

plat::Rect intersect(const plat::Rect& a, const plat::Rect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// The selected overlay takes a mouse event first, then every overlay that
// listens whatever is selected: passive windows, and probes for moves.
template <typename Overlays, typename Event>
void deliver(Canvo* chosen, const Overlays& overlays, bool probesToo, Event event)
{
    if (chosen)
        event(*chosen);
    for (const auto& overlay : overlays)
        if (overlay->kind == OverlayPassiveWindow || (probesToo && overlay->kind == OverlayProbe))
            event(*overlay);
}

// A deletion the user asked for, with the watcher told before and after.
template <class Delete>
void deleteWatched(InteractiveDC& dc, bool all, Delete erase)
{
    if (dc.overlayWatcher)
        dc.overlayWatcher->BeforeUserDelete(dc, all);
    erase();
    if (dc.overlayWatcher)
        dc.overlayWatcher->AfterUserDelete(dc);
}

} // namespace

InteractiveDC::InteractiveDC()
{
    canvasSurface.view = &view;
    canvasSurface.willChange = [this](bool replaced) {
        if (overlayWatcher)
            overlayWatcher->BeforeSurfaceChange(*this, replaced);
    };
}

InteractiveDC::~InteractiveDC() = default;

void InteractiveDC::OnDraw()
{
    plat::Dc* clientDc = clientSurface.Dc();
    if (!clientPixelsDirect && clientDc) {
        const ViewState::BlitPlan plan =
            view.PlanBlit(canvasSurface.stretchMode, canvasSurface.Width(), canvasSurface.Height());
        backgroundHole = plan.copies ? intersect(plan.destination, {0, 0, clientDc->width(), clientDc->height()})
                                     : plat::Rect{};
        DrawBackground(clientDc);
        backgroundHole = {};
        BlitImage(*clientDc, plan);
        if (contrastShown)
            slider.Draw(clientDc);
        if (progressShown)
            progress.Draw(clientDc);
        for (const auto& overlay : overlays)
            overlay->Draw(clientDc);
    }
    if (targetDc && clientSurface.Exists())
        targetDc->bitBlt(0, 0, view.client.width(), view.client.height(), clientSurface.Bitmap(), 0, 0);
}

void InteractiveDC::DrawBackground(plat::Dc* dc)
{
    DrawFrame(dc);
}

void InteractiveDC::DrawFrame(plat::Dc* dc)
{
    if (!dc)
        return;
    const plat::Rect whole{0, 0, view.client.width(), view.client.height()};
    // Paint only around the hole the image will cover: the same pixels as
    // painting everything first, at a fraction of the cost.
    const plat::Rect& hole = backgroundHole;
    std::vector<plat::Rect> bands;
    if (hole.isEmpty()) {
        bands.push_back(whole);
    } else {
        bands = {{whole.left, whole.top, whole.right, hole.top},
                 {whole.left, hole.bottom, whole.right, whole.bottom},
                 {whole.left, hole.top, hole.left, hole.bottom},
                 {hole.right, hole.top, whole.right, hole.bottom}};
    }
    dc->selectPen(plat::Pen{plat::Pen::Solid, 1, hatchColour});
    dc->setBkMode(plat::TRANSPARENT);
    for (const plat::Rect& band : bands) {
        if (band.isEmpty())
            continue;
        dc->setClipRect(band);
        dc->selectBrush(plat::Brush{plat::Brush::Solid, backgroundColour});
        dc->rectangle(whole);
        dc->selectBrush(plat::Brush{plat::Brush::DiagCross, hatchColour});
        dc->rectangle(whole);
    }
    dc->setClipRect(std::nullopt);
    // The frame lies just outside the image, where the blit leaves it alone.
    const plat::Rect& d = view.displayed;
    painter.Bind(dc);
    painter.HollowRect({d.left - 1, d.top - 1, d.right + 1, d.bottom + 1}, frameColour);
    DrawExtra();
}

void InteractiveDC::DrawExtra() {}

void InteractiveDC::SetLutPara(float, float) {}

void InteractiveDC::BlitImage(plat::Dc& dc, const ViewState::BlitPlan& plan)
{
    const plat::Rect& shown = view.displayed;
    const bool shrinks = shown.width() < canvasSurface.Width() || shown.height() < canvasSurface.Height();
    const bool smooth = canvasSurface.stretchMode == plat::COLORONCOLOR && canvasSurface.smoothWhenShrunk && shrinks;
    dc.setStretchBltMode(smooth ? plat::HALFTONE : canvasSurface.stretchMode);
    if (!plan.copies)
        return;
    dc.stretchBlt(plan.destination, std::as_const(canvasSurface).Bitmap(), plan.source);
}

void InteractiveDC::SetClient(const plat::Rect& clientRect, plat::Dc* dc)
{
    view.imageWidth = canvasSurface.Width();
    view.imageHeight = canvasSurface.Height();
    view.SetClient(clientRect);
    canvasSurface.view = &view;
    slider.AttachView(&view);
    progress.AttachView(&view);
    AttachAll();
    targetDc = dc;
    clientSurface.Create(clientRect.width(), clientRect.height());
}

void InteractiveDC::PrepareCanvas(int width, int height, bool deleteOverlays)
{
    if (deleteOverlays)
        DeleteAll();
    if (!canvasSurface.Create(width, height))
        width = height = 0;
    view.imageWidth = width;
    view.imageHeight = height;
    SetClient(view.client, targetDc);
}

void InteractiveDC::AttachAll()
{
    for (const auto& overlay : overlays)
        overlay->AttachView(&view);
}

int* InteractiveDC::KindCounter(int kind)
{
    switch (kind) {
    case OverlayRect: return &rectCount;
    case OverlayCustomRect: return &customRectCount;
    case OverlayPolygon: return &polygonCount;
    case OverlaySpline: return &splineCount;
    case OverlayFreeRegion: return &freeRegionCount;
    case OverlayText: return &textCount;
    case OverlayFreeStroke: return &strokeCount;
    case OverlayMeasureLine: return &measureLineCount;
    case OverlayAngle3: return &angle3Count;
    case OverlayAngle4: return &angle4Count;
    default: return nullptr;
    }
}

Canvo& InteractiveDC::AddOverlay(std::unique_ptr<Canvo> overlay)
{
    Canvo& added = *overlay;
    added.ordinal = isRegionKind(added.kind) ? regionTotal++ : overlayTotal;
    ++overlayTotal;
    if (int* counter = KindCounter(added.kind))
        added.kindOrdinal = (*counter)++;
    static std::uint64_t lastSerial = 0;
    added.serial = ++lastSerial;
    for (const auto& other : overlays)
        other->selected = false;
    overlays.push_back(std::move(overlay));
    selectedIndex = int(overlays.size()) - 1;
    added.selected = true;
    // Attached at once, so that a click before any mouse move maps its point.
    added.AttachView(&view);
    return added;
}

Canvo* InteractiveDC::Selected()
{
    if (selectedIndex < 0 || selectedIndex >= int(overlays.size()))
        return nullptr;
    return overlays[std::size_t(selectedIndex)].get();
}

void InteractiveDC::DeleteSelected()
{
    const Canvo* doomed = Selected();
    if (!doomed)
        return;
    // Regions and the other overlays are numbered apart; only later members
    // of the same family move down, so no two regions share a label.
    const bool region = isRegionKind(doomed->kind);
    for (std::size_t i = std::size_t(selectedIndex) + 1; i < overlays.size(); ++i) {
        Canvo& later = *overlays[i];
        if (isRegionKind(later.kind) != region)
            continue;
        --later.ordinal;
        if (later.kind == doomed->kind)
            --later.kindOrdinal;
    }
    if (region) {
        --*KindCounter(doomed->kind);
        --regionTotal;
    }
    std::unique_ptr<Canvo> gone = std::move(overlays[std::size_t(selectedIndex)]);
    overlays.erase(overlays.begin() + selectedIndex);
    --selectedIndex;
    if (overlayWatcher)
        overlayWatcher->Keep(*this, std::move(gone));
}

void InteractiveDC::DeleteAll()
{
    if (overlayWatcher)
        for (std::unique_ptr<Canvo>& gone : overlays)
            overlayWatcher->Keep(*this, std::move(gone));
    overlays.clear();
    rectCount = customRectCount = polygonCount = splineCount = freeRegionCount = regionTotal = 0;
    strokeCount = textCount = measureLineCount = angle3Count = angle4Count = overlayTotal = 0;
    selectedIndex = -1;
}

void InteractiveDC::UserDeleteSelected()
{
    if (Selected())
        deleteWatched(*this, false, [this] { DeleteSelected(); });
}

void InteractiveDC::UserDeleteAll()
{
    if (!overlays.empty())
        deleteWatched(*this, true, [this] { DeleteAll(); });
}

void InteractiveDC::OnLButtonDown(unsigned flags, plat::Point pt)
{
    view.OnLButtonDown(pt);
    if (contrastShown) {
        slider.OnLButtonDown(flags, pt);
        if (slider.HoldsMouse())
            return;
    }
    if (overlays.empty())
        return;
    const Canvo* kept = (flags & plat::MK_SHIFT) ? Selected() : nullptr;
    for (const auto& overlay : overlays)
        overlay->selected = false;
    if (!kept) {
        selectedIndex = -1;
        for (int i = int(overlays.size()) - 1; i >= 0; --i) {
            if (overlays[std::size_t(i)]->HitTest(pt)) {
                selectedIndex = i;
                break;
            }
        }
    }
    deliver(Selected(), overlays, false, [&](Canvo& overlay) { overlay.OnLButtonDown(flags, pt); });
}

void InteractiveDC::OnLButtonUp(unsigned flags, plat::Point pt)
{
    view.OnLButtonUp();
    if (contrastShown) {
        slider.OnLButtonUp(flags, pt);
        if (slider.HoldsMouse())
            SetLutPara(slider.leftFraction, slider.rightFraction);
    }
    deliver(Selected(), overlays, false, [&](Canvo& overlay) { overlay.OnLButtonUp(flags, pt); });
}

void InteractiveDC::OnMouseMove(unsigned flags, plat::Point pt)
{
    view.OnMouseMove(flags, pt);
    if (contrastShown) {
        slider.OnMouseMove(flags, pt);
        slider.AttachView(&view);
    }
    AttachAll();
    deliver(Selected(), overlays, true, [&](Canvo& overlay) { overlay.OnMouseMove(flags, pt); });
}

void InteractiveDC::OnMouseWheel(unsigned flags, short delta, plat::Point pt)
{
    view.OnMouseWheel(flags, delta, pt);
    if (contrastShown)
        slider.AttachView(&view);
    if (progressShown)
        progress.AttachView(&view);
    AttachAll();
}

void InteractiveDC::OnKeyDown(unsigned key, unsigned repeat, unsigned flags)
{
    if (contrastShown)
        slider.OnKeyDown(key, repeat, flags);
    if (key == 'C')
        UserDeleteAll();
    else if (key == 'R')
        UserDeleteSelected();
    for (const auto& overlay : overlays)
        overlay->OnKeyDown(key, repeat, flags);
}

void InteractiveDC::OnTimer(std::uintptr_t id)
{
    // Only the contrast slider takes timer ticks, and only while shown.
    if (contrastShown)
        slider.OnTimer(id);
}
