// What reaches the workbench from the views and the browser: cursor
// positions, the open-file message, panel reports and right-button drags.
#include "WorkbenchFixture.h"

#include "pixorama/brovia/BrowserString.h"
#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/brovia/QEVDBLayOut.h"
#include "pixorama/brovia/QEVDlgForContrast.h"
#include "pixorama/brovia/QEVWndParaRawIma.h"
#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/platform/Messages.h"
#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/EleView.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/CPixoramaView.h"
#include "pixorama/workbench/QEVViewOfParaOne.h"
#include "pixorama/workbench/ParaReport.h"
#include "pixorama/workbench/RawWindow.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace {

class ViewMessageTest : public WorkbenchTest {
protected:
    EleView* working() const { return gCTERGetContainer()->viewArea()->view(3); }

    // A raw ramp whose working values are 0..65535 across 256 columns.
    void OpenRamp()
    {
        OpenRawByMenu(WriteRaw("ramp.raw", 256, 4, [](int x, int) { return std::uint16_t(x * 257); }), 256, 4);
    }

    // The display grey of canvas pixel (x, 0).
    static int Grey(int x) { return int(Pixel(x, 0) & 0xFF); }
};

TEST_F(ViewMessageTest, ParameterViewHostsTheBrowserLayoutWithFourSections)
{
    QEVDBLayOut* layout = gLayOutOneGetLayOut();
    ASSERT_NE(layout, nullptr);
    QWidget* para = frame->view()->paraView();
    EXPECT_EQ(layout->parentWidget(), para);
    EXPECT_EQ(layout->geometry(), para->rect());
    EXPECT_TRUE(layout->isVisible());
    EXPECT_EQ(layout->SectionCount(), 4);
    frame->resize(1100, 800);
    QApplication::processEvents();
    EXPECT_EQ(layout->geometry(), para->rect());
}

TEST_F(ViewMessageTest, OpenFileMessageOpensIntoCanvasFour)
{
    const std::wstring path = WriteColour("b.png", 5, 2, [](int, int) { return 0x00FF00u; });
    gWorkState().planesCaptured = true;
    const std::intptr_t answer = SendStringMessage(frame->view()->paraView(), 0x084E, 1, path);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(gWorkState().imagePath, path);
    EXPECT_FALSE(gWorkState().planesCaptured);
    EXPECT_EQ(gCVSGetCanvasWidth(canvas), 5);
    EXPECT_EQ(Pixel(4, 1), 0x00FF00u);
}

TEST_F(ViewMessageTest, RawWindowReportSetsTheWindowAndTheInformationText)
{
    OpenRamp();
    tagQEVParaReport report;
    report.SetInt(0, 1);
    report.SetFloat(1, 0.25f);
    report.SetFloat(2, 0.5f);
    report.SetInt(10, 19);
    EXPECT_EQ(plat::sendMessage(frame->view()->paraView(), tagQEVParaReport::message,
                                reinterpret_cast<std::uintptr_t>(&report), 0),
              0);
    EXPECT_EQ(gCTERGetInfo(), L"LUTRAW Left = 0.250 ;Right = 0.500");
    EXPECT_EQ(Grey(0), 0);
    EXPECT_EQ(Grey(63), 0);
    EXPECT_EQ(Grey(128), 255);
    EXPECT_GT(Grey(96), 100);
    EXPECT_LT(Grey(96), 150);
}

TEST_F(ViewMessageTest, RawWindowReportOnAColourPictureOnlyShowsTheText)
{
    OpenColourByMenu("c.png", 2, 2, [](int, int) { return 0x808080u; });
    tagQEVParaReport report;
    report.SetFloat(1, 0.0f);
    report.SetFloat(2, 1.0f);
    report.SetInt(10, 19);
    DispatchParaReport(report);
    EXPECT_EQ(gCTERGetInfo(), L"LUTRAW Left = 0.000 ;Right = 1.000");
    EXPECT_EQ(Pixel(0, 0), 0x808080u);
}

TEST_F(ViewMessageTest, RightDragOnCanvasFourMovesTheWindow)
{
    OpenRamp();
    const int before = Grey(200);
    // Down raises the level: the picture darkens.
    QTest::mousePress(working(), Qt::RightButton, {}, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 180), QPointF(100, 180), Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(working(), &move);
    QTest::mouseRelease(working(), Qt::RightButton, {}, QPoint(100, 180));
    EXPECT_NEAR(gWorkState().rawWindowLeft, 80.0f / 512.0f, 1e-4f);
    EXPECT_NEAR(gWorkState().rawWindowRight, 1.0f + 80.0f / 512.0f, 1e-4f);
    EXPECT_LT(Grey(200), before);
    // Left narrows the window about its level.
    QTest::mousePress(working(), Qt::RightButton, {}, QPoint(300, 100));
    QMouseEvent narrow(QEvent::MouseMove, QPointF(44, 100), QPointF(44, 100), Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(working(), &narrow);
    QTest::mouseRelease(working(), Qt::RightButton, {}, QPoint(44, 100));
    EXPECT_NEAR(gWorkState().rawWindowRight - gWorkState().rawWindowLeft, 0.5f, 1e-4f);
    EXPECT_NE(gCTERGetInfo().find(L"LUTRAW"), std::wstring::npos);
    // The display-window strip follows.
    float low = 0.0f;
    float high = 0.0f;
    gLayOutOneGetLayOut()->ParaRaw()->WindowStrip()->OutHandlePara(low, high);
    EXPECT_NEAR(low, gWorkState().rawWindowLeft, 0.02f);
    EXPECT_NEAR(high, gWorkState().rawWindowRight, 0.02f);
}

TEST_F(ViewMessageTest, TheDisplayWindowStripSetsTheWindow)
{
    OpenRamp();
    // Give the grey-scale panel (section 2) the height of the browser.
    QEVDBLayOut* layout = gLayOutOneGetLayOut();
    plat::sendMessage(layout, 0x0465, 0, 2);
    QApplication::processEvents();
    QEVDlgForContrast* strip = layout->ParaRaw()->WindowStrip();
    ASSERT_GT(strip->width(), 100);
    // The wheel moves the band only while both handles are inside the track.
    strip->SetHandlePara(0.2f, 0.6f);
    const QPoint band((strip->LowHandleRect().right + strip->HighHandleRect().left) / 2, strip->height() / 2);
    QWheelEvent wheel(band, strip->mapToGlobal(band), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(strip, &wheel);
    float low = 0.0f;
    float high = 0.0f;
    strip->OutHandlePara(low, high);
    EXPECT_GT(low, 0.2f);
    EXPECT_FLOAT_EQ(gWorkState().rawWindowLeft, low);
    EXPECT_FLOAT_EQ(gWorkState().rawWindowRight, high);
    EXPECT_NE(gCTERGetInfo().find(L"LUTRAW Left = "), std::wstring::npos);
    EXPECT_EQ(Grey(int(low * 255.0f) - 2), 0);
}

TEST_F(ViewMessageTest, PlainMovesAndColourPicturesLeaveTheWindowAlone)
{
    OpenRamp();
    QTest::mouseMove(working(), QPoint(10, 10));
    QTest::mouseMove(working(), QPoint(90, 90));
    EXPECT_FLOAT_EQ(gWorkState().rawWindowLeft, 0.0f);
    EXPECT_FLOAT_EQ(gWorkState().rawWindowRight, 1.0f);
    DragRawWindow(0, 0);
    OpenColourByMenu("c.png", 2, 2, [](int, int) { return 0x808080u; });
    DragRawWindow(30, 30);
    EXPECT_FLOAT_EQ(gWorkState().rawWindowRight, 1.0f);
}

TEST_F(ViewMessageTest, AutomaticWindowFromTheHistogram)
{
    // 1000 values: 0..999; the 0.5 % and 99.5 % points are 5 and 994.
    ClassData2DIO<float> image;
    image.SetDim(1000, 1);
    for (int x = 0; x < 1000; ++x)
        image.rows[0][x] = float(x);
    const std::array<float, 2> w = AutoWindowFractions(image);
    EXPECT_EQ(int(w[0] * 65535.0f), 5);
    EXPECT_EQ(int(w[1] * 65535.0f), 994);
    ClassData2DIO<float> flat;
    flat.SetDim(10, 10);
    const std::array<float, 2> f = AutoWindowFractions(flat);
    EXPECT_LT(f[0], f[1]);
    EXPECT_EQ(AutoWindowFractions(ClassData2DIO<float>{}), (std::array<float, 2>{0.0f, 1.0f}));
    std::array<int, 256> bins = RawHistogram(image);
    EXPECT_EQ(bins[0], 256);
    EXPECT_EQ(bins[3], 1000 - 768);
    // A tall picture counts every fourth row of 4096.
    ClassData2DIO<float> tall;
    tall.SetDim(2, 4096);
    for (int y = 0; y < 4096; ++y)
        tall.rows[y][0] = tall.rows[y][1] = y % 4 == 0 ? 70000.0f : 300.0f;
    const std::array<int, 256> sparse = RawHistogram(tall);
    EXPECT_EQ(sparse[255], 2048);
    EXPECT_EQ(sparse[1], 0);
}

TEST_F(ViewMessageTest, AutomaticWindowCommand)
{
    frame->OnCommand(2262);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"没有raw图像"});
    // A ramp with a few outliers at both ends.
    OpenRawByMenu(WriteRaw("o.raw", 400, 1, [](int x, int) { return std::uint16_t(x < 1 ? 0 : x > 398 ? 65535 : 20000 + x); }), 400, 1);
    frame->OnCommand(2262);
    EXPECT_GT(gWorkState().rawWindowLeft, 0.0f);
    EXPECT_LT(gWorkState().rawWindowRight, 1.0f);
    EXPECT_EQ(Grey(1), 0);
    EXPECT_EQ(Grey(398), 255);
}

TEST_F(ViewMessageTest, DroppedFileOpens)
{
    const std::wstring path = WriteColour("drop.png", 3, 3, [](int, int) { return 0x0000FFu; });
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdWString(path))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    gWorkState().planesCaptured = true;
    gWorkState().detailLayersReady = true;
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(gWorkState().imagePath, path);
    EXPECT_EQ(Pixel(2, 2), 0x0000FFu);
    EXPECT_FALSE(gWorkState().planesCaptured);
    EXPECT_FALSE(gWorkState().detailLayersReady);

    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(frame.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(ViewMessageTest, AFileThatIsNotAPictureNeverReplacesTheOneShown)
{
    const std::wstring shown = WriteColour("shown.png", 3, 3, [](int, int) { return 0x00FF00u; });
    Choose(shown);
    frame->OnCommand(2224);
    ASSERT_EQ(Pixel(1, 1), 0x00FF00u);
    std::ofstream(Home() / "notes.txt") << "shopping list\n";
    std::ofstream(Home() / "broken.png") << "not a png at all";
    const std::wstring notes = plat::fromPath(Home() / "notes.txt");
    const std::wstring broken = plat::fromPath(Home() / "broken.png");

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdWString(notes))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());

    // Chosen in the menu (or reopened after the file went bad): told, and
    // the picture stays.
    Choose(broken);
    frame->OnCommand(2224);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"无法读取图像文件");
    EXPECT_EQ(gCVSGetFileType(canvas), FilePicture8);
    EXPECT_EQ(Pixel(1, 1), 0x00FF00u);
    EXPECT_EQ(gWorkState().imagePath, shown);
}

} // namespace
