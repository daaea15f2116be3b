#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/EyeCircle.h"
#include "pixorama/workbench/PhotoEffects.h"
#include "pixorama/workbench/WorkState.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/parlet/DlgGet.h"

#include <atomic>
#include <chrono>

namespace {

using Effect = void (*)(ColourPlanes);

// A new scatter every time, without the unseeded sequence of rand().
void FrostedGlass(ColourPlanes planes)
{
    static std::atomic<std::uint64_t> runs{0};
    const auto now = std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
    EffectFrostedGlass(planes, now ^ (runs++ << 32));
}

Effect EffectFor(int id)
{
    switch (id) {
    case 2334: return EffectBlemishRemoval;
    case 2335: return EffectWhiteBalance;
    case 2336: return EffectVignette;
    case 2337: return EffectCrossProcess;
    case 2338: return EffectSepia;
    case 2339: return EffectSoftLight;
    case 2340: return EffectDarkLift;
    case 2341: return EffectPenDrawing;
    case 2342: return EffectNegative;
    case 2343: return EffectGrey;
    case 2344: return EffectFreeze;
    case 2345: return EffectStylise;
    case 2346: return FrostedGlass;
    case 2348: return EffectStrongBlemishRemoval;
    default: return nullptr;
    }
}

// "大眼": the circle is kept for the live adjustment; the planes show unchanged.
bool ChooseEyeCircle()
{
    tagQEVImaROICirclePara circle;
    if (!gDlgGetImaROICirclePara(circle))
        return false;
    gEyeCircle() = EyeCircle{circle.m_CircleX, circle.m_CircleY, circle.m_Radius};
    return true;
}

bool AskColourMatrix(float (&matrix)[5][5])
{
    tagQEVImaMatrixPara para;
    if (!gDlgGetImaMatrixFivePara(para))
        return false;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            matrix[r][c] = para.m_Matrix5[r][c];
    return true;
}

} // namespace

void RunArtCommand(int id)
{
    if (gCVSGetFileType(WorkState::workingCanvas) != FilePicture8)
        return;
    WorkState& state = gWorkState();
    const Effect effect = EffectFor(id);
    float matrix[5][5];
    if (!effect && id != 2347 && id != 2349)
        return;
    if ((id == 2347 && !ChooseEyeCircle()) || (id == 2349 && !AskColourMatrix(matrix)))
        return;
    if (!state.CaptureAndResetResult())
        return;
    const ColourPlanes result{state.resultR, state.resultG, state.resultB};
    if (effect)
        effect(result);
    else if (id == 2349)
        EffectColourMatrix(result, matrix);
    state.ShowResult();
}
