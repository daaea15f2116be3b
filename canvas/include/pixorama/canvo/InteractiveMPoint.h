#pragma once

#include "pixorama/canvo/Canvo.h"

// An overlay made of a list of points with square drag handles: Shift-click
// adds points, a handle drags its point, a press inside the closed outline
// drags the whole object. Most concrete overlays build on it.
class InteractiveMPoint : public Canvo {
public:
    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    void OnMouseMove(unsigned flags, plat::Point pt) override;
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void OnViewChanged() override;
    // Inside the closed outline of the display points (edges and vertices
    // count), or inside a handle. Sets the selected flag to the result.
    bool HitTest(plat::Point pt) override;
    bool Draw(plat::Dc* dc) override;
    void SetSinglePointPerClick(int single) override;
    void SetPointLimit(int limit) override;
    // The image points truncated toward zero; false when there are none.
    bool GetIntPoints(std::vector<PointTemplateBase<int>>& points) override;

protected:
    void ClampPointsToImage();
};

// True when p lies inside the closed polygon or on its boundary (winding by
// quadrants, so self-crossing outlines count where they wind).
bool pointInClosedPolygon(const std::vector<plat::Point>& polygon, plat::Point p);
