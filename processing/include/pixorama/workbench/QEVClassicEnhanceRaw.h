#pragma once

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/workbench/SFRunnable.h"

#include <vector>

// The strip worker of the window processor (WindowProcessor.h). It visits
// the window-centre rows of its strip that lie on the global grid
// pad, pad + rowStep, ..., stretches every window of those rows to 8 bits and
// adds the stretched windows into a band of its own, which covers exactly
// the rows its windows reach. Bands of neighbouring strips overlap; they are
// added together after the join, so no addition is lost and the sums do not
// depend on how the rows were split.
//
// Coordinates are those of the padded source.
class QEVClassicEnhanceRaw : public SFRunnable {
public:
    // What a window whose values span less than minRange adds at every pixel:
    // the stretch (v - min) * 255 / range taken at its limit v = min.
    static constexpr int constantWindowValue = 0;
    static constexpr float minRange = 1e-7f;

    const ClassData2DIO<float>* source = nullptr;
    int firstRow = 0;  // first row of the strip
    int endRow = 0;    // one past its last row
    int windowWidth = 1;
    int windowHeight = 1;
    int rowStep = 1;
    int columnStep = 1;
    int pad = 0;

    void Run() override;

    // The sums of the stretched windows over rows bandTop ..
    // bandTop + band.height - 1 of the padded source; empty when the strip
    // holds no centre row.
    const ClassData2DIO<int>& Band() const { return band; }
    int BandTop() const { return bandTop; }

    // The first centre row on the grid at or below row (padded coordinates).
    static int FirstCentre(int row, int pad, int rowStep);

private:
    void stretchRow(int centre, std::vector<float>& colMin, std::vector<float>& colMax);

    ClassData2DIO<int> band;
    int bandTop = 0;
    std::vector<float> windowMin;
    std::vector<float> windowScale;
    std::vector<int> windowLeft;
};
