#pragma once

// An integer point in a volume.
struct QEVPoint3D {
    int x = 0;
    int y = 0;
    int z = 0;
};
