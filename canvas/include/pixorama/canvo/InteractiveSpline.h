#pragma once

#include "pixorama/canvo/InteractivePolygon.h"

// A region bounded by the closed smooth curve through its control points
// (kind 4); placed and edited like a polygon. The curve is sampled in client
// coordinates whenever the points or the view change, so the label always
// follows what is shown. 199 or more control points give no curve.
class InteractiveSpline : public InteractivePolygon {
public:
    InteractiveSpline();

    void OnViewChanged() override;
    bool Draw(plat::Dc* dc) override;
    // The curve thinned to samples more than 3 pixels (|dx| + |dy|) apart,
    // in image pixels; false with fewer than 3 curve samples.
    bool GetCurvePoints(std::vector<PointTemplateBase<int>>& points) override;

    std::vector<plat::Point> controlList; // display points, then the first again
    std::vector<plat::Point> curve;       // client coordinates
};
