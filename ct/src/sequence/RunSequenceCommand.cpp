// The menu commands "序列图像相加" (2379), "序列图像剪切" (2380) and
// "格式转化" (2383).
#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/CommandIds.h"
#include "pixorama/workbench/ProgressBarFeedback.h"
#include "pixorama/workbench/SequenceJob.h"
#include "pixorama/workbench/SequenceOps.h"
#include "pixorama/workbench/WorkState.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/tilemo/Tilemo.h"

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<JobFeedback> statusBarFeedback()
{
    return std::make_unique<ProgressBarFeedback>(gWorkState().progress);
}

void averageCommand()
{
    const std::vector<CString> files = SequenceFiles();
    if (files.size() < 2) {
        plat::messageBox(L"没有两个以上的图像");
        return;
    }
    tagQEVImaLoadPara load;
    if (!gDlgGetImaLoadPara(load))
        return;
    const auto feedback = statusBarFeedback();
    SequenceJob job(*feedback);
    ClassData2DIO<float> mean;
    AverageSequence(files, load, mean, job);
    if (mean.IsEmpty())
        return;
    gCVSShowRawFloat(WorkState::workingCanvas, mean, true, true);
    gCTERRefreshAllView();
}

void cutCommand()
{
    std::vector<CString> files = SequenceFiles();
    if (files.empty())
        return;
    tagQEVImaLoadPara load;
    tagQEVImaROIRectPara rect;
    if (!gDlgGetImaLoadPara(load) || !gDlgGetImaROIRectPara(rect))
        return;
    StartSequenceJob(statusBarFeedback(), [files = std::move(files), load, rect](SequenceJob& job) {
        CutSequence(files, load, rect, IndexRange{}, job);
    });
}

// The conversion keeps the last dialog values and sequence for the run of
// the program; each worker converts its own copy.
tagQEVImaFormatPara& conversionRecord()
{
    static tagQEVImaFormatPara record;
    return record;
}

void convertCommand()
{
    tagQEVImaFormatPara& record = conversionRecord();
    if (!gDlgGetImaFormatPara(record))
        return;
    const std::vector<CString> files = SequenceFiles();
    if (files.empty()) {
        plat::messageBox(L"没有序列图像");
        return;
    }
    record.Files = files;
    if (record.OutDir == L"NULL") {
        plat::messageBox(L"没有选择文件保存目录");
        return;
    }
    if (record.OutImaPixelType >= 2 && record.bUseMapRange != 0) {
        record.MapRangeLowOut = std::max(record.MapRangeLowOut, 0.0f);
        record.MapRangeHighOut = std::min(record.MapRangeHighOut, 255.0f);
    }
    ConvertOptions options;
    options.window = CurrentDisplayWindow();
    options.enhance = BatchDetailEnhancer();
    StartSequenceJob(statusBarFeedback(), [para = record, options](SequenceJob& job) mutable {
        ConvertSequence(para, options, job);
    });
}

} // namespace

void RunSequenceCommand(int id)
{
    switch (id) {
    case ID_SEQUENCE_ADD: averageCommand(); break;
    case ID_SEQUENCE_CUT: cutCommand(); break;
    case ID_CONVERT_FORMAT: convertCommand(); break;
    default: break;
    }
}
