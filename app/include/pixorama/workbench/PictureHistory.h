#pragma once

#include "pixorama/canvo/OverlayWatcher.h"
#include "pixorama/workbench/PlaneWatcher.h"
#include "pixorama/workbench/StepScope.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class PictureStep;

// The undo history of canvas 4's picture. A change is bracketed by Begin
// and End; End keeps a step only when the change altered something, and
// a new step drops every step Redo could bring back. Steps keep only what
// changed and live within a byte budget: the oldest go first, and a step
// larger than the whole budget clears the history (Overflowed() then says
// so until the next step). A change is never refused for want of room.
// User-interface thread only.
class PictureHistory final : public OverlayWatcher, public PlaneWatcher {
public:
    PictureHistory();
    ~PictureHistory() override;
    PictureHistory(const PictureHistory&) = delete;
    PictureHistory& operator=(const PictureHistory&) = delete;

    // Brackets may nest; the outermost pair makes the step.
    void Begin(const std::wstring& name, StepScope scope = StepScope::Picture);
    void End();
    // A live adjustment: reports of one kind in a row make one step, which
    // the end of the gesture (or any other change) closes.
    void BeginLive(int kind, const std::wstring& name);
    void EndGesture();

    // False when there is no step to take back or bring back.
    bool Undo();
    bool Redo();
    // A new picture: no steps.
    void Clear();

    std::wstring UndoName() const; // empty without a step
    std::wstring RedoName() const;
    std::size_t UndoCount() const { return undoSteps.size(); }
    std::size_t RedoCount() const { return redoSteps.size(); }
    bool Overflowed() const { return overflowed; }
    std::size_t Bytes() const;
    std::size_t Budget() const { return budget; }
    // Drops the oldest steps until the rest fit.
    void SetBudget(std::size_t bytes);
    // "History" / "BudgetMiB" of settings.ini in the writable folder; else a
    // quarter of the physical memory, at most 2 GiB.
    static std::size_t ConfiguredBudget();

    // Called after every change of the steps (the frame shows them).
    std::function<void()> changed;

    void BeforeUserDelete(InteractiveDC& dc, bool all) override;
    void AfterUserDelete(InteractiveDC& dc) override;
    void Keep(InteractiveDC& dc, std::unique_ptr<Canvo> gone) override;
    void BeforeRawsChange(InteractiveDC& dc, bool replaced) override;
    void BeforeSurfaceChange(InteractiveDC& dc, bool replaced) override;
    void BeforePlaneChange(QEVUCDATA2D& plane, bool replaced) override;
    const unsigned* BeforeSurfaceRewrite() override;

private:
    void Push(std::unique_ptr<PictureStep> step);
    bool Move(std::vector<std::unique_ptr<PictureStep>>& from, std::vector<std::unique_ptr<PictureStep>>& to);
    void Notify();
    void Abandon();
    void Record(const std::function<void(PictureStep&)>& keep);

    std::vector<std::unique_ptr<PictureStep>> undoSteps; // oldest first
    std::vector<std::unique_ptr<PictureStep>> redoSteps; // next to bring back last
    std::unique_ptr<PictureStep> recording;
    int depth = 0;
    bool live = false;
    int liveKind = 0;
    bool overflowed = false;
    std::size_t budget = 0;
};

// The history of canvas 4, made on first use.
PictureHistory& gPictureHistory();
