#pragma once

#include "OverlayRecord.h"
#include "PlanePatch.h"

#include "pixorama/canvo/CanvasTypes.h"
#include "pixorama/workbench/StepScope.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class InteractiveImage;
class QEVUCDATA2D;
class WorkState;

// One step of canvas 4's history. Taken before a change as a full copy of
// what its scope covers, then narrowed to what the change altered: whole
// planes for a new size, the bounding rows of the change otherwise. The
// surface, the raws and the colour planes are kept only when their writers
// say they are about to change, and taken rather than copied when they are
// to be written whole; colour planes taken stay whole when the change
// rewrote the surface from its first row to its last.
// Swapping it with the picture exchanges the stored and the present
// versions, so Undo and Redo are the same operation.
class PictureStep {
public:
    PictureStep(std::wstring name, StepScope scope, InteractiveImage& canvas, WorkState& state);

    // False when the change altered nothing the scope covers.
    bool Settle(InteractiveImage& canvas, WorkState& state);
    void Swap(InteractiveImage& canvas, WorkState& state);
    // An overlay the change deleted.
    void Keep(std::unique_ptr<Canvo> gone);
    // The raws are about to change (see InteractiveImage::RawsWillChange).
    void KeepRaws(InteractiveImage& canvas, WorkState& state, bool replaced);
    // The surface is about to change (see DibSurface::WillChange); the old
    // pixels when they were taken now, else null.
    const unsigned* KeepSurface(InteractiveImage& canvas, WorkState& state, bool replaced);
    // A colour plane is about to change (see WorkState::PlaneWillChange).
    void KeepPlane(InteractiveImage& canvas, WorkState& state, QEVUCDATA2D& plane, bool replaced);

    const std::wstring& Name() const { return name; }
    StepScope Scope() const { return scope; }
    std::size_t Bytes() const;

private:
    // Narrows every patch to the rows that changed; drops those that did not.
    void KeepChangedRows(const std::vector<std::unique_ptr<PlaneAccess>>& planes);
    void FindChangedRows(const std::vector<std::unique_ptr<PlaneAccess>>& planes, const std::vector<std::size_t>& which,
                         std::vector<PlanePatch::RowSpan>& changed) const;

    // The picture's own values beside its planes.
    struct Facts {
        FileType fileType = FileNothing;
        int imageWidth = 0;
        int imageHeight = 0;
        int lutLow = 0;
        int lutHigh = 0;
        double measureScale = 1.0;
        float rawWindowLeft = 0.0f;
        float rawWindowRight = 1.0f;
        bool planesCaptured = false;
        int canvasWidth = 0;
        int canvasHeight = 0;
        int surfaceWidth = 0;
        int surfaceHeight = 0;
        int uniformLabel = -1; // a label image not written yet is this

        static Facts Of(const InteractiveImage& canvas, const WorkState& state);
        void Put(InteractiveImage& canvas, WorkState& state) const;
        bool operator==(const Facts&) const = default;
    };

    bool HasLabel() const;

    std::wstring name;
    StepScope scope;
    Facts facts;
    std::vector<std::pair<int, PlanePatch>> patches; // by plane index
    std::optional<OverlayRecord> overlays;
    bool surfacePending = false; // the surface is as it was before the change
    bool rawsPending = false;    // the raws likewise
    unsigned planesPending = 0;  // bit i: colour plane i likewise
};
