// The menu "图像重建实验": loading and filtering projections, fan-beam and
// cone-beam reconstruction and their simulations, each on a background job.
#include "pixorama/common/RawFrame.h"
#include "ReconCommandTools.h"
#include "RecordDetector.h"

#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/CommandIds.h"
#include "pixorama/workbench/ConeReconstruction.h"
#include "pixorama/workbench/ForwardProjection.h"
#include "pixorama/workbench/SequenceOps.h"
#include "pixorama/workbench/SheppLoganPhantom.h"

#include "pixorama/common/MemoryBudget.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>

namespace {

// Intensity of an unattenuated ray in simulated raw data.
constexpr double simulatedI0 = 60000;

ReconProgress progressOf(SequenceJob& job)
{
    return [&job](int views) {
        job.SetPosition(views);
        return !job.Cancelled();
    };
}

// 2454: the projections of the browser's list, cut and corrected, as the
// sinogram of the detector row through the central ray.
void loadCommand()
{
    tagQEVImaVolumeRecPara record;
    if (!gDlgGetFDKRecPara(record))
        return;
    std::vector<CString> files;
    ConeScan scan;
    if (!SequenceScan(record, files, scan))
        return;
    StartSequenceJob(ReconFeedback(), [files = std::move(files), scan](SequenceJob& job) {
        const CtGeometry& g = scan.geometry;
        const int row = std::clamp(int(std::lround(g.centreRow())), 0, g.rows - 1);
        std::vector<ClassData2DIO<float>> frames;
        job.SetRange(g.views);
        if (!LoadConeFrames(files, scan, row, row + 1, frames, job))
            return;
        ClassData2DIO<float> sinogram;
        sinogram.SetDim(g.columns, g.views);
        for (int v = 0; v < g.views; ++v)
            std::copy_n(frames[std::size_t(v)].rows[0], g.columns, sinogram.rows[v]);
        if (scan.rings)
            RemoveRings(sinogram);
        job.SetPosition(0);
        ShowInCanvas(std::move(sinogram));
    });
}

// The fan-beam record's geometry for a sinogram of width x views.
bool fanGeometry(const tagQEVImaFanRecPara& r, const ClassData2DIO<float>& sinogram, CtGeometry& g)
{
    g.beam = Beam::Fan;
    SetDetectorFromRecord(g, r);
    g.columns = sinogram.width;
    g.views = sinogram.height;
    g.halfFan = r.m_bWeighting != 0;
    g.startAngle = r.m_Viewbegin * std::numbers::pi / 180;
    g.size = r.m_RecWidth > 0 ? r.m_RecWidth : sinogram.width;
    if (r.m_width > 0 && r.m_width != sinogram.width) {
        plat::messageBox(L"投影宽度与画布中正弦图的宽度不一致");
        return false;
    }
    if (!g.Valid()) {
        plat::messageBox(L"重建几何参数无效：需要像元尺寸，且光源探测器距离大于光源转台距离");
        return false;
    }
    g.pixel = g.fieldPixel();
    return true;
}

// Every step-th view of the sinogram, over the whole turn.
ClassData2DIO<float> everyNthView(const ClassData2DIO<float>& sinogram, int step)
{
    if (step <= 1 || sinogram.height <= 0)
        return sinogram;
    ClassData2DIO<float> out;
    // Views 0, step, 2 step, ...: no sum that a step near INT_MAX overflows.
    out.SetDim(sinogram.width, (sinogram.height - 1) / step + 1);
    for (int v = 0; v < out.height; ++v)
        std::copy_n(sinogram.rows[v * step], sinogram.width, out.rows[v]);
    return out;
}

// 2455, 2456 and 2461: the sinogram of canvas 4 with the fan-beam record,
// filtered only (2455) or reconstructed.
void fanCommand(bool filterOnly)
{
    ClassData2DIO<float> sinogram;
    tagQEVImaFanRecPara record;
    if (!CanvasPicture(sinogram) || !gDlgGetFanRecPara(record))
        return;
    const int allViews = sinogram.height;
    sinogram = everyNthView(sinogram, record.m_Viewgap);
    CtGeometry g;
    if (!fanGeometry(record, sinogram, g))
        return;
    // The slice and the job's weighted and filtered copies of the sinogram,
    // weighed before the job starts filling them.
    const double side = g.size;
    const CString refusal = MemoryBudget::Refusal(4.0 * (side * side + 2.0 * double(g.columns) * g.views));
    if (!refusal.empty()) {
        plat::messageBox(refusal);
        return;
    }
    // The views kept are step views apart on the full turn.
    if (record.m_Viewgap > 1)
        g.arc = 2 * std::numbers::pi * sinogram.height * record.m_Viewgap / allViews;
    if (record.m_AccelType > 0)
        plat::messageBox(L"没有可用的CUDA设备，改用处理器重建");
    const RampChoice ramp{false, record.m_cutoff};
    StartSequenceJob(ReconFeedback(), [sinogram, g, ramp, record, filterOnly](SequenceJob& job) mutable {
        if (record.m_bUseLog != 0)
            LogConvert(sinogram, I0Source::RowMaximum, 0);
        CorrectBeamHardening(sinogram, record.m_BeamHardenType);
        if (record.m_bRingC != 0)
            RemoveRings(sinogram);
        ClassData2DIO<float> out;
        job.SetRange(g.views);
        const bool done = filterOnly ? FilterSinogram(sinogram, g, ramp, out, record.m_ThreadNum)
                                     : ReconstructSlice(sinogram, g, ramp, out, record.m_ThreadNum, progressOf(job));
        job.SetPosition(0);
        if (done)
            ShowInCanvas(std::move(out));
    });
}

// 2459: parallel beam from the sinogram of canvas 4 (views over half a
// turn, one pixel per detector sample).
void simpleFanCommand()
{
    ClassData2DIO<float> sinogram;
    if (!CanvasPicture(sinogram))
        return;
    const CtGeometry g{
        .beam = Beam::Parallel, .columns = sinogram.width, .views = sinogram.height, .size = sinogram.width};
    StartSequenceJob(ReconFeedback(), [sinogram, g](SequenceJob& job) {
        ClassData2DIO<float> slice;
        job.SetRange(g.views);
        if (ReconstructSlice(sinogram, g, RampChoice{}, slice, 0, progressOf(job)))
            ShowInCanvas(std::move(slice));
        job.SetPosition(0);
    });
}

// 2457 (canvas 4's picture) and 2460 (the Shepp-Logan phantom): a fan-beam
// scan simulated with the simulation record, as raw intensities or, with
// "取对数", line integrals.
void fanSimulationCommand(bool phantom)
{
    ClassData2DIO<float> picture;
    if (!phantom && !CanvasPicture(picture))
        return;
    tagQEVImaFanSimPara record;
    if (!gDlgGetFanSimPara(record))
        return;
    CtGeometry g;
    g.beam = Beam::Fan;
    SetDetectorFromRecord(g, record);
    g.columns = record.m_width;
    g.views = record.m_viewnum;
    // A picture that is not square is centred in a square of its longer side.
    g.size = phantom ? std::max(record.m_width, 16) : std::max(picture.width, picture.height);
    if (!g.Valid()) {
        plat::messageBox(L"仿真参数无效：需要投影宽度、投影角度数、像元尺寸，且光源探测器距离大于光源转台距离");
        return;
    }
    // The phantom, its square and the sinogram, weighed before any is made.
    const double side = g.size;
    const CString refusal = MemoryBudget::Refusal(4.0 * (2.0 * side * side + double(g.columns) * g.views));
    if (!refusal.empty()) {
        plat::messageBox(refusal);
        return;
    }
    if (phantom)
        picture = SheppLoganSlice(g.size);
    g.pixel = g.fieldPixel();
    ClassData2DIO<float> square;
    square.SetDim(g.size, g.size);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.rows[y], picture.width,
                    square.rows[y + (g.size - picture.height) / 2] + (g.size - picture.width) / 2);
    StartSequenceJob(ReconFeedback(), [square, g, record](SequenceJob& job) {
        ClassData2DIO<float> sinogram;
        job.SetRange(g.views);
        if (!ForwardProjectSlice(square, g, sinogram, 0, progressOf(job)))
            return;
        // Hardening bends the measured integrals below the true ones.
        static constexpr float bend[] = {0.0f, 0.02f, 0.05f, 0.1f};
        const float a = record.m_BeamHardenType > 0 && record.m_BeamHardenType < 4 ? bend[record.m_BeamHardenType] : 0.0f;
        for (int v = 0; v < sinogram.height; ++v)
            for (float* p = sinogram.rows[v]; p < sinogram.rows[v] + sinogram.width; ++p) {
                if (a > 0)
                    *p = (std::sqrt(1 + 4 * a * *p) - 1) / (2 * a); // the inverse of p + a p^2
                if (record.m_bUseLog == 0)
                    *p = float(simulatedI0 * std::exp(-double(*p)));
            }
        job.SetPosition(0);
        ShowInCanvas(std::move(sinogram));
    });
}

// 2464: cone-beam projections of the Shepp-Logan head with the
// reconstruction record's geometry, as raw intensity files NNNNN.raw in its
// save folder (read back by 2458 with "取对数").
void coneSimulationCommand()
{
    tagQEVImaVolumeRecPara record;
    if (!gDlgGetFDKRecPara(record))
        return;
    ConeScan scan;
    CString error;
    if (!ConeScanFromRecord(record, std::max(record.m_viewnum, 1), scan, error)) {
        plat::messageBox(error);
        return;
    }
    if (scan.saveDir.empty() || scan.saveDir == L"NULL") {
        plat::messageBox(L"没有选择文件保存目录");
        return;
    }
    StartSequenceJob(ReconFeedback(), [scan](SequenceJob& job) {
        // The simulated detector has no cut borders.
        CtGeometry g = scan.geometry;
        const double volumeBytes = 4.0 * g.size * g.size * g.size;
        if (!job.MemoryFits(volumeBytes + 4.0 * g.columns * g.rows * g.views))
            return;
        const std::vector<ClassData2DIO<float>> volume = SheppLoganVolume(g.size);
        std::vector<ClassData2DIO<float>> projections;
        job.SetRange(g.views);
        if (!ForwardProjectVolume(volume, g, projections, scan.threads, progressOf(job)))
            return;
        std::error_code ignored;
        std::filesystem::create_directories(plat::toPath(scan.saveDir), ignored);
        for (int v = 0; v < g.views; ++v) {
            ClassData2DIO<float>& p = projections[std::size_t(v)];
            for (int y = 0; y < p.height; ++y)
                for (float* q = p.rows[y]; q < p.rows[y] + p.width; ++q)
                    *q = float(simulatedI0 * std::exp(-double(*q)));
            char name[32];
            std::snprintf(name, sizeof name, "%05d.raw", v);
            if (!WriteRawFrame(plat::toPath(scan.saveDir) / name, p, RawLayout{p.width, p.height, scan.pixelType, true})) {
                job.Message(L"无法写入文件：" + scan.saveDir);
                return;
            }
        }
        job.SetPosition(0);
        job.Message(L"仿真完成");
    });
}

void coneCommand(bool largeField)
{
    tagQEVImaVolumeRecPara record;
    if (largeField) {
        tagQEVImaPairPara pair;
        if (!gDlgGetLargeFovPara(pair, record))
            return;
    } else if (!gDlgGetFDKRecPara(record)) {
        return;
    }
    StartConeReconstruction(record, largeField);
}

// 2926: a fan-beam scan of the Shepp-Logan phantom simulated and
// reconstructed, to see the whole chain at work.
void roundTripCommand()
{
    CtGeometry g{.beam = Beam::Fan, .columns = 384, .views = 360, .du = 1, .sod = 500, .sdd = 1000, .size = 256};
    g.pixel = g.fieldPixel();
    StartSequenceJob(ReconFeedback(), [g](SequenceJob& job) {
        ClassData2DIO<float> sinogram, slice;
        job.SetRange(2 * g.views);
        if (!ForwardProjectSlice(SheppLoganSlice(g.size), g, sinogram, 0, progressOf(job)))
            return;
        const ReconProgress second = [&job, &g](int views) {
            job.SetPosition(g.views + views);
            return !job.Cancelled();
        };
        if (ReconstructSlice(sinogram, g, RampChoice{}, slice, 0, second))
            ShowInCanvas(std::move(slice));
        job.SetPosition(0);
    });
}

} // namespace

void RunReconCommand(int id)
{
    switch (id) {
    case ID_RECON_LOAD: loadCommand(); break;
    case ID_RECON_FILTER: fanCommand(true); break;
    case ID_GENERAL_FAN:
    case ID_FAN: fanCommand(false); break;
    case ID_FAN_PROJECTION: fanSimulationCommand(false); break;
    case ID_FAN_SIMULATION: fanSimulationCommand(true); break;
    case ID_SIMPLE_FAN: simpleFanCommand(); break;
    case ID_CONE: coneCommand(false); break;
    case ID_LARGE_FOV_TEST: coneCommand(true); break;
    case ID_CONE_SIMULATION: coneSimulationCommand(); break;
    case ID_RECON_ROUND_TRIP: roundTripCommand(); break;
    default: break;
    }
}
