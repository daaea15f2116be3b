#include "ReconCommandTools.h"

#include "pixorama/workbench/ConeReconstruction.h"
#include "pixorama/workbench/ProgressBarFeedback.h"
#include "pixorama/workbench/SequenceOps.h"
#include "pixorama/workbench/WorkState.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"
#include "pixorama/tilemo/Tilemo.h"

#include <filesystem>

std::unique_ptr<JobFeedback> ReconFeedback()
{
    return std::make_unique<ProgressBarFeedback>(gWorkState().progress);
}

bool CanvasPicture(ClassData2DIO<float>& picture)
{
    const ClassData2DIO<float>& raw = gCVSGetRawOri(WorkState::workingCanvas);
    if (!raw.IsEmpty()) {
        picture = raw;
        return true;
    }
    WorkState& state = gWorkState();
    if (!state.CapturePlanes() || state.grey.width <= 0 || state.grey.height <= 0) {
        plat::messageBox(L"画布中没有图像");
        return false;
    }
    // The planes run bottom-up.
    picture.SetDim(state.grey.width, state.grey.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.rows[y][x] = state.grey.rows[picture.height - 1 - y][x];
    return true;
}

void ShowInCanvas(ClassData2DIO<float> image)
{
    auto shared = std::make_shared<ClassData2DIO<float>>(std::move(image));
    plat::runOnUiThread([shared] {
        gCVSShowRawFloat(WorkState::workingCanvas, *shared, true, true);
        gWorkState().PictureReplaced();
        gCTERRefreshAllView();
    });
}

bool SequenceScan(const tagQEVImaVolumeRecPara& record, std::vector<CString>& files, ConeScan& scan)
{
    files = SequenceFiles();
    CString error;
    if (ConeScanFromRecord(record, int(files.size()), scan, error))
        return true;
    plat::messageBox(files.empty() ? CString(L"没有序列图像") : error);
    return false;
}

void StartConeReconstruction(const tagQEVImaVolumeRecPara& record, bool halfFan)
{
    std::vector<CString> files;
    ConeScan scan;
    if (!SequenceScan(record, files, scan))
        return;
    if (halfFan) {
        scan.geometry.halfFan = true;
        scan.geometry.pixel = scan.geometry.fieldPixel();
    }
    if (scan.slices.empty()) {
        plat::messageBox(L"重建层的位置超出重建图像范围");
        return;
    }
    const bool toFiles = scan.slices.size() > 1;
    if (toFiles && (scan.saveDir.empty() || scan.saveDir == L"NULL")) {
        plat::messageBox(L"没有选择文件保存目录");
        return;
    }
    StartSequenceJob(ReconFeedback(), [files = std::move(files), scan, toFiles](SequenceJob& job) {
        std::error_code ignored;
        if (toFiles)
            std::filesystem::create_directories(plat::toPath(scan.saveDir), ignored);
        const bool done = ReconstructConeFiles(files, scan, scan.slices, [&](int k, const ClassData2DIO<float>& slice) {
            if (!toFiles) {
                ShowInCanvas(slice);
                return true;
            }
            if (WriteConeSlice(scan.saveDir, k, slice, scan.outPixelType))
                return true;
            job.Message(L"无法写入文件：" + scan.saveDir);
            return false;
        }, job);
        if (done && toFiles)
            job.Message(L"重建完成");
    });
}
