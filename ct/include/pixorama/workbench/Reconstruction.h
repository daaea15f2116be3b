#pragma once

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/workbench/CtGeometry.h"

#include <functional>
#include <vector>

// Filtered back-projection of line-integral data (log-converted
// projections) in the geometry of CtGeometry.h. Values come out as
// attenuation per mm when du and pixel are in mm.

struct RampChoice {
    bool sheppLogan = false; // false: Ram-Lak
    double cutoff = 1;       // Hann roll-off reaching zero at this fraction of Nyquist; 1 (or <= 0): none
};

// Called between blocks of work with the views done so far (FDK's
// back-projection, which takes every view per tile of the volume, counts the
// share of tiles done in views); returning false cancels the reconstruction.
// May be empty.
using ReconProgress = std::function<bool(int viewsDone)>;

// One slice from a sinogram of g.views rows of g.columns values: parallel
// beam over g.turn(), or fan beam on a flat detector over a full turn (with
// the cosine weight, and the half-fan weight when g.halfFan). threads <= 0
// uses every processor. False (slice untouched) for a geometry that does not
// fit the sinogram, or when cancelled.
bool ReconstructSlice(const ClassData2DIO<float>& sinogram, const CtGeometry& g, const RampChoice& ramp,
                      ClassData2DIO<float>& slice, int threads = 0, const ReconProgress& progress = {});

// The sinogram as back-projection reads it: weighted (cosine weight for fan
// beam, half-fan weight when asked) and ramp-filtered, at the scale of the
// back-projection sum. False for a geometry that does not fit the sinogram.
bool FilterSinogram(const ClassData2DIO<float>& sinogram, const CtGeometry& g, const RampChoice& ramp,
                    ClassData2DIO<float>& filtered, int threads = 0);

// Back-projections run their plain loops instead of the vector ones, which
// give the same bits; for checking them. Not for use while one runs.
void UsePlainBackProjectionLoops(bool plain);

// Projections of a circular cone-beam scan, weighted and ramp-filtered for
// FDK, holding only the detector rows a run of slices needs.
class FdkProjections {
public:
    // The detector rows that slices first ... first + count - 1 of g read.
    static void RowsFor(const CtGeometry& g, int first, int count, int& rowBegin, int& rowEnd);

    // Takes projection i as frames[i] (rows rowBegin ... rowEnd - 1 of the
    // detector, g.columns wide; rowBegin even, as RowsFor gives it) and
    // releases each frame once filtered.
    // False when the frames do not fit g or the job was cancelled.
    bool Prepare(std::vector<ClassData2DIO<float>>& frames, int rowBegin, const CtGeometry& g, const RampChoice& ramp,
                 int threads = 0, const ReconProgress& progress = {});

    // Slices first ... first + count - 1 (each g.size square) into slices.
    // Every slice is the same whichever run of slices it was computed in.
    bool BackProject(int first, int count, std::vector<ClassData2DIO<float>>& slices, int threads = 0,
                     const ReconProgress& progress = {}) const;

    const CtGeometry& Geometry() const { return geometry; }

private:
    CtGeometry geometry;
    int firstRow = 0;
    // Per view, column-major with two zero columns and rows of padding on
    // each side: value (column j, row r) at (j + 2) * stride + r + 2.
    int stride = 0;
    std::vector<std::vector<float>> views;
};
