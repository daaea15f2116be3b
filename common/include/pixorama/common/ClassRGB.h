#pragma once

// A colour (blue, green, red in memory order) with named colours and a linear
// ramp: SetColorHandle prepares the per-index increments that GetRangeColor uses.
class ClassRGB {
public:
    unsigned char blue = 0;
    unsigned char green = 0;
    unsigned char red = 0;
    int count = 0;
    float step = 0.0f;
    float dRed = 0.0f;
    float dGreen = 0.0f;
    float dBlue = 0.0f;

    ClassRGB() = default;
    // Each channel is truncated to a byte.
    ClassRGB(int r, int g, int b) { SetColor(r, g, b); }
    void SetColor(int r, int g, int b);

    void SetBrown() { SetColor(128, 42, 42); }
    void SetChocolate() { SetColor(210, 105, 30); }
    void SetOrange() { SetColor(255, 128, 0); }
    void SetTurky() { SetColor(0, 199, 140); }
    void WindowsGray() { SetColor(128, 128, 128); }
    void Violet() { SetColor(160, 32, 240); }
    void GrassGreen() { SetColor(124, 252, 0); }
    void ForestGreen() { SetColor(34, 139, 34); }
    void Mentha() { SetColor(189, 252, 201); }
    void IndiaRed() { SetColor(176, 23, 31); }
    void BrickRed() { SetColor(156, 102, 31); }
    void DeepRed() { SetColor(255, 0, 255); }
    void OrangeRed() { SetColor(255, 69, 0); }
    void Banana() { SetColor(227, 207, 87); }
    void Red() { SetColor(255, 0, 0); }
    void Green() { SetColor(0, 255, 0); }
    void Blue() { SetColor(0, 0, 255); }
    void White() { SetColor(255, 255, 255); }
    void Black() { SetColor(0, 0, 0); }

    // Compares red, green and blue only.
    bool operator==(const ClassRGB& other) const;
    // |dRed| + |dGreen| + |dBlue|.
    int GetDif(ClassRGB other) const;

    // Prepares a ramp of n colours from c0 to c1. A ramp of fewer than two
    // colours has no increments, so it yields c0 throughout.
    void SetColorHandle(int n, ClassRGB c0, ClassRGB c1);
    // Colour i of the prepared ramp, i clamped to 0 .. count - 1. Starts from
    // c0; c1 is not read.
    ClassRGB GetRangeColor(int i, ClassRGB c0, ClassRGB c1) const;

    void OutCanvas(const char*) {}
};
