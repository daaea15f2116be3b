#pragma once

// A point in a volume with double coordinates.
struct QEVPoint3Dd {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
