// The browser layout's title bars: where they sit for a known client size,
// what dragging and double-clicking them does to the sections, and what
// the sub-windows get.
#include "MessageBoxLog.h"
#include "pixorama/brovia/ControlId.h"
#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/brovia/QEVDBLayOut.h"
#include "pixorama/brovia/QEVDlgForContrast.h"
#include "pixorama/brovia/QEVFileEngItem.h"
#include "pixorama/brovia/QEVFileSetItem.h"
#include "pixorama/brovia/QEVInfoTree.h"
#include "pixorama/brovia/QEVSegBar.h"
#include "pixorama/brovia/QEVWndParaColorIma.h"
#include "pixorama/brovia/QEVWndParaRawIma.h"
#include "pixorama/brovia/QEVWndParaVRPara.h"
#include "pixorama/platform/Modal.h"

#include "BrowserTestTools.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using plat::Rect;

// A host of 300 x 420: usable height 400, one bar is s = 0.05 of it.
class LayoutBarsTest : public testing::Test {
protected:
    void Create(int type)
    {
        host = std::make_unique<browsertest::Receiver>();
        host->resize(300, 420);
        gLayOutOneSetLayOutType(type);
        ASSERT_EQ(gLayOutOneCreateForConcatAndRec(host.get(), 1000), 1);
        gLayOutOneSetClient({0, 0, 300, 420});
        host->show();
        QApplication::processEvents();
        layout = gLayOutOneGetLayOut();
        ASSERT_NE(layout, nullptr);
    }

    // Grabs bar i at (10, 5), moves it by dy and lets go.
    void Drag(int i, int dy)
    {
        QEVSegBar* bar = layout->SegBar(i);
        viewtest::press(bar, {10, 5});
        viewtest::move(bar, {10, 5 + dy});
        viewtest::release(bar, {10, 5 + dy});
    }

    int Top(int i) const { return layout->GetBarRect(i).top; }

    std::unique_ptr<browsertest::Receiver> host;
    QEVDBLayOut* layout = nullptr;
};

TEST_F(LayoutBarsTest, FirstLayoutGivesTheFolderTreeAllFreeHeight)
{
    Create(0);
    ASSERT_EQ(layout->SectionCount(), 3);
    EXPECT_EQ(layout->SegBar(0)->GetPropName(), L"全部文件");
    EXPECT_EQ(layout->SegBar(1)->GetPropName(), L"序列文件");
    EXPECT_EQ(layout->SegBar(2)->GetPropName(), L"参数组一");
    EXPECT_FLOAT_EQ(layout->GetMaxSBPosScale(), 0.05f);
    EXPECT_TRUE(layout->IsMaximised());
    EXPECT_EQ(layout->GetBarRect(0), (Rect{0, 0, 300, 21}));
    EXPECT_EQ(layout->GetBarRect(1), (Rect{0, 380, 300, 401}));
    EXPECT_EQ(layout->GetBarRect(2), (Rect{0, 400, 300, 421}));
    EXPECT_EQ(layout->SegBar(1)->geometry(), QRect(0, 380, 300, 21));
    EXPECT_EQ(layout->GetSubClient(0), (Rect{0, 21, 300, 379}));
    EXPECT_EQ(layout->FileSet()->geometry(), QRect(0, 21, 300, 358));
    // Sections squeezed to nothing show nothing.
    EXPECT_EQ(layout->FileEng()->height(), 0);
}

TEST_F(LayoutBarsTest, SubWindowsCarryTheirIdsAndOnlyTheSectionsOnesShow)
{
    Create(1);
    ASSERT_EQ(layout->SectionCount(), 4);
    EXPECT_EQ(layout->SegBar(3)->GetPropName(), L"参数组二");
    EXPECT_EQ(layout->SegBarIDBegin(), 1001);
    EXPECT_EQ(FindCtrl(host.get(), 1000), layout);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(FindCtrl(layout, 1001 + i), layout->SegBar(i));
    EXPECT_EQ(FindCtrl(layout, 1226), layout->FileSet());
    EXPECT_EQ(FindCtrl(layout, 1224), layout->FileEng());
    EXPECT_EQ(FindCtrl(layout, 1227), layout->ParaRaw());
    EXPECT_EQ(FindCtrl(layout, 1229), layout->ParaColor());
    EXPECT_EQ(FindCtrl(layout, 1230), layout->ParaVR());
    EXPECT_EQ(FindCtrl(layout, 1231), layout->InfoTree());
    EXPECT_FALSE(layout->Create(host.get(), 2000));
    EXPECT_EQ(FindCtrl(layout, 2001), nullptr);

    // Share the height out: bar 1 to 100, bar 2 to 200, bar 3 to 300.
    Drag(1, 100 - Top(1));
    Drag(2, 200 - Top(2));
    Drag(3, 300 - Top(3));
    EXPECT_EQ(Top(1), 100);
    EXPECT_EQ(Top(2), 200);
    EXPECT_EQ(Top(3), 300);
    const QWidget* inSection[] = {layout->FileSet(), layout->FileEng(), layout->ParaRaw(), layout->ParaColor()};
    for (int i = 0; i < 4; ++i) {
        const Rect r = layout->GetSubClient(i);
        EXPECT_EQ(inSection[i]->geometry(), QRect(r.left, r.top, r.width(), r.height())) << "section " << i;
        EXPECT_TRUE(inSection[i]->isVisible()) << "section " << i;
    }
    EXPECT_EQ(layout->GetSubClient(1), (Rect{0, 121, 300, 199}));
    EXPECT_EQ(layout->GetSubClient(3), (Rect{0, 321, 300, 420}));
    EXPECT_FALSE(layout->ParaVR()->isVisible());
    EXPECT_FALSE(layout->InfoTree()->isVisible());
}

TEST_F(LayoutBarsTest, MaximisingSectionOneStacksTheBarsAroundIt)
{
    Create(0);
    viewtest::doubleClick(layout->SegBar(1), {10, 5});
    EXPECT_TRUE(layout->IsMaximised());
    EXPECT_EQ(layout->MaximisedIndex(), 1);
    EXPECT_EQ(Top(0), 0);
    EXPECT_EQ(Top(1), 20);
    EXPECT_EQ(Top(2), 400);
    EXPECT_EQ(layout->GetSubClient(1), (Rect{0, 41, 300, 399}));

    // A later drag clears the maximised state.
    Drag(2, -100);
    EXPECT_FALSE(layout->IsMaximised());
    EXPECT_EQ(Top(2), 300);
    EXPECT_FLOAT_EQ(layout->GetPosSB(2), 0.75f);
}

TEST_F(LayoutBarsTest, MiddleButtonMaximisesToo)
{
    Create(0);
    viewtest::press(layout->SegBar(2), {10, 5}, Qt::MiddleButton);
    EXPECT_EQ(layout->MaximisedIndex(), 2);
    EXPECT_EQ(Top(2), 40);
    EXPECT_EQ(layout->GetSubClient(2), (Rect{0, 61, 300, 420}));
}

TEST_F(LayoutBarsTest, DragOntoTheNeighbourStopsOneBarHeightBelowIt)
{
    Create(0);
    viewtest::doubleClick(layout->SegBar(1), {10, 5});
    Drag(2, -390);
    EXPECT_EQ(Top(2), Top(1) + QEVDBLayOut::barHeight);
    EXPECT_FLOAT_EQ(layout->GetPosSB(2), layout->GetPosSB(1) + layout->GetMaxSBPosScale());
}

TEST_F(LayoutBarsTest, ReleasingNearALimitSnapsOntoIt)
{
    Create(0);
    viewtest::doubleClick(layout->SegBar(1), {10, 5});
    // 0.115 is within 0.02 of bar 1's limit 0.05 + 0.05.
    Drag(2, 46 - 400);
    EXPECT_EQ(Top(2), 40);
    // 0.125 is not.
    Drag(2, 50 - 40);
    EXPECT_EQ(Top(2), 50);
}

TEST_F(LayoutBarsTest, AnInnerBarStaysBetweenItsNeighbours)
{
    Create(0);
    viewtest::doubleClick(layout->SegBar(1), {10, 5});
    Drag(2, -200); // bar 2 at 200
    Drag(1, 300);  // bar 1 pushed onto bar 2 stops one bar above it
    EXPECT_EQ(Top(1), 180);
    Drag(1, -170); // and onto bar 0 one bar below it
    EXPECT_EQ(Top(1), 20);
}

TEST_F(LayoutBarsTest, OutlineFollowsThePointerInsideTheLayoutAndOnlyAMoveReports)
{
    Create(0);
    QEVSegBar* bar = layout->SegBar(1);
    viewtest::press(bar, {10, 5});
    EXPECT_TRUE(bar->IsDragging());
    viewtest::move(bar, {10, -75});
    EXPECT_EQ(bar->OutlineTop(), 300);
    EXPECT_EQ(Top(1), 380); // the bar waits for the release
    viewtest::move(bar, {10, 500});
    EXPECT_EQ(bar->OutlineTop(), 420 - 21); // never below the layout
    viewtest::move(bar, {10, 5});
    viewtest::release(bar, {10, 5});
    // No displacement: no message, so the layout is still maximised.
    EXPECT_FALSE(bar->IsDragging());
    EXPECT_TRUE(layout->IsMaximised());
    EXPECT_EQ(Top(1), 380);

    // Escape ends a drag as a release does.
    viewtest::press(bar, {10, 5});
    viewtest::move(bar, {10, -95});
    viewtest::key(bar, Qt::Key_Escape);
    EXPECT_FALSE(bar->IsDragging());
    EXPECT_EQ(Top(1), 280);
    EXPECT_FALSE(layout->IsMaximised());
}

TEST_F(LayoutBarsTest, BarZeroStaysAtTheTop)
{
    Create(0);
    Drag(0, 50);
    EXPECT_EQ(Top(0), 0);
    layout->MoveSB(2, 200); // bar 1 is in the way
    EXPECT_EQ(Top(2), 400);
    layout->MoveSB(1, 100);
    layout->MoveSB(2, 200);
    EXPECT_EQ(Top(1), 100);
    EXPECT_EQ(Top(2), 200);
    layout->MoveSB(0, 100);
    EXPECT_EQ(Top(0), 0);
}

TEST_F(LayoutBarsTest, ABarCanTakeThePlaceOfAControl)
{
    Create(0);
    auto* placeholder = new QWidget(layout);
    SetCtrlId(placeholder, 4321);
    placeholder->setGeometry(0, 50, 300, 21);
    auto* bar = new QEVSegBar(layout, 0);
    ASSERT_TRUE(bar->BindWithControl(placeholder));
    EXPECT_EQ(GetCtrlId(bar), 4321);
    EXPECT_EQ(bar->geometry(), QRect(0, 50, 300, 21));
    EXPECT_FALSE(placeholder->isVisible());
    QWidget stranger;
    EXPECT_FALSE(bar->BindWithControl(&stranger));
}

TEST_F(LayoutBarsTest, TheHostSetsTheWindowStripsHistogramAndPoints)
{
    Create(1);
    QEVDlgForContrast* strip = layout->ParaRaw()->WindowStrip();
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->GetOwnerId(), 19);
    strip->resize(290, 30);
    plat::DibBitmap before(290, 30);
    plat::Dc beforeDc(before);
    strip->Draw(beforeDc);
    gLayOutOneSetRawHistogram(std::vector<double>(256, 1.0));
    plat::DibBitmap after(290, 30);
    plat::Dc afterDc(after);
    strip->Draw(afterDc);
    EXPECT_EQ(before.pixelAt(250, 5) & 0xFFFFFF, plat::pixelOf(210, 210, 210));
    EXPECT_EQ(after.pixelAt(250, 5) & 0xFFFFFF, plat::pixelOf(174, 174, 174));

    gLayOutOneSetRawWindow(0.25f, 0.5f);
    float low = 0;
    float high = 0;
    strip->OutHandlePara(low, high);
    EXPECT_NEAR(low, 0.25f, 1e-6);
    EXPECT_NEAR(high, 0.5f, 1e-6);
}

TEST(LayoutSections, MoreThanTwelveTitlesAreRefusedWithAMessage)
{
    std::vector<std::wstring> shown;
    RecordMessageBoxes(shown);
    QEVDBLayOut layout;
    std::vector<CString> titles;
    for (int i = 0; i < 14; ++i)
        titles.push_back(L"节" + std::to_wstring(i));
    layout.SetSubWndInfo(titles);
    plat::setMessageBoxResponder({});
    ASSERT_EQ(shown, std::vector<std::wstring>{L"过多的子项"});
    EXPECT_EQ(layout.SectionCount(), 12);
    EXPECT_FLOAT_EQ(layout.GetPosSB(11), 11.0f / 12.0f);
}

TEST(LayoutSections, FurtherLayoutsAreIndependent)
{
    QEVDBLayOut* extra = nullptr;
    ASSERT_EQ(CreateCtrlOne(&extra), 1);
    ASSERT_NE(extra, nullptr);
    EXPECT_NE(extra, gLayOutOneGetLayOut());
    EXPECT_EQ(ReleaseCtrlOne(&extra), 1);
    EXPECT_EQ(extra, nullptr);
}

} // namespace
