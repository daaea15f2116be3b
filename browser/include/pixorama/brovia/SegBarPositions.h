#pragma once

#include <vector>

// Where the title bars of the browser layout sit: the top of bar i as a
// fraction of the usable height (client height less one bar). Bar 0 stays
// at the top; every other bar keeps at least the spacing s (the fraction
// one bar takes) below its predecessor, and snaps onto such a limit when
// it comes within snapDistance of it.
class SegBarPositions {
public:
    static constexpr float snapDistance = 0.02f;

    // n bars spread evenly: bar i at i / n.
    void SetCount(int n);
    int Count() const { return int(pos.size()); }
    void SetSpacing(float s) { spacing = s; }
    float Spacing() const { return spacing; }
    float At(int i) const { return pos[i]; }
    void Set(int i, float p) { pos[i] = p; }

    // Pulls bars 1 ... n-1, in order, onto their limits when within the
    // snapping distance.
    void Snap();
    // Bar k (k >= 1) moved by delta (a fraction of the usable height):
    // kept between its neighbours' limits and snapped onto them.
    void Move(int k, float delta);
    // Bars 0 ... k stacked at the top, the rest at the bottom, so that
    // section k takes all free height.
    void Maximise(int k);

private:
    std::vector<float> pos;
    float spacing = 0.0f;
};
