#pragma once

#include "pixorama/common/QEVUCDATA2D.h"

#include <array>
#include <list>

// Multi-scale contrast enhancement of an 8-bit picture on a Laplacian
// pyramid: every level's detail goes through a compressive table that
// lifts small differences, then the pyramid is collapsed again.
//
// Level 0 has the picture's size rounded up to powers of two; each next
// level has half the width and height. The chain stops before a level would
// have no pixel, so small pictures use fewer levels than asked for.
class QEVPyramidDecomposition {
public:
    // Enhances picture in place with up to `levels` levels. False, with the
    // picture unchanged, for an empty picture or levels below 1.
    bool Run(QEVUCDATA2D& picture, int levels);

    // Level 0 becomes a copy of extended; the coarser levels are sized.
    void Initiate(const QEVUCDATA2D& extended, int levels);
    // Splits every level into its detail (shifted by 128) and the next level.
    void RunPyramid();
    // Every pixel of every level goes through MapTable().
    void Map();
    // Adds every level back into the finer one, from the coarsest down.
    void RunIPyramid();
    void DeInitiate();

    // Correlation with the 5 x 5 kernel (0.05, 0.25, 0.4, 0.25, 0.05)^T
    // (0.05, 0.25, 0.4, 0.25, 0.05) x 4, then a linear stretch of the result
    // to 0..255 by its minimum and maximum (a range below 1e-7 leaves the
    // picture as it was).
    static void FilterForPyramidDec(QEVUCDATA2D& picture);
    // 128 +/- 127 * (|i - 128| / 127)^0.6, clamped to 0..255 and truncated.
    static const std::array<unsigned char, 256>& MapTable();

    int LevelCount() const { return levelCount; }
    // The levels, finest first (a doubly linked chain).
    const std::list<QEVUCDATA2D>& Levels() const { return levels; }

private:
    int width = 0;
    int height = 0;
    int levelCount = 0;
    std::list<QEVUCDATA2D> levels;
};
