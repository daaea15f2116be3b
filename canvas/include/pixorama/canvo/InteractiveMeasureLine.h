#pragma once

#include "pixorama/canvo/InteractiveSingleLine.h"
#include "pixorama/canvo/InteractiveTextRect.h"

// A measuring line: two points placed by one Shift-drag, its length in
// millimetres on a label that the user can drag away, joined to the line's
// midpoint by a dotted connector. The scale is fixed when the line is made.
class InteractiveMeasureLine : public InteractiveSingleLine {
public:
    InteractiveMeasureLine();

    // Length in millimetres; 0 unless there are exactly two points.
    double Length() const;
    CString LengthText() const;

    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    void OnLButtonUp(unsigned flags, plat::Point pt) override;
    void OnMouseMove(unsigned flags, plat::Point pt) override;
    bool HitTest(plat::Point pt) override;
    void OnViewChanged() override;
    bool Draw(plat::Dc* dc) override;
    CString GetText() override;

    InteractiveTextRect label;
    bool labelPending = true; // the label has not been placed yet
    bool hitOnLabel = false;
};
