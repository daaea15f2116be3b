#include "pixorama/workbench/CommandGroups.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/workbench/ColourAdjustments.h"
#include "pixorama/workbench/EyeCircle.h"
#include "pixorama/workbench/QEVDetailWorker.h"
#include "pixorama/workbench/WorkState.h"

namespace {

// Channel byte of a COLORREF (0x00BBGGRR): 0 red, 1 green, 2 blue.
int channelOf(std::uint32_t colour, int channel)
{
    return int((colour >> (8 * channel)) & 0xFF);
}

template <typename Op>
void eachPlane(WorkState& s, Op op)
{
    for (QEVUCDATA2D* plane : {&s.resultR, &s.resultG, &s.resultB})
        op(*plane);
}

void adjustTone(WorkState& s, const tagQEVParaReport& report, int channel)
{
    const QEVUCDATA2D* sources[] = {&s.sourceR, &s.sourceG, &s.sourceB};
    QEVUCDATA2D* results[] = {&s.resultR, &s.resultG, &s.resultB};
    gAdjustTone(*sources[channel], report.Left(), report.Right(), channelOf(report.words[3], channel),
                channelOf(report.words[4], channel), *results[channel]);
}

void magnify(WorkState& s, float value)
{
    const EyeCircle& eye = gEyeCircle();
    eachPlane(s, [&](QEVUCDATA2D& p) { gAdjustMagnify(p, value, eye.centreX, eye.centreY, eye.radius); });
}

// Applies a colour kind to the result planes; false for a kind that is none.
bool adjustColour(WorkState& s, const tagQEVParaReport& report)
{
    const float v = report.Value();
    switch (report.Kind()) {
    case 1: gAdjustThreshold(s.grey, v, s.resultR, s.resultG, s.resultB); return true;
    case 2: eachPlane(s, [v](QEVUCDATA2D& p) { gAdjustBlur(p, v); }); return true;
    case 3: gAdjustSaturation(s.resultR, s.resultG, s.resultB, v); return true;
    case 4: gAdjustHue(s.resultR, s.resultG, s.resultB, v); return true;
    case 5: eachPlane(s, [v](QEVUCDATA2D& p) { gAdjustSharpen(p, v); }); return true;
    case 6: return true; // the sharpening radius has no effect of its own
    case 7: eachPlane(s, [v](QEVUCDATA2D& p) { gAdjustMosaic(p, v); }); return true;
    case 9: eachPlane(s, [v](QEVUCDATA2D& p) { gAdjustShiftX(p, v); }); return true;
    case 10: eachPlane(s, [v](QEVUCDATA2D& p) { gAdjustShiftY(p, v); }); return true;
    case 11: eachPlane(s, [v](QEVUCDATA2D& p) { gAdjustRotation(p, v); }); return true;
    case 12: {
        std::uint32_t seed = 1;
        eachPlane(s, [&](QEVUCDATA2D& p) { gAdjustNoise(p, v, seed++ * 0x01000193u); });
        return true;
    }
    case 13: magnify(s, v); return true;
    case 20: adjustTone(s, report, 0); return true;
    case 21: adjustTone(s, report, 1); return true;
    case 22: adjustTone(s, report, 2); return true;
    default: return false;
    }
}

} // namespace

EyeCircle& gEyeCircle()
{
    static EyeCircle circle;
    return circle;
}

void ApplyLiveAdjustment(const tagQEVParaReport& report)
{
    const int kind = report.Kind();
    WorkState& s = gWorkState();
    if (kind >= QEVDetailWorker::firstKind && kind <= QEVDetailWorker::lastKind) {
        gDetailWorker().SetWeight(kind, report.Value());
        gDetailWorker().Request(s.progress);
        return;
    }
    const bool colourKind = (kind >= 1 && kind <= 13 && kind != 8) || (kind >= 20 && kind <= 22);
    if (!colourKind || gCVSGetFileType(WorkState::workingCanvas) != FilePicture8 || !s.CaptureAndResetResult())
        return;
    adjustColour(s, report);
    s.ShowResult();
}
