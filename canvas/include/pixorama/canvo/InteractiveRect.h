#pragma once

#include "pixorama/canvo/InteractiveSingleLine.h"

// A rectangular region (kind 0): a Shift-click puts both corners at the
// click and drags the second; a handle drags its corner; a press inside or
// on the centre marker moves the whole rectangle. Key E shows it as the
// inscribed ellipse (its label stays the full rectangle).
class InteractiveRect : public InteractiveSingleLine {
public:
    InteractiveRect();

    // Inside the box (edges included) or on a handle; sets the selected flag.
    bool HitTest(plat::Point pt) override;
    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    // E, I and T act on the selected rectangle only, so a key meant for one
    // rectangle does not reshape every other one on the canvas.
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    // Corners (trunc x, trunc y) and (trunc(x + w), trunc(y + h)), image pixels.
    void SetRectPos(float x, float y, float w, float h) override;
    bool Draw(plat::Dc* dc) override;

protected:
    void DrawShape();
};
