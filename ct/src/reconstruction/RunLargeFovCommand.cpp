// The menu "大视场重建": stitching the two lists of the browser, ending it,
// weighting an offset-detector projection, and extracting a sinogram.
#include "BeamWeights.h"
#include "ReconCommandTools.h"

#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/CommandIds.h"
#include "pixorama/workbench/ConeReconstruction.h"
#include "pixorama/workbench/ProjectionStitch.h"
#include "pixorama/workbench/Sinogram.h"
#include "pixorama/workbench/WorkState.h"

#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/platform/Modal.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

// Records the stitching and sinogram workers read until they end.
tagQEVImaPairPara& pairRecord()
{
    static tagQEVImaPairPara record;
    return record;
}

tagQEVImaRowDataPara& rowRecord()
{
    static tagQEVImaRowDataPara record;
    return record;
}

std::vector<CString> listOf(std::vector<CString>* files)
{
    return files != nullptr ? *files : std::vector<CString>{};
}

// 2475: the first list of the browser holds the left images, the second the right.
void stitchStart()
{
    if (SequenceJobsRunning()) {
        plat::messageBox(L"拼接正在进行");
        return;
    }
    tagQEVImaPairPara& record = pairRecord();
    if (!gDlgGetImaPairPara(record))
        return;
    record.LeftFiles = listOf(gLayOutOneGetFilesInOne());
    record.RightFiles = listOf(gLayOutOneGetFilesInTwo());
    record.ProgressCtrl = gWorkState().progress;
    if (record.LeftFiles.empty()) {
        plat::messageBox(L"没有序列图像");
        return;
    }
    gFilesConcatenate(record);
}

// 2478: the projection in canvas 4 weighted for a half-fan reconstruction
// with the reconstruction record's geometry.
void weightCommand()
{
    ClassData2DIO<float> projection;
    tagQEVImaVolumeRecPara record;
    if (!CanvasPicture(projection) || !gDlgGetFDKRecPara(record))
        return;
    ConeScan scan;
    CString error;
    // The whole detector is the projection and its cuts; one that does not
    // fit in an int is refused like any other invalid size.
    const std::int64_t widthOri = projection.width + 2 * std::int64_t(std::max(record.m_DRHCut, 0));
    const std::int64_t heightOri = projection.height + 2 * std::int64_t(std::max(record.m_DRVCut, 0));
    if (widthOri > INT_MAX || heightOri > INT_MAX) {
        plat::messageBox(L"投影图像大小或切除参数无效");
        return;
    }
    record.m_widthOri = int(widthOri);
    record.m_heightOri = int(heightOri);
    if (!ConeScanFromRecord(record, std::max(record.m_viewnum, 1), scan, error)) {
        plat::messageBox(error);
        return;
    }
    CtGeometry g = scan.geometry;
    g.columns = projection.width;
    g.rows = projection.height;
    g.halfFan = true;
    StartSequenceJob(ReconFeedback(), [projection, g](SequenceJob&) mutable {
        const std::vector<double> weights = HalfFanWeights(g);
        for (int y = 0; y < projection.height; ++y)
            for (int x = 0; x < projection.width; ++x)
                projection.rows[y][x] = float(projection.rows[y][x] * weights[std::size_t(x)]);
        ShowInCanvas(std::move(projection));
    });
}

void sinogramCommand()
{
    tagQEVImaRowDataPara& record = rowRecord();
    if (SequenceJobsRunning()) {
        plat::messageBox(L"正弦图提取正在进行");
        return;
    }
    if (!gDlgGetImaRowDataPara(record))
        return;
    record.Files = listOf(gLayOutOneGetFilesInOne());
    record.ProgressCtrl = gWorkState().progress;
    if (record.Files.size() < 2) {
        plat::messageBox(L"没有两个以上的图像");
        return;
    }
    gExtractSinogram(record);
}

} // namespace

void RunLargeFovCommand(int id)
{
    switch (id) {
    case ID_STITCH_START: stitchStart(); break;
    case ID_STITCH_END: CancelSequenceJobs(); break;
    case ID_PROJECTION_WEIGHT: weightCommand(); break;
    case ID_SINOGRAM: sinogramCommand(); break;
    default: break;
    }
}
