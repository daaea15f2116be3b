#include "pixorama/workbench/WindowProcessor.h"

#include "pixorama/common/RowSplit.h"
#include "pixorama/platform/System.h"
#include "pixorama/workbench/QEVClassicEnhanceRaw.h"
#include "pixorama/workbench/SFThread.h"

#include "FloatStretch.h"
#include "HotKernel.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

int mirrored(int k, int n)
{
    if (k < 0)
        k = -k;
    if (k >= n)
        k = 2 * n - k - 2;
    return std::clamp(k, 0, n - 1);
}

// How many windows of `size` centred on start, start + step, ... (below
// limit) cover each index of 0..extent-1.
std::vector<int> coverCounts(int extent, int start, int limit, int step, int size)
{
    std::vector<int> cover(std::size_t(extent) + 1, 0);
    for (int c = start; c < limit; c += step) {
        const int from = std::max(c - size / 2, 0);
        const int to = std::min(c - size / 2 + size, extent);
        if (from < to) {
            ++cover[std::size_t(from)];
            --cover[std::size_t(to)];
        }
    }
    int running = 0;
    for (int& v : cover) {
        running += v;
        v = running;
    }
    cover.pop_back();
    return cover;
}

// One row of means: the sums of the bands over the count of windows.
PIX_WB_HOT void meanRow(const int* const* bandRows, int bands, const int* colCover, int rowCover, float* out, int n)
{
    for (int x = 0; x < n; ++x) {
        int sum = 0;
        for (int k = 0; k < bands; ++k)
            sum += bandRows[k][x];
        const int count = rowCover * colCover[x];
        out[x] = count != 0 ? float(sum) / float(count) : 0.0f;
    }
}

} // namespace

int gWindowProcessThreads()
{
    return 2 * std::max(plat::processorCount(), 1);
}

void gPadMirrored(const ClassData2DIO<float>& picture, int pad, ClassData2DIO<float>& padded)
{
    const int w = picture.width;
    const int h = picture.height;
    padded.SetDim(w + 2 * pad, h + 2 * pad);
    RowSplit::run(padded.height, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const float* in = picture.rows[mirrored(y - pad, h)];
            float* out = padded.rows[y];
            for (int x = 0; x < pad; ++x) {
                out[x] = in[mirrored(x - pad, w)];
                out[pad + w + x] = in[mirrored(w + x, w)];
            }
            std::copy(in, in + w, out + pad);
        }
    });
}

bool gWindowProcess(const ClassData2DIO<float>& picture, ClassData2DIO<unsigned char>& out, int a, int b, int sr,
                    int sc, int threads)
{
    if (picture.IsEmpty() || a < 1 || b < 1 || sr < 1 || sc < 1)
        return false;
    const int w = picture.width;
    const int h = picture.height;
    const int p = std::max(a / 2, b / 2);
    ClassData2DIO<float> source;
    gPadMirrored(picture, p, source);

    // Strips of s = H / n rows; the last one also takes the H - n * s rows
    // that the division leaves, so every grid row is a centre exactly once.
    const int n = threads > 0 ? threads : gWindowProcessThreads();
    const int s = h / n;
    std::vector<std::unique_ptr<QEVClassicEnhanceRaw>> workers;
    for (int i = 0; i < n; ++i) {
        auto worker = std::make_unique<QEVClassicEnhanceRaw>();
        worker->source = &source;
        worker->firstRow = p + i * s;
        worker->endRow = i == n - 1 ? h + p - 1 : p + (i + 1) * s;
        worker->windowWidth = a;
        worker->windowHeight = b;
        worker->rowStep = sr;
        worker->columnStep = sc;
        worker->pad = p;
        workers.push_back(std::move(worker));
    }
    {
        std::vector<std::unique_ptr<SFThread>> pool;
        for (auto& worker : workers) {
            pool.push_back(std::make_unique<SFThread>(worker.get()));
            if (!pool.back()->Start())
                worker->Run(); // no thread to be had: the strip is done here
        }
        for (auto& thread : pool)
            thread->Join();
    }

    const std::vector<int> rowCover = coverCounts(source.height, p, h + p - 1, sr, b);
    const std::vector<int> colCover = coverCounts(source.width, p, w + p, sc, a);
    ClassData2DIO<float> mean;
    mean.SetDim(w, h);
    RowSplit::run(h, [&](int begin, int end) {
        std::vector<const int*> bandRows;
        for (int y = begin; y < end; ++y) {
            const int py = y + p;
            bandRows.clear();
            for (const auto& worker : workers) {
                const ClassData2DIO<int>& band = worker->Band();
                const int r = py - worker->BandTop();
                if (!band.IsEmpty() && r >= 0 && r < band.height)
                    bandRows.push_back(band.rows[r] + p);
            }
            meanRow(bandRows.data(), int(bandRows.size()), colCover.data() + p, rowCover[std::size_t(py)], mean.rows[y],
                    w);
        }
    });
    if (out.width != w || out.height != h || out.IsEmpty())
        out.SetDim(w, h);
    gStretchToBytes(mean, out, QEVClassicEnhanceRaw::minRange);
    return true;
}
