// Crop, mirrors, negative and resize on colour and raw pictures.
#include "WorkbenchFixture.h"

#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/canvo/InteractiveRect.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/DetailLayers.h"
#include "pixorama/workbench/QEVDetailWorker.h"

#include <chrono>
#include <thread>

namespace {

class EditCommandTest : public WorkbenchTest {
protected:
    // A 4 x 3 colour picture: red = 10 x + 1, green = 10 y + 1, blue = 7.
    void OpenColour()
    {
        OpenColourByMenu("c.png", 4, 3, [](int x, int y) { return unsigned(10 * x + 1) << 16 | unsigned(10 * y + 1) << 8 | 7u; });
        ASSERT_EQ(gCVSGetFileType(canvas), FilePicture8);
    }

    // A 4 x 3 raw picture of x + 4 y.
    void OpenRaw() { OpenRawByMenu(WriteRaw("r.raw", 4, 3, [](int x, int y) { return std::uint16_t(x + 4 * y); }), 4, 3); }

    static float Working(int x, int y) { return gCVSGetRaw(canvas).rows[y][x]; }

    void AnswerRect(int l, int t, int r, int b)
    {
        Answer(std::map<std::wstring, std::wstring>{{L"m_RectLeft", std::to_wstring(l)}, {L"m_RectTop", std::to_wstring(t)},
                                                    {L"m_RectRight", std::to_wstring(r)}, {L"m_RectBottom", std::to_wstring(b)}});
    }
    void AnswerSize(int w, int h)
    {
        Answer(std::map<std::wstring, std::wstring>{{L"ImaOneW", std::to_wstring(w)}, {L"ImaOneH", std::to_wstring(h)}});
    }
};

TEST_F(EditCommandTest, WithoutAPictureEachSaysSo)
{
    for (int id : {2375, 2376, 2377, 2378, 2384})
        frame->OnCommand(id);
    EXPECT_EQ(messages, std::vector<std::wstring>(5, L"没有图像"));
    EXPECT_EQ(dialogs, 0);
}

TEST_F(EditCommandTest, ColourMirrorsAndNegative)
{
    OpenColour();
    frame->OnCommand(2376);
    EXPECT_EQ(Pixel(0, 0), 0x1F0107u);
    EXPECT_EQ(Pixel(3, 2), 0x011507u);
    EXPECT_TRUE(gWorkState().planesCaptured);
    // Each operation starts again from the source planes.
    frame->OnCommand(2377);
    EXPECT_EQ(Pixel(0, 0), 0x011507u);
    frame->OnCommand(2378);
    EXPECT_EQ(Pixel(0, 0), 0xFEFEF8u);
    EXPECT_EQ(Pixel(3, 2), 0xE0EAF8u);
}

TEST_F(EditCommandTest, ColourCropChangesOnlyLabelledPixelsInsideTheCroppedPlanes)
{
    OpenColour();
    const unsigned before[2][4] = {{Pixel(0, 1), Pixel(1, 1), Pixel(2, 1), Pixel(3, 1)},
                                   {Pixel(0, 2), Pixel(1, 2), Pixel(2, 2), Pixel(3, 2)}};
    // A region over the two left columns of the picture.
    gCVSAddMRectangle(canvas);
    auto* region = dynamic_cast<InteractiveRect*>(CanvasTable::At(canvas)->overlays.back().get());
    ASSERT_NE(region, nullptr);
    region->SetRectPos(0.0f, 0.0f, 1.0f, 2.0f);
    AnswerRect(2, 0, 3, 1); // columns 2..3, rows 0..1
    frame->OnCommand(2375);
    // The 2 x 2 result lands in the bottom rows (planes are bottom-up) and
    // is written only where the region is.
    EXPECT_EQ(Pixel(0, 2), 0x150B07u); // crop row 1, column 0: red 21, green 11
    EXPECT_EQ(Pixel(1, 2), 0x1F0B07u);
    EXPECT_EQ(Pixel(0, 1), 0x150107u);
    EXPECT_EQ(Pixel(1, 1), 0x1F0107u);
    EXPECT_EQ(Pixel(2, 2), before[1][2]); // outside the region
    EXPECT_EQ(Pixel(3, 1), before[0][3]);
    EXPECT_EQ(Pixel(0, 0), 0x010107u);  // outside the cropped planes
}

TEST_F(EditCommandTest, CropOutsideThePictureOrInvertedIsRefused)
{
    OpenColour();
    AnswerRect(2, 0, 4, 1);
    frame->OnCommand(2375);
    AnswerRect(-1, 0, 2, 1);
    frame->OnCommand(2375);
    AnswerRect(3, 0, 2, 1);
    frame->OnCommand(2375);
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"剪切矩形超出图像范围", L"剪切矩形超出图像范围", L"剪切矩形的大小无效"}));
    EXPECT_EQ(Pixel(3, 2), 0x1F1507u);
    EXPECT_FALSE(gWorkState().planesCaptured);
}

TEST_F(EditCommandTest, ResizeOfZeroOrNegativeSizeIsRefused)
{
    OpenRaw();
    AnswerSize(0, 5);
    frame->OnCommand(2384);
    AnswerSize(5, -2);
    frame->OnCommand(2384);
    EXPECT_EQ(messages, (std::vector<std::wstring>(2, L"图像尺寸无效")));
    EXPECT_EQ(gCVSGetCanvasWidth(canvas), 4);
}

TEST_F(EditCommandTest, CancelledDialogChangesNothing)
{
    OpenRaw();
    Answer(std::nullopt);
    frame->OnCommand(2375);
    frame->OnCommand(2384);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(gCVSGetCanvasWidth(canvas), 4);
    EXPECT_FLOAT_EQ(gCVSGetRawOri(canvas).rows[0][1], 1.0f);
}

TEST_F(EditCommandTest, RawMirrorsNegativeAndCrop)
{
    OpenRaw(); // working raw: (x + 4 y) * 65535 / 11
    const float step = 65535.0f / 11.0f;
    frame->OnCommand(2376);
    EXPECT_NEAR(Working(0, 0), 3 * step, 0.5f);
    frame->OnCommand(2377);
    EXPECT_NEAR(Working(0, 0), 11 * step, 0.5f);
    gWorkState().detailLayersReady = true;
    frame->OnCommand(2378);
    EXPECT_NEAR(Working(0, 0), 0.0f, 0.5f);
    EXPECT_FALSE(gWorkState().detailLayersReady);
    AnswerRect(1, 1, 2, 2);
    frame->OnCommand(2375);
    ASSERT_EQ(gCVSGetRaw(canvas).width, 2);
    ASSERT_EQ(gCVSGetRaw(canvas).height, 2);
    EXPECT_EQ(gCVSGetCanvasWidth(canvas), 2);
}

TEST_F(EditCommandTest, RawCropKeepsTheRectangleItsRowsAndColumns)
{
    OpenRaw(); // working raw: (x + 4 y) * 65535 / 11
    const float step = 65535.0f / 11.0f;
    AnswerRect(1, 1, 3, 2);
    frame->OnCommand(2375);
    const ClassData2DIO<float>& kept = gCVSGetRawOri(canvas);
    ASSERT_EQ(kept.width, 3);
    ASSERT_EQ(kept.height, 2);
    EXPECT_NEAR(kept.rows[0][0], 5 * step, 0.5f);
    EXPECT_NEAR(kept.rows[0][2], 7 * step, 0.5f);
    EXPECT_NEAR(kept.rows[1][0], 9 * step, 0.5f);
    EXPECT_NEAR(kept.rows[1][2], 11 * step, 0.5f);
}

TEST_F(EditCommandTest, ResizeColourAndRaw)
{
    OpenRaw();
    AnswerSize(8, 6);
    frame->OnCommand(2384);
    EXPECT_EQ(gCVSGetRaw(canvas).width, 8);
    EXPECT_EQ(gCVSGetCanvasHeight(canvas), 6);
    OpenColour();
    AnswerSize(2, 2);
    frame->OnCommand(2384);
    EXPECT_EQ(gWorkState().resultR.width, 2);
    EXPECT_EQ(gWorkState().resultR.height, 2);
    // The canvas keeps its size; the result lands in its bottom-left corner.
    EXPECT_EQ(gCVSGetCanvasWidth(canvas), 4);
    EXPECT_EQ(Pixel(0, 2) >> 16, 1u);
}

// Moves detail slider kind to value and serves the worker until it is done.
void moveDetailSlider(int kind, float value)
{
    tagQEVParaReport report;
    report.words[0] = 1;
    report.SetFloat(7, value);
    report.SetInt(10, kind);
    ApplyLiveAdjustment(report);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (gDetailWorker().Busy() && std::chrono::steady_clock::now() < until) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(gDetailWorker().Busy());
}

TEST_F(EditCommandTest, DetailSlidersWorkOnThePictureAfterMirrorCropAndResize)
{
    for (int kind = 14; kind <= 17; ++kind)
        gDetailWorker().SetWeight(kind, 0.5f);
    OpenRawByMenu(WriteRaw("t.raw", 120, 90,
                           [](int x, int y) { return std::uint16_t(3000 * ((x / 7 + y / 5) % 3) + 17 * ((x * 31 + y * 7) % 11) + 40 * x); }),
                  120, 90);
    moveDetailSlider(15, 0.9f);
    const auto change = [&](int id) {
        if (id == 2375)
            AnswerRect(10, 5, 69, 44);
        if (id == 2384)
            AnswerSize(50, 30);
        frame->OnCommand(id);
    };
    for (const int id : {2376, 2377, 2375, 2384}) {
        SCOPED_TRACE(id);
        change(id);
        moveDetailSlider(15, 0.7f);
        DetailLayers layers;
        layers.Compute(gCVSGetRaw(canvas));
        const float weights[4] = {0.5f, 0.7f, 0.5f, 0.5f};
        ClassData2DIO<unsigned char> expected;
        layers.Recombine(weights, expected);
        ASSERT_EQ(gCVSGetCanvasWidth(canvas), expected.width);
        int wrong = 0;
        for (int y = 0; y < expected.height; ++y)
            for (int x = 0; x < expected.width; ++x)
                wrong += Pixel(x, y) != unsigned(expected.rows[y][x]) * 0x010101u;
        EXPECT_EQ(wrong, 0);
        moveDetailSlider(15, 0.9f);
    }
    gDetailWorker().SetWeight(15, 0.5f);
}

} // namespace
