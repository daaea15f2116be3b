// The parameter panels: their groups and strips, one group open at a time,
// layout and scrolling, and the id each strip's report carries.
#include "pixorama/brovia/ControlId.h"
#include "pixorama/brovia/QEVDlgForContrast.h"
#include "pixorama/brovia/QEVDlgForThreshold.h"
#include "pixorama/brovia/QEVOrdinaryItem.h"
#include "pixorama/brovia/QEVWndParaColorIma.h"
#include "pixorama/brovia/QEVWndParaRawIma.h"
#include "pixorama/brovia/QEVWndParaVRPara.h"

#include "BrowserTestTools.h"

#include <QPixmap>
#include <gtest/gtest.h>

#include <memory>

namespace {

using plat::Rect;

class PanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        host = std::make_unique<browsertest::Receiver>();
        host->resize(400, 800);
        host->show();
    }

    template <class Panel>
    Panel* Make(int id, int h = 600)
    {
        auto* panel = new Panel;
        panel->Create({0, 0, 300, h}, host.get(), id);
        return panel;
    }

    std::vector<bool> OpenStates(const QEVWndParaBase& panel) const
    {
        std::vector<bool> out;
        for (const QEVParaGroup& g : panel.Groups())
            out.push_back(g.open);
        return out;
    }

    std::unique_ptr<browsertest::Receiver> host;
};

TEST_F(PanelTest, RawPanelHasTheWindowAndChannelGroups)
{
    auto* panel = Make<QEVWndParaRawIma>(1227);
    ASSERT_EQ(panel->Groups().size(), 2u);
    const QEVParaGroup& window = panel->Groups()[0];
    const QEVParaGroup& rgb = panel->Groups()[1];
    EXPECT_EQ(window.title, L"窗宽窗位");
    EXPECT_EQ(rgb.title, L"RGB通道");
    EXPECT_EQ(rgb.labels, (std::vector<std::wstring>{L"R", L"G", L"B"}));
    EXPECT_EQ(rgb.ids, (std::vector<int>{20, 21, 22}));
    EXPECT_EQ(rgb.contentHeight, 130);
    EXPECT_EQ(window.contentHeight, 50);
    EXPECT_EQ(OpenStates(*panel), (std::vector<bool>{true, false}));
    ASSERT_NE(dynamic_cast<QEVDlgForContrast*>(rgb.strips[0]), nullptr);
    // Window ids follow the panel's id in group order.
    EXPECT_EQ(GetCtrlId(window.strips[0]), 1228);
    EXPECT_EQ(GetCtrlId(rgb.strips[2]), 1231);
    EXPECT_EQ(rgb.strips[1]->GetLabel(), L"G");
    EXPECT_EQ(rgb.strips[1]->GetDisplayMode(), 2);
}

TEST_F(PanelTest, OpenGroupsStackTheirStripsWithGaps)
{
    auto* panel = Make<QEVWndParaRawIma>(1227);
    const QEVParaGroup& window = panel->Groups()[0];
    const QEVParaGroup& rgb = panel->Groups()[1];
    EXPECT_EQ(window.titleRect, (Rect{0, 0, 300, 25}));
    EXPECT_EQ(window.contentRect, (Rect{0, 25, 300, 75}));
    EXPECT_EQ(window.strips[0]->geometry(), QRect(10, 35, 280, 30));
    EXPECT_TRUE(window.strips[0]->isVisible());
    EXPECT_EQ(rgb.titleRect, (Rect{0, 75, 300, 100}));
    EXPECT_FALSE(rgb.strips[0]->isVisible());
    EXPECT_EQ(panel->ScrollExtent(), 100);

    viewtest::press(panel, {150, 80});
    EXPECT_EQ(OpenStates(*panel), (std::vector<bool>{false, true}));
    EXPECT_FALSE(window.strips[0]->isVisible());
    EXPECT_EQ(rgb.titleRect, (Rect{0, 25, 300, 50}));
    EXPECT_EQ(rgb.contentRect, (Rect{0, 50, 300, 180}));
    EXPECT_EQ(rgb.strips[0]->geometry(), QRect(10, 60, 280, 30));
    EXPECT_EQ(rgb.strips[2]->geometry(), QRect(10, 140, 280, 30));
    EXPECT_EQ(panel->ScrollExtent(), 180);
}

TEST_F(PanelTest, OnlyOneGroupIsEverOpenAndAClickOutsideTitlesClosesAll)
{
    auto* panel = Make<QEVWndParaColorIma>(1229);
    ASSERT_EQ(panel->Groups().size(), 10u);
    EXPECT_EQ(panel->Groups()[9].title, L"图像细节增强");
    viewtest::press(panel, {20, panel->Groups()[3].titleRect.top + 5});
    std::vector<bool> onlyThree(10, false);
    onlyThree[3] = true;
    EXPECT_EQ(OpenStates(*panel), onlyThree);
    // Clicking the open group's title keeps it open.
    viewtest::press(panel, {20, panel->Groups()[3].titleRect.top + 5});
    EXPECT_EQ(OpenStates(*panel), onlyThree);
    // A click in the open group's content, between strips, closes all.
    viewtest::press(panel, {5, panel->Groups()[3].contentRect.top + 3});
    EXPECT_EQ(OpenStates(*panel), std::vector<bool>(10, false));
    EXPECT_EQ(panel->ScrollExtent(), 250);
}

TEST_F(PanelTest, ATallPanelScrolls)
{
    auto* panel = Make<QEVWndParaColorIma>(1229, 200);
    panel->OpenGroup(9); // four strips: 170 pixels of content
    EXPECT_EQ(panel->ScrollExtent(), 10 * 25 + 170);
    panel->SetScrollPos(100);
    EXPECT_EQ(panel->ScrollPos(), 100);
    EXPECT_EQ(panel->Groups()[0].titleRect.top, -100);
    EXPECT_EQ(panel->Groups()[9].strips[0]->y(), 9 * 25 + 25 + 10 - 100);
    panel->SetScrollPos(10000);
    EXPECT_EQ(panel->ScrollPos(), 420 - 200);
    viewtest::wheel(panel, {100, 100}, 120);
    EXPECT_EQ(panel->ScrollPos(), 420 - 200 - 30);
    panel->OpenGroup(-1); // everything fits again
    EXPECT_EQ(panel->ScrollPos(), 50);
}

// Every strip's report carries its table id in word 10; the panel answers
// the report with 0 and it travels on to the panel's parent.
TEST_F(PanelTest, EveryStripReportsItsTableId)
{
    QEVWndParaBase* panels[] = {Make<QEVWndParaRawIma>(1227, 700), Make<QEVWndParaColorIma>(1229, 700),
                                Make<QEVWndParaVRPara>(1230, 700)};
    std::vector<int> expected;
    for (QEVWndParaBase* panel : panels)
        for (int g = 0; g < int(panel->Groups().size()); ++g) {
            panel->OpenGroup(g);
            const QEVParaGroup& group = panel->Groups()[std::size_t(g)];
            for (int i = 0; i < group.n; ++i) {
                expected.push_back(group.ids[std::size_t(i)]);
                viewtest::wheel(group.strips[std::size_t(i)], {200, 15}, 120);
            }
        }
    std::vector<int> seen;
    for (const tagQEVParaReport& r : host->reports)
        seen.push_back(r.Kind());
    EXPECT_EQ(seen, (std::vector<int>{19, 20, 21, 22, 1, 2, 11, 9, 10, 12, 3, 4, 5, 6, 7, 13, 14, 15, 16, 17, 26, 27, 28, 29,
                                      30, 31}));
    EXPECT_EQ(seen, expected);
    EXPECT_NE(dynamic_cast<QEVDlgForThreshold*>(panels[2]->StripByReportId(31)), nullptr);
}

TEST(OrdinaryItem, PaintsThePanelGrey)
{
    QEVOrdinaryItem item;
    item.resize(40, 20);
    const QImage shown = item.grab().toImage();
    EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, plat::pixelOf(210, 210, 210));
    EXPECT_EQ(shown.pixel(39, 19) & 0xFFFFFF, plat::pixelOf(210, 210, 210));
}

} // namespace
