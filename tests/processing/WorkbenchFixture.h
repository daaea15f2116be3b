#pragma once

#include "../canvas/CanvasFixture.h"
#include "PlaneTestTools.h"

#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/parlet/DialogScript.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/WorkState.h"

#include <QApplication>

#include <array>
#include <chrono>
#include <functional>
#include <thread>

// Canvas 4 as the workbench's working canvas: fresh canvases, a fresh
// working state, a view layout for the information view, and helpers to put
// pictures in and read screen pixels out.
class WorkbenchTest : public CanvasTest {
protected:
    void SetUp() override
    {
        static plat::Wnd parent;
        static const bool created = gCTERCreate(L"#32770", L"Hello", 0x5000004E, {0, 0, 900, 600}, &parent, 2000);
        ASSERT_TRUE(created);
        CanvasTest::SetUp();
        gWorkState().PictureReplaced();
        gWorkState().progress = nullptr;
        gCTERSetInfo(L"");
    }

    // As if the user opened it: a colour picture whose screen pixel (x, y), row 0 at the top, is
    // rgb(x, y) as 0xRRGGBB.
    static void ShowColour(int w, int h, const std::function<unsigned(int, int)>& rgb)
    {
        // gCVSShowUCColor takes plane row y to screen line y.
        TestPlanes picture(w, h, [&rgb](int x, int y) {
            const unsigned c = rgb(x, y);
            return TestPlanes::Rgb{int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF)};
        });
        gCVSShowUCColor(4, picture.r, picture.g, picture.b, true);
        gWorkState().PictureReplaced(); // as opening a picture does
    }

    static void ShowRaw(ClassData2DIO<float>& raw)
    {
        gCVSShowRawFloat(4, raw, true, true);
        gWorkState().PictureReplaced();
    }

    static void ShowGrey(int w, int h, const std::function<int(int, int)>& v)
    {
        ShowColour(w, h, [&](int x, int y) { return unsigned(v(x, y)) * 0x010101u; });
    }

    // Screen pixel (x, y) of canvas 4 as 0xRRGGBB.
    static unsigned Pixel(int x, int y)
    {
        const int h = gCVSGetCanvasHeight(4);
        unsigned** rows = gCVSCreateCanvasPixelPtr2D(4);
        const unsigned p = rows[h - 1 - y][x] & 0xFFFFFF;
        gCVSReleaseCanvasPixelPtr2D(4);
        return p;
    }

    // Keeps the user-interface thread serving workers until done() or 20 s.
    static bool Serve(const std::function<bool()>& done)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done()) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
};
