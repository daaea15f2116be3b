#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/SegmentSequence.h"
#include "pixorama/workbench/SequenceOps.h"
#include "pixorama/workbench/Segmentation.h"
#include "pixorama/workbench/WatershedCore.h"
#include "pixorama/workbench/WorkState.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/Translation.h"

#include <cstdio>

namespace {

void SimpleWatershedOnRed(ColourPlanes planes)
{
    const std::vector<int> labels = SimpleWatershed(planes.r.data, planes.Width(), planes.Height());
    DrawBasinBorders(labels, planes, 255, 0, 0);
}

void ColourWatershedMeans(ColourPlanes planes)
{
    PaintBasinMeans(ColourWatershed(planes), planes);
}

// Runs op on copies of the captured planes; only a complete result reaches
// the result planes and the screen. A core failure is shown with its text.
void RunOnPlanes(void (*op)(ColourPlanes))
{
    WorkState& state = gWorkState();
    if (gCVSGetFileType(WorkState::workingCanvas) == FileNothing || !state.CapturePlanes()) {
        plat::messageBox(L"没有图像");
        return;
    }
    QEVUCDATA2D r(state.sourceR), g(state.sourceG), b(state.sourceB);
    try {
        op(ColourPlanes{r, g, b});
    } catch (const std::exception& failure) {
        plat::messageBox(plat::toWide(failure.what()));
        return;
    }
    state.SetResult(r, g, b);
    state.ShowResult();
}

void Report(const SequenceOutcome& outcome)
{
    if (outcome.folderMissing) {
        plat::messageBox(L"无法创建输出文件夹");
        return;
    }
    wchar_t text[128];
    std::swprintf(text, 128, plat::tr(L"完成：写出 %d 个文件，跳过 %d 个无法读取或写入的文件").c_str(), outcome.written,
                  outcome.skipped);
    plat::messageBox(text);
}

// The browser's sequence; an empty one is said before anything is asked.
bool TakeSequence(std::vector<std::wstring>& files)
{
    files = SequenceFiles();
    if (files.empty())
        plat::messageBox(L"没有序列图像");
    return !files.empty();
}

template <typename Run>
void ReportRun(Run run)
{
    try {
        Report(run());
    } catch (const std::exception& failure) {
        plat::messageBox(plat::toWide(failure.what()));
    }
}

void SegmentSequence()
{
    std::vector<std::wstring> files;
    if (TakeSequence(files))
        ReportRun([&files] { return SegmentSequenceFiles(files); });
}

void SupplementSequence()
{
    std::vector<std::wstring> files;
    tagQEVImaLoadPara para;
    if (!TakeSequence(files) || !gDlgGetImaLoadPara(para))
        return;
    const RawFrameShape shape{para.InImaW, para.InImaH, para.skipBytes};
    ReportRun([&files, &shape] { return SupplementSequenceFiles(files, shape); });
}

} // namespace

void RunSegmentCommand(int id)
{
    switch (id) {
    case 2526: RunOnPlanes(GlobalBinarize); break;
    case 2528: RunOnPlanes(LocalBinarize); break;
    case 2530: RunOnPlanes(ColourWatershedMeans); break;
    case 2531: RunOnPlanes(SimpleWatershedOnRed); break;
    case 2532: SegmentSequence(); break;
    case 2534: RunOnPlanes(OutlineLocalBinarize); break;
    case 2544: SupplementSequence(); break;
    default: break; // 2524 "开始" and the ids no command names
    }
}
