#pragma once

#include "pixorama/platform/Types.h"

#include <array>

// Where the pieces of the four-view area go for one client size.
// Rectangles are in the area's client coordinates, right and bottom
// exclusive. A row or column collapsed by a negative ratio gets a negative
// extent: it lies out of sight and its window is shown with size 0.
struct ViewGridRects {
    int gridHeight = 0;       // views and bars 2 and 3, above bar 1
    int topRowHeight = 0;
    int leftColumnWidth = 0;
    plat::Rect gridBar;   // bar 1: between the grid and the information strip
    plat::Rect rowBar;    // bar 2: between the rows
    plat::Rect columnBar; // bar 3: between the columns, across both rows
    plat::Rect info;
    std::array<plat::Rect, 4> views; // left-top, right-top, left-bottom, right-bottom
};

// The split ratios of the four-view area and the maximise toggle. The
// area shows the grid over a share r0 of its height, the top row over a
// share ry of the grid and the left column over a share rx of its width;
// a ratio above 1 pushes what lies beyond it out of sight, a negative one
// collapses its row or column.
class ViewGrid {
public:
    static constexpr int barThickness = 5;
    // Control ids of the three bars.
    static constexpr int gridBarId = 21024;
    static constexpr int rowBarId = 21026;
    static constexpr int columnBarId = 21028;

    // Maximised stores the flag only; restoring then shows an even grid.
    void setLayOut(float gridRatio, float rowRatio, float columnRatio, bool maximised);
    void setRespondToMaximise(bool respond) { respondToMax = respond; }
    bool respondsToMaximise() const { return respondToMax; }

    // A double click on the view with this index (its canvas id: 0, 1, 2
    // or 4). Other indices only flip the flag. Ignored when not responding.
    void toggleMaximise(int index);

    // A bar with the given control id was dragged to position (its top or
    // left edge) in an area of width x height.
    void barMoved(int barId, int position, int width, int height);

    ViewGridRects compute(int width, int height) const;

    float gridRatio() const { return r0; }
    float rowRatio() const { return ry; }
    float columnRatio() const { return rx; }
    bool isMaximised() const { return maximised; }

private:
    float r0 = 1.2f;
    float ry = 0.5f;
    float rx = 0.5f;
    float savedRy = 0.5f;
    float savedRx = 0.5f;
    bool maximised = false;
    bool respondToMax = true;
};
