#include "PlaneAccess.h"

#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/platform/Assert.h"
#include "pixorama/workbench/WorkState.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

template <typename T>
class DataPlane final : public PlaneAccess {
public:
    explicit DataPlane(ClassData2DIOGeneral<T>& image) : image(image) {}

    int Width() const override { return image.IsEmpty() ? 0 : image.width; }
    int Height() const override { return image.IsEmpty() ? 0 : image.height; }
    std::size_t PixelBytes() const override { return sizeof(T); }
    unsigned char* Row(int r) override { return reinterpret_cast<unsigned char*>(image.rows[r]); }
    void Resize(int width, int height) override
    {
        if (width > 0 && height > 0)
            image.SetDim(width, height);
        else
            image.Clear();
    }

private:
    ClassData2DIOGeneral<T>& image;
};

// The surface is sized through the canvas, which keeps its view in step.
class SurfacePlane final : public PlaneAccess {
public:
    explicit SurfacePlane(InteractiveImage& canvas) : canvas(canvas) {}

    int Width() const override { return canvas.canvasSurface.Exists() ? canvas.canvasSurface.Width() : 0; }
    int Height() const override { return canvas.canvasSurface.Exists() ? canvas.canvasSurface.Height() : 0; }
    std::size_t PixelBytes() const override { return sizeof(unsigned); }
    // Through the unannounced buffer: the history's own reads and writes
    // are not changes to record.
    unsigned char* Row(int r) override
    {
        const plat::Pixel* row = std::as_const(canvas.canvasSurface).Bitmap().row(r);
        return reinterpret_cast<unsigned char*>(const_cast<plat::Pixel*>(row));
    }
    void Resize(int width, int height) override { canvas.PrepareCanvas(width, height, false); }

private:
    InteractiveImage& canvas;
};

// A label image of one value, read only: every row is the same row.
class UniformLabelPlane final : public PlaneAccess {
public:
    UniformLabelPlane(int width, int height, int value) : height(height), row(std::size_t(width), value) {}

    int Width() const override { return int(row.size()); }
    int Height() const override { return height; }
    std::size_t PixelBytes() const override { return sizeof(int); }
    unsigned char* Row(int) override { return reinterpret_cast<unsigned char*>(row.data()); }
    void Resize(int, int) override { PIX_ASSERT(false, "a label image of one value is only read"); }

private:
    int height;
    std::vector<int> row;
};

std::unique_ptr<PlaneAccess> labelAccess(InteractiveImage& canvas, LabelUse use)
{
    const int uniform = canvas.UniformLabel();
    if (use == LabelUse::read && uniform >= 0 && canvas.canvasSurface.Exists())
        return std::make_unique<UniformLabelPlane>(canvas.canvasSurface.Width(), canvas.canvasSurface.Height(),
                                                   uniform);
    return std::make_unique<DataPlane<int>>(canvas.LabelImage());
}

std::array<QEVUCDATA2D*, colourPlaneCount> colourPlanes(WorkState& state)
{
    return {&state.sourceR, &state.sourceG, &state.sourceB, &state.grey, &state.resultR, &state.resultG, &state.resultB};
}

} // namespace

std::vector<std::unique_ptr<PlaneAccess>> PicturePlanes(InteractiveImage& canvas, WorkState& state, LabelUse label)
{
    std::vector<std::unique_ptr<PlaneAccess>> planes;
    planes.push_back(std::make_unique<SurfacePlane>(canvas));
    planes.push_back(std::make_unique<DataPlane<float>>(canvas.workingRaw));
    planes.push_back(std::make_unique<DataPlane<float>>(canvas.oriRaw));
    planes.push_back(label == LabelUse::none ? nullptr : labelAccess(canvas, label));
    for (QEVUCDATA2D* plane : colourPlanes(state))
        planes.push_back(std::make_unique<DataPlane<unsigned char>>(*plane));
    return planes;
}

int ColourPlaneIndex(WorkState& state, const QEVUCDATA2D& plane)
{
    const auto planes = colourPlanes(state);
    const auto found = std::find(planes.begin(), planes.end(), &plane);
    return found == planes.end() ? -1 : firstColourPlane + int(found - planes.begin());
}
