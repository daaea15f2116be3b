#include "EditCommands.h"

#include "EditRequest.h"

#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/common/QEVFLOATDATA2D.h"
#include "pixorama/common/QEVUCDATA2D.h"
#include "pixorama/common/Resize.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/RawWindow.h"
#include "pixorama/workbench/WorkState.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int canvas = WorkState::workingCanvas;

enum : int { Crop = 2375, MirrorLR = 2376, MirrorTB = 2377, Negative = 2378, Scale = 2384 };

// 8-bit planes resample through float and are truncated back; the float
// images are shared by the three planes of a picture.
struct PlaneResampler {
    ClassData2DIO<float> wide;
    ClassData2DIO<float> out;

    void operator()(QEVUCDATA2D& plane, int w, int h)
    {
        if (wide.width != plane.width || wide.height != plane.height)
            wide.SetDim(plane.width, plane.height);
        if (out.width != w || out.height != h)
            out.SetDim(w, h);
        for (int y = 0; y < plane.height; ++y)
            std::copy(plane.rows[y], plane.rows[y] + plane.width, wide.rows[y]);
        ResizeMC(&wide, &out);
        plane.SetDim(w, h);
        for (int y = 0; y < h; ++y) {
            const float* in = out.rows[y];
            unsigned char* row = plane.rows[y];
            for (int x = 0; x < w; ++x)
                row[x] = static_cast<unsigned char>(std::clamp(in[x], 0.0f, 255.0f));
        }
    }
};

void resample(QEVUCDATA2D& plane, int w, int h)
{
    PlaneResampler{}(plane, w, h);
}

void resample(QEVFLOATDATA2D& image, int w, int h)
{
    image.ResizeTo(w, h);
}

void negate(QEVUCDATA2D& plane)
{
    plane.Negative();
}

// The working raw runs over 0..65535.
void negate(QEVFLOATDATA2D& image)
{
    for (int y = 0; y < image.height; ++y)
        for (float* p = image.rows[y]; p < image.rows[y] + image.width; ++p)
            *p = 65535.0f - *p;
}

// crop is in the image's own row order.
template <class Image>
void apply(Image& image, const EditRequest& request, QEVRECT crop)
{
    switch (request.id) {
    case Crop:
        image.Crop(crop);
        break;
    case MirrorLR:
        image.MirrorLR();
        break;
    case MirrorTB:
        image.MirrorTB();
        break;
    case Negative:
        negate(image);
        break;
    case Scale:
        resample(image, request.width, request.height);
        break;
    default:
        break;
    }
}

void runColour(int id)
{
    EditRequest request;
    if (!request.Ask(id, gCVSGetCanvasWidth(canvas), gCVSGetCanvasHeight(canvas)))
        return;
    WorkState& state = gWorkState();
    if (!state.CaptureAndResetResult())
        return;
    // The planes are bottom-up, as the canvas memory is.
    const int h = state.canvasHeight;
    QEVRECT crop = request.crop;
    crop.SetValue(request.crop.left, request.crop.right, h - 1 - request.crop.bottom, h - 1 - request.crop.top);
    PlaneResampler resampler;
    for (QEVUCDATA2D* plane : {&state.resultR, &state.resultG, &state.resultB}) {
        if (id == Scale)
            resampler(*plane, request.width, request.height);
        else
            apply(*plane, request, crop);
    }
    state.ShowResult();
}

void runRaw(int id)
{
    const ClassData2DIO<float>& raw = gCVSGetRaw(canvas);
    EditRequest request;
    if (!request.Ask(id, raw.width, raw.height))
        return;
    // The canvas lends its working raw; the command works on a copy (only
    // the cropped part of it for a crop).
    const QEVRECT& area = request.crop;
    const bool crop = id == Crop;
    const int x0 = crop ? area.left : 0;
    const int y0 = crop ? area.top : 0;
    const int w = crop ? area.right - area.left + 1 : raw.width;
    const int h = crop ? area.bottom - area.top + 1 : raw.height;
    QEVFLOATDATA2D image;
    image.SetDim(w, h);
    for (int y = 0; y < h; ++y)
        std::memcpy(image.rows[y], raw.rows[y0 + y] + x0, std::size_t(w) * sizeof(float));
    if (!crop)
        apply(image, request, request.crop);
    gCVSShowRawFloat(canvas, image, true, true);
    gCTERRefreshAllView();
    ShowRawHistogram();
}

} // namespace

void RunEditCommand(int id)
{
    switch (gCVSGetFileType(canvas)) {
    case FilePicture8:
        runColour(id);
        break;
    case FileRawOther:
    case FileFloat:
        runRaw(id);
        break;
    default:
        plat::messageBox(L"没有图像");
        break;
    }
}
