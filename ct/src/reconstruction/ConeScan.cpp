#include "pixorama/workbench/ConeReconstruction.h"

#include "RecordDetector.h"
#include "pixorama/common/MemoryBudget.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

int indexOf(const CString& text)
{
    try {
        return text.empty() ? 0 : std::stoi(text);
    } catch (...) {
        return 0;
    }
}

} // namespace

bool ConeScanFromRecord(const tagQEVImaVolumeRecPara& r, int files, ConeScan& scan, CString& error)
{
    ConeScan s;
    s.frameWidth = r.m_widthOri;
    s.frameHeight = r.m_heightOri;
    s.pixelType = indexOf(r.m_DRPixelType) == 1 ? 1 : 0;
    s.outPixelType = indexOf(r.m_OutRecPixelType) == 1 ? 1 : 0;
    s.cutSides = std::max(r.m_DRHCut, 0);
    s.cutEnds = std::max(r.m_DRVCut, 0);
    s.useLog = r.m_bUseLog != 0;
    s.i0 = r.m_LogProcessMethod == 1 ? I0Source::ImageMaximum : r.m_LogProcessMethod == 2 ? I0Source::Fixed : I0Source::RowMaximum;
    s.fixedI0 = r.m_I0;
    s.hardening = indexOf(r.m_BeamHardenType);
    s.rings = r.m_bRemoveRing != 0;
    s.speckles = r.m_bRemoveSpeckle != 0;
    s.threads = std::max(r.m_ThreadNum, 0);
    s.cudaAsked = indexOf(r.m_RecType) == 1;
    s.ramp.sheppLogan = r.m_FilterType == 1;
    s.ramp.cutoff = r.m_CutOff;
    s.saveDir = r.m_SaveDir;

    CtGeometry& g = s.geometry;
    g.beam = Beam::Cone;
    // Wide enough that cuts typed at the ends of int cannot wrap round.
    const std::int64_t columns = std::int64_t(s.frameWidth) - 2 * std::int64_t(s.cutSides);
    const std::int64_t rows = std::int64_t(s.frameHeight) - 2 * std::int64_t(s.cutEnds);
    g.columns = int(std::clamp<std::int64_t>(columns, 0, INT_MAX));
    g.rows = int(std::clamp<std::int64_t>(rows, 0, INT_MAX));
    g.views = r.m_viewnum > 0 ? r.m_viewnum : files;
    // Offsets are given on the whole detector; cutting both sides alike keeps them.
    SetDetectorFromRecord(g, r);
    g.zOffset = r.m_Zoffset;
    g.size = r.m_width;
    g.halfFan = std::abs(g.xOffset + g.axisOffset) > g.columns / 8.0;
    g.pixel = 1;
    if (s.frameWidth <= 0 || s.frameHeight <= 0 || g.columns <= 0 || g.rows <= 0) {
        error = L"投影图像大小或切除参数无效";
        return false;
    }
    if (!g.Valid()) {
        error = L"重建几何参数无效：需要投影角度数、重建图像宽度、像元尺寸，且光源探测器距离大于光源转台距离";
        return false;
    }
    if (files < g.views) {
        error = L"投影文件个数少于投影角度数";
        return false;
    }
    if (r.m_bSpiral != 0) {
        error = L"螺旋重建尚不支持，请取消“螺旋重建”";
        return false;
    }
    g.pixel = g.fieldPixel();
    // A slice that cannot be held is refused before its row list is made.
    if (const CString noRoom = MemoryBudget::Refusal(4.0 * double(g.size) * double(g.size)); !noRoom.empty()) {
        error = noRoom;
        return false;
    }
    if (r.m_bRecMulti != 0) {
        for (int k = std::max(r.m_Row_ToBeReStart, 0); k <= std::min(r.m_Row_ToBeReEnd, g.size - 1); ++k)
            s.slices.push_back(k);
    } else if (r.m_Row_ToBeRe >= 0 && r.m_Row_ToBeRe < g.size) {
        s.slices.push_back(r.m_Row_ToBeRe);
    }
    scan = s;
    return true;
}
