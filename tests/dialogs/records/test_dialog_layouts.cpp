// The items every parameter type builds: labels, names, kinds, options,
// ids and their places on the grid; the pair window's buttons.
#include "DialogTestTools.h"

#include "pixorama/parlet/DlgGet.h"
#include "pixorama/parlet/ParletMessages.h"
#include "pixorama/parlet/QEVBasicImaParaWnd.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <set>

using namespace dialogs_test;

namespace {

struct Built {
    QWidget host;
    QEVBasicImaParaWnd wnd;

    explicit Built(QEVImaParaType type)
    {
        wnd.SetWndType(type);
        wnd.CreateWin({}, &host, 50001);
    }
};

struct Shape {
    QEVImaParaType type;
    int rows;
    int columns;
    std::size_t values;
};

const Shape kShapes[] = {
    {QEV_IMALOAD, 5, 4, 10},   {QEV_ROICIRCLE, 2, 4, 4},   {QEV_ROIRECT, 3, 4, 6},     {QEV_FORMAT, 8, 4, 15},
    {QEV_IMAPAIR, 14, 6, 30},  {QEV_VOLUMEREC, 18, 6, 40}, {QEV_FANSIM, 6, 4, 11},     {QEV_SPIRALSIM, 8, 4, 15},
    {QEV_ROWDATA, 4, 4, 6},    {QEV_WEIGHTEXTENT, 6, 4, 11}, {QEV_FANREC, 11, 4, 22},  {QEV_GENERAL, 1, 2, 1},
    {QEV_IMADIM, 1, 4, 2},     {QEV_MATRIXTHREE, 3, 3, 9}, {QEV_MATRIXFOUR, 4, 4, 16}, {QEV_MATRIXFIVE, 5, 5, 25},
    {QEV_TWOPOINTS, 3, 4, 6},
};

bool fixedButton(int id)
{
    return id >= IDC_COMPUTE_PAIR_SIZE && id <= IDC_BROWSE_WEIGHT;
}

} // namespace

TEST(DialogLayouts, EveryTypeFillsItsGridWithoutOverlaps)
{
    for (const Shape& s : kShapes) {
        Built b(s.type);
        const int type = s.type;
        // One row more for OK/Cancel.
        EXPECT_EQ(b.wnd.GetRowCount(), s.rows + 1) << type;
        EXPECT_EQ(b.wnd.GetColumnCount(), s.columns) << type;
        EXPECT_EQ(b.wnd.GetValueTable().size(), s.values) << type;

        std::set<std::pair<int, int>> taken;
        int lastRow = -1;
        for (const CtrlItem& item : b.wnd.GetItems()) {
            EXPECT_GE(item.column, 0) << type;
            EXPECT_LE(item.column + item.columnSpan, s.columns) << type << " " << plat::toUtf8(item.caption);
            EXPECT_LT(item.row, s.rows) << type << " " << plat::toUtf8(item.caption);
            EXPECT_EQ(item.rowSpan, 1);
            for (int c = item.column; c < item.column + item.columnSpan; ++c)
                EXPECT_TRUE(taken.insert({item.row, c}).second) << type << " cell " << item.row << "," << c;
            lastRow = std::max(lastRow, item.row);
            // Ids count up from the base in item order; browse and compute buttons have their own.
            if (!fixedButton(item.id))
                EXPECT_EQ(item.id, 50001 + 1 + item.index) << type;
            else
                EXPECT_EQ(item.kind, L"Button");
            ASSERT_NE(b.wnd.GetControl(item.index), nullptr);
            EXPECT_EQ(b.wnd.GetControl(item.index)->property("ctrlId").toInt(), item.id);
        }
        // The stated grid is used to its last row.
        EXPECT_EQ(lastRow, s.rows - 1) << type;
    }
}

TEST(DialogLayouts, ImageLoadItemsAreExactlyTheListedOnes)
{
    Built b(QEV_IMALOAD);
    EXPECT_EQ(b.host.windowTitle(), QStringLiteral("图像载入参数"));
    struct Expected {
        const wchar_t* kind;
        const wchar_t* caption;
        const wchar_t* name;
        int row;
        int column;
    };
    const Expected expected[] = {
        {L"Static", L"图像宽度", L"nul", 0, 0},          {L"Edit", L"图像宽度", L"InImaW", 0, 1},
        {L"Static", L"图像高度", L"nul", 0, 2},          {L"Edit", L"图像高度", L"InImaH", 0, 3},
        {L"Static", L"像素类型", L"nul", 1, 0},          {L"Combo", L"像素类型", L"InImaPixelType", 1, 1},
        {L"Static", L"大端小端", L"nul", 1, 2},          {L"CheckBox", L"Little Endian", L"bLittleEndian", 1, 3},
        {L"Static", L"跳过字节", L"nul", 2, 0},          {L"Edit", L"跳过字节", L"skipBytes", 2, 1},
        {L"Static", L"显示是否采用映射", L"nul", 2, 2},  {L"CheckBox", L"采用映射", L"bUseMapRange", 2, 3},
        {L"Static", L"输入映射范围下限", L"nul", 3, 0},  {L"Edit", L"输入映射范围下限", L"MapRangeLowIn", 3, 1},
        {L"Static", L"输入映射范围上限", L"nul", 3, 2},  {L"Edit", L"输入映射范围上限", L"MapRangeHighIn", 3, 3},
        {L"Static", L"输出映射范围下限", L"nul", 4, 0},  {L"Edit", L"输出映射范围下限", L"MapRangeLowOut", 4, 1},
        {L"Static", L"输出映射范围上限", L"nul", 4, 2},  {L"Edit", L"输出映射范围上限", L"MapRangeHighOut", 4, 3},
    };
    const std::vector<CtrlItem>& items = b.wnd.GetItems();
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].kind, expected[i].kind) << i;
        EXPECT_EQ(items[i].caption, expected[i].caption) << i;
        EXPECT_EQ(items[i].name, expected[i].name) << i;
        EXPECT_EQ(items[i].row, expected[i].row) << i;
        EXPECT_EQ(items[i].column, expected[i].column) << i;
    }
    EXPECT_EQ(items[5].options, (std::vector<CString>{L"ushort", L"float", L"short", L"uchar", L"int", L"double"}));
}

TEST(DialogLayouts, CombosAndHeadingsOfTheLargerTypes)
{
    Built format(QEV_FORMAT);
    const auto options = [](const QEVBasicImaParaWnd& w, const wchar_t* name) {
        return w.GetValueTable().at(name).options;
    };
    EXPECT_EQ(options(format.wnd, L"OutImaIPType"),
              (std::vector<CString>{L"当前显示窗宽窗位", L"细节增强", L"负片&&细节增强"}));
    EXPECT_EQ(options(format.wnd, L"OutImaPixelType"), (std::vector<CString>{L"ushort", L"float", L"bmp", L"jpg"}));
    EXPECT_EQ(format.wnd.GetValueTable().at(L"bUseMapRange").caption, L"采用映射(出图处理失效)");

    Built pair(QEV_IMAPAIR);
    EXPECT_EQ(options(pair.wnd, L"OutImaIP"),
              (std::vector<CString>{L"直接输出", L"Binning|去除极值取平均", L"投影行高斯平滑"}));
    std::vector<CString> headings;
    for (const CtrlItem& item : pair.wnd.GetItems()) {
        if (item.name == L"null") {
            headings.push_back(item.caption);
            EXPECT_EQ(item.column, 0);
            EXPECT_EQ(item.columnSpan, 6);
        }
    }
    EXPECT_EQ(headings, (std::vector<CString>{L"图像拼接的基本参数", L"探测器校正参数(针对两组数据未做校正的情况)",
                                              L"输出结果相关的参数"}));

    Built fan(QEV_FANREC);
    EXPECT_EQ(options(fan.wnd, L"m_AccelType"),
              (std::vector<CString>{L"CPU", L"CUDA 1", L"CUDA 2", L"CUDA 3", L"CUDA 4"}));
    EXPECT_EQ(options(fan.wnd, L"m_Filter"), (std::vector<CString>{L"Ramp"}));

    Built rec(QEV_VOLUMEREC);
    EXPECT_EQ(options(rec.wnd, L"m_LogProcessMethod"),
              (std::vector<CString>{L"行极大值作为I0", L"图像极大值作为I0", L"设定固定值"}));
    EXPECT_EQ(options(rec.wnd, L"m_RecType"), (std::vector<CString>{L"CPU重建(多核)", L"CUDA重建"}));
}

TEST(DialogLayouts, TypesWithoutItemsBuildNothing)
{
    for (const int type : {1, 12, 13, 14, 22}) {
        Built b{QEVImaParaType(type)};
        EXPECT_TRUE(b.wnd.GetItems().empty()) << type;
        EXPECT_TRUE(b.wnd.GetValueTable().empty()) << type;
    }
}

TEST(DialogLayouts, ComputeButtonSizesImageThree)
{
    struct Case {
        bool vertical;
        int threeW;
        int threeH;
    };
    for (const Case& c : {Case{false, 200, 50}, Case{true, 100, 140}}) {
        DialogScript script([&](DialogDriver& d) {
            d.SetText(L"ImaOneW", L"100");
            d.SetText(L"ImaOneH", L"50");
            d.SetText(L"ImaTwoW", L"120");
            d.SetText(L"ImaTwoH", L"110");
            d.SetText(L"LeftCut", L"5");
            d.SetText(L"RightCut", L"5");
            d.SetText(L"HoriPara", L"10");
            d.SetText(L"MidCut", L"77"); // plays no part
            d.SetChecked(L"bVertical", c.vertical);
            EXPECT_TRUE(d.Press(IDC_COMPUTE_PAIR_SIZE));
            EXPECT_EQ(d.Value(L"ImaThreeW"), std::to_wstring(c.threeW));
            EXPECT_EQ(d.Value(L"ImaThreeH"), std::to_wstring(c.threeH));
            d.PressOk();
        });
        tagQEVImaPairPara pair;
        ASSERT_TRUE(gDlgGetImaPairPara(pair));
        EXPECT_EQ(pair.ImaThreeW, c.threeW);
        EXPECT_EQ(pair.ImaThreeH, c.threeH);
        EXPECT_EQ(pair.MidCut, 77);
    }

    // Sizes near the int range saturate instead of wrapping.
    DialogScript huge([](DialogDriver& d) {
        d.SetText(L"ImaOneW", L"2147483647");
        d.SetText(L"ImaTwoW", L"2147483647");
        d.SetText(L"LeftCut", L"0");
        d.SetText(L"RightCut", L"0");
        d.SetText(L"HoriPara", L"0");
        d.Press(IDC_COMPUTE_PAIR_SIZE);
        EXPECT_EQ(d.Value(L"ImaThreeW"), L"2147483647");
        d.PressCancel();
    });
    tagQEVImaPairPara pair;
    EXPECT_FALSE(gDlgGetImaPairPara(pair));
}

TEST(DialogLayouts, BrowseButtonsAskForAFolderAndShowIt)
{
    FolderAnswer answer(L"/data/out");
    DialogScript script([](DialogDriver& d) {
        EXPECT_TRUE(d.Press(IDC_BROWSE_FORMAT));
        EXPECT_EQ(d.Value(L"OutDir"), L"/data/out");
        d.PressOk();
    });
    tagQEVImaFormatPara format;
    ASSERT_TRUE(gDlgGetImaFormatPara(format));
    EXPECT_EQ(format.OutDir, L"/data/out");
    EXPECT_EQ(answer.titles, (std::vector<std::wstring>{L"选择待处理文件的文件夹"}));
    EXPECT_EQ(stored("ImaFormat.ini", L"ImaFormat", L"OutDir"), L"/data/out");

    const std::pair<int, std::function<bool()>> others[] = {
        {IDC_BROWSE_SPIRAL, [] { tagQEVImaSipralSimPara p; return gDlgGetSipralSimPara(p) && p.m_SaveDir == L"NULL"; }},
        {IDC_BROWSE_WEIGHT, [] { tagQEVImaWeightAndExtentPara p; return gDlgGetImaWeightAndExtentPara(p) && p.m_SaveDir == L"NULL"; }},
        {IDC_BROWSE_RECONSTRUCTION, [] { tagQEVImaVolumeRecPara p; return gDlgGetFDKRecPara(p) && p.m_SaveDir == L"NULL"; }},
    };
    FolderAnswer cancelled(L"");
    for (const auto& [id, run] : others) {
        DialogScript press([id = id](DialogDriver& d) {
            EXPECT_TRUE(d.Press(id)) << id;
            EXPECT_EQ(d.Value(L"m_SaveDir"), L"NULL") << id;
            d.PressOk();
        });
        EXPECT_TRUE(run()) << id;
    }
    EXPECT_EQ(cancelled.titles.size(), 3u);
}
