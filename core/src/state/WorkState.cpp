#include "pixorama/workbench/WorkState.h"

#include "HotKernel.h"
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/tilemo/Tilemo.h"

#include <algorithm>
#include <cstdint>
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

// A run of captured pixels: red, green, blue and grey. Made in local
// buffers, as the planes' rows lie at the same offsets within memory pages
// as the surface's and a loop storing to them would stall its own loads.
struct CapturedRun {
    static constexpr int size = 256;
    alignas(64) unsigned char channel[4][size];
};

// n pixels from px into run.
PIX_WB_HOT_WIDE void captureRun(const unsigned* __restrict px, int n, CapturedRun& run)
{
    unsigned char* __restrict r = run.channel[0];
    unsigned char* __restrict g = run.channel[1];
    unsigned char* __restrict b = run.channel[2];
    unsigned char* __restrict k = run.channel[3];
    for (int x = 0; x < n; ++x) {
        const unsigned p = px[x];
        // 16-bit channels: the products below widen 16 to 32 bits.
        const std::uint16_t blue = p & 0xFF, green = (p >> 8) & 0xFF, red = (p >> 16) & 0xFF;
        b[x] = static_cast<unsigned char>(blue);
        g[x] = static_cast<unsigned char>(green);
        r[x] = static_cast<unsigned char>(red);
        // Integer luma weights (0.299, 0.587, 0.114) so grey stays grey.
        const std::uint32_t luma =
            std::uint32_t(red) * 19595u + std::uint32_t(green) * 38470u + std::uint32_t(blue) * 7471u + 32768u;
        k[x] = static_cast<unsigned char>(luma >> 16);
    }
}

// f(run, y, x, n) on each run of n pixels from column x of row y of the
// surface's w x h pixels while f returns true; false when f stopped.
template <typename F>
bool forEachCapturedRun(const plat::DibBitmap& surface, int w, int h, F f)
{
    CapturedRun run;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; x += CapturedRun::size) {
            const int n = std::min(CapturedRun::size, w - x);
            captureRun(surface.row(y) + x, n, run);
            if (!f(run, y, x, n))
                return false;
        }
    return true;
}

// The red, green, blue and grey planes a capture writes.
using CapturedPlanes = QEVUCDATA2D* const[4];

// True when capturing the surface's w x h pixels would leave the planes
// exactly as they are, as for a picture shown from them ("重新打开图像"):
// they are then kept, unwritten. A different picture differs within its
// first rows, so the check costs little there.
bool holdCaptureOf(const plat::DibBitmap& surface, int w, int h, CapturedPlanes& planes)
{
    for (const QEVUCDATA2D* plane : planes)
        if (plane->width != w || plane->height != h || plane->rows == nullptr)
            return false;
    return forEachCapturedRun(surface, w, h, [&planes](const CapturedRun& run, int y, int x, int n) {
        for (int c = 0; c < 4; ++c)
            if (std::memcmp(planes[c]->rows[y] + x, run.channel[c], std::size_t(n)) != 0)
                return false;
        return true;
    });
}

// n pixels of a surface row from the result planes where lab is above 0 (or
// lab is null), keeping the top byte of was; the others as in was.
void showRow(unsigned* px, const unsigned* was, const int* lab, const unsigned char* r,
             const unsigned char* g, const unsigned char* b, int n)
{
    auto shown = [&](int x) { return (was[x] & 0xFF000000u) | (unsigned(r[x]) << 16) | (unsigned(g[x]) << 8) | b[x]; };
    if (!lab) {
        for (int x = 0; x < n; ++x)
            px[x] = shown(x);
        return;
    }
    for (int x = 0; x < n; ++x)
        px[x] = lab[x] > 0 ? shown(x) : was[x];
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
    const plat::DibBitmap& surface = surfaceOf(id).Bitmap();
    CapturedPlanes planes = {&sourceR, &sourceG, &sourceB, &grey};
    if (!holdCaptureOf(surface, w, h, planes)) {
        for (QEVUCDATA2D* plane : {&sourceR, &sourceG, &sourceB, &grey, &resultR, &resultG, &resultB}) {
            PlaneWillChange(*plane, true);
            sizePlane(*plane, w, h);
        }
        forEachCapturedRun(surface, w, h, [&planes](const CapturedRun& run, int y, int x, int n) {
            for (int c = 0; c < 4; ++c)
                std::memcpy(planes[c]->rows[y] + x, run.channel[c], std::size_t(n));
            return true;
        });
    }
    canvasWidth = w;
    canvasHeight = h;
    planesCaptured = true;
    ResetResult();
    return true;
}

bool WorkState::CaptureAndResetResult()
{
    if (!planesCaptured)
        return CapturePlanes();
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
// byte), else as it was, so the old pixels may live elsewhere meanwhile. A
// label image of one value is not written out: lab is then null, and every
// pixel labelled.
void WorkState::ShowResult()
{
    const int id = workingCanvas;
    const FileType kind = gCVSGetFileType(id);
    if (kind != FilePicture8 && kind != FileRawOther && kind != FileFloat)
        return;
    if (!hasPixels(id))
        return;
    gCVSGenerateLabel(id, true);
    const int uniform = CanvasTable::At(id)->UniformLabel();
    const ClassData2DIO<int>* label = uniform >= 0 ? nullptr : &gCVSGetLabelIma(id);
    const int width = gCVSGetCanvasWidth(id);
    const int height = gCVSGetCanvasHeight(id);
    const int w = std::min({width, label ? label->width : width, resultR.width, resultG.width, resultB.width});
    const int h = uniform == 0 ? 0 : std::min({height, label ? label->height : height, resultR.height, resultG.height, resultB.height});
    const unsigned* old = planeWatcher ? planeWatcher->BeforeSurfaceRewrite() : nullptr;
    unsigned** rows = gCVSCreateCanvasPixelPtr2D(id);
    for (int y = 0; y < height; ++y) {
        unsigned* px = rows[y];
        const unsigned* was = old ? old + std::size_t(y) * std::size_t(width) : px;
        const int shown = y < h ? w : 0;
        if (shown > 0)
            showRow(px, was, label ? label->rows[y] : nullptr, resultR.rows[y], resultG.rows[y], resultB.rows[y], shown);
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
