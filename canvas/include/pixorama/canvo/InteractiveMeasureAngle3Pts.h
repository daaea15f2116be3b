#pragma once

#include "pixorama/canvo/InteractiveMPoint.h"
#include "pixorama/canvo/InteractiveTextRect.h"

// The angle at a vertex: point 0 is the vertex, points 1 and 2 end its two
// arms. The label shows the angle in degrees (0 to 180) once all three
// points exist.
class InteractiveMeasureAngle3Pts : public InteractiveMPoint {
public:
    InteractiveMeasureAngle3Pts();

    // Degrees; NaN-free: 0 when an arm has no length.
    double Angle() const;

    void OnMouseMove(unsigned flags, plat::Point pt) override;
    // Also true on the label, which a press then drags alone.
    bool HitTest(plat::Point pt) override;
    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    void OnLButtonUp(unsigned flags, plat::Point pt) override;
    void OnViewChanged() override;
    bool Draw(plat::Dc* dc) override;
    CString GetText() override;

    InteractiveTextRect label;

protected:
    // Number of points the angle needs.
    virtual std::size_t Needed() const { return 3; }
    // The label text for a complete set of points.
    virtual CString MeasureText();
    // Sets the label text, placing the label beside point 0 the first time.
    void ShowLabel(const CString& text);
    bool labelPlaced = false;
    bool hitOnLabel = false;
};

// Degrees between two vectors, in 0..180; 0 when either has no length.
double angleBetween(double ux, double uy, double vx, double vy);
