// Cone-beam reconstruction of raw projection files.
#include "pixorama/workbench/ConeReconstruction.h"
#include "pixorama/workbench/SequenceJob.h"

#include "FileList.h"
#include "pixorama/common/RawFrame.h"

#include "pixorama/common/RowSplit.h"
#include "pixorama/platform/Strings.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

namespace {

// Slices back-projected together: more share each pass over the views,
// up to a volume buffer of 512 MB.
int sliceRunFor(int size)
{
    const long long perSlice = 4LL * size * size;
    return int(std::clamp((512LL << 20) / perSlice, 8LL, 128LL));
}
constexpr int readBlock = 16;

// Cut, corrected frame of the detector rows rowBegin ... rowEnd - 1.
void correctFrame(ClassData2DIO<float>& raw, const ConeScan& scan, int rowBegin, int rowEnd, ClassData2DIO<float>& out)
{
    const CtGeometry& g = scan.geometry;
    ClassData2DIO<float> cut;
    cut.SetDim(g.columns, g.rows);
    for (int r = 0; r < g.rows; ++r)
        std::copy_n(raw.rows[r + scan.cutEnds] + scan.cutSides, g.columns, cut.rows[r]);
    if (scan.speckles)
        RemoveSpeckles(cut);
    if (scan.useLog)
        LogConvert(cut, scan.i0, scan.fixedI0);
    CorrectBeamHardening(cut, scan.hardening);
    out.SetDim(g.columns, rowEnd - rowBegin);
    for (int r = rowBegin; r < rowEnd; ++r)
        std::copy_n(cut.rows[r], g.columns, out.rows[r - rowBegin]);
}

} // namespace

bool LoadConeFrames(const std::vector<CString>& files, const ConeScan& scan, int rowBegin, int rowEnd,
                    std::vector<ClassData2DIO<float>>& frames, SequenceJob& job)
{
    const CtGeometry& g = scan.geometry;
    if (int(files.size()) < g.views) {
        job.Message(L"投影文件个数少于投影角度数");
        return false;
    }
    const RawLayout layout{scan.frameWidth, scan.frameHeight, scan.pixelType, true};
    frames.assign(std::size_t(g.views), {});
    std::vector<char> bad(std::size_t(g.views), 0);
    for (int v0 = 0; v0 < g.views; v0 += readBlock) {
        if (job.Cancelled())
            return false;
        const int v1 = std::min(g.views, v0 + readBlock);
        RowSplit::run(v1 - v0, scan.threads > 0 ? scan.threads : RowSplit::threadCount(), [&](int begin, int end) {
            ClassData2DIO<float> raw;
            for (int v = v0 + begin; v < v0 + end; ++v) {
                if (ReadRawFrame(files[std::size_t(v)], layout, raw) != FrameStatus::Ok)
                    bad[std::size_t(v)] = 1;
                else
                    correctFrame(raw, scan, rowBegin, rowEnd, frames[std::size_t(v)]);
            }
        });
        job.SetPosition(v1);
    }
    FileList unreadable;
    for (int v = 0; v < g.views; ++v)
        if (bad[std::size_t(v)])
            unreadable.Add(files[std::size_t(v)]);
    if (unreadable.Empty())
        return true;
    job.Message(unreadable.Text(L"以下投影文件不存在或长度不足，重建没有进行："));
    return false;
}

bool ReconstructConeFiles(const std::vector<CString>& files, const ConeScan& scan, const std::vector<int>& wanted,
                          const std::function<bool(int, const ClassData2DIO<float>&)>& done, SequenceJob& job)
{
    const CtGeometry& g = scan.geometry;
    std::vector<int> slices = wanted;
    std::sort(slices.begin(), slices.end());
    slices.erase(std::unique(slices.begin(), slices.end()), slices.end());
    if (slices.empty() || slices.front() < 0 || slices.back() >= g.size) {
        job.Message(L"重建层的位置超出重建图像范围");
        return false;
    }
    if (scan.cudaAsked)
        job.Message(L"没有可用的CUDA设备，改用处理器重建");
    int rowBegin = 0, rowEnd = 0;
    FdkProjections::RowsFor(g, slices.front(), slices.back() - slices.front() + 1, rowBegin, rowEnd);
    if (rowEnd <= rowBegin) {
        job.Message(L"重建层不在探测器视野内");
        return false;
    }
    // Runs of nearby slices, each back-projected in one pass over the views.
    const int sliceRun = sliceRunFor(g.size);
    std::vector<std::pair<int, int>> runs;
    for (std::size_t i = 0; i < slices.size();) {
        std::size_t j = i;
        while (j + 1 < slices.size() && slices[j + 1] < slices[i] + sliceRun)
            ++j;
        runs.emplace_back(slices[i], slices[j] - slices[i] + 1);
        i = j + 1;
    }
    job.SetRange(g.views * int(2 + runs.size()));
    job.SetPosition(0);
    std::vector<ClassData2DIO<float>> frames;
    if (!LoadConeFrames(files, scan, rowBegin, rowEnd, frames, job))
        return false;
    if (scan.rings)
        RemoveRings(frames);
    int offset = g.views;
    const ReconProgress progress = [&](int views) {
        job.SetPosition(offset + views);
        return !job.Cancelled();
    };
    FdkProjections fdk;
    if (!fdk.Prepare(frames, rowBegin, g, scan.ramp, scan.threads, progress))
        return false;
    std::size_t next = 0;
    for (const auto& [first, count] : runs) {
        offset += g.views;
        std::vector<ClassData2DIO<float>> out;
        if (!fdk.BackProject(first, count, out, scan.threads, progress))
            return false;
        for (; next < slices.size() && slices[next] < first + count; ++next)
            if (!done(slices[next], out[std::size_t(slices[next] - first)]))
                return false;
    }
    job.SetPosition(0);
    return true;
}

bool WriteConeSlice(const CString& outDir, int slice, const ClassData2DIO<float>& image, int outPixelType)
{
    char name[32];
    std::snprintf(name, sizeof name, "%05d.raw", slice);
    const RawLayout layout{image.width, image.height, outPixelType == 1 ? 1 : 0, true};
    if (layout.pixelType == 1)
        return WriteRawFrame(plat::toPath(outDir) / name, image, layout);
    ClassData2DIO<float> scaled = image;
    for (int y = 0; y < scaled.height; ++y)
        for (float* p = scaled.rows[y]; p < scaled.rows[y] + scaled.width; ++p)
            *p *= 10000.0f;
    return WriteRawFrame(plat::toPath(outDir) / name, scaled, layout);
}
