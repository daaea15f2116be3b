// The detail layers, their recombination and the background detail worker.
#include "PlaneTools.h"
#include "WorkbenchFixture.h"

#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/QEVDetailWorker.h"
#include "pixorama/workbench/SequenceOps.h"
#include "pixorama/workbench/WindowProcessor.h"

#include <QProgressBar>

#include <vector>

namespace {

QEVUCDATA2D Filled(int w, int h, int v)
{
    QEVUCDATA2D p;
    p.SetDim(w, h);
    std::fill(p.data, p.data + w * h, static_cast<unsigned char>(v));
    return p;
}

} // namespace

TEST(DetailLayers, EqualWeightsGiveThePlainMeanAndZeroRemovesALayer)
{
    DetailLayers layers;
    layers.base = Filled(3, 2, 10);
    layers.small = Filled(3, 2, 21);
    layers.medium = Filled(3, 2, 100);
    layers.large = Filled(3, 2, 255);
    ClassData2DIO<unsigned char> result;
    const float equal[4] = {0.3f, 0.3f, 0.3f, 0.3f};
    layers.Recombine(equal, result);
    EXPECT_EQ(result.rows[1][2], 96); // 386 / 4 = 96.5

    const float noLarge[4] = {0.5f, 0.5f, 0.5f, 0.0f};
    layers.Recombine(noLarge, result);
    EXPECT_EQ(result.rows[0][0], 43); // 131 / 3

    const float onlyBase[4] = {0.7f, 0.0f, 0.0f, 0.0f};
    layers.Recombine(onlyBase, result);
    EXPECT_EQ(result.rows[0][0], 10);

    const float none[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    layers.Recombine(none, result);
    EXPECT_EQ(result.rows[0][0], 0);
}

TEST(DetailLayers, BaseLayerStretchesTheMiddleEightyPercent)
{
    ClassData2DIO<float> raw;
    raw.SetDim(5, 1);
    const float v[5] = {0, 100, 500, 900, 1000}; // lo 100, hi 900
    std::copy(v, v + 5, raw.data);
    ClassData2DIO<unsigned char> base;
    gDetailBaseLayer(raw, base);
    const int expected[5] = {0, 0, 127, 255, 255};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(base.data[i], expected[i]);

    ClassData2DIO<float> flat;
    flat.SetDim(2, 2);
    std::fill(flat.data, flat.data + 4, 5.0f);
    ClassData2DIO<unsigned char> kept;
    kept.SetDim(2, 2);
    kept.data[3] = 9;
    gDetailBaseLayer(flat, kept);
    EXPECT_EQ(kept.data[3], 9);
}

TEST(DetailLayers, LayersComeFromTheWindowProcessor)
{
    ClassData2DIO<float> raw;
    raw.SetDim(70, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 70; ++x)
            raw.rows[y][x] = float((x * 37 + y * 101) % 53) + float(x * y);
    DetailLayers layers;
    std::vector<int> positions;
    layers.Compute(raw, false, [&](int p) { positions.push_back(p); });
    EXPECT_EQ(positions, (std::vector<int>{10, 20, 50, 100}));
    ClassData2DIO<unsigned char> large;
    gWindowProcess(raw, large, 61, 61, 7, 7);
    EXPECT_EQ(std::vector<unsigned char>(layers.large.data, layers.large.data + 2800),
              std::vector<unsigned char>(large.data, large.data + 2800));
    DetailLayers batch;
    batch.Compute(raw, true);
    gWindowProcess(raw, large, 61, 61, 4, 4);
    EXPECT_EQ(std::vector<unsigned char>(batch.large.data, batch.large.data + 2800),
              std::vector<unsigned char>(large.data, large.data + 2800));
}

class DetailWorker : public WorkbenchTest {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        ASSERT_TRUE(Serve([] { return !gDetailWorker().Busy(); }));
        for (int kind = 14; kind <= 17; ++kind)
            gDetailWorker().SetWeight(kind, 0.5f);
    }

    // A raw picture with texture at several scales.
    void ShowTexture(int w, int h)
    {
        raw = FloatImage(w, h, [](int x, int y) { return 3000.0 * ((x / 7 + y / 5) % 3) + 17.0 * ((x * 31 + y * 7) % 11) + 40.0 * x; });
        ShowRaw(raw);
    }

    // What canvas 4 should show for the given weights.
    ClassData2DIO<unsigned char> Expected(float w14, float w15, float w16, float w17) const
    {
        DetailLayers layers;
        layers.Compute(gCVSGetRaw(4)); // the working copy, as the worker reads it
        const float weights[4] = {w14, w15, w16, w17};
        ClassData2DIO<unsigned char> result;
        layers.Recombine(weights, result);
        return result;
    }

    void ExpectShown(const ClassData2DIO<unsigned char>& expected)
    {
        int wrong = 0;
        for (int y = 0; y < expected.height; ++y)
            for (int x = 0; x < expected.width; ++x)
                wrong += Pixel(x, y) != unsigned(expected.rows[y][x]) * 0x010101u;
        EXPECT_EQ(wrong, 0);
    }

    ClassData2DIO<float> raw;
};

TEST_F(DetailWorker, AWeightChangeDrawsTheRecombinedLayersUpright)
{
    ShowTexture(90, 70);
    const int before = gDetailWorker().WorkersStarted();
    ApplyLiveAdjustment(StripReport(15, 0.9f));
    EXPECT_EQ(gDetailWorker().WorkersStarted(), before + 1);
    ASSERT_TRUE(Serve([] { return !gDetailWorker().Busy(); }));
    EXPECT_TRUE(gWorkState().detailLayersReady.load());
    EXPECT_EQ(gCVSGetFileType(4), FileFloat) << "the raw data stays";
    ExpectShown(Expected(0.5f, 0.9f, 0.5f, 0.5f));
}

TEST_F(DetailWorker, ASecondRequestWhileBusyStartsNoWorkerAndTheLastWeightCounts)
{
    ShowTexture(400, 300);
    const int before = gDetailWorker().WorkersStarted();
    ApplyLiveAdjustment(StripReport(14, 0.1f));
    ASSERT_TRUE(gDetailWorker().Busy());
    // The layers of 400 x 300 take far longer than these calls.
    ApplyLiveAdjustment(StripReport(16, 0.0f));
    ApplyLiveAdjustment(StripReport(17, 0.8f));
    EXPECT_EQ(gDetailWorker().WorkersStarted(), before + 1);
    ASSERT_TRUE(Serve([] { return !gDetailWorker().Busy(); }));
    EXPECT_EQ(gDetailWorker().WorkersStarted(), before + 1);
    ExpectShown(Expected(0.1f, 0.5f, 0.0f, 0.8f));
}

TEST_F(DetailWorker, ProgressGoesThroughTheStepsAndBackToZero)
{
    QProgressBar bar;
    gWorkState().progress = &bar;
    std::vector<int> values;
    QObject::connect(&bar, &QProgressBar::valueChanged, [&](int v) { values.push_back(v); });
    ShowTexture(80, 60);
    ApplyLiveAdjustment(StripReport(16, 0.3f));
    ASSERT_TRUE(Serve([] { return !gDetailWorker().Busy(); }));
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_EQ(values, (std::vector<int>{10, 20, 50, 100, 0}));

    // Recombining ready layers reports no progress.
    values.clear();
    ApplyLiveAdjustment(StripReport(16, 0.6f));
    ASSERT_TRUE(Serve([] { return !gDetailWorker().Busy(); }));
    EXPECT_TRUE(values.empty());
    gWorkState().progress = nullptr;
}

TEST_F(DetailWorker, AColourPictureIsLeftAlone)
{
    ShowGrey(30, 20, [](int x, int) { return 5 * x; });
    ApplyLiveAdjustment(StripReport(15, 0.2f));
    ASSERT_TRUE(Serve([] { return !gDetailWorker().Busy(); }));
    EXPECT_FALSE(gWorkState().detailLayersReady.load());
    EXPECT_EQ(Pixel(29, 0), 0x919191u);
}

TEST(DetailLayers, SequenceConversionGetsTheBatchFormWithTheLiveWeights)
{
    const DetailEnhancer enhance = BatchDetailEnhancer();
    ASSERT_TRUE(enhance);

    ClassData2DIO<float> ramp;
    ramp.SetDim(70, 40);
    for (int y = 0; y < ramp.height; ++y)
        for (int x = 0; x < ramp.width; ++x)
            ramp.rows[y][x] = float(x * 13 + y * 7 + (x * y) % 17);
    gDetailWorker().SetWeight(14, 0.2f);
    gDetailWorker().SetWeight(17, 0.9f);

    DetailLayers layers;
    layers.Compute(ramp, true);
    float weights[4];
    for (int kind = 14; kind <= 17; ++kind)
        weights[kind - 14] = gDetailWorker().Weight(kind);
    ClassData2DIO<unsigned char> expected;
    layers.Recombine(weights, expected);

    ClassData2DIO<unsigned char> got;
    ASSERT_TRUE(enhance(ramp, got));
    ASSERT_EQ(got.width, 70);
    ASSERT_EQ(got.height, 40);
    EXPECT_TRUE(std::equal(got.data, got.data + 70 * 40, expected.data));
    ClassData2DIO<float> empty;
    EXPECT_FALSE(enhance(empty, got));
    gDetailWorker().SetWeight(14, 0.5f);
    gDetailWorker().SetWeight(17, 0.5f);
}
