#pragma once

#include "MessageBoxLog.h"

#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/canvo/CanvasInput.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveMPoint.h"
#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/platform/Modal.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The canvases live for the whole process: every test starts from five
// fresh ones, each with a window surface of its own, and records the
// message boxes it causes instead of showing them.
class CanvasTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (int id = 0; id < CanvasTable::count; ++id)
            Reset(*CanvasTable::At(id));
        RecordMessageBoxes(messages);
    }

    void TearDown() override
    {
        plat::setMessageBoxResponder({});
        plat::setDialogHook({});
    }

    // Answers the next text-content dialogs (item "m_Content") with text,
    // confirming or cancelling.
    static void AnswerContentDialog(const wchar_t* text, bool ok)
    {
        plat::setDialogHook([text, ok](QDialog& dialog) {
            DialogDriver driver(dialog);
            driver.SetText(L"m_Content", text);
            if (ok)
                driver.PressOk();
            else
                driver.PressCancel();
        });
    }

    static void Reset(InteractiveImage& c)
    {
        c.DeleteAll();
        c.view = ViewState{};
        c.canvasSurface.Release();
        c.clientSurface.Release();
        c.canvasSurface.stretchMode = plat::COLORONCOLOR;
        c.canvasSurface.smoothWhenShrunk = true;
        c.oriRaw.Clear();
        c.workingRaw.Clear();
        c.fileType = FileNothing;
        c.imageWidth = c.imageHeight = 0;
        c.targetDc = nullptr;
        c.clientPixelsDirect = false;
        c.lut = QEVMAPIMA();
        c.measureScale = 1.0;
        c.contrastShown = c.progressShown = false;
        c.slider.leftFraction = 0.0f;
        c.slider.rightFraction = 1.0f;
        c.slider.enabled = c.progress.enabled = true;
        c.slider.SetRectPos(0, 0, 0, 0);
        c.progress.SetRectPos(0, 0, 0, 0);
        c.progress.SetRange(100, 200);
        c.progress.SetPos(150);
    }

    // Gives canvas id a window of w x h whose surface the test can read.
    plat::Dc& Window(int id, int w, int h)
    {
        windows.push_back(std::make_unique<Target>(w, h));
        plat::Rect client{0, 0, w, h};
        gCVSSetClient(id, client, &windows.back()->dc);
        return windows.back()->dc;
    }

    static InteractiveImage& Canvas(int id) { return *CanvasTable::At(id); }

    // Canvas id shows a w x h grey picture of one level.
    static void ShowGrey(int id, int w, int h, unsigned char level)
    {
        std::vector<unsigned char> grey(std::size_t(w) * std::size_t(h), level);
        gCVSShowUCGray(id, grey.data(), w, h, true);
    }

    // A float image whose pixel (x, y) is f(x, y).
    template <typename F>
    static ClassData2DIO<float> FloatImage(int w, int h, F f)
    {
        ClassData2DIO<float> image;
        image.SetDim(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.rows[y][x] = float(f(x, y));
        return image;
    }

    // A polygon-kind point overlay with the given image points, added to
    // canvas id (and so selected).
    static InteractiveMPoint& AddPoints(int id, const std::vector<PointTemplateBase<double>>& points,
                                        int kind = OverlayPolygon)
    {
        auto overlay = std::make_unique<InteractiveMPoint>();
        overlay->kind = kind;
        overlay->imagePoints = points;
        auto& added = static_cast<InteractiveMPoint&>(Canvas(id).AddOverlay(std::move(overlay)));
        return added;
    }

    // The colour of a client pixel as 0xRRGGBB.
    static unsigned Rgb(const plat::Dc& dc, int x, int y) { return dc.surface().pixelAt(x, y) & 0xFFFFFF; }

    std::vector<std::wstring> messages;

private:
    struct Target {
        Target(int w, int h) : surface(w, h) {}
        plat::DibBitmap surface;
        plat::Dc dc{surface};
    };
    std::vector<std::unique_ptr<Target>> windows;
};

// Canvas 4 in a client window of w x h, which the test reads back.
template <int w, int h>
class CanvasWindowTest : public CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        window = &Window(4, w, h);
    }

    plat::Dc* window = nullptr;
};
