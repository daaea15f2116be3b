#pragma once

#include "pixorama/canvo/InteractiveFixedRect.h"

// The contrast slider: a caption and a track with two handles whose
// positions, as fractions of the usable track, are the display window.
// The handles stay one handle width apart.
class InteractiveSlider : public InteractiveFixedRect {
public:
    // Lays out caption, track and handles from the control's rectangle.
    void OnViewChanged() override;
    // A press on a handle starts dragging it; HoldsMouse() tells whether the
    // press lay inside the control. Ignored while disabled.
    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    void OnLButtonUp(unsigned flags, plat::Point pt) override;
    void OnMouseMove(unsigned flags, plat::Point pt) override;
    bool Draw(plat::Dc* dc) override;

    bool HoldsMouse() const { return holdsMouse; }

    float leftFraction = 0.0f;
    float rightFraction = 1.0f;
    CString caption = L"阈值";
    int captionWidth = 60;
    int handleWidth = 10;
    int inset = 2;
    plat::Rect captionRect;
    plat::Rect trackRect;
    plat::Rect leftHandle;
    plat::Rect rightHandle;
    int usableLength = 0;
    bool leftDragged = false;
    bool rightDragged = false;

private:
    bool holdsMouse = false;
};
