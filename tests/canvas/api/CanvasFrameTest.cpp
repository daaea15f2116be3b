#include "CanvasFixture.h"

#include "pixorama/platform/Messages.h"
#include "pixorama/platform/Wnd.h"

#include <QApplication>
#include <QElapsedTimer>

namespace {

constexpr unsigned background = 0x778899; // COLORREF 0x998877 as a pixel
constexpr unsigned hatch = 0x808080;
constexpr unsigned frame = 0x0000FF; // COLORREF 0xFF0000: blue

ClassData2DIO<unsigned char> greyImage(int w, int h, int value)
{
    ClassData2DIO<unsigned char> image;
    image.SetDim(w, h);
    std::fill(image.data, image.data + w * h, static_cast<unsigned char>(value));
    return image;
}

} // namespace

TEST_F(CanvasTest, PaintShowsBackgroundHatchFrameAndImage)
{
    plat::Dc& window = Window(0, 40, 30);
    auto image = greyImage(10, 10, 200);
    gCVSShowUCGray(0, image, true);
    gCVSOnDraw(0, nullptr);

    // The image sits centred: client centre (20, 15).
    EXPECT_EQ(gCVSGetCanvasRegion(0), (plat::Rect{15, 10, 25, 20}));
    EXPECT_EQ(Rgb(window, 15, 10), 0xC8C8C8u);
    EXPECT_EQ(Rgb(window, 24, 19), 0xC8C8C8u);
    // The frame runs just outside the image on all four sides.
    EXPECT_EQ(Rgb(window, 14, 15), frame);
    EXPECT_EQ(Rgb(window, 25, 15), frame);
    EXPECT_EQ(Rgb(window, 20, 9), frame);
    EXPECT_EQ(Rgb(window, 20, 20), frame);
    EXPECT_EQ(Rgb(window, 14, 9), frame);
    // Background: a grey border, grey diagonal-cross hatch over the fill colour.
    EXPECT_EQ(Rgb(window, 0, 0), hatch);
    EXPECT_EQ(Rgb(window, 39, 17), hatch);
    EXPECT_EQ(Rgb(window, 4, 4), hatch);  // on a diagonal
    EXPECT_EQ(Rgb(window, 5, 3), hatch);  // on the other diagonal
    EXPECT_EQ(Rgb(window, 2, 1), background);
    EXPECT_EQ(Rgb(window, 30, 25), background);
}

// Painting the background only around the image must give the very pixels
// of painting it everywhere and then blitting, in both stretch modes and
// with the image cut by the client edge.
TEST_F(CanvasTest, PaintMatchesFullBackgroundThenBlit)
{
    for (const bool fast : {true, false}) {
        SCOPED_TRACE(fast ? "COLORONCOLOR" : "HALFTONE");
        SetUp();
        plat::Dc& window = Window(1, 64, 48);
        auto image = FloatImage(37, 23, [](int x, int y) { return (x * 7 + y * 13) % 50; });
        gCVSShowRawFloat(1, image, false, true);
        gCVSSetCanvasFastDisplayMode(1, fast);
        for (int i = 0; i < 6; ++i)
            gCVSOnMouseWheel(1, plat::MK_CONTROL, 120, {50, 40});
        gCVSOnDraw(1, nullptr);

        InteractiveImage& c = Canvas(1);
        plat::DibBitmap reference(64, 48);
        plat::Dc ref(reference);
        c.DrawBackground(&ref);
        const ViewState::BlitPlan plan = c.view.PlanBlit(c.canvasSurface.stretchMode, 37, 23);
        ASSERT_TRUE(plan.copies);
        ref.setStretchBltMode(c.canvasSurface.stretchMode);
        ref.stretchBlt(plan.destination, c.canvasSurface.Bitmap(), plan.source);
        int differing = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                differing += Rgb(window, x, y) != Rgb(ref, x, y);
        EXPECT_EQ(differing, 0);
    }
}

TEST_F(CanvasTest, PaintGoesToTheClientPainterWhateverDcIsPassed)
{
    plat::Dc& window = Window(2, 20, 20);
    plat::DibBitmap other(20, 20, 0x123456);
    plat::Dc otherDc(other);
    gCVSOnDraw(2, &otherDc);
    EXPECT_EQ(Rgb(window, 0, 0), hatch);
    EXPECT_EQ(Rgb(otherDc, 0, 0), 0x123456u);
}

TEST_F(CanvasTest, DirectClientPixelsAppearAsWritten)
{
    plat::Dc& window = Window(3, 8, 6);
    gCVSSetUseClientMemDCPixelDirect(3, true);
    ASSERT_EQ(gCVSGetClientWidth(3), 8);
    ASSERT_EQ(gCVSGetClientHeight(3), 6);
    unsigned** rows = gCVSCreateClientPixelPtr2D(3);
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows[2], gCVSGetClientPixelPtr(3) + 2 * 8);
    rows[0][1] = 0x00ABCDEF; // memory row 0 is the bottom line
    gCVSOnDraw(3, nullptr);
    EXPECT_EQ(Rgb(window, 1, 5), 0xABCDEFu);
    EXPECT_EQ(Rgb(window, 0, 0), 0u); // no background painted
    EXPECT_TRUE(gCVSReleaseClientPixelPtr2D(3));
}

TEST_F(CanvasTest, CanvasSurfaceAccessAndColour)
{
    EXPECT_TRUE(gCVSReleaseCanvasPixelPtr2D(0)); // never created
    gCVSSetCanvasColor(0, 0x112233); // height 0: nothing to colour
    EXPECT_EQ(gCVSGetCanvasPixelPtr(0), nullptr);
    EXPECT_EQ(gCVSCreateCanvasPixelPtr2D(0), nullptr);

    EXPECT_TRUE(gCVSPrepareCanvas(0, 5, 3));
    EXPECT_EQ(gCVSGetCanvasWidth(0), 5);
    EXPECT_EQ(gCVSGetCanvasHeight(0), 3);
    ASSERT_NE(gCVSGetCanvasHDC(0), nullptr);
    gCVSSetCanvasColor(0, 0x00112233);
    unsigned** rows = gCVSCreateCanvasPixelPtr2D(0);
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows[2], gCVSGetCanvasPixelPtr(0) + 10);
    EXPECT_EQ(rows[2][4], 0x00112233u); // stored as given, blue in the low byte
    EXPECT_EQ(gCVSGetCanvasHDC(0)->getPixel({0, 0}).value, plat::rgb(0x11, 0x22, 0x33).value);
    EXPECT_TRUE(gCVSReleaseCanvasPixelPtr2D(0));
}

TEST_F(CanvasTest, PrepareDeletesOverlaysAndSizesTheView)
{
    Window(4, 100, 80);
    AddPoints(4, {{1, 1}, {5, 1}, {5, 5}});
    gCVSPrepareCanvas(4, 20, 10);
    EXPECT_TRUE(Canvas(4).overlays.empty());
    EXPECT_EQ(Canvas(4).selectedIndex, -1);
    EXPECT_EQ(gCVSGetCanvasRegion(4), (plat::Rect{40, 35, 60, 45}));
    // Negative sizes give an empty canvas, not a failure.
    EXPECT_TRUE(gCVSPrepareCanvas(4, -3, 10));
    EXPECT_EQ(gCVSGetCanvasWidth(4), 0);
    EXPECT_EQ(gCVSGetCanvasPixelPtr(4), nullptr);
}

TEST_F(CanvasTest, FiveCanvasesAreIndependent)
{
    for (int id = 0; id < 5; ++id) {
        Window(id, 60, 60);
        auto image = FloatImage(10 + id, 10, [id](int x, int) { return x * (id + 1); });
        gCVSShowRawFloat(id, image, true, true);
    }
    AddPoints(3, {{0, 0}, {4, 0}, {4, 4}});
    gCVSOnMouseWheel(2, plat::MK_CONTROL, 120, {30, 30});
    for (int id = 0; id < 5; ++id) {
        SCOPED_TRACE(id);
        EXPECT_EQ(gCVSGetCanvasWidth(id), 10 + id);
        EXPECT_EQ(Canvas(id).view.scale, id == 2 ? 1.2 : 1.0);
        EXPECT_EQ(Canvas(id).overlays.size(), id == 3 ? 1u : 0u);
        const plat::Rect d = gCVSGetCanvasRegion(id);
        // Last column of each image holds (width - 1) * (id + 1).
        EXPECT_FLOAT_EQ(gCVSGetImaPixelValue(id, {d.right - 1, d.top}), float((9 + id) * (id + 1)));
    }
    gCVSSetLutPara(0, 0.0f, 0.5f);
    EXPECT_EQ(Canvas(0).lut.high, 32767);
    EXPECT_EQ(Canvas(1).lut.high, 65535);
}

TEST_F(CanvasTest, IdsOutsideTheTableAreIgnored)
{
    Window(0, 30, 30);
    auto image = FloatImage(4, 4, [](int x, int y) { return x + y; });
    gCVSShowRawFloat(0, image, true, true);
    AddPoints(0, {{0, 0}, {3, 0}, {3, 3}});
    plat::Rect client{0, 0, 10, 10};
    plat::DibBitmap s(10, 10);
    plat::Dc dc(s);
    for (const int id : {-1, 5, 1000, -2147483647 - 1}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(gCVSPrepareCanvas(id, 10, 10));
        gCVSSetClient(id, client, &dc);
        gCVSOnDraw(id, &dc);
        gCVSShowRawFloat(id, image, true, true);
        gCVSShowRawFloat(id, image.data, 4, 4, true, true);
        gCVSShowUCGray(id, nullptr, 4, 4, true);
        gCVSSetLutPara(id, 0.1f, 0.2f);
        gCVSSetCanvasColor(id, 0xFFFFFF);
        gCVSSetFileType(id, FileFloat);
        gCVSSetCanvasMoveMode(id, DisplayFixed);
        gCVSSetCanvasFastDisplayMode(id, false);
        gCVSSetUseClientMemDCPixelDirect(id, true);
        gCVSOnLButtonDown(id, plat::MK_SHIFT, {1, 1});
        gCVSOnMouseMove(id, plat::MK_CONTROL | plat::MK_LBUTTON, {5, 5});
        gCVSOnMouseWheel(id, plat::MK_CONTROL, 120, {1, 1});
        gCVSOnKeyDown(id, 'C', 1, 0);
        gCVSOnLButtonUp(id, 0, {1, 1});
        gCVSOnTimer(id, 1);
        gCVSDelSelElement(id);
        gCVSDelAllElement(id);
        MSG msg{nullptr, plat::WM_KEYDOWN, 'C', 0};
        EXPECT_TRUE(gCVSRespondToMessage(&msg, id));

        EXPECT_EQ(gCVSGetFileType(id), FileNothing);
        EXPECT_TRUE(gCVSGetRaw(id).IsEmpty());
        EXPECT_TRUE(gCVSGetRawOri(id).IsEmpty());
        EXPECT_EQ(gCVSGetRawPtr1D(id), nullptr);
        EXPECT_EQ(gCVSGetRawPtr2D(id), nullptr);
        EXPECT_EQ(gCVSGetRawOriPtr1D(id), nullptr);
        EXPECT_EQ(gCVSGetRawOriPtr2D(id), nullptr);
        EXPECT_EQ(gCVSGetImaPixelValue(id, {1, 1}), -1.0f);
        EXPECT_EQ(gCVSGetCanvasRegion(id), plat::Rect{});
        EXPECT_EQ(gCVSGetCanvasWidth(id), 0);
        EXPECT_EQ(gCVSGetCanvasHeight(id), 0);
        EXPECT_EQ(gCVSGetClientWidth(id), 0);
        EXPECT_EQ(gCVSGetClientHeight(id), 0);
        EXPECT_EQ(gCVSGetCanvasHDC(id), nullptr);
        EXPECT_EQ(gCVSGetClientMemDC(id), nullptr);
        EXPECT_EQ(gCVSGetCanvasPixelPtr(id), nullptr);
        EXPECT_EQ(gCVSGetClientPixelPtr(id), nullptr);
        EXPECT_EQ(gCVSCreateCanvasPixelPtr2D(id), nullptr);
        EXPECT_EQ(gCVSCreateClientPixelPtr2D(id), nullptr);
        EXPECT_TRUE(gCVSReleaseCanvasPixelPtr2D(id));
        EXPECT_TRUE(gCVSReleaseClientPixelPtr2D(id));
        PointTemplateBase<double> p{7, 7};
        gCVSGetOriPt(id, {3, 3}, p);
        EXPECT_EQ(p.x, 7.0);
        plat::Point q{9, 9};
        gCVSGetDisplayPt(id, 1.0, 1.0, q);
        EXPECT_EQ(q, (plat::Point{9, 9}));
        // No canvas: nothing to read or write.
        EXPECT_TRUE(gCVSGetRaw(id).IsEmpty());
        EXPECT_EQ(gCVSGetRawPtr2D(id), nullptr);
    }
    // Canvas 0 kept everything.
    EXPECT_EQ(gCVSGetFileType(0), FileFloat);
    EXPECT_EQ(gCVSGetCanvasWidth(0), 4);
    EXPECT_EQ(Canvas(0).overlays.size(), 1u);
    EXPECT_EQ(Canvas(0).view.scale, 1.0);
    EXPECT_EQ(Canvas(0).view.moveMode, DisplayZoomCursor);
    for (int id = 1; id < 5; ++id)
        EXPECT_EQ(gCVSGetCanvasWidth(id), 0);
    EXPECT_TRUE(messages.empty());
}

namespace {

// Counts its repaints.
class PaintCounter : public plat::Wnd {
public:
    int paints = 0;

protected:
    void onPaint(plat::Dc&) override { ++paints; }
};

// Lets pending paints run.
void settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 50)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

std::intptr_t pointParam(int x, int y)
{
    return std::intptr_t((unsigned(y) & 0xFFFF) << 16 | (unsigned(x) & 0xFFFF));
}

} // namespace

TEST_F(CanvasTest, MouseMessagesRepaintKeyMessagesDoNot)
{
    PaintCounter wnd;
    wnd.resize(50, 40);
    wnd.show();
    settle();
    Window(4, 50, 40);
    auto image = FloatImage(20, 20, [](int x, int) { return x; });
    gCVSShowRawFloat(4, image, true, true);
    AddPoints(4, {{2, 2}, {8, 2}, {8, 8}});

    wnd.paints = 0;
    MSG key{&wnd, plat::WM_KEYDOWN, 'R', 1};
    EXPECT_TRUE(gCVSRespondToMessage(&key, 4));
    settle();
    EXPECT_EQ(wnd.paints, 0);
    EXPECT_TRUE(Canvas(4).overlays.empty()); // the key still reached the canvas

    // Button down at (10, 20), Ctrl-drag to (15, 27): the image pans by (5, 7).
    const plat::Rect before = gCVSGetCanvasRegion(4);
    MSG down{&wnd, plat::WM_LBUTTONDOWN, plat::MK_LBUTTON, pointParam(10, 20)};
    MSG move{&wnd, plat::WM_MOUSEMOVE, plat::MK_LBUTTON | plat::MK_CONTROL, pointParam(15, 27)};
    MSG up{&wnd, plat::WM_LBUTTONUP, 0, pointParam(15, 27)};
    for (MSG* m : {&down, &move, &up}) {
        wnd.paints = 0;
        EXPECT_TRUE(gCVSRespondToMessage(m, 4));
        settle();
        EXPECT_GE(wnd.paints, 1) << m->message;
    }
    EXPECT_EQ(gCVSGetCanvasRegion(4), (plat::Rect{before.left + 5, before.top + 7, before.right + 5, before.bottom + 7}));

    // The wheel carries screen coordinates and the delta in the high word.
    wnd.paints = 0;
    const plat::Point screen = wnd.clientToScreen({25, 20});
    MSG wheel{&wnd, plat::WM_MOUSEWHEEL, std::uintptr_t(0xFFFF & -120) << 16 | plat::MK_CONTROL, pointParam(screen.x, screen.y)};
    EXPECT_TRUE(gCVSRespondToMessage(&wheel, 4));
    settle();
    EXPECT_GE(wnd.paints, 1);
    EXPECT_DOUBLE_EQ(Canvas(4).view.scale, 1.0 / 1.2);

    // Anything else is ignored and not repainted.
    wnd.paints = 0;
    MSG other{&wnd, 0x203, plat::MK_LBUTTON, pointParam(1, 1)};
    EXPECT_TRUE(gCVSRespondToMessage(&other, 4));
    EXPECT_TRUE(gCVSRespondToMessage(nullptr, 4));
    settle();
    EXPECT_EQ(wnd.paints, 0);
}

TEST_F(CanvasTest, MousePositionsLeftAndAboveTheWindowAreNegative)
{
    Window(4, 50, 40);
    auto image = FloatImage(20, 20, [](int x, int) { return x; });
    gCVSShowRawFloat(4, image, true, true);
    // A Ctrl-drag from (10, 20) that leaves the window to (-5, -7) pans the
    // image by (-15, -27), not by tens of thousands of pixels.
    const plat::Rect before = gCVSGetCanvasRegion(4);
    MSG down{nullptr, plat::WM_LBUTTONDOWN, plat::MK_LBUTTON, pointParam(10, 20)};
    MSG move{nullptr, plat::WM_MOUSEMOVE, plat::MK_LBUTTON | plat::MK_CONTROL, pointParam(-5, -7)};
    MSG up{nullptr, plat::WM_LBUTTONUP, 0, pointParam(-5, -7)};
    for (MSG* m : {&down, &move, &up})
        EXPECT_TRUE(gCVSRespondToMessage(m, 4));
    EXPECT_EQ(gCVSGetCanvasRegion(4),
              (plat::Rect{before.left - 15, before.top - 27, before.right - 15, before.bottom - 27}));
}

// A one-pixel checkerboard: shrunk, the fast mode shows its averages (no
// aliasing) unless smoothing is off; enlarged, it keeps the pure squares.
TEST_F(CanvasTest, ShrunkPicturesAreSmoothEnlargedOnesKeepTheirPixels)
{
    plat::Dc& window = Window(1, 64, 64);
    std::vector<unsigned char> board(64 * 64);
    for (int i = 0; i < 64 * 64; ++i)
        board[std::size_t(i)] = (i % 64 + i / 64) % 2 ? 255 : 0;
    gCVSShowUCGray(1, board.data(), 64, 64, true);
    // Pure black or white pixels inside the displayed picture.
    auto pure = [&] {
        gCVSOnDraw(1, nullptr);
        const plat::Rect d = Canvas(1).view.displayed;
        int count = 0;
        for (int y = std::max(d.top, 0); y < std::min(d.bottom, 64); ++y)
            for (int x = std::max(d.left, 0); x < std::min(d.right, 64); ++x)
                count += Rgb(window, x, y) == 0 || Rgb(window, x, y) == 0xFFFFFF;
        return count;
    };
    for (int i = 0; i < 3; ++i)
        gCVSOnMouseWheel(1, plat::MK_CONTROL, -120, {32, 32});
    ASSERT_LT(Canvas(1).view.displayed.width(), 64);
    EXPECT_EQ(pure(), 0);
    gCVSSetCanvasSmoothWhenShrunk(1, false);
    const plat::Rect d = Canvas(1).view.displayed;
    EXPECT_EQ(pure(), d.width() * d.height());

    gCVSSetCanvasSmoothWhenShrunk(1, true);
    for (int i = 0; i < 6; ++i)
        gCVSOnMouseWheel(1, plat::MK_CONTROL, 120, {32, 32});
    ASSERT_GT(Canvas(1).view.displayed.width(), 64);
    EXPECT_EQ(pure(), 64 * 64);
}
