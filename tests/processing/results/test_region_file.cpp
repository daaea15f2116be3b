// Region files: what is written is read back, bad files are refused whole,
// and a region is rasterised by the canvas's rules.
#include "TestHome.h"

#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasInput.h"
#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/workbench/RegionFile.h"
#include "pixorama/workbench/RegionMeasure.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::wstring Write(const std::string& name, const std::string& text)
{
    const auto path = TestHome::path() / name;
    std::ofstream(path, std::ios::binary) << text;
    return plat::fromPath(path);
}

RegionSet Sample()
{
    RegionSet set;
    set.width = 64;
    set.height = 48;
    set.measureScale = 0.25;
    set.overlays = {
        {0, L"矩形 1", {{10, 20}, {30, 40}}, false},
        {1, L"定制矩形 1", {{2, 3}, {12, 13}}, true},
        {3, L"多边形 1", {{1.5, 2.25}, {20, 2}, {9, 30}}, false},
        {8, L"距离 1", {{0, 0}, {3, 4}}, false},
        {10, L"四点角度 1", {{0, 0}, {10, 0}, {0, 5}, {5, 10}}, false},
    };
    return set;
}

} // namespace

TEST(RegionFile, WhatIsWrittenIsReadBack)
{
    const std::wstring path = plat::fromPath(TestHome::path() / "rois.json");
    const RegionSet set = Sample();
    std::wstring error;
    ASSERT_TRUE(gWriteRegionFile(path, set, error)) << plat::toUtf8(error);
    RegionSet back;
    ASSERT_TRUE(gReadRegionFile(path, back, error)) << plat::toUtf8(error);
    EXPECT_EQ(back.width, 64);
    EXPECT_EQ(back.height, 48);
    EXPECT_EQ(back.measureScale, 0.25);
    ASSERT_EQ(back.overlays.size(), set.overlays.size());
    for (std::size_t i = 0; i < set.overlays.size(); ++i) {
        EXPECT_EQ(back.overlays[i].kind, set.overlays[i].kind);
        EXPECT_EQ(back.overlays[i].label, set.overlays[i].label);
        EXPECT_EQ(back.overlays[i].ellipse, set.overlays[i].ellipse);
        ASSERT_EQ(back.overlays[i].points.size(), set.overlays[i].points.size());
        for (std::size_t p = 0; p < set.overlays[i].points.size(); ++p) {
            EXPECT_EQ(back.overlays[i].points[p].x, set.overlays[i].points[p].x);
            EXPECT_EQ(back.overlays[i].points[p].y, set.overlays[i].points[p].y);
        }
    }
}

TEST(RegionFile, BadFilesAreRefusedWhole)
{
    const std::string head = R"({"format": "pixorama-regions", "version": 1, "width": 8, "height": 8, "overlays": )";
    RegionSet set = Sample();
    std::wstring error;
    const auto refused = [&](const std::string& name, const std::string& text, const std::wstring& says) {
        error.clear();
        EXPECT_FALSE(gReadRegionFile(Write(name, text), set, error)) << name;
        EXPECT_NE(error.find(says), std::wstring::npos) << name << ": " << plat::toUtf8(error);
        EXPECT_EQ(set.overlays.size(), 5u) << name;
    };
    refused("missing.json", "", L"不是区域文件");
    EXPECT_FALSE(gReadRegionFile(plat::fromPath(TestHome::path() / "none.json"), set, error));
    refused("other.json", R"({"format": "something", "version": 1})", L"不是区域文件");
    refused("later.json", R"({"format": "pixorama-regions", "version": 2, "width": 8, "height": 8, "overlays": []})",
            L"版本 2");
    refused("size.json", R"({"format": "pixorama-regions", "version": 1, "width": 0, "height": 8, "overlays": []})",
            L"尺寸");
    refused("short.json", head + R"([{"kind": "rectangle", "points": [[1, 1]]}]})", L"第 1 个");
    refused("text.json", head + R"([{"kind": "polygon", "points": [[1, 1], [2, "x"], [3, 3]]}]})", L"第 1 个");

    // Kinds a later version may add are passed over.
    ASSERT_TRUE(gReadRegionFile(Write("newer.json", head + R"([{"kind": "hexagon", "points": []},
        {"kind": "rectangle", "label": "r", "points": [[1, 2], [3, 4]]}]})"), set, error));
    ASSERT_EQ(set.overlays.size(), 1u);
    EXPECT_EQ(set.overlays[0].kind, 0);
}

TEST(RegionFile, RegionsRasteriseAsTheCanvasLabelsThem)
{
    const RegionSet set = Sample();
    constexpr int id = 2;
    ASSERT_TRUE(gCVSPrepareCanvas(id, set.width, set.height));
    InteractiveImage* canvas = CanvasTable::At(id);
    ClassData2DIO<int> ours;
    for (const SavedOverlay& region : set.overlays) {
        if (region.kind == 0)
            gCVSAddMRectangle(id);
        else if (region.kind == 3)
            gCVSAddPoly(id);
        else
            continue;
        canvas->Selected()->imagePoints = region.points;
        ASSERT_TRUE(gRasteriseRegion(region, set.width, set.height, ours));
        const int key = gCVSGenerateLabel(id, true);
        const ClassData2DIO<int>& theirs = gCVSGetLabelIma(id);
        int inside = 0;
        for (int y = 0; y < set.height; ++y)
            for (int x = 0; x < set.width; ++x) {
                ASSERT_EQ(ours.rows[y][x] == 1, theirs.rows[y][x] == key) << x << "," << y;
                inside += ours.rows[y][x];
            }
        EXPECT_GT(inside, 20);
    }
    // The top-left corner of the rectangle (10, 20) is in bottom-up row 48 - 1 - 20.
    ASSERT_TRUE(gRasteriseRegion(set.overlays[0], set.width, set.height, ours));
    EXPECT_EQ(ours.rows[27][10], 1);
    EXPECT_EQ(ours.rows[27][9], 0);
    EXPECT_FALSE(gRasteriseRegion(set.overlays[3], set.width, set.height, ours));
    gCVSDelAllElement(id);
}
