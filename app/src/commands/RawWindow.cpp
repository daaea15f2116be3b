#include "pixorama/workbench/RawWindow.h"

#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/WorkState.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Fraction of the full range one pixel of right-drag moves.
constexpr float dragStep = 1.0f / 512.0f;
constexpr float narrowestWindow = 1.0f / 65535.0f;
constexpr int histogramRows = 1024;

bool holdsRaw()
{
    const FileType kind = gCVSGetFileType(WorkState::workingCanvas);
    return kind == FileRawOther || kind == FileFloat;
}

// Index of the 16-bit level of a working value (0..65535, NaN as 0).
int levelOf(float v)
{
    return v > 0.0f ? (v < 65535.0f ? int(v) : 65535) : 0;
}

} // namespace

void SetRawWindow(float left, float right)
{
    WorkState& state = gWorkState();
    state.rawWindowLeft = left;
    state.rawWindowRight = right;
    char text[96];
    std::snprintf(text, sizeof text, "LUTRAW Left = %3.3f ;Right = %3.3f", double(left), double(right));
    gCTERSetInfo(CString(text, text + std::char_traits<char>::length(text)));
    if (!holdsRaw())
        return;
    gCVSSetLutPara(WorkState::workingCanvas, left, right);
    gCTERRefreshAllView();
}

void ShowRawHistogram()
{
    std::vector<double> bins;
    if (holdsRaw()) {
        const std::array<int, 256> counts = RawHistogram(gCVSGetRaw(WorkState::workingCanvas));
        bins.assign(counts.begin(), counts.end());
    }
    gLayOutOneSetRawHistogram(bins);
    const WorkState& state = gWorkState();
    gLayOutOneSetRawWindow(state.rawWindowLeft, state.rawWindowRight);
}

void DragRawWindow(int dx, int dy)
{
    if (!holdsRaw() || (dx == 0 && dy == 0))
        return;
    const WorkState& state = gWorkState();
    const float width = std::max(state.rawWindowRight - state.rawWindowLeft + dx * dragStep, narrowestWindow);
    const float level = std::clamp(0.5f * (state.rawWindowLeft + state.rawWindowRight) + dy * dragStep, 0.0f, 1.0f);
    SetRawWindow(level - 0.5f * width, level + 0.5f * width);
    gLayOutOneSetRawWindow(gWorkState().rawWindowLeft, gWorkState().rawWindowRight);
}

std::array<float, 2> AutoWindowFractions(const ClassData2DIO<float>& working)
{
    if (working.IsEmpty())
        return {0.0f, 1.0f};
    std::vector<long long> counts(65536, 0);
    for (int y = 0; y < working.height; ++y)
        for (const float* p = working.rows[y]; p < working.rows[y] + working.width; ++p)
            ++counts[std::size_t(levelOf(*p))];
    const long long total = (long long)working.width * working.height;
    const long long lowCount = total * 5 / 1000;
    const long long highCount = total - total * 5 / 1000;
    int low = 0;
    int high = 65535;
    long long seen = 0;
    bool lowFound = false;
    for (int v = 0; v < 65536; ++v) {
        seen += counts[std::size_t(v)];
        if (!lowFound && seen > lowCount) {
            low = v;
            lowFound = true;
        }
        if (seen >= highCount) {
            high = v;
            break;
        }
    }
    if (high <= low)
        high = std::min(low + 1, 65535);
    // A quarter level up, so the display's truncation lands on the level.
    return {(low + 0.25f) / 65535.0f, (high + 0.25f) / 65535.0f};
}

std::array<int, 256> RawHistogram(const ClassData2DIO<float>& working)
{
    // Four partial histograms, so neighbouring pixels of one level do not
    // wait on each other's count; a tall picture counts every few rows only,
    // which the strip cannot tell apart.
    std::array<std::array<int, 256>, 4> parts{};
    const int w = working.width;
    const int rowStep = std::max(1, working.height / histogramRows);
    for (int y = 0; y < working.height; y += rowStep) {
        const float* p = working.rows[y];
        int x = 0;
        for (; x + 4 <= w; x += 4)
            for (int k = 0; k < 4; ++k)
                ++parts[std::size_t(k)][std::size_t(levelOf(p[x + k]) >> 8)];
        for (; x < w; ++x)
            ++parts[0][std::size_t(levelOf(p[x]) >> 8)];
    }
    std::array<int, 256> bins{};
    for (const auto& part : parts)
        for (std::size_t i = 0; i < bins.size(); ++i)
            bins[i] += part[i];
    return bins;
}

bool AutoRawWindow()
{
    if (!holdsRaw()) {
        plat::messageBox(L"没有raw图像");
        return false;
    }
    const std::array<float, 2> window = AutoWindowFractions(gCVSGetRaw(WorkState::workingCanvas));
    SetRawWindow(window[0], window[1]);
    gLayOutOneSetRawWindow(window[0], window[1]);
    return true;
}
