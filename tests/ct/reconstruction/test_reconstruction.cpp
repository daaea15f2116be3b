#include "AnalyticPhantom.h"

#include "pixorama/workbench/ForwardProjection.h"
#include "pixorama/workbench/Reconstruction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double phantomScale = 28; // mm: the outer ellipse is 19 x 26 mm

CtGeometry parallelScan()
{
    return {.beam = Beam::Parallel, .columns = 96, .views = 180, .du = 0.75, .size = 64, .pixel = 1};
}

CtGeometry fanScan()
{
    return {.beam = Beam::Fan, .columns = 128, .views = 180, .du = 0.8, .sod = 150, .sdd = 250, .size = 64, .pixel = 1};
}

CtGeometry coneScan()
{
    CtGeometry g = fanScan();
    g.beam = Beam::Cone;
    g.rows = 96;
    return g;
}

ClassData2DIO<float> reconstruct(const std::vector<phantom::Ellipsoid>& body, const CtGeometry& g)
{
    ClassData2DIO<float> slice;
    EXPECT_TRUE(ReconstructSlice(phantom::Sinogram(body, g), g, RampChoice{}, slice));
    return slice;
}

ClassData2DIO<float> reconstructCone(const std::vector<phantom::Ellipsoid>& body, const CtGeometry& g, int k)
{
    int rowBegin = 0, rowEnd = 0;
    FdkProjections::RowsFor(g, k, 1, rowBegin, rowEnd);
    auto frames = phantom::Frames(body, g, rowBegin, rowEnd);
    FdkProjections fdk;
    std::vector<ClassData2DIO<float>> slices;
    EXPECT_TRUE(fdk.Prepare(frames, rowBegin, g, RampChoice{}));
    EXPECT_TRUE(fdk.BackProject(k, 1, slices));
    return slices.empty() ? ClassData2DIO<float>{} : slices[0];
}

} // namespace

// Phantom RMSE bounds: the phantom's largest step is 0.8 and its fine
// details are a pixel or two wide, so edges dominate what remains.
TEST(FilteredBackProjection, ReconstructsTheSheppLoganPhantomInEveryBeam)
{
    const auto flat = phantom::SheppLogan(phantomScale, true);
    const CtGeometry parallel = parallelScan(), fan = fanScan(), cone = coneScan();
    const ClassData2DIO<float> truth = phantom::Render(flat, parallel, 0);
    EXPECT_LT(phantom::Rmse(reconstruct(flat, parallel), truth), 0.06);
    EXPECT_LT(phantom::Rmse(reconstruct(flat, fan), truth), 0.06);

    // FDK: slice 34 lies 2.5 mm above the orbit's plane.
    const auto body = phantom::SheppLogan(phantomScale, false);
    EXPECT_LT(phantom::Rmse(reconstructCone(body, cone, 34), phantom::Render(body, cone, 34)), 0.07);
}

TEST(FilteredBackProjection, DiscDensityWithinTwoPercentInEveryBeam)
{
    const auto disc = phantom::Disc(20, 0.5);
    const CtGeometry parallel = parallelScan(), fan = fanScan(), cone = coneScan();
    EXPECT_NEAR(phantom::MeanWithin(reconstruct(disc, parallel), parallel, 15), 0.5, 0.01);
    EXPECT_NEAR(phantom::MeanWithin(reconstruct(disc, fan), fan, 15), 0.5, 0.01);
    EXPECT_NEAR(phantom::MeanWithin(reconstructCone(disc, cone, 32), cone, 15), 0.5, 0.01);
    // Outside the disc the slice is empty.
    const ClassData2DIO<float> s = reconstruct(disc, fan);
    EXPECT_NEAR(s.rows[32][5], 0.0, 0.02);
}

TEST(FilteredBackProjection, TurnDirectionAndOffsetsMoveNothing)
{
    const auto flat = phantom::SheppLogan(phantomScale, true);
    for (CtGeometry plain : {parallelScan(), fanScan()}) {
        plain.columns = 160;
        const ClassData2DIO<float> reference = reconstruct(flat, plain);
        // Whole-pixel offsets sample the same rays: the slice is the same.
        CtGeometry turned = plain;
        turned.clockwise = true;
        turned.startAngle = 0.7;
        turned.xOffset = 6;
        turned.axisOffset = -4;
        EXPECT_LT(phantom::Rmse(reconstruct(flat, turned), reference), 0.01);
        // Fractions of a pixel interpolate elsewhere but still match the phantom.
        turned.xOffset = 6.5;
        turned.axisOffset = -4.25;
        const ClassData2DIO<float> truth = phantom::Render(flat, plain, 0);
        EXPECT_LT(phantom::Rmse(reconstruct(flat, turned), truth), 0.06);
        // An axis placed two pixels wrong is seen.
        CtGeometry wrong = turned;
        wrong.axisOffset += 2;
        ClassData2DIO<float> misplaced;
        ASSERT_TRUE(ReconstructSlice(phantom::Sinogram(flat, turned), wrong, RampChoice{}, misplaced));
        EXPECT_GT(phantom::Rmse(misplaced, truth), 0.08);
    }
}

TEST(FilteredBackProjection, HalfFanScanWithOffsetDetectorReconstructsTheWholeField)
{
    const auto flat = phantom::SheppLogan(phantomScale, true);
    CtGeometry g = fanScan();
    g.columns = 88; // covers the axis and 16 pixels beyond on the short side
    g.xOffset = -(0.5 * (g.columns - 1) - 16);
    g.halfFan = true;
    g.views = 240;
    const ClassData2DIO<float> truth = phantom::Render(flat, g, 0);
    EXPECT_LT(phantom::Rmse(reconstruct(flat, g), truth), 0.065);
    // Without the weight the doubly seen middle comes out too dense.
    g.halfFan = false;
    EXPECT_GT(phantom::Rmse(reconstruct(flat, g), truth), 0.1);
}

TEST(FilteredBackProjection, SheppLoganKernelAndCutOffSmoothButKeepDensity)
{
    const auto disc = phantom::Disc(20, 0.5);
    const CtGeometry g = parallelScan();
    ClassData2DIO<float> sharp, smooth;
    const ClassData2DIO<float> sinogram = phantom::Sinogram(disc, g);
    ASSERT_TRUE(ReconstructSlice(sinogram, g, RampChoice{}, sharp));
    ASSERT_TRUE(ReconstructSlice(sinogram, g, RampChoice{true, 0.5}, smooth));
    EXPECT_NEAR(phantom::MeanWithin(smooth, g, 15), 0.5, 0.01);
    // Smoother: less energy in the steps from pixel to pixel within the field.
    const auto variation = [](const ClassData2DIO<float>& s) {
        double sum = 0;
        for (int r = 0; r < s.height; ++r)
            for (int c = 1; c < s.width; ++c)
                if (std::hypot(c - 31.5, r - 31.5) < 30)
                    sum += std::pow(s.rows[r][c] - s.rows[r][c - 1], 2);
        return sum;
    };
    EXPECT_LT(variation(smooth), 0.7 * variation(sharp));
}

TEST(ForwardProjection, MatchesExactLineIntegralsAndRoundTrips)
{
    const auto flat = phantom::SheppLogan(phantomScale, true);
    for (const CtGeometry& g : {parallelScan(), fanScan()}) {
        CtGeometry shifted = g;
        shifted.xOffset = 2.5;
        shifted.axisOffset = -1.5;
        shifted.clockwise = true;
        ClassData2DIO<float> simulated;
        ASSERT_TRUE(ForwardProjectSlice(phantom::Render(flat, shifted, 0), shifted, simulated));
        const ClassData2DIO<float> exact = phantom::Sinogram(flat, shifted);
        // Line integrals reach 35; the rendered picture's pixel edges stay.
        // Half a pixel off would be 0.59 or more.
        EXPECT_LT(phantom::Rmse(simulated, exact), 0.55);
    }
    CtGeometry cone = coneScan();
    cone.views = 4;
    cone.startAngle = 0.3;
    std::vector<ClassData2DIO<float>> volume;
    const auto body = phantom::SheppLogan(phantomScale, false);
    for (int k = 0; k < cone.size; ++k)
        volume.push_back(phantom::Render(body, cone, k));
    std::vector<ClassData2DIO<float>> projections;
    ASSERT_TRUE(ForwardProjectVolume(volume, cone, projections));
    const auto exact = phantom::Frames(body, cone, 0, cone.rows);
    for (int v = 0; v < cone.views; ++v)
        EXPECT_LT(phantom::Rmse(projections[std::size_t(v)], exact[std::size_t(v)]), 0.7) << "view " << v;
}

TEST(FilteredBackProjection, ConeSlicesAreTheSameFromAnyRunOfSlices)
{
    const auto body = phantom::SheppLogan(phantomScale, false);
    CtGeometry g = coneScan();
    g.views = 60;
    g.zOffset = 1.5;
    auto frames = phantom::Frames(body, g, 0, g.rows);
    FdkProjections fdk;
    ASSERT_TRUE(fdk.Prepare(frames, 0, g, RampChoice{}));
    std::vector<ClassData2DIO<float>> whole, piece;
    ASSERT_TRUE(fdk.BackProject(20, 8, whole));
    ASSERT_TRUE(fdk.BackProject(23, 3, piece));
    for (int k = 0; k < 3; ++k)
        for (int r = 0; r < g.size; ++r)
            ASSERT_EQ(0, std::memcmp(whole[std::size_t(k + 3)].rows[r], piece[std::size_t(k)].rows[r], sizeof(float) * std::size_t(g.size)));
    // From a band of detector rows the slice is the same too.
    int rowBegin = 0, rowEnd = 0;
    FdkProjections::RowsFor(g, 24, 1, rowBegin, rowEnd);
    ASSERT_GT(rowBegin, 0);
    auto band = phantom::Frames(body, g, rowBegin, rowEnd);
    FdkProjections narrow;
    ASSERT_TRUE(narrow.Prepare(band, rowBegin, g, RampChoice{}));
    ASSERT_TRUE(narrow.BackProject(24, 1, piece));
    for (int r = 0; r < g.size; ++r)
        ASSERT_EQ(0, std::memcmp(whole[4].rows[r], piece[0].rows[r], sizeof(float) * std::size_t(g.size)));
}

namespace {

// The slices of a run, wide and plain; fails on the first differing row.
void expectSameBits(const std::vector<ClassData2DIO<float>>& wide, const std::vector<ClassData2DIO<float>>& plain,
                    const char* what)
{
    ASSERT_EQ(wide.size(), plain.size()) << what;
    double energy = 0;
    for (std::size_t k = 0; k < wide.size(); ++k)
        for (int r = 0; r < plain[k].height; ++r) {
            ASSERT_EQ(0, std::memcmp(wide[k].rows[r], plain[k].rows[r], sizeof(float) * std::size_t(plain[k].width)))
                << what << " slice " << k << " row " << r;
            for (int x = 0; x < plain[k].width; ++x)
                energy += std::abs(plain[k].rows[r][x]);
        }
    EXPECT_GT(energy, 1.0) << what;
}

std::vector<ClassData2DIO<float>> backProjected(const std::vector<phantom::Ellipsoid>& body, const CtGeometry& g, bool plain)
{
    UsePlainBackProjectionLoops(plain);
    std::vector<ClassData2DIO<float>> slices(1);
    bool ran = false;
    if (g.beam == Beam::Cone) {
        auto frames = phantom::Frames(body, g, 0, g.rows);
        FdkProjections fdk;
        ran = fdk.Prepare(frames, 0, g, RampChoice{}) && fdk.BackProject(20, 29, slices);
    } else {
        ran = ReconstructSlice(phantom::Sinogram(body, g), g, RampChoice{}, slices[0]);
    }
    UsePlainBackProjectionLoops(false);
    EXPECT_TRUE(ran);
    return slices;
}

} // namespace

// Cone beam: finer voxels than the detector rows take the windowed vector
// path, coarser ones the gathering path (pixel 0.7 mixes both), and pixel 4
// puts the field's corners behind the source; runs of 29 slices take every
// vector width and leave a tail for the plain loop.
// Parallel and fan beam: 61 pixels leave tails; a 300-column detector of
// small columns puts five columns between pixels, too far for a window; at
// pixel 4 rows of the fan-beam field pass behind the source.
TEST(FilteredBackProjection, VectorLoopsGiveThePlainLoopsBits)
{
    const auto body = phantom::SheppLogan(phantomScale, false);
    for (const double pixel : {0.5, 0.7, 1.0, 4.0}) {
        CtGeometry g = coneScan();
        g.views = 40;
        g.pixel = pixel;
        g.zOffset = -2.5;
        expectSameBits(backProjected(body, g, false), backProjected(body, g, true), "cone");
    }
    const auto flat = phantom::SheppLogan(phantomScale, true);
    for (CtGeometry g : {parallelScan(), fanScan()}) {
        g.size = 61;
        g.axisOffset = 1.5;
        expectSameBits(backProjected(flat, g, false), backProjected(flat, g, true), "slice");
        g.columns = 300;
        g.du /= 4;
        g.size = 64;
        expectSameBits(backProjected(flat, g, false), backProjected(flat, g, true), "wide detector");
        g.pixel = 4;
        expectSameBits(backProjected(flat, g, false), backProjected(flat, g, true), "field past the source");
    }
}
