#include "pixorama/workbench/WorkState.h"

#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/tilemo/Tilemo.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Read only: the writable pixel pointers tell the history of a change.
const DibSurface& surfaceOf(int id)
{
    return std::as_const(CanvasTable::At(id)->canvasSurface);
}

bool hasPixels(int id)
{
    return surfaceOf(id).Exists() && surfaceOf(id).Width() > 0 && surfaceOf(id).Height() > 0;
}

// Planes of the size they already have keep their buffers: a fresh 16 MB
// buffer costs more in page faults than the copy itself.
void sizePlane(QEVUCDATA2D& plane, int w, int h)
{
    if (plane.width != w || plane.height != h || plane.rows == nullptr)
        plane.SetDim(w, h);
}

void copyPlane(QEVUCDATA2D& to, const QEVUCDATA2D& from)
{
    if (from.rows == nullptr || to.width != from.width || to.height != from.height || to.rows == nullptr) {
        to = from;
        return;
    }
    for (int y = 0; y < from.height; ++y)
        std::memcpy(to.rows[y], from.rows[y], std::size_t(from.width));
}

} // namespace

WorkState& gWorkState()
{
    static WorkState state;
    return state;
}

WorkState::WorkState()
{
    gCVSOnPictureChanged(workingCanvas, [this] { detailLayersReady = false; });
}

bool WorkState::CapturePlanes()
{
    if (planesCaptured)
        return true;
    const int id = workingCanvas;
    if (!hasPixels(id))
        return false;
    const int w = gCVSGetCanvasWidth(id);
    const int h = gCVSGetCanvasHeight(id);
    for (QEVUCDATA2D* plane : {&sourceR, &sourceG, &sourceB, &grey, &resultR, &resultG, &resultB}) {
        PlaneWillChange(*plane, true);
        sizePlane(*plane, w, h);
    }
    const plat::DibBitmap& surface = surfaceOf(id).Bitmap();
    for (int y = 0; y < h; ++y) {
        const unsigned* px = surface.row(y);
        unsigned char* r = sourceR.rows[y];
        unsigned char* g = sourceG.rows[y];
        unsigned char* b = sourceB.rows[y];
        unsigned char* k = grey.rows[y];
        for (int x = 0; x < w; ++x) {
            const unsigned p = px[x];
            b[x] = static_cast<unsigned char>(p & 0xFF);
            g[x] = static_cast<unsigned char>((p >> 8) & 0xFF);
            r[x] = static_cast<unsigned char>((p >> 16) & 0xFF);
            // Integer luma weights (0.299, 0.587, 0.114) so grey stays grey.
            k[x] = static_cast<unsigned char>((r[x] * 19595u + g[x] * 38470u + b[x] * 7471u + 32768u) >> 16);
        }
    }
    canvasWidth = w;
    canvasHeight = h;
    planesCaptured = true;
    ResetResult();
    return true;
}

void WorkState::PlaneWillChange(QEVUCDATA2D& plane, bool replaced)
{
    if (planeWatcher)
        planeWatcher->BeforePlaneChange(plane, replaced);
}

void WorkState::ResetResult()
{
    SetResult(sourceR, sourceG, sourceB);
}

void WorkState::SetResult(const QEVUCDATA2D& r, const QEVUCDATA2D& g, const QEVUCDATA2D& b)
{
    CopyInto(resultR, r);
    CopyInto(resultG, g);
    CopyInto(resultB, b);
}

void WorkState::CommitResult()
{
    CopyInto(sourceR, resultR);
    CopyInto(sourceG, resultG);
    CopyInto(sourceB, resultB);
}

void WorkState::CopyInto(QEVUCDATA2D& to, const QEVUCDATA2D& from)
{
    PlaneWillChange(to, true);
    copyPlane(to, from);
}

// Every pixel is written: from the result where labelled (keeping the top
// byte), else as it was, so the old pixels may live elsewhere meanwhile.
void WorkState::ShowResult()
{
    const int id = workingCanvas;
    const FileType kind = gCVSGetFileType(id);
    if (kind != FilePicture8 && kind != FileRawOther && kind != FileFloat)
        return;
    if (!hasPixels(id))
        return;
    gCVSGenerateLabel(id, true);
    const ClassData2DIO<int>& label = gCVSGetLabelIma(id);
    const int width = gCVSGetCanvasWidth(id);
    const int height = gCVSGetCanvasHeight(id);
    const int w = std::min({width, label.width, resultR.width, resultG.width, resultB.width});
    const int h = std::min({height, label.height, resultR.height, resultG.height, resultB.height});
    const unsigned* old = planeWatcher ? planeWatcher->BeforeSurfaceRewrite() : nullptr;
    unsigned** rows = gCVSCreateCanvasPixelPtr2D(id);
    for (int y = 0; y < height; ++y) {
        unsigned* px = rows[y];
        const unsigned* was = old ? old + std::size_t(y) * std::size_t(width) : px;
        const int shown = y < h ? w : 0;
        if (shown > 0) {
            const int* lab = label.rows[y];
            const unsigned char* r = resultR.rows[y];
            const unsigned char* g = resultG.rows[y];
            const unsigned char* b = resultB.rows[y];
            for (int x = 0; x < shown; ++x)
                px[x] = lab[x] > 0 ? (was[x] & 0xFF000000u) | (unsigned(r[x]) << 16) | (unsigned(g[x]) << 8) | b[x] : was[x];
        }
        if (old)
            std::copy(was + shown, was + width, px + shown);
    }
    gCVSReleaseCanvasPixelPtr2D(id);
    gCTERRefreshAllView();
}

void WorkState::PictureReplaced()
{
    planesCaptured = false;
    detailLayersReady = false;
}
