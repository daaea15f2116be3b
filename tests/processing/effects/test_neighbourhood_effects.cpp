// Effects that look at a pixel's surroundings.
#include "PlaneTestTools.h"
#include "SquareReference.h"

#include "pixorama/common/Gaussian.h"
#include "pixorama/common/MirrorIndex.h"
#include "pixorama/workbench/PhotoEffects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <set>
#include <vector>

namespace {

using Rgb = TestPlanes::Rgb;
using Plane = ClassData2DIO<unsigned char>;

// Pictures of odd sizes, split over the processors or narrower than a reach.
const std::pair<int, int> oddSizes[] = {{389, 401}, {5, 3}, {1, 7}};

TestPlanes Noise(int w, int h)
{
    return TestPlanes(w, h, [](int x, int y) {
        const unsigned i = unsigned(y * 7919 + x);
        return Rgb{int((i * 2654435761u) >> 24), int((i * 40503u + 17) % 256), int((i * i * 31u) >> 3) % 256};
    });
}

// Soft light one pixel at a time: the plane screened with its gGauss blur
// (9 x 9, sigma 1.5), truncated.
void PlainSoftLight(Plane& plane)
{
    ClassData2DIO<float> blur;
    blur.SetDim(plane.width, plane.height);
    for (int y = 0; y < plane.height; ++y)
        std::copy_n(plane.rows[y], plane.width, blur.rows[y]);
    gGauss(&blur, 9, 1.5f, 0.0f);
    for (int y = 0; y < plane.height; ++y)
        for (int x = 0; x < plane.width; ++x) {
            const int b = int(std::clamp(blur.rows[y][x], 0.0f, 255.0f));
            const int v = plane.rows[y][x];
            plane.rows[y][x] = static_cast<unsigned char>(v + b - v * b / 255);
        }
}

// Frosted glass one pixel at a time: every row has its own xorshift64*
// generator, started from the splitmix64 finaliser of seed ^ (row times the
// golden ratio); each pixel takes one draw, whose low and high halves pick
// the column and row offsets in -4..4, mirrored at the edges.
TestPlanes PlainFrostedGlass(const TestPlanes& source, std::uint64_t seed)
{
    TestPlanes out = source;
    const int w = source.r.width, h = source.r.height;
    for (int y = 0; y < h; ++y) {
        std::uint64_t z = seed ^ (std::uint64_t(y) * 0x9E3779B97F4A7C15ULL);
        z += 0x9E3779B97F4A7C15ULL;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        std::uint64_t state = z ? z : 1;
        for (int x = 0; x < w; ++x) {
            state ^= state >> 12;
            state ^= state << 25;
            state ^= state >> 27;
            const std::uint32_t bits = std::uint32_t((state * 0x2545F4914F6CDD1DULL) >> 32);
            const int dx = int(((bits & 0xFFFF) * 9u) >> 16) - 4;
            const int dy = int(((bits >> 16) * 9u) >> 16) - 4;
            const Rgb c = source.At(pixMirrorReflect(x + dx, w), pixMirrorReflect(y + dy, h));
            out.r.rows[y][x] = static_cast<unsigned char>(c[0]);
            out.g.rows[y][x] = static_cast<unsigned char>(c[1]);
            out.b.rows[y][x] = static_cast<unsigned char>(c[2]);
        }
    }
    return out;
}

} // namespace

TEST(SoftLight, ScreensEachPlaneWithItsBlur)
{
    // Uniform planes blur to themselves: v + v - v * v / 255.
    TestPlanes p(12, 12, Rgb{100, 128, 255});
    EffectSoftLight(p.Planes());
    EXPECT_EQ(p.At(5, 5), (Rgb{161, 192, 255}));
    EXPECT_EQ(p.At(0, 11), (Rgb{161, 192, 255}));

    // A lone white dot: black pixels around it take the blur's value, which
    // falls with the distance and is the same on every side.
    TestPlanes dot(15, 15, [](int x, int y) { return x == 7 && y == 7 ? Rgb{255, 0, 0} : Rgb{0, 0, 0}; });
    EffectSoftLight(dot.Planes());
    const int near = dot.At(8, 7)[0];
    EXPECT_GT(near, 0);
    EXPECT_GT(near, dot.At(9, 7)[0]);
    EXPECT_EQ(dot.At(6, 7)[0], near);
    EXPECT_NEAR(dot.At(7, 8)[0], near, 1); // along the other axis: the same up to rounding
    EXPECT_EQ(dot.At(0, 0)[0], 0);
    EXPECT_EQ(dot.At(8, 7)[1], 0); // the other planes had nothing
}

TEST(SoftLight, EveryPixelIsThePlainBlurScreened)
{
    for (const auto& [w, h] : oddSizes) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        TestPlanes fast = Noise(w, h), plain = fast;
        EffectSoftLight(fast.Planes());
        for (Plane* plane : {&plain.r, &plain.g, &plain.b})
            PlainSoftLight(*plane);
        EXPECT_TRUE(fast.SameAs(plain));
    }
}

TEST(Vignette, DarkensTheCornersAndKeepsTheCentre)
{
    // Width and height 100: the centre is (50, 50) and the half diagonal 70.7.
    // Plane row r is picture row 99 - r.
    TestPlanes p(100, 100, Rgb{200, 200, 200});
    EffectVignette(p.Planes());
    EXPECT_GE(p.At(50, 49)[0], 199);               // picture (50, 50)
    EXPECT_EQ(p.At(0, 99), (Rgb{50, 50, 50}));     // picture (0, 0): distance = half diagonal, factor 0.2534
    EXPECT_EQ(p.At(99, 0), (Rgb{51, 51, 51}));     // picture (99, 99): 0.98 of it, factor 0.2550
    EXPECT_GT(p.At(25, 74)[0], p.At(10, 89)[0]);   // falls along the diagonal
}

TEST(Vignette, KeepsTheHueOfColouredPixels)
{
    TestPlanes p(100, 100, Rgb{200, 100, 50});
    EffectVignette(p.Planes());
    const Rgb corner = p.At(0, 99);
    EXPECT_LT(corner[0], 200);
    EXPECT_GT(corner[0], corner[1]); // still red before green before blue
    EXPECT_GT(corner[1], corner[2]);
}

// Every row and column, for odd and even sizes wider than the loops' runs:
// the grey of a grey picture falls as the sigmoid of the distance from the
// centre, up to the rounding of the falloff table.
TEST(Vignette, EveryPixelFollowsTheSigmoidOfItsDistance)
{
    for (const auto& [w, h] : {std::pair{301, 200}, std::pair{300, 151}}) {
        SCOPED_TRACE(w);
        TestPlanes p(w, h, Rgb{200, 200, 200});
        EffectVignette(p.Planes());
        const double cx = w / 2.0, cy = h / 2.0, c = std::hypot(cx, cy);
        int wrong = 0;
        for (int row = 0; row < h; ++row)
            for (int x = 0; x < w; ++x) {
                const double t = std::hypot(x - cx, (h - 1 - row) - cy) / c;
                const double grey = 200.0 * (0.75 / (1.0 + std::exp(20.0 * (t - 0.73))) + 0.25);
                for (int channel : p.At(x, row))
                    wrong += std::abs(channel - grey) > 1.0;
            }
        EXPECT_EQ(wrong, 0);
    }
}

namespace {

// The vignette's bytes for colour c at table position t (distance / half
// diagonal): the falloff sampled at 2^16 + 2 points and interpolated, then
// the float steps one by one, truncated and held to 0..255.
Rgb VignetteFormula(Rgb c, float t)
{
    static const std::vector<float> samples = [] {
        std::vector<float> s(65538);
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = 0.75f / (1.0f + std::exp(20.0f * (float(i) / 65536 - 0.73f))) + 0.25f;
        return s;
    }();
    const float at = std::min(std::max(t, 0.0f), 1.0f) * 65536;
    const std::size_t i = std::size_t(at);
    const float fraction = at - float(i);
    const float f = samples[i] + fraction * (samples[i + 1] - samples[i]);
    const float R = float(c[0]), G = float(c[1]), B = float(c[2]);
    const float Y = 0.299f * R + 0.587f * G + 0.114f * B;
    const float U = 0.493f * (B - Y);
    const float V = 0.877f * (R - Y);
    const float Yf = Y * f;
    auto byte = [](float v) { return int(std::min(std::max(v, 0.0f), 255.0f)); };
    return Rgb{byte(Yf + 1.14f * V), byte(Yf - 0.394f * U - 0.581f * V), byte(Yf + 2.032f * U)};
}

} // namespace

// Vector steps and the table positions of whole half lines give each
// pixel's float formula exactly, for odd and even sizes, the last columns
// past the vectors and the middle row and column, also on a picture whose
// rows go out in bands to several workers.
TEST(Vignette, ColouredPixelsGiveTheFloatFormulaExactly)
{
    auto colour = [](int x, int y) {
        const unsigned v = unsigned(x) * 2654435761u ^ unsigned(y) * 40503u;
        return Rgb{int(v & 255), int(v >> 8 & 255), int(v >> 16 & 255)};
    };
    for (const auto& [w, h] :
         {std::pair{301, 200}, std::pair{300, 151}, std::pair{17, 3}, std::pair{1, 1}, std::pair{601, 401}}) {
        SCOPED_TRACE(w);
        TestPlanes p(w, h, colour);
        EffectVignette(p.Planes());
        const float cx = float(w) / 2.0f, cy = float(h) / 2.0f, c = std::sqrt(cx * cx + cy * cy);
        int wrong = 0;
        for (int row = 0; row < h; ++row)
            for (int x = 0; x < w; ++x) {
                const float dx = float(x) - cx, dy = float(h - 1 - row) - cy;
                wrong += p.At(x, row) != VignetteFormula(colour(x, row), std::sqrt(dx * dx + dy * dy) / c);
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(FrostedGlass, TakesEveryPixelFromNearbyAndIsSeeded)
{
    // Each source pixel carries its position: red = x, green = y, blue = a checksum.
    auto source = [](int x, int y) { return Rgb{x, y, (x * 7 + y * 13) % 256}; };
    TestPlanes p(60, 50, source), q(60, 50, source), other(60, 50, source);
    EffectFrostedGlass(p.Planes(), 42);
    EffectFrostedGlass(q.Planes(), 42);
    EffectFrostedGlass(other.Planes(), 43);
    EXPECT_TRUE(p.SameAs(q));
    EXPECT_FALSE(p.SameAs(other));

    std::set<int> dxs, dys;
    int unmoved = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 60; ++x) {
            const Rgb c = p.At(x, y);
            ASSERT_LE(std::abs(c[0] - x), 4);
            ASSERT_LE(std::abs(c[1] - y), 4);
            ASSERT_EQ(c[2], (c[0] * 7 + c[1] * 13) % 256); // all planes from one source pixel
            if (x >= 4 && x < 56 && y >= 4 && y < 46) {
                dxs.insert(c[0] - x);
                dys.insert(c[1] - y);
            }
            unmoved += c[0] == x && c[1] == y;
        }
    EXPECT_EQ(dxs.size(), 9u);
    EXPECT_EQ(dys.size(), 9u);
    EXPECT_LT(unmoved, 3000 / 40); // about 1 in 81 stays
}

TEST(FrostedGlass, EveryPixelFollowsItsRowsGenerator)
{
    for (const auto& [w, h] : oddSizes)
        for (std::uint64_t seed : {0ULL, 12345ULL}) {
            SCOPED_TRACE(testing::Message() << w << " x " << h << ", seed " << seed);
            TestPlanes fast = Noise(w, h);
            const TestPlanes plain = PlainFrostedGlass(fast, seed);
            EffectFrostedGlass(fast.Planes(), seed);
            EXPECT_TRUE(fast.SameAs(plain));
        }
}

TEST(FrostedGlass, MirrorsAtTheEdges)
{
    TestPlanes p(9, 1, [](int x, int) { return Rgb{x, 0, 0}; });
    EffectFrostedGlass(p.Planes(), 7);
    for (int x = 0; x < 9; ++x)
        EXPECT_LE(std::abs(p.At(x, 0)[0] - x), 4); // a mirrored reach stays as near
    TestPlanes one(1, 1, Rgb{9, 8, 7});
    EffectFrostedGlass(one.Planes(), 7);
    EXPECT_EQ(one.At(0, 0), (Rgb{9, 8, 7}));
}

TEST(Stylise, ReliefIsGreyOnFlatsAndBrightOnEdges)
{
    TestPlanes flat(6, 6, Rgb{10, 90, 250});
    EffectStylise(flat.Planes());
    EXPECT_EQ(flat.At(3, 3), (Rgb{128, 128, 128}));

    // Dark left half, bright right half: the column left of the step sees
    // the bright pixel below-right and the dark pixel above-left.
    TestPlanes step(8, 6, [](int x, int) { return x < 4 ? Rgb{0, 0, 0} : Rgb{100, 200, 60}; });
    EffectStylise(step.Planes());
    EXPECT_EQ(step.At(3, 3), (Rgb{228, 255, 188}));
    EXPECT_EQ(step.At(4, 3), (Rgb{228, 255, 188}));
    EXPECT_EQ(step.At(5, 3), (Rgb{128, 128, 128}));
    EXPECT_EQ(step.At(2, 3), (Rgb{128, 128, 128}));
}

// Large enough to be split over the processors: the rows at the band edges
// must see their neighbours as they were before the effect.
TEST(Stylise, EveryPixelOfALargePictureIsTheRelief)
{
    constexpr int w = 301, h = 257;
    auto colour = [](int x, int y) { return Rgb{(x * 7 + y * 3) % 256, (x * y) % 256, (x + 11 * y) % 256}; };
    TestPlanes p(w, h, colour);
    EffectStylise(p.Planes());
    int wrong = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Plane row y - 1 is the picture row below, plane row y + 1 the row above.
            const Rgb below = colour(std::min(x + 1, w - 1), std::max(y - 1, 0));
            const Rgb above = colour(std::max(x - 1, 0), std::min(y + 1, h - 1));
            for (int c = 0; c < 3; ++c)
                wrong += p.At(x, y)[std::size_t(c)]
                         != std::clamp(128 + below[std::size_t(c)] - above[std::size_t(c)], 0, 255);
        }
    EXPECT_EQ(wrong, 0);
}

TEST(PenDrawing, InksTheOutlinesOnWhitePaper)
{
    TestPlanes p(20, 20, [](int x, int y) { return x >= 5 && x < 15 && y >= 5 && y < 15 ? Rgb{0, 0, 0} : Rgb{250, 250, 250}; });
    EffectPenDrawing(p.Planes());
    EXPECT_EQ(p.At(0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(p.At(10, 10), (Rgb{255, 255, 255})); // inside the flat square: no stroke
    EXPECT_EQ(p.At(5, 10), (Rgb{0, 0, 0}));        // on its edge, both sides of it
    EXPECT_EQ(p.At(4, 10), (Rgb{0, 0, 0}));
    // Weak changes give grey strokes: a step of 20 grey levels inks (20 - 8) x 3;
    // grain of up to 8 levels leaves the paper white.
    TestPlanes soft(10, 4, [](int x, int) { return x < 5 ? Rgb{100, 100, 100} : Rgb{120, 120, 120}; });
    EffectPenDrawing(soft.Planes());
    EXPECT_EQ(soft.At(5, 2), (Rgb{219, 219, 219}));
    TestPlanes grain(10, 4, [](int x, int y) { return (x + y) % 2 ? Rgb{100, 100, 100} : Rgb{108, 108, 108}; });
    EffectPenDrawing(grain.Planes());
    EXPECT_EQ(grain.At(4, 2), (Rgb{255, 255, 255}));
}

TEST(BlemishRemoval, FillsSmallDarkSpotsOnly)
{
    const Rgb skin{200, 150, 120};
    auto picture = [skin](int x, int y) {
        if ((x >= 6 && x < 8 && y >= 6 && y < 8) || (x >= 34 && x < 36 && y >= 4 && y < 6))
            return Rgb{100, 80, 60}; // 2 x 2 spots, one in the last, partial block of 16 columns
        if (x >= 20 && y >= 20)
            return Rgb{60, 40, 30}; // a large dark area, no blemish
        if (x == 12 && y == 3)
            return Rgb{195, 146, 118}; // barely darker: below the contrast
        return skin;
    };
    TestPlanes p(37, 32, picture);
    EffectBlemishRemoval(p.Planes());
    EXPECT_EQ(p.At(6, 6), skin);
    EXPECT_EQ(p.At(35, 5), skin);
    EXPECT_EQ(p.At(7, 7), skin);
    EXPECT_EQ(p.At(25, 25), (Rgb{60, 40, 30}));
    EXPECT_EQ(p.At(20, 20), (Rgb{60, 40, 30}));
    EXPECT_EQ(p.At(12, 3), (Rgb{195, 146, 118}));
}

TEST(BlemishRemoval, StrongRemovalFillsEveryPlaneOnItsOwn)
{
    // A faint dent in the red plane only, and a dark line three pixels wide.
    auto picture = [](int x, int y) {
        if (x == 12 && y == 3)
            return Rgb{195, 150, 120};
        if (y >= 20 && y < 23)
            return Rgb{50, 150, 120};
        return Rgb{200, 150, 120};
    };
    TestPlanes strong(32, 32, picture), gentle(32, 32, picture);
    EffectStrongBlemishRemoval(strong.Planes());
    EffectBlemishRemoval(gentle.Planes());
    EXPECT_EQ(strong.At(12, 3), (Rgb{200, 150, 120}));
    EXPECT_EQ(strong.At(16, 21), (Rgb{200, 150, 120}));
    EXPECT_EQ(gentle.At(12, 3), (Rgb{195, 150, 120})); // too faint for the gentle one
}

TEST(NeighbourhoodEffects, LargePicturesFollowTheSquareTakenPixelByPixel)
{
    // 389 x 401 is split over the processors; the rows near each split need
    // the neighbouring band's pixels as they were before the effect.
    const int w = 389, h = 401;
    auto noise = [](int x, int y, unsigned salt) {
        return int(((unsigned(y * 389 + x) + salt) * 2654435761u) >> 24);
    };
    const TestPlanes source(w, h, [&](int x, int y) { return Rgb{noise(x, y, 0), noise(x, y, 7), noise(x, y, 13)}; });
    TestPlanes strong = source;
    EffectStrongBlemishRemoval(strong.Planes());
    const ClassData2DIO<unsigned char>* before[3] = {&source.r, &source.g, &source.b};
    const ClassData2DIO<unsigned char>* after[3] = {&strong.r, &strong.g, &strong.b};
    for (int c = 0; c < 3; ++c) {
        const std::vector<unsigned char> plane(before[c]->data, before[c]->data + std::size_t(w) * h);
        const std::vector<unsigned char> closed = BruteSquare(BruteSquare(plane, w, h, 2, true), w, h, 2, false);
        ASSERT_TRUE(std::equal(closed.begin(), closed.end(), after[c]->data)) << "plane " << c;
    }

    // Gentle removal on faint noise, some pixels raised past the contrast and
    // some not: where the closing lifts the rounded (R + 2 G + B) / 4 by more
    // than 10, all three channels take its values.
    const TestPlanes faint(w, h, [&](int x, int y) {
        return Rgb{150 + noise(x, y, 0) / 12, 150 + noise(x, y, 7) / 12, 150 + noise(x, y, 13) / 12};
    });
    TestPlanes gentle = faint;
    EffectBlemishRemoval(gentle.Planes());
    std::vector<unsigned char> lifted[3];
    for (int c = 0; c < 3; ++c) {
        const Plane* plane = c == 0 ? &faint.r : c == 1 ? &faint.g : &faint.b;
        const std::vector<unsigned char> bytes(plane->data, plane->data + std::size_t(w) * h);
        lifted[c] = BruteSquare(BruteSquare(bytes, w, h, 2, true), w, h, 2, false);
    }
    int spots = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = std::size_t(y) * w + std::size_t(x);
            const Rgb was = faint.At(x, y), closing{lifted[0][i], lifted[1][i], lifted[2][i]};
            const int redBlue = (closing[0] - was[0] + closing[2] - was[2] + 1) / 2;
            const bool spot = (redBlue + closing[1] - was[1] + 1) / 2 > 10;
            spots += spot;
            ASSERT_EQ(gentle.At(x, y), spot ? closing : was) << x << "," << y;
        }
    EXPECT_GT(spots, w * h / 10);
    EXPECT_LT(spots, w * h * 9 / 10);

    // Pen drawing on a grey picture: three times the spread of the 3 x 3
    // square beyond the grain of 8 levels, darkening white paper.
    TestPlanes pen(w, h, [&](int x, int y) {
        const int v = noise(x / 3, y / 3, 0) / 4 + 100;
        return Rgb{v, v, v};
    });
    std::vector<unsigned char> grey(pen.r.data, pen.r.data + std::size_t(w) * h);
    for (unsigned char& v : grey) // 0.299 v + 0.587 v + 0.114 v in double may truncate to v - 1
        v = static_cast<unsigned char>(0.299 * v + 0.587 * v + 0.114 * v);
    const std::vector<unsigned char> high = BruteSquare(grey, w, h, 1, true), low = BruteSquare(grey, w, h, 1, false);
    EffectPenDrawing(pen.Planes());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = std::size_t(y) * w + std::size_t(x);
            const int ink = std::max(0, 3 * (high[i] - low[i] - 8));
            const int paper = std::max(0, 255 - ink);
            ASSERT_EQ(pen.At(x, y), (Rgb{paper, paper, paper})) << x << "," << y;
        }
}
