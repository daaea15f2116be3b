#pragma once

#include "CanvasFixture.h"

#include "pixorama/canvo/CanvasRegions.h"

// Canvas 4 with a 200 x 200 window over a 100 x 100 image at scale 1:
// image (x, y) is client (50 + x, 50 + y).
class RegionsTest : public CanvasWindowTest<200, 200> {
protected:
    static constexpr int imageSize = 100;

    void SetUp() override
    {
        CanvasWindowTest::SetUp();
        gCVSPrepareCanvas(4, imageSize, imageSize);
    }

    static plat::Point Client(int x, int y) { return {50 + x, 50 + y}; }

    // Label of image pixel (x, y): the label image is stored bottom-up.
    static int LabelAt(int x, int y)
    {
        ClassData2DIO<int>& label = gCVSGetLabelIma(4);
        return label.rows[label.height - 1 - y][x];
    }

    static int CountLabel(int value)
    {
        ClassData2DIO<int>& label = gCVSGetLabelIma(4);
        int n = 0;
        for (int i = 0; i < label.width * label.height; ++i)
            n += label.data[i] == value;
        return n;
    }

    // Shift-press at a, drag to b, release: the way a rectangle is drawn.
    static void ShiftDrag(plat::Point a, plat::Point b)
    {
        gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, a);
        gCVSOnMouseMove(4, plat::MK_LBUTTON | plat::MK_SHIFT, b);
        gCVSOnLButtonUp(4, plat::MK_SHIFT, b);
    }

    static void Drag(plat::Point a, plat::Point b, unsigned extra = 0)
    {
        gCVSOnLButtonDown(4, plat::MK_LBUTTON | extra, a);
        gCVSOnMouseMove(4, plat::MK_LBUTTON | extra, b);
        gCVSOnLButtonUp(4, extra, b);
    }

    static void ShiftClick(plat::Point p)
    {
        gCVSOnLButtonDown(4, plat::MK_LBUTTON | plat::MK_SHIFT, p);
        gCVSOnLButtonUp(4, plat::MK_SHIFT, p);
    }

    static Canvo& Last() { return *Canvas(4).overlays.back(); }
};
