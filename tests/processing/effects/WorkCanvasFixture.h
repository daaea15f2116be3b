#pragma once

#include "MessageBoxLog.h"
#include "PlaneTestTools.h"

#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/parlet/DialogScript.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/workbench/WorkState.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

// Canvas 4 holding a colour picture, the working state starting afresh, and
// message boxes recorded instead of shown. Picture coordinates: (x, y) with
// row 0 at the top.
class WorkCanvasTest : public testing::Test {
public:
    using Rgb = TestPlanes::Rgb;

protected:
    void SetUp() override
    {
        CanvasTable::At(4)->DeleteAll();
        RecordMessageBoxes(messages);
    }

    void TearDown() override
    {
        plat::setMessageBoxResponder({});
        plat::setDialogHook({});
        CanvasTable::At(4)->DeleteAll();
        gWorkState().PictureReplaced();
    }

    // Shows a w x h colour picture whose pixel (x, y) is colour(x, y) in canvas 4.
    void ShowPicture(int w, int h, const std::function<Rgb(int x, int y)>& colour)
    {
        TestPlanes picture(w, h, colour);
        gCVSShowUCColor(4, picture.r, picture.g, picture.b, true);
        gWorkState().PictureReplaced();
    }

    void ShowUniform(int w, int h, Rgb colour)
    {
        ShowPicture(w, h, [colour](int, int) { return colour; });
    }

    // The colour canvas 4 shows at picture pixel (x, y).
    static Rgb At(int x, int y)
    {
        const int h = gCVSGetCanvasHeight(4);
        const unsigned p = gCVSCreateCanvasPixelPtr2D(4)[h - 1 - y][x];
        gCVSReleaseCanvasPixelPtr2D(4);
        return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
    }

    // Draws a rectangle region through the custom-rectangle dialog (inclusive corners).
    static void DrawRegion(int left, int top, int right, int bottom)
    {
        DialogScript script([&](DialogDriver& d) {
            d.SetText(L"m_RectLeft", std::to_wstring(left));
            d.SetText(L"m_RectRight", std::to_wstring(right));
            d.SetText(L"m_RectTop", std::to_wstring(top));
            d.SetText(L"m_RectBottom", std::to_wstring(bottom));
            d.PressOk();
        });
        gCVSAddCustomRectangle(4);
    }

    std::vector<std::wstring> messages;
};
