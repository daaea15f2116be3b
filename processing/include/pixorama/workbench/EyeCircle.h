#pragma once

// The circle "大眼" asks for, kept for the live eye-enlarging adjustment:
// centre (x, y) and radius in picture pixels.
struct EyeCircle {
    int x = 0;
    int y = 0;
    int radius = 0;
    bool chosen = false; // set once the user has confirmed a circle
};

EyeCircle& gEyeCircle();
