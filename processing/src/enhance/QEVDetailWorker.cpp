#include "pixorama/workbench/QEVDetailWorker.h"

#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/JobProgress.h"
#include "pixorama/workbench/WorkState.h"

#include "UiCall.h"

#include <cstring>
#include <system_error>

namespace {

constexpr int canvas = WorkState::workingCanvas;

bool holdsRaw()
{
    const FileType kind = gCVSGetFileType(canvas);
    return kind == FileRawOther || kind == FileFloat;
}

// Raw row i goes to canvas memory row H - 1 - i, grey. Drawn only onto a raw
// picture of the result's size, so a picture opened meanwhile is never
// overwritten by layers that belong to another one.
void draw(const QEVUCDATA2D& result)
{
    const int w = result.width;
    const int h = result.height;
    if (result.IsEmpty() || !holdsRaw() || gCVSGetCanvasWidth(canvas) != w || gCVSGetCanvasHeight(canvas) != h)
        return;
    unsigned** rows = gCVSCreateCanvasPixelPtr2D(canvas);
    if (rows == nullptr)
        return;
    for (int i = 0; i < h; ++i) {
        const unsigned char* v = result.rows[i];
        unsigned* px = rows[h - 1 - i];
        for (int x = 0; x < w; ++x)
            px[x] = (px[x] & 0xFF000000u) | unsigned(v[x]) * 0x010101u;
    }
    gCVSReleaseCanvasPixelPtr2D(canvas);
    gCTERRefreshAllView();
}

bool sameImage(const ClassData2DIO<float>& a, const ClassData2DIO<float>& b)
{
    if (a.width != b.width || a.height != b.height || a.IsEmpty() != b.IsEmpty())
        return false;
    for (int y = 0; y < a.height; ++y)
        if (std::memcmp(a.rows[y], b.rows[y], std::size_t(a.width) * sizeof(float)) != 0)
            return false;
    return true;
}

} // namespace

QEVDetailWorker& gDetailWorker()
{
    static QEVDetailWorker worker;
    return worker;
}

QEVDetailWorker::QEVDetailWorker()
{
    for (auto& w : weights)
        w.store(0.5f);
}

QEVDetailWorker::~QEVDetailWorker()
{
    // The program may end while a worker runs; it is left to the end of the
    // process rather than waited for on a user-interface thread that is gone.
    if (thread.joinable())
        thread.detach();
}

void QEVDetailWorker::SetWeight(int kind, float value)
{
    if (kind >= firstKind && kind <= lastKind)
        weights[std::size_t(kind - firstKind)].store(value);
}

float QEVDetailWorker::Weight(int kind) const
{
    return kind >= firstKind && kind <= lastKind ? weights[std::size_t(kind - firstKind)].load() : 0.0f;
}

bool QEVDetailWorker::Request(QProgressBar* bar)
{
    stale.store(true);
    bool idle = false;
    if (!busy.compare_exchange_strong(idle, true))
        return false; // the running worker sees the stale mark and runs again
    if (thread.joinable())
        thread.join(); // the last worker has finished its work; it is only leaving
    progress = JobProgress(bar);
    try {
        thread = std::thread([this] { Work(); });
    } catch (const std::system_error&) {
        busy.store(false);
        return false;
    }
    started.fetch_add(1);
    return true;
}

void QEVDetailWorker::Work()
{
    for (;;) {
        stale.store(false);
        RunOnce();
        busy.store(false);
        // A request that came while this run read its weights: run again,
        // unless the user-interface thread has meanwhile started a worker.
        bool idle = false;
        if (!stale.load() || !busy.compare_exchange_strong(idle, true))
            return;
    }
}

// Computes the layers of the raw picture in canvas 4; false when there is
// none. A picture replaced while they were computed marks the run stale,
// so that the worker starts over on the new one.
bool QEVDetailWorker::ComputeLayers()
{
    bool raw = false;
    ClassData2DIO<float> picture;
    gCallOnUiThread([&] {
        raw = holdsRaw();
        if (raw)
            picture = gCVSGetRaw(canvas);
    });
    if (!raw || picture.IsEmpty())
        return false;
    progress.SetRange(100);
    layers.Compute(picture, false, [this](int position) { progress.SetPos(position); });
    progress.SetPos(0);
    bool current = false;
    gCallOnUiThread([&] { current = holdsRaw() && sameImage(gCVSGetRaw(canvas), picture); });
    if (!current) {
        stale.store(true);
        return false;
    }
    gWorkState().detailLayersReady.store(true);
    return true;
}

void QEVDetailWorker::RunOnce()
{
    if (!gWorkState().detailLayersReady.load() && !ComputeLayers())
        return;
    if (layers.Empty())
        return;
    const float w[4] = {weights[0].load(), weights[1].load(), weights[2].load(), weights[3].load()};
    layers.Recombine(w, result);
    gCallOnUiThread([this] { draw(result); });
}
