#include "pixorama/workbench/PictureHistory.h"

#include "PictureStep.h"

#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/RawWindow.h"
#include "pixorama/workbench/WorkState.h"

#include <unistd.h>

#include <algorithm>
#include <new>

namespace {

constexpr std::size_t mebibyte = std::size_t(1) << 20;
constexpr std::size_t largestBudget = std::size_t(2048) * mebibyte;

InteractiveImage& workingCanvas()
{
    InteractiveImage* canvas = CanvasTable::At(WorkState::workingCanvas);
    return *canvas;
}

// The views, the raw strip and the detail layers follow the picture back.
void pictureMoved(const PictureStep& step)
{
    WorkState& state = gWorkState();
    if (step.Scope() == StepScope::Window) {
        SetRawWindow(state.rawWindowLeft, state.rawWindowRight);
        gLayOutOneSetRawWindow(state.rawWindowLeft, state.rawWindowRight);
        return;
    }
    state.detailLayersReady = false;
    gCTERRefreshAllView();
    ShowRawHistogram();
}

} // namespace

// Deletions on canvas 4 are reported from the start, so a Delete key
// pressed before any command is a step too.
PictureHistory::PictureHistory() : budget(ConfiguredBudget())
{
    workingCanvas().overlayWatcher = this;
    gWorkState().planeWatcher = this;
}

PictureHistory::~PictureHistory()
{
    gWorkState().planeWatcher = nullptr;
}

PictureHistory& gPictureHistory()
{
    static PictureHistory history;
    return history;
}

std::size_t PictureHistory::ConfiguredBudget()
{
    const std::wstring file = plat::fromPath(plat::writableFolder() / "settings.ini");
    const int mib = plat::getProfileInt(L"History", L"BudgetMiB", -1, file);
    if (mib >= 0)
        return std::size_t(mib) * mebibyte;
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return largestBudget;
    return std::min(std::size_t(pages) * std::size_t(pageSize) / 4, largestBudget);
}

void PictureHistory::Begin(const std::wstring& name, StepScope scope)
{
    if (live && depth == 1)
        EndGesture();
    if (depth++ > 0)
        return;
    try {
        recording = std::make_unique<PictureStep>(name, scope, workingCanvas(), gWorkState());
    } catch (const std::bad_alloc&) {
        Abandon();
    }
}

// No room to keep the picture as it was: the change goes ahead without a
// step, and the older steps no longer lead back to it.
void PictureHistory::Abandon()
{
    recording.reset();
    undoSteps.clear();
    redoSteps.clear();
    overflowed = true;
    Notify();
}

void PictureHistory::End()
{
    if (depth == 0 || --depth > 0)
        return;
    std::unique_ptr<PictureStep> step = std::move(recording);
    if (step && step->Settle(workingCanvas(), gWorkState()))
        Push(std::move(step));
}

void PictureHistory::BeginLive(int kind, const std::wstring& name)
{
    if (live && kind == liveKind)
        return;
    if (live)
        EndGesture();
    if (depth > 0)
        return; // inside a command: that command's step covers it
    Begin(name);
    live = true;
    liveKind = kind;
}

void PictureHistory::EndGesture()
{
    if (!live)
        return;
    live = false;
    End();
}

void PictureHistory::Push(std::unique_ptr<PictureStep> step)
{
    redoSteps.clear();
    overflowed = false;
    if (step->Bytes() > budget) {
        undoSteps.clear();
        overflowed = true;
    } else {
        undoSteps.push_back(std::move(step));
        SetBudget(budget);
    }
    Notify();
}

bool PictureHistory::Move(std::vector<std::unique_ptr<PictureStep>>& from,
                          std::vector<std::unique_ptr<PictureStep>>& to)
{
    EndGesture();
    if (depth > 0 || from.empty())
        return false;
    std::unique_ptr<PictureStep> step = std::move(from.back());
    from.pop_back();
    try {
        step->Swap(workingCanvas(), gWorkState());
    } catch (const std::bad_alloc&) {
        // A new size could not be allocated: the picture is as the step
        // left it, which no other step leads from.
        Abandon();
        return false;
    }
    pictureMoved(*step);
    to.push_back(std::move(step));
    Notify();
    return true;
}

bool PictureHistory::Undo()
{
    return Move(undoSteps, redoSteps);
}

bool PictureHistory::Redo()
{
    return Move(redoSteps, undoSteps);
}

void PictureHistory::Clear()
{
    live = false;
    depth = 0;
    recording.reset();
    undoSteps.clear();
    redoSteps.clear();
    overflowed = false;
    Notify();
}

std::wstring PictureHistory::UndoName() const
{
    return undoSteps.empty() ? std::wstring() : undoSteps.back()->Name();
}

std::wstring PictureHistory::RedoName() const
{
    return redoSteps.empty() ? std::wstring() : redoSteps.back()->Name();
}

std::size_t PictureHistory::Bytes() const
{
    std::size_t total = 0;
    for (const auto& list : {&undoSteps, &redoSteps})
        for (const auto& step : *list)
            total += step->Bytes();
    return total;
}

void PictureHistory::SetBudget(std::size_t bytes)
{
    budget = bytes;
    // Redo steps are the newest past: they go only after every undo step.
    while (Bytes() > budget && !undoSteps.empty())
        undoSteps.erase(undoSteps.begin());
    while (Bytes() > budget && !redoSteps.empty())
        redoSteps.erase(redoSteps.begin());
}

void PictureHistory::Notify()
{
    if (changed)
        changed();
}

void PictureHistory::BeforeUserDelete(InteractiveDC& dc, bool all)
{
    if (&dc == &workingCanvas())
        Begin(all ? L"删除全部" : L"删除", StepScope::Overlays);
}

void PictureHistory::AfterUserDelete(InteractiveDC& dc)
{
    if (&dc == &workingCanvas())
        End();
}

// The step being recorded keeps what is about to change; without room for
// it the step is abandoned.
void PictureHistory::Record(const std::function<void(PictureStep&)>& keep)
{
    if (!recording)
        return;
    try {
        keep(*recording);
    } catch (const std::bad_alloc&) {
        Abandon();
    }
}

void PictureHistory::BeforeRawsChange(InteractiveDC& dc, bool replaced)
{
    if (&dc == &workingCanvas())
        Record([&](PictureStep& step) { step.KeepRaws(workingCanvas(), gWorkState(), replaced); });
}

void PictureHistory::BeforeSurfaceChange(InteractiveDC& dc, bool replaced)
{
    if (&dc == &workingCanvas())
        Record([&](PictureStep& step) { step.KeepSurface(workingCanvas(), gWorkState(), replaced); });
}

const unsigned* PictureHistory::BeforeSurfaceRewrite()
{
    const unsigned* old = nullptr;
    Record([&](PictureStep& step) { old = step.KeepSurface(workingCanvas(), gWorkState(), true); });
    return old;
}

void PictureHistory::BeforePlaneChange(QEVUCDATA2D& plane, bool replaced)
{
    Record([&](PictureStep& step) { step.KeepPlane(workingCanvas(), gWorkState(), plane, replaced); });
}

void PictureHistory::Keep(InteractiveDC& dc, std::unique_ptr<Canvo> gone)
{
    if (recording && &dc == &workingCanvas())
        recording->Keep(std::move(gone));
}
