#include "pixorama/workbench/MeasureSequence.h"

#include "EachRawFrame.h"

#include "pixorama/platform/Strings.h"
#include "pixorama/workbench/RegionMeasure.h"
#include "pixorama/workbench/RegionStatistics.h"
#include "pixorama/workbench/SequenceJob.h"

#include <new>

namespace {

struct PreparedRegion {
    const SavedOverlay* overlay;
    std::vector<RegionSpan> spans;
};

// The runs of every region, found once for the whole sequence.
std::vector<PreparedRegion> prepare(const RegionSet& set)
{
    std::vector<PreparedRegion> regions;
    ClassData2DIO<int> label;
    for (const SavedOverlay& overlay : set.overlays)
        if (gRasteriseRegion(overlay, set.width, set.height, label))
            regions.push_back({&overlay, gRegionSpans(label, 1, set.width, set.height)});
    return regions;
}

} // namespace

bool MeasureSequence(const std::vector<CString>& files, const tagQEVImaLoadPara& load, const RegionSet& set,
                     ResultsTable& table, SequenceJob& job)
{
    const RawLayout layout{load.InImaW, load.InImaH, load.InImaPixelType, load.bLittleEndian != 0};
    if (layout.width <= 0 || layout.height <= 0 || layout.ElementBytes() == 0) {
        job.Message(L"图像尺寸无效");
        return false;
    }
    if (layout.width != set.width || layout.height != set.height) {
        job.Message(L"区域文件的图像尺寸为 " + std::to_wstring(set.width) + L" × " + std::to_wstring(set.height) +
                    L"，与图像尺寸 " + std::to_wstring(layout.width) + L" × " + std::to_wstring(layout.height) +
                    L" 不同");
        return false;
    }
    FileList skipped;
    try {
        const std::vector<PreparedRegion> regions = prepare(set);
        const auto measure = [&](std::size_t i, const ClassData2DIO<float>& frame) {
            const std::wstring name = plat::toPath(files[i]).filename().wstring();
            for (const PreparedRegion& region : regions) {
                ResultRow row;
                row.picture = name;
                row.kind = shownKindName(region.overlay->kind);
                row.label = region.overlay->label;
                gFillRegionValues(row, gMeasureRawSpans(frame, region.spans), true, set.measureScale);
                table.Put(row);
            }
        };
        if (!ForEachRawFrame(files, layout, job, skipped, measure))
            return false;
    } catch (const std::bad_alloc&) {
        job.Message(L"内存不足，无法测量");
        return false;
    }
    if (!skipped.Empty())
        job.Message(skipped.Text(L"以下文件未能读取，未测量："));
    return skipped.Empty();
}
