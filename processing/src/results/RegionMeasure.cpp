#include "pixorama/workbench/RegionMeasure.h"

#include "pixorama/common/RasterFill.h"

#include <algorithm>
#include <cmath>

namespace {

PointTemplateBase<int> truncated(PointTemplateBase<double> p)
{
    return {int(p.x), int(p.y)};
}

// The label seen top-down through a reversed row table, so that the fillers'
// image row y lands in label row height - 1 - y.
void fillTopDown(ClassData2DIO<int>& label, const auto& fill)
{
    std::vector<int*> table(std::size_t(label.height));
    for (int y = 0; y < label.height; ++y)
        table[std::size_t(y)] = label.rows[label.height - 1 - y];
    ClassData2DIO<int> view;
    view.data = label.data;
    view.rows = table.data();
    view.width = label.width;
    view.height = label.height;
    view.ownsData = view.ownsRows = false;
    fill(view);
}

} // namespace

std::wstring gUnitOf(double measureScale)
{
    return measureScale == 1.0 ? L"px" : L"mm";
}

bool gRasteriseRegion(const SavedOverlay& region, int width, int height, ClassData2DIO<int>& label)
{
    if (label.width != width || label.height != height || label.IsEmpty())
        label.SetDim(width, height);
    std::fill(label.data, label.data + std::size_t(width) * std::size_t(height), 0);
    std::vector<PointTemplateBase<int>> outline;
    for (const PointTemplateBase<double>& p : region.points)
        outline.push_back(truncated(p));
    switch (region.kind) {
    case 0:
    case 1: {
        if (outline.size() < 2)
            return false;
        const PointTemplateBase<int> a = outline[0];
        const PointTemplateBase<int> b = outline[1];
        if (region.kind == 1 && region.ellipse) {
            fillTopDown(label, [&](ClassData2DIO<int>& v) { DrawEcllipse(v, a.x, a.y, b.x, b.y, true, 1); });
            return true;
        }
        outline = {{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}};
        fillTopDown(label, [&](ClassData2DIO<int>& v) { FillPolygon(v, outline, 1); });
        return true;
    }
    case 3:
    case 5:
        fillTopDown(label, [&](ClassData2DIO<int>& v) { FillPolygon(v, outline, 1); });
        return true;
    case 4:
        fillTopDown(label, [&](ClassData2DIO<int>& v) { FillSpline(v, outline, 1); });
        return true;
    default:
        return false;
    }
}

RegionMeasures gMeasurePictureRegion(const MeasuredPicture& picture, const ClassData2DIO<int>& label, int key)
{
    return picture.raw ? gMeasureRawRegion(*picture.raw, label, key) : gMeasureGreyRegion(*picture.grey, label, key);
}

void gFillRegionValues(ResultRow& row, const RegionMeasures& m, bool raw, double measureScale)
{
    row.unit = gUnitOf(measureScale);
    row[ResultColumn::Area] = double(m.count) * measureScale * measureScale;
    row[ResultColumn::Mean] = m.mean;
    row[ResultColumn::Minimum] = m.minimum;
    row[ResultColumn::Maximum] = m.maximum;
    row[ResultColumn::Stdevp] = m.stdevp;
    row[ResultColumn::Stdev] = m.stdev;
    if (raw)
        return;
    row[ResultColumn::Snr] = m.snr;
    row[ResultColumn::Psnr] = m.psnr;
    row[ResultColumn::Entropy] = m.entropy;
    row[ResultColumn::Jnb] = m.jnb;
}

ResultRow gMeasureRegionRow(const SavedOverlay& region, const MeasuredPicture& picture, ClassData2DIO<int>& label)
{
    ResultRow row;
    row.picture = picture.name;
    row.kind = shownKindName(region.kind);
    row.label = region.label;
    if (gRasteriseRegion(region, picture.Width(), picture.Height(), label))
        gFillRegionValues(row, gMeasurePictureRegion(picture, label, 1), picture.raw != nullptr, picture.measureScale);
    return row;
}
