#pragma once

// One voxel column of an FDK run (slices first ... first + count - 1) seen
// from one view: slice k lies on detector row rowAt0 + k * rowStep, clamped
// into [lowRow, highRow], between the detector columns c0 and c1 (indexed by
// row - bandOrigin). The column reads weight * (c0 + fu * (c1 - c0)),
// linearly interpolated between rows.
struct VoxelRun {
    const float* c0;
    const float* c1;
    float fu;
    float weight;
    float rowAt0;
    float rowStep;
    float lowRow;
    float highRow;
    int bandOrigin;
};

// Adds the views runs[0] ... runs[views - 1], in that order, to each of the
// count voxels of a column. The vector paths give the bits of the plain loop.
void AddViewsToColumn(const VoxelRun* runs, int views, int first, int count, float* voxels);

// Set by UsePlainBackProjectionLoops: the back-projections run their plain
// loops only.
bool PlainBackProjectionLoops();

// Vector paths read up to this many values past a column's last row.
constexpr int voxelRunSlack = 32;
