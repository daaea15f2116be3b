#include "pixorama/workbench/CanvasResults.h"

#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/canvo/CanvasMeasures.h"
#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveCustomRect.h"
#include "pixorama/canvo/InteractiveLineProfile.h"
#include "pixorama/canvo/InteractiveMeasureAngle4Pts.h"
#include "pixorama/canvo/InteractiveMeasureLine.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/workbench/WorkState.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

namespace {

constexpr int canvasId = WorkState::workingCanvas;

// Points each kind needs before it measures anything.
bool complete(const Canvo& overlay)
{
    const std::size_t n = overlay.imagePoints.size();
    switch (overlay.kind) {
    case OverlayRect: case OverlayCustomRect: case OverlayMeasureLine: case OverlayLineProfile: return n == 2;
    case OverlayAngle3: return n == 3;
    case OverlayAngle4: return n == 4;
    default: return n >= 3;
    }
}

std::wstring pictureName()
{
    const std::wstring& path = gWorkState().imagePath;
    return path.empty() ? std::wstring() : plat::toPath(path).filename().wstring();
}

double canvasScale()
{
    const InteractiveImage* canvas = CanvasTable::At(canvasId);
    return canvas ? canvas->measureScale : 1.0;
}

ResultRow rowFor(const Canvo& overlay)
{
    ResultRow row;
    row.picture = pictureName();
    row.kind = shownKindName(overlay.kind);
    row.label = row.kind + L" " + std::to_wstring(overlay.kindOrdinal + 1);
    row.source = overlay.serial;
    return row;
}

void fillProfile(ResultRow& row, InteractiveLineProfile& profile)
{
    const double scale = canvasScale();
    const auto& p = profile.imagePoints;
    row.unit = gUnitOf(scale);
    row[ResultColumn::Length] = std::hypot(p[0].x - p[1].x, p[0].y - p[1].y) * scale;
    const std::vector<float> values = profile.Sample();
    if (values.empty())
        return;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    row[ResultColumn::Mean] = std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
    row[ResultColumn::Minimum] = *low;
    row[ResultColumn::Maximum] = *high;
}

} // namespace

MeasuredPicture gWorkingPicture()
{
    MeasuredPicture picture;
    picture.name = pictureName();
    picture.measureScale = canvasScale();
    const FileType kind = gCVSGetFileType(canvasId);
    if (kind == FileFloat || kind == FileRawOther) {
        const ClassData2DIO<float>& raw = gCVSGetRawOri(canvasId);
        if (!raw.IsEmpty())
            picture.raw = &raw;
    } else if (kind == FilePicture8 && gWorkState().CapturePlanes()) {
        picture.grey = &gWorkState().grey;
    }
    return picture;
}

std::optional<SavedOverlay> gSaveOverlay(const Canvo& overlay)
{
    if (!isSavedKind(overlay.kind) || !complete(overlay))
        return std::nullopt;
    SavedOverlay saved;
    saved.kind = overlay.kind;
    saved.label = shownKindName(overlay.kind) + L" " + std::to_wstring(overlay.kindOrdinal + 1);
    saved.points = overlay.imagePoints;
    saved.ellipse = overlay.kind == OverlayCustomRect && overlay.ellipse;
    return saved;
}

std::optional<ResultRow> gMeasureWorkingOverlay(Canvo& overlay)
{
    if (!complete(overlay))
        return std::nullopt;
    ResultRow row = rowFor(overlay);
    if (auto* line = dynamic_cast<InteractiveMeasureLine*>(&overlay)) {
        row.unit = gUnitOf(line->measureScale);
        row[ResultColumn::Length] = line->Length();
    } else if (auto* angle4 = dynamic_cast<InteractiveMeasureAngle4Pts*>(&overlay)) {
        const double angle = angle4->IntersectionAngle();
        if (!std::isnan(angle))
            row[ResultColumn::Angle] = angle;
    } else if (auto* angle3 = dynamic_cast<InteractiveMeasureAngle3Pts*>(&overlay)) {
        row[ResultColumn::Angle] = angle3->Angle();
    } else if (auto* profile = dynamic_cast<InteractiveLineProfile*>(&overlay)) {
        fillProfile(row, *profile);
    } else if (isRegionKind(overlay.kind)) {
        const MeasuredPicture picture = gWorkingPicture();
        const std::optional<SavedOverlay> saved = gSaveOverlay(overlay);
        if (!saved || picture.Width() <= 0)
            return std::nullopt;
        ClassData2DIO<int> label;
        ResultRow measured = gMeasureRegionRow(*saved, picture, label);
        measured.source = row.source;
        return measured;
    } else {
        return std::nullopt;
    }
    return row;
}

std::vector<ResultRow> gMeasureWorkingOverlays()
{
    std::vector<ResultRow> rows;
    if (InteractiveImage* canvas = CanvasTable::At(canvasId))
        for (const auto& overlay : canvas->overlays)
            if (std::optional<ResultRow> row = gMeasureWorkingOverlay(*overlay))
                rows.push_back(std::move(*row));
    return rows;
}

std::optional<ResultRow> gStatisticsRow()
{
    const MeasuredPicture picture = gWorkingPicture();
    if (picture.Width() <= 0)
        return std::nullopt;
    InteractiveImage* canvas = CanvasTable::At(canvasId);
    Canvo* selected = canvas ? canvas->Selected() : nullptr;
    if (selected && selected->selected && isRegionKind(selected->kind))
        return gMeasureWorkingOverlay(*selected);
    // Without a selected region the statistics cover every pixel.
    ResultRow row;
    row.picture = picture.name;
    row.kind = L"全图";
    row.label = L"全图";
    ClassData2DIO<int> label;
    label.SetDim(picture.Width(), picture.Height());
    std::fill(label.data, label.data + std::size_t(label.width) * std::size_t(label.height), 1);
    gFillRegionValues(row, gMeasurePictureRegion(picture, label, 1), picture.raw != nullptr, picture.measureScale);
    return row;
}

void gReportTouchedOverlay()
{
    InteractiveImage* canvas = CanvasTable::At(canvasId);
    Canvo* touched = canvas ? canvas->Selected() : nullptr;
    if (!touched || !touched->selected)
        return;
    const std::optional<ResultRow> row = gMeasureWorkingOverlay(*touched);
    if (!row)
        return;
    if (isRegionKind(touched->kind))
        gRefreshResult(*row);
    else
        gPostResults({*row});
}

RegionSet gWorkingRegionSet()
{
    RegionSet set;
    set.width = gCVSGetCanvasWidth(canvasId);
    set.height = gCVSGetCanvasHeight(canvasId);
    set.measureScale = canvasScale();
    if (InteractiveImage* canvas = CanvasTable::At(canvasId))
        for (const auto& overlay : canvas->overlays)
            if (std::optional<SavedOverlay> saved = gSaveOverlay(*overlay))
                set.overlays.push_back(std::move(*saved));
    return set;
}

void gPlaceRegionSet(const RegionSet& set)
{
    InteractiveImage* canvas = CanvasTable::At(canvasId);
    if (!canvas)
        return;
    for (const SavedOverlay& saved : set.overlays) {
        switch (saved.kind) {
        case OverlayRect: gCVSAddMRectangle(canvasId); break;
        case OverlayCustomRect: canvas->AddOverlay(std::make_unique<InteractiveCustomRect>()); break;
        case OverlayPolygon: gCVSAddPoly(canvasId); break;
        case OverlaySpline: gCVSAddSpline(canvasId); break;
        case OverlayFreeRegion: gCVSAddFreeRegion(canvasId); break;
        case OverlayMeasureLine: gCVSAddMeasureLine(canvasId); break;
        case OverlayAngle3: gCVSAddMeasureAngle3Pts(canvasId); break;
        case OverlayAngle4: gCVSAddMeasureAngle4Pts(canvasId); break;
        case OverlayLineProfile: gCVSAddLineProfile(canvasId); break;
        default: continue;
        }
        Canvo* added = canvas->Selected();
        if (!added)
            continue;
        added->imagePoints = saved.points;
        added->ellipse = saved.ellipse;
        added->OnViewChanged();
        // A still release and move, as after drawing by hand, place the labels.
        const plat::Point p = added->displayPoints.empty() ? plat::Point{} : added->displayPoints.front();
        added->lastPoint = p;
        added->OnLButtonUp(0, p);
        added->OnMouseMove(0, p);
    }
}
