// Geometry of the four-view area for the ratio sets the workbench uses, the
// maximise toggle and the ratios a bar drag leaves behind.
#include "pixorama/tilemo/ViewGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using plat::Rect;

constexpr int W = 1000;
constexpr int H = 600;

enum { LT, RT, LB, RB };

bool visible(const Rect& r)
{
    return !r.isEmpty() && r.right > 0 && r.bottom > 0 && r.left < W && r.top < H;
}

ViewGrid gridWith(float r0, float ry, float rx, bool maximised = false)
{
    ViewGrid grid;
    grid.setLayOut(r0, ry, rx, maximised);
    return grid;
}

TEST(ViewGridRatios, OneViewWithInformationStrip)
{
    const ViewGridRects r = gridWith(0.8f, -0.2f, -0.2f).compute(W, H);
    EXPECT_EQ(r.gridHeight, 476); // trunc(595 x 0.8)
    EXPECT_EQ(r.topRowHeight, -5);
    EXPECT_EQ(r.leftColumnWidth, -5);
    EXPECT_EQ(r.views[RB], (Rect{0, 0, 1000, 476}));
    EXPECT_EQ(r.gridBar, (Rect{0, 476, 1000, 481}));
    EXPECT_EQ(r.info, (Rect{0, 481, 1000, 600}));
    EXPECT_FALSE(visible(r.views[LT]));
    EXPECT_FALSE(visible(r.views[RT]));
    EXPECT_FALSE(visible(r.views[LB]));
    EXPECT_FALSE(visible(r.rowBar));
    EXPECT_FALSE(visible(r.columnBar));
}

TEST(ViewGridRatios, OneViewAlone)
{
    const ViewGridRects r = gridWith(1.2f, -0.2f, -0.2f, true).compute(W, H);
    EXPECT_EQ(r.gridHeight, 600);
    EXPECT_EQ(r.views[RB], (Rect{0, 0, 1000, 600}));
    EXPECT_FALSE(visible(r.info));
    EXPECT_FALSE(visible(r.gridBar));
    EXPECT_FALSE(visible(r.views[LT]));
    EXPECT_FALSE(visible(r.views[RT]));
    EXPECT_FALSE(visible(r.views[LB]));
}

TEST(ViewGridRatios, TwoBottomViewsSideBySide)
{
    const ViewGridRects r = gridWith(1.2f, -0.2f, 0.5f).compute(W, H);
    EXPECT_EQ(r.leftColumnWidth, 497); // trunc(995 x 0.5)
    EXPECT_EQ(r.views[LB], (Rect{0, 0, 497, 600}));
    EXPECT_EQ(r.views[RB], (Rect{502, 0, 1000, 600}));
    EXPECT_EQ(r.columnBar, (Rect{497, 0, 502, 600}));
    EXPECT_FALSE(visible(r.views[LT]));
    EXPECT_FALSE(visible(r.views[RT]));
    EXPECT_FALSE(visible(r.info));
}

TEST(ViewGridRatios, FourViews)
{
    const ViewGridRects r = gridWith(1.2f, 0.5f, 0.5f).compute(W, H);
    EXPECT_EQ(r.topRowHeight, 297); // trunc(595 x 0.5)
    EXPECT_EQ(r.views[LT], (Rect{0, 0, 497, 297}));
    EXPECT_EQ(r.views[RT], (Rect{502, 0, 1000, 297}));
    EXPECT_EQ(r.views[LB], (Rect{0, 302, 497, 600}));
    EXPECT_EQ(r.views[RB], (Rect{502, 302, 1000, 600}));
    EXPECT_EQ(r.rowBar, (Rect{0, 297, 1000, 302}));
    EXPECT_EQ(r.columnBar, (Rect{497, 0, 502, 600}));
}

TEST(ViewGridRatios, ProductsAreTruncatedInFloatAndClamped)
{
    // 995 x 0.3f = 298.5 -> 298; 1.5 pushes the column to the right edge.
    ViewGridRects r = gridWith(1.2f, 0.5f, 0.3f).compute(W, H);
    EXPECT_EQ(r.leftColumnWidth, 298);
    r = gridWith(1.2f, 0.5f, 1.5f).compute(W, H);
    EXPECT_EQ(r.leftColumnWidth, W);
    EXPECT_FALSE(visible(r.views[RT]));
    // A NaN ratio collapses its row instead of converting garbage.
    r = gridWith(std::numeric_limits<float>::quiet_NaN(), 0.5f, 0.5f).compute(W, H);
    EXPECT_EQ(r.gridHeight, -5);
}

TEST(ViewGridMaximise, EachIndexFillsItsViewAndRestoreGoesBack)
{
    struct Case {
        int index;
        int slot;
        Rect expected;
    };
    const Case cases[] = {
        {0, LT, {0, 0, 1000, 595}},
        {1, RT, {0, 0, 1000, 595}},
        {2, LB, {0, 5, 1000, 600}},
        {4, RB, {0, 5, 1000, 600}},
    };
    for (const Case& c : cases) {
        ViewGrid grid = gridWith(1.2f, 0.5f, 0.5f);
        grid.toggleMaximise(c.index);
        EXPECT_TRUE(grid.isMaximised());
        const ViewGridRects r = grid.compute(W, H);
        EXPECT_EQ(r.views[std::size_t(c.slot)], c.expected) << "index " << c.index;
        for (int other = 0; other < 4; ++other) {
            if (other != c.slot) {
                EXPECT_FALSE(visible(r.views[std::size_t(other)])) << "index " << c.index << " view " << other;
            }
        }
        grid.toggleMaximise(c.index);
        EXPECT_FALSE(grid.isMaximised());
        EXPECT_EQ(grid.compute(W, H).views[LT], (Rect{0, 0, 497, 297}));
        EXPECT_FLOAT_EQ(grid.rowRatio(), 0.5f);
        EXPECT_FLOAT_EQ(grid.columnRatio(), 0.5f);
    }
}

TEST(ViewGridMaximise, RestoringTheSingleViewShowsAnEvenGrid)
{
    ViewGrid grid = gridWith(1.2f, -0.2f, -0.2f, true);
    grid.toggleMaximise(4);
    EXPECT_FALSE(grid.isMaximised());
    const ViewGridRects r = grid.compute(W, H);
    EXPECT_EQ(r.views[LT], (Rect{0, 0, 497, 297}));
    EXPECT_EQ(r.views[RB], (Rect{502, 302, 1000, 600}));
}

TEST(ViewGridMaximise, UnknownIndexOnlyFlipsTheFlagAndOffIgnoresAll)
{
    ViewGrid grid = gridWith(1.2f, 0.3f, 0.7f);
    grid.toggleMaximise(3);
    EXPECT_TRUE(grid.isMaximised());
    EXPECT_FLOAT_EQ(grid.rowRatio(), 0.3f);
    EXPECT_FLOAT_EQ(grid.columnRatio(), 0.7f);

    ViewGrid off = gridWith(1.2f, 0.3f, 0.7f);
    off.setRespondToMaximise(false);
    off.toggleMaximise(0);
    EXPECT_FALSE(off.isMaximised());
    EXPECT_FLOAT_EQ(off.rowRatio(), 0.3f);
    EXPECT_FLOAT_EQ(off.columnRatio(), 0.7f);
}

TEST(ViewGridBars, ColumnBarInTheMiddleKeepsItsShareAcrossResizes)
{
    ViewGrid grid = gridWith(1.2f, 0.5f, 0.25f);
    grid.barMoved(ViewGrid::columnBarId, 500, W, H);
    EXPECT_NEAR(grid.columnRatio(), 0.5f, 0.005f);
    EXPECT_EQ(grid.compute(W, H).leftColumnWidth, 500);
    EXPECT_EQ(grid.compute(2000, H).leftColumnWidth, 1002); // trunc(1995 x 500 / 995)
}

TEST(ViewGridBars, RowAndGridBarsSetTheirRatios)
{
    ViewGrid grid = gridWith(0.8f, 0.5f, 0.5f);
    grid.barMoved(ViewGrid::gridBarId, 300, W, H);
    EXPECT_FLOAT_EQ(grid.gridRatio(), 300.0f / 595.0f);
    const int g = grid.compute(W, H).gridHeight;
    EXPECT_EQ(g, 300);
    grid.barMoved(ViewGrid::rowBarId, 100, W, H);
    EXPECT_FLOAT_EQ(grid.rowRatio(), 100.0f / 300.0f);
    // Beyond the grid the row bar stops at its bottom.
    grid.barMoved(ViewGrid::rowBarId, 450, W, H);
    EXPECT_FLOAT_EQ(grid.rowRatio(), 1.0f);
    grid.barMoved(ViewGrid::rowBarId, -50, W, H);
    EXPECT_FLOAT_EQ(grid.rowRatio(), -5.0f / 300.0f);
}

TEST(ViewGridBars, NothingToShareLeavesTheRatiosAlone)
{
    ViewGrid grid = gridWith(0.0f, 0.4f, 0.6f);
    grid.barMoved(ViewGrid::rowBarId, 10, W, H); // grid height 0
    EXPECT_FLOAT_EQ(grid.rowRatio(), 0.4f);
    grid.barMoved(ViewGrid::columnBarId, 3, 5, H); // width - t = 0
    EXPECT_FLOAT_EQ(grid.columnRatio(), 0.6f);
    grid.barMoved(ViewGrid::gridBarId, 3, W, 5);
    EXPECT_FLOAT_EQ(grid.gridRatio(), 0.0f);
    grid.barMoved(12345, 10, W, H);
    EXPECT_FLOAT_EQ(grid.rowRatio(), 0.4f);
    EXPECT_TRUE(std::isfinite(grid.rowRatio()));
}

} // namespace
