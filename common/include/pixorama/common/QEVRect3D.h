#pragma once

// A box in a volume, inclusive on every axis. A fresh box is empty (every min
// above every max) so that it grows correctly by taking minima and maxima of
// the points it sees.
struct QEVRect3D {
    int xMin = 10000;
    int xMax = -10000;
    int yMin = 10000;
    int yMax = -10000;
    int zMin = 10000;
    int zMax = -10000;
};
