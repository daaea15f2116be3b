#pragma once

#include "pixorama/canvo/InteractiveMeasureAngle3Pts.h"

// The angle between line p0-p1 and line p2-p3, measured at their
// intersection, which an 8 x 8 square marks. Parallel lines have no
// intersection: no marker, and the label says so.
class InteractiveMeasureAngle4Pts : public InteractiveMeasureAngle3Pts {
public:
    InteractiveMeasureAngle4Pts();

    bool Draw(plat::Dc* dc) override;
    // Degrees at the intersection from the displayed points, the number the
    // label shows; NaN for parallel lines or fewer than four points. Places
    // the marker.
    double IntersectionAngle();

    plat::Point intersection{100, 100};
    plat::Rect marker;
    bool parallel = false;

protected:
    std::size_t Needed() const override { return 4; }
    CString MeasureText() override;
};
