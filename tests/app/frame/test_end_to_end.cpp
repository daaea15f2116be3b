// A user's session on the real main window, through Qt's test input: open
// a raw file from the menu, measure a distance on canvas 4, save the raw.
#include "WorkbenchFixture.h"

#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveMeasureLine.h"
#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/EleView.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/Tilemo.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <cmath>
#include <cstring>

namespace {

class EndToEnd : public WorkbenchTest {
protected:
    // Clicks the popup title on the menu bar, then the entry, as a user would.
    void Pick(const QString& popupTitle, int id)
    {
        QMenuBar* bar = frame->menuBar();
        QAction* popup = nullptr;
        for (QAction* a : bar->actions())
            if (a->text() == popupTitle)
                popup = a;
        ASSERT_NE(popup, nullptr) << popupTitle.toStdString();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(popup).center());
        QMenu* menu = popup->menu();
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
        QAction* item = frame->menuAction(id);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        QApplication::processEvents();
    }
};

TEST_F(EndToEnd, OpenMeasureAndSaveARawPicture)
{
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    const int w = 200;
    const int h = 100;
    const std::wstring path = WriteRaw("scan.raw", w, h, [](int x, int y) { return std::uint16_t(1000 + x * 10 + y); });

    AnswerRawLoad(w, h);
    Choose(path);
    Pick(QStringLiteral("基本功能"), 2224);
    EXPECT_EQ(choosers, 1);
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(gCVSGetFileType(canvas), FileFloat);
    ASSERT_EQ(gCVSGetCanvasWidth(canvas), w);

    Pick(QStringLiteral("图像选区"), 2288);
    EleView* view = gCTERGetContainer()->viewArea()->view(3);
    const plat::Rect shown = gCVSGetCanvasRegion(canvas);
    const QPoint from(shown.left + 20, shown.top + 30);
    const QPoint to(shown.left + 80, shown.top + 110 > shown.bottom ? shown.top + 90 : shown.top + 110);
    QTest::mousePress(view, Qt::LeftButton, Qt::ShiftModifier, from);
    QTest::mouseMove(view, to);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::ShiftModifier, to);
    auto* line = dynamic_cast<InteractiveMeasureLine*>(CanvasTable::At(canvas)->overlays.back().get());
    ASSERT_NE(line, nullptr);
    const double scale = double(shown.right - shown.left) / w;
    const double expected = std::hypot(to.x() - from.x(), to.y() - from.y()) / scale;
    EXPECT_NEAR(line->Length(), expected, 1.5);
    wchar_t text[64];
    std::swprintf(text, 64, L"长度 = %4.3f mm", line->Length());
    EXPECT_EQ(line->GetText(), std::wstring(text));

    const std::filesystem::path out = Home() / "saved.raw";
    Choose(plat::fromPath(out));
    Pick(QStringLiteral("基本功能"), 2234);
    std::ifstream in(out, std::ios::binary);
    std::vector<float> values(std::size_t(w) * h);
    in.read(reinterpret_cast<char*>(values.data()), std::streamsize(values.size() * sizeof(float)));
    ASSERT_EQ(in.gcount(), std::streamsize(values.size() * sizeof(float)));
    EXPECT_EQ(in.peek(), std::char_traits<char>::eof());
    // The working raw: 1000 + 10 x + y rescaled to 0..65535 (top row first).
    const float range = float(10 * (w - 1) + (h - 1));
    EXPECT_FLOAT_EQ(values[0], 0.0f);
    EXPECT_FLOAT_EQ(values.back(), 65535.0f);
    EXPECT_NEAR(values[std::size_t(50) * w + 7], (70.0f + 50.0f) * 65535.0f / range, 0.05f);
}

TEST_F(EndToEnd, CtrlZTakesBackTheNegativeOfARawPicture)
{
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    const int w = 64;
    const int h = 48;
    AnswerRawLoad(w, h);
    Choose(WriteRaw("scan.raw", w, h, [](int x, int y) { return std::uint16_t(500 + 40 * x + 3 * y); }));
    Pick(QStringLiteral("基本功能"), 2224);
    ASSERT_EQ(gCVSGetFileType(canvas), FileFloat);
    const ClassData2DIO<float> opened = gCVSGetRaw(canvas);
    const ClassData2DIO<float> openedOri = gCVSGetRawOri(canvas);

    Pick(QStringLiteral("图像编辑"), 2378);
    EXPECT_FLOAT_EQ(gCVSGetRaw(canvas).rows[0][0], 65535.0f - opened.rows[0][0]);
    EXPECT_EQ(frame->paneText(3), L"撤销：负片");

    // On the offscreen platform the closed menu stays the active window.
    QApplication::setActiveWindow(frame.get());
    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    const ClassData2DIO<float>& raw = gCVSGetRaw(canvas);
    ASSERT_EQ(raw.width, w);
    ASSERT_EQ(raw.height, h);
    for (int y = 0; y < h; ++y) {
        ASSERT_EQ(std::memcmp(raw.rows[y], opened.rows[y], sizeof(float) * w), 0) << "working row " << y;
        ASSERT_EQ(std::memcmp(gCVSGetRawOri(canvas).rows[y], openedOri.rows[y], sizeof(float) * w), 0) << "ori row " << y;
    }
    EXPECT_EQ(frame->paneText(3), L"编辑信息");

    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FLOAT_EQ(gCVSGetRaw(canvas).rows[h - 1][w - 1], 65535.0f - opened.rows[h - 1][w - 1]);
}

} // namespace
