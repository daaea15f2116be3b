#pragma once

#include "pixorama/parlet/MenuBuilders.h"

#include <span>

// The workbench's menu and toolbar tables: items in order, then the title
// record (id 0) at index count.
struct MenuTable {
    const tagMSGResource* items = nullptr;
    int count = 0; // items before the title record

    const CString& title() const { return items[count].caption; }
};

// The popups of the menu bar, in the order they are installed:
// "基本功能", "视图", "图像编辑", "图像选区", "图像分析", "单字节图像增强",
// "图像艺术处理", "图像分割", "图像重建实验", "大视场重建".
std::span<const MenuTable> MainMenuTables();
// The 13 buttons of the toolbar.
MenuTable ToolBarTable();
// Tables whose ids the frame routes but which stay off the menu bar:
// "三维图像处理", "脚本示例", "图像编码", "测试", "成像仿真".
std::span<const MenuTable> OffMenuTables();

// Command ids of the frame's own entries beyond the tables.
constexpr int ID_AUTO_RAW_WINDOW = 2262; // "自动窗宽窗位", in "视图"
constexpr int ID_SMOOTH_WHEN_SHRUNK = 2263; // "缩小时平滑显示", in "视图", checked at start
// The results entries, in "图像分析" after its table entries.
constexpr int ID_RESULTS_WINDOW = 2417; // "测量结果": shows the results window
constexpr int ID_MEASURE_ALL = 2418;    // "测量" (Ctrl+M): a row for every overlay of canvas 4
constexpr int ID_SAVE_REGIONS = 2419;   // "保存区域"
constexpr int ID_LOAD_REGIONS = 2420;   // "载入区域"
constexpr int ID_SAVE_PROFILE = 2421;   // "保存线数据": the selected profile as CSV and PNG
constexpr int ID_RECENT_FILE_FIRST = 0xE110; // the recent-file entries, newest first
constexpr int recentFileCount = 4;
constexpr int ID_UNDO = 0xE120; // "撤销", at the end of "基本功能"
constexpr int ID_REDO = 0xE121; // "重做"
