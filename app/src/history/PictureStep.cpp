#include "PictureStep.h"

#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/common/QEVUCDATA2D.h"
#include "pixorama/common/RowSplit.h"
#include "pixorama/workbench/WorkState.h"

#include <algorithm>
#include <atomic>

PictureStep::Facts PictureStep::Facts::Of(const InteractiveImage& canvas, const WorkState& state)
{
    Facts f;
    f.fileType = canvas.fileType;
    f.imageWidth = canvas.imageWidth;
    f.imageHeight = canvas.imageHeight;
    f.lutLow = canvas.lut.low;
    f.lutHigh = canvas.lut.high;
    f.measureScale = canvas.measureScale;
    f.rawWindowLeft = state.rawWindowLeft;
    f.rawWindowRight = state.rawWindowRight;
    f.planesCaptured = state.planesCaptured;
    f.canvasWidth = state.canvasWidth;
    f.canvasHeight = state.canvasHeight;
    f.surfaceWidth = canvas.canvasSurface.Exists() ? canvas.canvasSurface.Width() : 0;
    f.surfaceHeight = canvas.canvasSurface.Exists() ? canvas.canvasSurface.Height() : 0;
    f.uniformLabel = canvas.UniformLabel();
    return f;
}

void PictureStep::Facts::Put(InteractiveImage& canvas, WorkState& state) const
{
    canvas.fileType = fileType;
    canvas.imageWidth = imageWidth;
    canvas.imageHeight = imageHeight;
    if (canvas.lut.low != lutLow || canvas.lut.high != lutHigh) {
        if (lutLow < lutHigh)
            canvas.lut.SetRange(lutLow, lutHigh);
        canvas.lut.low = lutLow;
        canvas.lut.high = lutHigh;
    }
    canvas.measureScale = measureScale;
    state.rawWindowLeft = rawWindowLeft;
    state.rawWindowRight = rawWindowRight;
    state.planesCaptured = planesCaptured;
    state.canvasWidth = canvasWidth;
    state.canvasHeight = canvasHeight;
    if (uniformLabel >= 0)
        canvas.SetUniformLabel(uniformLabel);
}

PictureStep::PictureStep(std::wstring name, StepScope scope, InteractiveImage& canvas, WorkState& state)
    : name(std::move(name)), scope(scope), facts(Facts::Of(canvas, state))
{
    if (scope == StepScope::Window)
        return;
    overlays = OverlayRecord::Of(canvas);
    if (scope != StepScope::Picture)
        return;
    // A label image not written yet is kept as its one value.
    const auto planes = PicturePlanes(canvas, state, facts.uniformLabel < 0 ? LabelUse::read : LabelUse::none);
    if (planes[labelPlane])
        patches.emplace_back(labelPlane, PlanePatch::Copy(*planes[labelPlane]));
    surfacePending = true;
    rawsPending = true;
    planesPending = (1u << colourPlaneCount) - 1;
}

void PictureStep::KeepRaws(InteractiveImage& canvas, WorkState& state, bool replaced)
{
    if (!rawsPending)
        return;
    rawsPending = false;
    patches.reserve(patches.size() + 2); // nothing may fail once a buffer is taken
    if (replaced) {
        patches.emplace_back(workingRawPlane, PlanePatch::Take(canvas.workingRaw));
        patches.emplace_back(oriRawPlane, PlanePatch::Take(canvas.oriRaw));
        return;
    }
    const auto planes = PicturePlanes(canvas, state, LabelUse::none);
    for (int i : {workingRawPlane, oriRawPlane})
        patches.emplace_back(i, PlanePatch::Copy(*planes[std::size_t(i)]));
}

const unsigned* PictureStep::KeepSurface(InteractiveImage& canvas, WorkState& state, bool replaced)
{
    if (!surfacePending)
        return nullptr;
    surfacePending = false;
    patches.reserve(patches.size() + 1);
    if (replaced && canvas.canvasSurface.Exists()) {
        patches.emplace_back(surfacePlane, PlanePatch::Take(canvas.canvasSurface));
        return patches.back().second.TakenPixels();
    }
    patches.emplace_back(surfacePlane, PlanePatch::Copy(*PicturePlanes(canvas, state, LabelUse::none)[surfacePlane]));
    return nullptr;
}

void PictureStep::KeepPlane(InteractiveImage& canvas, WorkState& state, QEVUCDATA2D& plane, bool replaced)
{
    const int index = ColourPlaneIndex(state, plane);
    const unsigned bit = index < 0 ? 0 : 1u << (index - firstColourPlane);
    if (!(planesPending & bit))
        return;
    planesPending &= ~bit;
    patches.reserve(patches.size() + 1);
    if (replaced)
        patches.emplace_back(index, PlanePatch::Take(plane));
    else
        patches.emplace_back(index, PlanePatch::Copy(*PicturePlanes(canvas, state, LabelUse::none)[std::size_t(index)]));
}

bool PictureStep::HasLabel() const
{
    return std::any_of(patches.begin(), patches.end(), [](const auto& entry) { return entry.first == labelPlane; });
}

// Sets changed[i] for every patch i in `which`. The patches are compared
// with their planes in parts, each part taken by whichever worker asks next,
// so planes that did not change (read whole, end to end) spread evenly over
// the cores.
void PictureStep::FindChangedRows(const std::vector<std::unique_ptr<PlaneAccess>>& planes,
                                  const std::vector<std::size_t>& which,
                                  std::vector<PlanePatch::RowSpan>& changed) const
{
    if (which.empty())
        return;
    const int threads = RowSplit::threadCount();
    const int parts = 4 * threads;
    std::vector<PlanePatch::RowSpan> found(which.size() * std::size_t(parts));
    std::atomic<std::size_t> next{0};
    RowSplit::runWorkers(threads, threads, [&](int, int, int) {
        for (std::size_t job = next++; job < found.size(); job = next++) {
            const auto& [index, patch] = patches[which[job / std::size_t(parts)]];
            found[job] = patch.ChangedRows(*planes[std::size_t(index)], int(job % std::size_t(parts)), parts);
        }
    });
    for (std::size_t job = 0; job < found.size(); ++job) {
        PlanePatch::RowSpan& span = changed[which[job / std::size_t(parts)]];
        span = PlanePatch::Join(span, found[job]);
    }
}

// A change that rewrote the surface from its first row to its last changed
// the whole picture, and keeps the colour planes it took to rewrite whole:
// reading them end to end would only find which rows it wrote again as they
// were. Otherwise those are narrowed too. The patches are narrowed or dropped
// on this thread, as that hands buffers to the spares.
void PictureStep::KeepChangedRows(const std::vector<std::unique_ptr<PlaneAccess>>& planes)
{
    std::vector<std::size_t> compared;
    std::vector<std::size_t> rewritten;
    for (std::size_t i = 0; i < patches.size(); ++i)
        (patches[i].first >= firstColourPlane && patches[i].second.Taken() ? rewritten : compared).push_back(i);
    std::vector<PlanePatch::RowSpan> changed(patches.size());
    FindChangedRows(planes, compared, changed);
    const bool wholePicture = std::any_of(compared.begin(), compared.end(), [&](std::size_t i) {
        return patches[i].first == surfacePlane && patches[i].second.CoversAll(changed[i]);
    });
    if (wholePicture) {
        for (std::size_t i : rewritten)
            changed[i] = patches[i].second.AllRows();
    } else {
        FindChangedRows(planes, rewritten, changed);
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < patches.size(); ++i) {
        if (!patches[i].second.KeepRows(changed[i]))
            continue;
        if (kept != i)
            patches[kept] = std::move(patches[i]);
        ++kept;
    }
    patches.erase(patches.begin() + std::ptrdiff_t(kept), patches.end());
}

bool PictureStep::Settle(InteractiveImage& canvas, WorkState& state)
{
    const Facts now = Facts::Of(canvas, state);
    const bool labelKept = HasLabel();
    const auto planes = PicturePlanes(canvas, state, labelKept ? LabelUse::read : LabelUse::none);
    KeepChangedRows(planes);
    if (scope == StepScope::Picture && !labelKept && now.uniformLabel < 0)
        patches.emplace_back(labelPlane,
                             PlanePatch::UniformLabel(facts.surfaceWidth, facts.surfaceHeight, facts.uniformLabel));
    if (overlays) {
        if (overlays->SameAs(canvas))
            overlays.reset();
        else
            overlays->DropUnnamed();
    }
    return !patches.empty() || overlays || !(facts == now);
}

void PictureStep::Swap(InteractiveImage& canvas, WorkState& state)
{
    const Facts present = Facts::Of(canvas, state);
    const auto planes = PicturePlanes(canvas, state, HasLabel() ? LabelUse::write : LabelUse::none);
    for (auto& [index, patch] : patches)
        patch.Swap(*planes[std::size_t(index)]);
    if (overlays)
        overlays->Swap(canvas);
    facts.Put(canvas, state);
    facts = present;
}

void PictureStep::Keep(std::unique_ptr<Canvo> gone)
{
    if (overlays)
        overlays->Keep(std::move(gone));
}

std::size_t PictureStep::Bytes() const
{
    std::size_t total = sizeof(PictureStep);
    for (const auto& entry : patches)
        total += entry.second.Bytes();
    return total;
}
