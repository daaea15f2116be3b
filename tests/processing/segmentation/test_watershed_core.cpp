// The watershed core on small pictures checked by hand.
#include "SquareReference.h"

#include "pixorama/workbench/Segmentation.h"
#include "pixorama/workbench/WatershedCore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <queue>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Dilated(const Bytes& p, int w, int h)
{
    Bytes out(p.size());
    DilateStep(p.data(), out.data(), w, h);
    return out;
}

Bytes Eroded(const Bytes& p, int w, int h)
{
    Bytes out(p.size());
    ErodeStep(p.data(), out.data(), w, h);
    return out;
}

std::string FailureOf(const std::function<void()>& run)
{
    try {
        run();
    } catch (const SegmentationError& e) {
        return e.what();
    }
    return "";
}

class AllocationFailure : public testing::Test {
protected:
    void TearDown() override { FailSegmentationAllocationForTesting(0); }
};

} // namespace

TEST(SquareFilters, OneStepSpreadsAPointToItsThreeByThreeSquare)
{
    Bytes p(5 * 4, 10);
    p[1 * 5 + 2] = 90; // (2, 1)
    p[3 * 5 + 4] = 0;  // (4, 3), a corner
    const Bytes d = Dilated(p, 5, 4);
    const Bytes expectedDilation = {10, 90, 90, 90, 10, //
                                    10, 90, 90, 90, 10, //
                                    10, 90, 90, 90, 10, //
                                    10, 10, 10, 10, 10};
    EXPECT_EQ(d, expectedDilation);
    const Bytes e = Eroded(p, 5, 4);
    const Bytes expectedErosion = {10, 10, 10, 10, 10, //
                                   10, 10, 10, 10, 10, //
                                   10, 10, 10, 0, 0,   //
                                   10, 10, 10, 0, 0};
    EXPECT_EQ(e, expectedErosion);
}

TEST(SquareFilters, WiderWindowsAndPicturesOfOneRowOrColumn)
{
    const Bytes row = {0, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3};
    Bytes out(row.size());
    DilateSquare(row.data(), out.data(), 20, 1, 2);
    const Bytes expected = {0, 0, 7, 7, 7, 7, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3};
    EXPECT_EQ(out, expected);
    DilateSquare(row.data(), out.data(), 1, 20, 1); // the same bytes as a column
    EXPECT_EQ(out[3], 7);
    EXPECT_EQ(out[5], 7);
    EXPECT_EQ(out[6], 0);
    EXPECT_EQ(out[18], 3);
    const Bytes one = {42};
    Bytes single(1);
    ErodeSquare(one.data(), single.data(), 1, 1, 3);
    EXPECT_EQ(single[0], 42);
}

TEST(SquareFilters, EveryPixelMatchesTheSquareTakenOneByOne)
{
    // Odd sizes leave tails after the vector runs; 389 x 401 is split over threads,
    // so every band must read its neighbours' rows as they were.
    for (auto [w, h] : {std::pair{1, 9}, {7, 3}, {67, 29}, {130, 5}, {389, 401}}) {
        Bytes p(std::size_t(w) * h);
        for (std::size_t i = 0; i < p.size(); ++i)
            p[i] = static_cast<unsigned char>((i * 2654435761u) >> 23);
        for (int r : {0, 1, 2, 3, 9}) {
            const Bytes maxima = BruteSquare(p, w, h, r, true);
            const Bytes closing = BruteSquare(maxima, w, h, r, false);
            Bytes out(p.size());
            DilateSquare(p.data(), out.data(), w, h, r);
            ASSERT_EQ(out, maxima) << w << "x" << h << " r " << r;
            ErodeSquare(p.data(), out.data(), w, h, r);
            ASSERT_EQ(out, BruteSquare(p, w, h, r, false)) << w << "x" << h << " r " << r;
            CloseSquare(p.data(), out.data(), w, h, r);
            ASSERT_EQ(out, closing) << w << "x" << h << " r " << r;
            Bytes inPlace = p;
            CloseSquare(inPlace.data(), inPlace.data(), w, h, r);
            ASSERT_EQ(inPlace, closing) << "in place " << w << "x" << h << " r " << r;
        }
    }
}

TEST(MultiscaleGradient, StepEdgeOverThreeScales)
{
    // 0 | 100 between columns 3 and 4 of an 8 x 1 picture.
    const Bytes step = {0, 0, 0, 0, 100, 100, 100, 100};
    const Bytes g = MultiscaleGradient(step.data(), 8, 1, 3);
    // Each scale adds 100 on columns 3 and 4 (its wider band eroded back
    // there): 300, held at 255 instead of wrapping to 44.
    EXPECT_EQ(g, (Bytes{0, 0, 0, 255, 255, 0, 0, 0}));
    const Bytes flat(12, 77);
    const Bytes none = MultiscaleGradient(flat.data(), 4, 3, 3);
    EXPECT_EQ(none, Bytes(12, 0));
}

TEST(MultiscaleGradient, SumsBelowTheLimitAreExact)
{
    const Bytes step = {10, 10, 10, 10, 40, 40, 40, 40};
    const Bytes one = MultiscaleGradient(step.data(), 8, 1, 1);
    EXPECT_EQ(one, (Bytes{0, 0, 0, 30, 30, 0, 0, 0}));
    const Bytes two = MultiscaleGradient(step.data(), 8, 1, 2);
    // Scale 1 spreads to columns 2..5; eroded once it is back on 3..4.
    EXPECT_EQ(two, (Bytes{0, 0, 0, 60, 60, 0, 0, 0}));
}

TEST(ClosingByReconstruction, FillsShallowMinimaAndKeepsDeepOnes)
{
    // Two pits in a plateau of 100: one 10 deep, one 60 deep.
    Bytes p(9 * 5, 100);
    p[2 * 9 + 2] = 90;
    p[2 * 9 + 6] = 40;
    GenericClosingByReconstruction(p.data(), 9, 5, 20);
    EXPECT_EQ(p[2 * 9 + 2], 100); // filled
    EXPECT_EQ(p[2 * 9 + 6], 60);  // raised by the depth only
    EXPECT_EQ(p[0], 100);
}

TEST(ClosingByReconstruction, BrightPicturesDoNotWrapIntoValleys)
{
    // 250 + 20 would wrap to 14; held at 255 the bright plateau stays and its pit fills.
    Bytes p(7 * 3, 250);
    p[1 * 7 + 3] = 240;
    GenericClosingByReconstruction(p.data(), 7, 3, 20);
    EXPECT_EQ(p, Bytes(21, 250));
}

TEST(WatershedFrame, MakeNewGradientAndCountingSort)
{
    const Bytes p = {5, 1, 5, //
                     0, 5, 1};
    const Bytes framed = MakeNewGradient(p.data(), 3, 2);
    const Bytes expectedFrame = {255, 255, 255, 255, 255, //
                                 255, 5,   1,   5,   255, //
                                 255, 0,   5,   1,   255, //
                                 255, 255, 255, 255, 255};
    EXPECT_EQ(framed, expectedFrame);
    // Ascending value, then row by row and left to right: 0 at (0,1); 1 at (1,0), (2,1); 5 at (0,0), (2,0), (1,1).
    const std::vector<int> order = CountingSort(framed.data(), 3, 2);
    EXPECT_EQ(order, (std::vector<int>{11, 7, 13, 6, 8, 12}));
}

TEST(GenericWatershed, ConstantPictureIsOneBasinLabelledOne)
{
    const Bytes flat(6 * 4, 33);
    EXPECT_EQ(GenericWatershed(flat.data(), 6, 4), std::vector<int>(24, 1));
    EXPECT_EQ(SimpleWatershed(flat.data(), 6, 4), std::vector<int>(24, 1));
}

TEST(GenericWatershed, TwoEqualMinimaAndARidge)
{
    // The ridge's two neighbours are equally low: the right one wins.
    const Bytes row = {0, 5, 9, 5, 0};
    EXPECT_EQ(GenericWatershed(row.data(), 5, 1), (std::vector<int>{1, 1, 2, 2, 2}));
    // As a column: the one below wins.
    EXPECT_EQ(GenericWatershed(row.data(), 1, 5), (std::vector<int>{1, 1, 2, 2, 2}));
    // Below beats left, left beats above.
    const Bytes belowLeft = {9, 9, 9, //
                             0, 9, 9, //
                             9, 0, 9};
    // Minima met in order: (0,1) first, then (1,2). The centre's lower neighbours:
    // left (0,1) and below (1,2); below comes first.
    const std::vector<int> labels = GenericWatershed(belowLeft.data(), 3, 3);
    EXPECT_EQ(labels[3], 1);
    EXPECT_EQ(labels[7], 2);
    EXPECT_EQ(labels[4], 2);
    const Bytes aboveLeft = {9, 0, 9, //
                             0, 9, 9, //
                             9, 9, 9};
    EXPECT_EQ(GenericWatershed(aboveLeft.data(), 3, 3)[4], 2); // left (label 2) before above (label 1)
}

TEST(GenericWatershed, PlateausFloodFromTheirLowerBorder)
{
    // A plateau of 5 touching basin 1 on the left only is taken whole by it,
    // however far it reaches.
    const Bytes row = {0, 5, 5, 5, 5, 9, 2};
    EXPECT_EQ(GenericWatershed(row.data(), 7, 1), (std::vector<int>{1, 1, 1, 1, 1, 2, 2}));
}

namespace {

// The immersion as the header states it, plainly: grey values in turn; the
// value's positions in raster order join their lowest lower neighbour's
// basin, the flood then spreads breadth first over that value, and what is
// left starts new basins in raster order.
std::vector<int> ImmersionByTheRules(const Bytes& p, int w, int h)
{
    std::vector<int> labels(p.size(), 0);
    const int dx[4] = {1, 0, -1, 0};
    const int dy[4] = {0, 1, 0, -1};
    auto neighbour = [&](int i, int k) {
        const int x = i % w + dx[k];
        const int y = i / w + dy[k];
        return x < 0 || y < 0 || x >= w || y >= h ? -1 : y * w + x;
    };
    std::queue<int> fifo;
    auto spread = [&](unsigned char f) {
        for (; !fifo.empty(); fifo.pop())
            for (int k = 0; k < 4; ++k) {
                const int r = neighbour(fifo.front(), k);
                if (r >= 0 && labels[std::size_t(r)] == 0 && p[std::size_t(r)] == f) {
                    labels[std::size_t(r)] = labels[std::size_t(fifo.front())];
                    fifo.push(r);
                }
            }
    };
    int basins = 0;
    for (int f = 0; f < 256; ++f) {
        std::vector<int> level;
        for (int i = 0; i < w * h; ++i)
            if (p[std::size_t(i)] == f)
                level.push_back(i);
        for (const int i : level) {
            int best = -1;
            for (int k = 0; k < 4; ++k) {
                const int r = neighbour(i, k);
                if (r >= 0 && p[std::size_t(r)] < (best < 0 ? f : p[std::size_t(best)]))
                    best = r;
            }
            if (best >= 0) {
                labels[std::size_t(i)] = labels[std::size_t(best)];
                fifo.push(i);
            }
        }
        spread(static_cast<unsigned char>(f));
        for (const int i : level)
            if (labels[std::size_t(i)] == 0) {
                labels[std::size_t(i)] = ++basins;
                fifo.push(i);
                spread(static_cast<unsigned char>(f));
            }
    }
    return labels;
}

// A w x h picture of value(x, y, noise) held to 0..255, noise a fresh
// pseudo-random word for each pixel in raster order.
Bytes Generated(int w, int h, unsigned seed, const std::function<int(int x, int y, unsigned noise)>& value)
{
    Bytes p(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            p[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                static_cast<unsigned char>(std::clamp(value(x, y, seed), 0, 255));
        }
    return p;
}

// The labels of the flooding, checked against the rules followed step by step.
std::vector<int> FloodedByTheRules(const Bytes& p, int w, int h)
{
    std::vector<int> labels = GenericWatershed(p.data(), w, h);
    EXPECT_EQ(labels, ImmersionByTheRules(p, w, h));
    return labels;
}

} // namespace

// Noise over few grey values and a slope: many basins, wide plateaus and
// long floods, against the rules followed step by step.
TEST(GenericWatershed, NoisyPictureFollowsTheImmersionRules)
{
    const int w = 173;
    const int h = 131;
    const Bytes p = Generated(w, h, 5, [](int x, int y, unsigned noise) { return int(noise >> 28) + (x + 2 * y) / 40 * 7; });
    const std::vector<int> labels = FloodedByTheRules(p, w, h);
    EXPECT_GT(*std::max_element(labels.begin(), labels.end()), 100);
}

// Cells quantised into wide plateaus, some flooded from many sides at once,
// some minima, a bright 255 band along the frame and a long slope: larger
// than the caches close to the processor, against the same rules.
TEST(GenericWatershed, LargeTerracedPictureFollowsTheImmersionRules)
{
    const int w = 700;
    const int h = 500;
    const Bytes p = Generated(w, h, 17, [](int x, int y, unsigned noise) {
        if (y < 3 || x < 2)
            return 255;
        if (x > 520)
            return (x - 520) + y / 50; // a slope draining to the right
        const double cells = 120.0 + 70.0 * std::sin(x / 19.0) * std::cos(y / 23.0) + 30.0 * std::sin((x + y) / 7.0);
        return (int(cells) + int(noise >> 29)) / 24 * 24;
    });
    const std::vector<int> labels = FloodedByTheRules(p, w, h);
    EXPECT_GT(*std::max_element(labels.begin(), labels.end()), 500);
}

// Floods that reach far below the row they start from: a valley falling the
// whole height, terraces flooded only from their lower edge, and a U-shaped
// minimum whose first pixel is in the top row. Against the same rules.
TEST(GenericWatershed, FloodsReachingFarDownFollowTheImmersionRules)
{
    const int w = 41;
    const int h = 600;
    const Bytes p = Generated(w, h, 23, [](int x, int y, unsigned noise) {
        if (x < 10)
            return 200 - y / 3 + 3 * std::abs(x - 5);
        if (x < 20)
            return (h - y) / 70 * 20 + 20;
        if (x == 22 || x == 38 || (x > 22 && x < 38 && y >= h - 2))
            return 30;
        return 90 + int(noise >> 29);
    });
    const std::vector<int> labels = FloodedByTheRules(p, w, h);
    EXPECT_EQ(labels[22], labels[std::size_t(h - 1) * w + 30]); // the U is one basin
    EXPECT_EQ(labels[5], labels[std::size_t(h - 1) * w + 5]);   // the valley drains to its foot
}

TEST(GenericWatershed, LabelsAbove255ShowAsTheirLowByte)
{
    // 300 separate minima: zeros at even columns.
    const int w = 600;
    Bytes row(w);
    for (int x = 0; x < w; ++x)
        row[std::size_t(x)] = x % 2 ? 9 : 0;
    const std::vector<int> labels = GenericWatershed(row.data(), w, 1);
    EXPECT_EQ(labels[0], 1);
    EXPECT_EQ(labels[598], 300);
    EXPECT_EQ(labels[1], 2);   // ties go right
    EXPECT_EQ(labels[599], 300);
    const Bytes low = LabelLowBytes(labels);
    EXPECT_EQ(low[598], 44);
    EXPECT_EQ(low[510], 0);   // label 256
    EXPECT_EQ(low[508], 255); // label 255
    EXPECT_EQ(LabelLowBytes({-1, 0, 257}), (Bytes{0, 0, 1}));
}

TEST_F(AllocationFailure, EveryOperationNamesItselfWhenMemoryRunsOut)
{
    const Bytes p(16, 3);
    Bytes q = p;
    FailSegmentationAllocationForTesting(1);
    EXPECT_EQ(FailureOf([&] { MultiscaleGradient(p.data(), 4, 4, 3); }), "MultiscaleGradient => cannot allocate memory");
    FailSegmentationAllocationForTesting(3);
    EXPECT_EQ(FailureOf([&] { GenericClosingByReconstruction(q.data(), 4, 4, 20); }),
              "GenericClosingByReconstruction => cannot allocate memory");
    EXPECT_EQ(q, p); // nothing changed
    FailSegmentationAllocationForTesting(1);
    EXPECT_EQ(FailureOf([&] { MakeNewGradient(p.data(), 4, 4); }), "MakeNewGradient => cannot allocate memory");
    FailSegmentationAllocationForTesting(1);
    EXPECT_EQ(FailureOf([&] { CountingSort(p.data(), 4, 4); }), "CountingSort => cannot allocate memory");
    // In the watershed: the framed picture, the arrows, the labels.
    FailSegmentationAllocationForTesting(1);
    EXPECT_EQ(FailureOf([&] { GenericWatershed(p.data(), 4, 4); }), "MakeNewGradient => cannot allocate memory");
    for (const int countdown : {2, 3}) {
        FailSegmentationAllocationForTesting(countdown);
        EXPECT_EQ(FailureOf([&] { GenericWatershed(p.data(), 4, 4); }), "GenericWatershed => cannot allocate memory");
    }
    EXPECT_EQ(GenericWatershed(p.data(), 4, 4), std::vector<int>(16, 1)); // and works again afterwards
}
