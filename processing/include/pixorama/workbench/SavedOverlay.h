#pragma once

#include "pixorama/common/PointTemplateBase.h"

#include <string>
#include <vector>

// A region or measurement overlay apart from any canvas: what region files
// hold and what the results are measured from. kind is the canvas's overlay
// kind (0 rectangle, 1 custom rectangle, 3 polygon, 4 spline, 5 free region,
// 8 distance, 9 three-point angle, 10 four-point angle, 16 line profile).
struct SavedOverlay {
    int kind = 0;
    std::wstring label;                            // "矩形 1" ...
    std::vector<PointTemplateBase<double>> points; // image coordinates
    bool ellipse = false;                          // custom rectangles: the inscribed ellipse
};

// Overlays of one picture.
struct RegionSet {
    int width = 0; // the picture they were drawn on
    int height = 0;
    double measureScale = 1.0; // millimetres per pixel; 1 when not known
    std::vector<SavedOverlay> overlays;

    // Every point times (width / this width, height / this height), and the
    // new size taken.
    void ScaleTo(int newWidth, int newHeight);
};

// Whether a kind is kept in region files (regions and measurements).
bool isSavedKind(int kind);
// The kind's name in region files ("rectangle" ...); empty when not kept.
std::string savedKindName(int kind);
// The kind of a name in region files; -1 for an unknown name.
int savedKindOf(const std::string& name);
// The kind as the results show it ("矩形", "距离" ...).
std::wstring shownKindName(int kind);
