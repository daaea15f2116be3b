#pragma once

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/workbench/CtGeometry.h"
#include "pixorama/workbench/Reconstruction.h"

#include <vector>

// Simulated scans: line integrals through a slice or a volume (pixel value
// times mm) along the rays of CtGeometry.h, sampled every half pixel with
// linear interpolation; outside the picture counts as zero.

// g.views rows of g.columns values, parallel or fan beam (the slice is
// g.size square). False when the slice does not fit g or when cancelled.
bool ForwardProjectSlice(const ClassData2DIO<float>& slice, const CtGeometry& g, ClassData2DIO<float>& sinogram,
                         int threads = 0, const ReconProgress& progress = {});

// Cone beam: volume holds g.size slices of g.size square; projection i
// becomes g.rows x g.columns.
bool ForwardProjectVolume(const std::vector<ClassData2DIO<float>>& volume, const CtGeometry& g,
                          std::vector<ClassData2DIO<float>>& projections, int threads = 0,
                          const ReconProgress& progress = {});
