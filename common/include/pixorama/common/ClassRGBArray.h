#pragma once

#include "ClassRGB.h"

// Random colours for label displays.
class ClassRGBArray {
public:
    ClassRGB* colors = nullptr;
    int count = 255;

    ClassRGBArray() = default;
    ClassRGBArray(const ClassRGBArray& other);
    ClassRGBArray& operator=(const ClassRGBArray& other);
    ~ClassRGBArray();

    // Three draws from rand(), each channel in 0 .. 254.
    ClassRGB QEVrandom_rgb();
    // Replaces the array by n + 1 random colours. A negative n leaves no array
    // (count 0).
    void GenerateRGBArray(int n);
};
