// The window processor against a direct single-thread reference written
// from its definition, and its independence of the thread count.
#include "pixorama/workbench/QEVClassicEnhanceRaw.h"
#include "pixorama/workbench/SFThread.h"
#include "pixorama/workbench/WindowProcessor.h"

#include "DirectWindowProcessor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <vector>

namespace {

using Picture = ClassData2DIO<float>;
using Bytes = ClassData2DIO<unsigned char>;

Picture noisy(int w, int h, unsigned seed, float scale = 1000.0f)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> u(-scale, scale);
    Picture p;
    p.SetDim(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.rows[y][x] = u(random);
    return p;
}

std::vector<unsigned char> bytes(const Bytes& b)
{
    std::vector<unsigned char> v;
    for (int y = 0; y < b.height; ++y)
        v.insert(v.end(), b.rows[y], b.rows[y] + b.width);
    return v;
}

struct Case {
    int w, h, a, b, sr, sc;
};

} // namespace

TEST(WindowProcessor, MatchesTheDirectMethodByteForByte)
{
    const Case cases[] = {{23, 19, 5, 5, 1, 1}, {37, 29, 7, 5, 2, 3}, {40, 33, 17, 17, 2, 2},
                          {64, 48, 35, 35, 4, 4}, {70, 70, 61, 61, 7, 7}, {9, 31, 3, 9, 5, 1}, {31, 9, 9, 3, 1, 5}};
    unsigned seed = 1;
    for (const Case& c : cases) {
        const Picture p = noisy(c.w, c.h, seed++);
        Bytes out;
        ASSERT_TRUE(gWindowProcess(p, out, c.a, c.b, c.sr, c.sc, 3));
        EXPECT_EQ(bytes(out), bytes(gDirectWindowProcess(p, c.a, c.b, c.sr, c.sc)))
            << c.w << "x" << c.h << " window " << c.a << "x" << c.b << " steps " << c.sr << "," << c.sc;
    }
}

TEST(WindowProcessor, OneTwoThreeAndEightThreadsGiveTheSameBytes)
{
    // Flat patches make constant windows; 61 rows do not split evenly.
    Picture p = noisy(53, 61, 7, 70000.0f);
    for (int y = 10; y < 30; ++y)
        for (int x = 5; x < 40; ++x)
            p.rows[y][x] = -3.0f;
    for (const Case& c : {Case{53, 61, 17, 17, 2, 2}, Case{53, 61, 9, 5, 3, 2}, Case{53, 61, 35, 35, 4, 4}}) {
        Bytes one;
        ASSERT_TRUE(gWindowProcess(p, one, c.a, c.b, c.sr, c.sc, 1));
        EXPECT_EQ(bytes(one), bytes(gDirectWindowProcess(p, c.a, c.b, c.sr, c.sc)));
        for (int threads : {2, 3, 8}) {
            Bytes many;
            ASSERT_TRUE(gWindowProcess(p, many, c.a, c.b, c.sr, c.sc, threads));
            EXPECT_EQ(bytes(many), bytes(one)) << threads << " threads, window " << c.a;
        }
    }
}

TEST(WindowProcessor, FewerRowsThanThreadsStillCoversThePicture)
{
    const Picture p = noisy(30, 3, 11);
    Bytes out;
    ASSERT_TRUE(gWindowProcess(p, out, 3, 3, 1, 1, 8));
    EXPECT_EQ(bytes(out), bytes(gDirectWindowProcess(p, 3, 3, 1, 1)));
}

TEST(WindowProcessor, TheLastRowIsNeverACentreButTheRowsBeforeItAre)
{
    // Windows one row high cover only their centre row. Every row is a
    // horizontal ramp, so every covered pixel gets a positive mean except
    // the first and last columns' minima.
    Picture p;
    p.SetDim(12, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            p.rows[y][x] = float(x * 10 + y);
    for (int threads : {1, 4}) {
        Bytes out;
        ASSERT_TRUE(gWindowProcess(p, out, 3, 1, 1, 1, threads));
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(out.rows[9][x], 0) << "last row, column " << x;
        // With 4 threads the strips are 2 rows high: rows 8 and 9 are left
        // over by the split, and row 8 is still a centre.
        for (int y = 0; y < 9; ++y)
            EXPECT_GT(out.rows[y][6], 0) << "row " << y << ", " << threads << " threads";
    }
}

TEST(WindowProcessor, ConstantPictureGivesAnOutputOfTheSameSize)
{
    Picture p;
    p.SetDim(20, 15);
    for (int y = 0; y < 15; ++y)
        std::fill(p.rows[y], p.rows[y] + 20, 42.0f);
    Bytes out;
    ASSERT_TRUE(gWindowProcess(p, out, 17, 17, 2, 2));
    EXPECT_EQ(out.width, 20);
    EXPECT_EQ(out.height, 15);
    for (unsigned char v : bytes(out))
        EXPECT_EQ(v, 0);

    // A picture already of the right size keeps its pixels.
    std::fill(out.data, out.data + 300, 7);
    ASSERT_TRUE(gWindowProcess(p, out, 5, 5, 1, 1));
    EXPECT_EQ(out.rows[3][4], 7);
}

TEST(WindowProcessor, RefusesEmptyPicturesAndBadWindows)
{
    const Picture empty;
    Bytes out;
    EXPECT_FALSE(gWindowProcess(empty, out, 3, 3, 1, 1));
    const Picture p = noisy(5, 5, 3);
    EXPECT_FALSE(gWindowProcess(p, out, 0, 3, 1, 1));
    EXPECT_FALSE(gWindowProcess(p, out, 3, 3, 0, 1));
    EXPECT_TRUE(out.IsEmpty());
}

TEST(WindowProcessor, PaddingMirrorsWithoutRepeatingTheEdge)
{
    Picture p;
    p.SetDim(3, 1);
    p.rows[0][0] = 1, p.rows[0][1] = 2, p.rows[0][2] = 3;
    Picture padded;
    gPadMirrored(p, 2, padded);
    ASSERT_EQ(padded.width, 7);
    ASSERT_EQ(padded.height, 5);
    const float expected[7] = {3, 2, 1, 2, 3, 2, 1};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(padded.rows[y][x], expected[x]);
}

namespace {

struct Counter : SFRunnable {
    std::atomic<int> runs{0};
    void Run() override { runs.fetch_add(1); }
};

} // namespace

TEST(SFThread, RunsItsTargetOnceAndJoins)
{
    Counter counter;
    {
        SFThread thread(&counter);
        EXPECT_TRUE(thread.Start());
        thread.Join();
        EXPECT_FALSE(thread.Started());
    }
    EXPECT_EQ(counter.runs.load(), 1);

    SFThread never(&counter);
    never.Run(); // not started: nothing runs
    never.Join();
    EXPECT_EQ(counter.runs.load(), 1);
}
