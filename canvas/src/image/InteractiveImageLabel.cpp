#include "pixorama/canvo/InteractiveImage.h"

#include "pixorama/common/RasterFill.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

// The polygon an overlay of a region kind covers; false when it has none.
bool regionOutline(Canvo& overlay, std::vector<PointTemplateBase<int>>& outline)
{
    std::vector<PointTemplateBase<int>> points;
    switch (overlay.kind) {
    case OverlayRect:
    case OverlayCustomRect: {
        if (!overlay.GetIntPoints(points) || points.size() < 2)
            return false;
        const PointTemplateBase<int> a = points[0];
        const PointTemplateBase<int> b = points[1];
        outline = {{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}};
        return true;
    }
    case OverlayPolygon:
    case OverlayFreeRegion:
        return overlay.GetIntPoints(outline) && !outline.empty();
    case OverlaySpline:
        return overlay.GetCurvePoints(outline) && !outline.empty();
    default:
        return false;
    }
}

// The bottom-up label seen top-down through a reversed row table, so the
// fillers' image row y lands in label row height - 1 - y without a flip.
class TopDownLabel {
public:
    explicit TopDownLabel(ClassData2DIO<int>& label) : table(std::size_t(label.height))
    {
        for (int y = 0; y < label.height; ++y)
            table[std::size_t(y)] = label.rows[label.height - 1 - y];
        image.data = label.data;
        image.rows = table.data();
        image.width = label.width;
        image.height = label.height;
        image.ownsData = image.ownsRows = false;
    }
    TopDownLabel(const TopDownLabel&) = delete;
    TopDownLabel& operator=(const TopDownLabel&) = delete;

    ClassData2DIO<int> image;

private:
    std::vector<int*> table;
};

} // namespace

void InteractiveImage::FillLabel(int value)
{
    std::fill(label.data, label.data + std::size_t(label.width) * std::size_t(label.height), value);
}

int InteractiveImage::GenerateLabel(bool selectedOnly)
{
    const int w = canvasSurface.Width();
    const int h = canvasSurface.Height();
    bool selectedSeen = false;
    int lastLabel = 0;
    bool materialised = false;
    for (const auto& overlay : overlays) {
        if (selectedOnly && !overlay->selected)
            continue;
        selectedSeen = true;
        std::vector<PointTemplateBase<int>> outline;
        if (!regionOutline(*overlay, outline))
            continue;
        if (!materialised) {
            if (label.width != w || label.height != h || label.IsEmpty()) {
                try {
                    label.SetDim(w, h);
                } catch (const std::bad_alloc&) {
                    label.Clear();
                    uniformLabel = -1;
                    return 1;
                }
            }
            FillLabel(0);
            materialised = true;
        }
        const int value = overlay->ordinal + 1;
        TopDownLabel target(label);
        if (overlay->kind == OverlayCustomRect && overlay->ellipse)
            DrawEcllipse(target.image, outline[0].x, outline[0].y, outline[2].x, outline[2].y, true, value);
        else
            FillPolygon(target.image, outline, value);
        lastLabel = value;
    }
    if (materialised) {
        uniformLabel = -1;
        return lastLabel;
    }
    // Nothing rasterised: every label is 1 (no overlays, or no selected one)
    // or 0 (the selected overlay is no region). Written only when asked for.
    uniformLabel = overlays.empty() || (selectedOnly && !selectedSeen) ? 1 : 0;
    return 1;
}

ClassData2DIO<int>& InteractiveImage::LabelImage()
{
    if (uniformLabel >= 0) {
        const int w = canvasSurface.Width();
        const int h = canvasSurface.Height();
        try {
            if (label.width != w || label.height != h || label.IsEmpty())
                label.SetDim(w, h);
            FillLabel(uniformLabel);
        } catch (const std::bad_alloc&) {
            label.Clear();
        }
        uniformLabel = -1;
    }
    return label;
}
