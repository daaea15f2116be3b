#pragma once

// The circle that "大眼" stores for the live radial magnification: centre
// and radius in image pixels (row 0 at the top). Nothing is magnified
// until a circle with a positive radius is stored.
struct EyeCircle {
    int centreX = 0;
    int centreY = 0;
    int radius = 0;
};

EyeCircle& gEyeCircle();
