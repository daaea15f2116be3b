#pragma once

// Scan geometry shared by forward projection and reconstruction.
//
// Coordinates: a slice of size x size pixels of side `pixel` (mm) has its
// centre on the rotation axis; column c and row r stand for the point
// x = (c - (size - 1) / 2) * pixel, y = (r - (size - 1) / 2) * pixel (y grows
// downwards, as rows do). Slice k of a cone-beam volume lies at
// z = (k - (size - 1) / 2) * pixel, z growing with detector rows.
//
// At view i the scanner has turned by theta = startAngle + i * step (radians;
// negative steps for a clockwise scan). With e_u = (cos theta, sin theta) and
// e_w = (-sin theta, cos theta), a point P has the lateral coordinate
// t = P . e_u and the depth w = P . e_w. The source sits at
// depth sod, the detector at depth sod - sdd, its rows run along e_u:
//   parallel beam: detector position u = t;
//   fan and cone:  u = t * sdd / (sod - w), and v = z * sdd / (sod - w).
// Detector column j holds u = (j - centreColumn()) * du, row k holds
// v = (k - centreRow()) * du. The rotation axis is imaged on column
// centreColumn(): a lateral offset of the axis counts as the same shift of
// the detector (exact for parallel beam, to first order for fan and cone),
// so xOffset and axisOffset add.
enum class Beam { Parallel, Fan, Cone };

struct CtGeometry {
    Beam beam = Beam::Parallel;
    int columns = 0;          // detector pixels per row
    int rows = 1;             // detector rows (cone beam)
    int views = 0;            // projections
    double du = 1;            // detector pixel size, mm
    double sod = 0;           // source to rotation axis, mm
    double sdd = 0;           // source to detector, mm
    double xOffset = 0;       // central ray's column offset from the detector centre, pixels
    double zOffset = 0;       // central ray's row offset from the detector centre, pixels
    double axisOffset = 0;    // rotation axis offset across the beam, detector pixels
    double startAngle = 0;    // radians
    double arc = 0;           // turned over all views; 0 means a full turn (pi for parallel beam)
    bool clockwise = false;
    bool halfFan = false;     // offset detector: weight the rays seen twice
    int size = 0;             // reconstruction width (and depth for cone beam)
    double pixel = 1;         // reconstruction pixel, mm

    double centreColumn() const { return 0.5 * (columns - 1) + xOffset + axisOffset; }
    double centreRow() const { return 0.5 * (rows - 1) + zOffset; }
    double turn() const;      // arc, or its default
    double step() const;      // signed angle between views
    double angle(int view) const { return startAngle + view * step(); }
    // Detector pixel size projected back to the rotation axis.
    double duAtAxis() const;
    // Pixel size that fits the field every view sees (the whole turned field
    // for an offset detector) into size pixels.
    double fieldPixel() const;
    // Columns, views, distances and sizes make sense for the beam.
    bool Valid() const;
};
