#include "ImaParaItems.h"
#include "RecordItems.h"

#include "pixorama/parlet/ParletMessages.h"
#include "pixorama/parlet/ImaParaRecordSet.h"

#include <type_traits>
#include <utility>

namespace parlet {

const wchar_t* const kProcessHeader = L"以下为将要进行的操作";

namespace {

template <class R>
void mapRangeEdits(RecordItems<R>& l)
{
    l.Edits(L"输入映射范围下限", PARLET_KEY(MapRangeLowIn), L"输入映射范围上限", PARLET_KEY(MapRangeHighIn),
            L"输出映射范围下限", PARLET_KEY(MapRangeLowOut), L"输出映射范围上限", PARLET_KEY(MapRangeHighOut));
}

} // namespace

void Describe(RecordItems<tagQEVImaLoadPara>& l)
{
    using R = tagQEVImaLoadPara;
    l.Edits(L"图像宽度", PARLET_KEY(InImaW), L"图像高度", PARLET_KEY(InImaH));
    l.Combo(L"像素类型", PARLET_KEY(InImaPixelType), {L"ushort", L"float", L"short", L"uchar", L"int", L"double"});
    l.Check(L"大端小端", PARLET_KEY(bLittleEndian), L"Little Endian");
    l.Edit(L"跳过字节", PARLET_KEY(skipBytes));
    l.Check(L"显示是否采用映射", PARLET_KEY(bUseMapRange), L"采用映射");
    mapRangeEdits(l);
}

void Describe(RecordItems<tagQEVImaFormatPara>& l)
{
    using R = tagQEVImaFormatPara;
    l.Edits(L"宽度", PARLET_KEY(InImaW), L"高度", PARLET_KEY(InImaH));
    l.Combo(L"数据类型", PARLET_KEY(InImaPixelType), {L"ushort", L"float"});
    l.Check(L"字节顺序", PARLET_KEY(bLittleEndian), L"Little Endian");
    l.Edits(L"出图宽度", PARLET_KEY(OutImaW), L"出图高度", PARLET_KEY(OutImaH));
    l.Combo(L"出图类型", PARLET_KEY(OutImaPixelType), {L"ushort", L"float", L"bmp", L"jpg"});
    l.Combo(L"出图处理", PARLET_KEY(OutImaIPType), {L"当前显示窗宽窗位", L"细节增强", L"负片&&细节增强"});
    l.Edit(L"图像间隔", PARLET_KEY(OutImaStep));
    l.Check(L"显示是否采用映射", PARLET_KEY(bUseMapRange), L"采用映射(出图处理失效)");
    mapRangeEdits(l);
    l.Browse(L"文件保存目录", IDC_BROWSE_FORMAT, PARLET_KEY(OutDir));
}

void Describe(RecordItems<tagQEVImaFanSimPara>& l)
{
    using R = tagQEVImaFanSimPara;
    l.Edits(L"投影宽度", PARLET_KEY(m_width), L"投影角度数", PARLET_KEY(m_viewnum));
    l.Combo(L"投影数据类型", PARLET_KEY(m_DrDataType), {L"float", L"ushort", L"double"});
    l.Combo(L"硬化类型", PARLET_KEY(m_BeamHardenType), {L"无", L"弱强度", L"中等强度", L"高强度"});
    l.Edits(L"光源探测器距离", PARLET_KEY(m_SDD), L"光源转台距离", PARLET_KEY(m_SOD), L"像元尺寸", PARLET_KEY(m_unitsize));
    l.Check(L"是否取对数", PARLET_KEY(m_bUseLog), L"取对数");
    l.Edits(L"探测器横向偏移", PARLET_KEY(m_Xoffset), L"转台横向偏移", PARLET_KEY(m_RotatorOffset));
    l.Check(L"旋转方向", PARLET_KEY(m_bClockWise), L"顺时针");
}

void Describe(RecordItems<tagQEVImaSipralSimPara>& l)
{
    using R = tagQEVImaSipralSimPara;
    l.Edits(L"探测器宽度", PARLET_KEY(DetW), L"探测器高度", PARLET_KEY(DetH), L"探测器水平偏移(探元)", PARLET_KEY(DetHoffset),
            L"探测器竖直偏移(探元)", PARLET_KEY(DetVoffset), L"转台偏移", PARLET_KEY(RotOffset),
            L"旋转一周投影角度", PARLET_KEY(ViewNum), L"光源转台距离", PARLET_KEY(SOD), L"光源探测器距离", PARLET_KEY(SDD),
            L"探元大小", PARLET_KEY(UnitSize), L"旋转一周前进距离", PARLET_KEY(Pitch), L"开始角度", PARLET_KEY(PrjBegin),
            L"结束角度", PARLET_KEY(PrjEnd));
    l.Check(L"探测器偏移加权", PARLET_KEY(bWG), L"是");
    l.Edit(L"螺旋方向开始位置", PARLET_KEY(m_ZBegin));
    l.Browse(L"选择保存文件目录", IDC_BROWSE_SPIRAL, PARLET_KEY(m_SaveDir));
}

void Describe(RecordItems<tagQEVImaRowDataPara>& l)
{
    using R = tagQEVImaRowDataPara;
    l.Edits(L"图像宽度", PARLET_KEY(m_width), L"图像高度", PARLET_KEY(m_height));
    l.Combo(L"输入数据类型", PARLET_KEY(m_PixelType), {L"ushort", L"float"});
    l.Edit(L"行数据位置", PARLET_KEY(m_RowIndex));
    l.Check(L"是否抽取所有行", PARLET_KEY(m_bAllRow), L"抽取所有行");
    l.Browse(L"选择保存文件目录", IDC_BROWSE_ROWDATA, L"m_SaveDir");
}

void Describe(RecordItems<tagQEVImaWeightAndExtentPara>& l)
{
    using R = tagQEVImaWeightAndExtentPara;
    l.Edits(L"图像宽度", PARLET_KEY(m_widthOri), L"图像高度", PARLET_KEY(m_heightOri));
    l.Combo(L"输入数据类型", PARLET_KEY(m_DRPixelType), {L"ushort", L"float"});
    l.Edits(L"采样角度数目", PARLET_KEY(m_viewnum), L"探元尺寸", PARLET_KEY(m_unitsize), L"光源转台距离", PARLET_KEY(m_SOD),
            L"光源探测器距离", PARLET_KEY(m_SDD), L"探测器横向偏移量(du)", PARLET_KEY(m_Xoffset),
            L"探测器纵向偏移量(du)", PARLET_KEY(m_Zoffset), L"转台偏移量(du)", PARLET_KEY(m_RotatorOffset));
    l.Browse(L"选择保存文件目录", IDC_BROWSE_WEIGHT, PARLET_KEY(m_SaveDir));
}

void Describe(RecordItems<tagQEVImaROICirclePara>& l)
{
    using R = tagQEVImaROICirclePara;
    l.Edits(L"X坐标", PARLET_KEY(m_CircleX), L"Y坐标", PARLET_KEY(m_CircleY), L"Z坐标", PARLET_KEY(m_CircleZ),
            L"半径", PARLET_KEY(m_Radius));
}

void Describe(RecordItems<tagQEVImaROIRectPara>& l)
{
    using R = tagQEVImaROIRectPara;
    l.Edits(L"左边", PARLET_KEY(m_RectLeft), L"右边", PARLET_KEY(m_RectRight), L"上边", PARLET_KEY(m_RectTop),
            L"下边", PARLET_KEY(m_RectBottom), L"前边", PARLET_KEY(m_RectBegin), L"后边", PARLET_KEY(m_RectEnd));
}

void Describe(RecordItems<tagQEVImaGeneralPara>& l)
{
    using R = tagQEVImaGeneralPara;
    l.Edit(L"输入参数", PARLET_KEY(m_Content));
}

void Describe(RecordItems<tagQEVImaDimPara>& l)
{
    using R = tagQEVImaDimPara;
    l.Edits(L"图像宽度", PARLET_KEY(ImaOneW), L"图像高度", PARLET_KEY(ImaOneH));
}

void Describe(RecordItems<tagQEVTwoPointsPara>& l)
{
    using R = tagQEVTwoPointsPara;
    l.Edits(L"X1坐标", PARLET_KEY(XOne), L"Y1坐标", PARLET_KEY(YOne), L"X2坐标", PARLET_KEY(XTwo),
            L"Y2坐标", PARLET_KEY(YTwo), L"角度数", PARLET_KEY(AngleNr), L"周期", PARLET_KEY(Period));
}

namespace {

const wchar_t* const kInput = L"参数输入";
const wchar_t* const kChain = L"数据处理组合选择";

// The record type a window member holds.
template <auto hosted>
using RecordOf = std::remove_reference_t<decltype(std::declval<ImaParaRecordSet&>().*hosted)>;

template <auto hosted>
void fillFrom(ItemLayout& layout)
{
    RecordItems<RecordOf<hosted>> items(&layout, nullptr);
    Describe(items);
}

template <auto hosted>
void readInto(ImaParaRecordSet& records, const ValueSource& values)
{
    ReadFields(records.*hosted, FieldsOf(records.*hosted), values);
}

// The items and the reading of the record the window keeps in member.
#define PARLET_RECORD(member) &fillFrom<&ImaParaRecordSet::member>, &readInto<&ImaParaRecordSet::member>

// Matrix elements have no record members of their own: they are read by key.
template <int N>
void matrix(ItemLayout& l)
{
    for (int r = 0; r < N; ++r) {
        for (int c = 0; c < N; ++c) {
            const CString name = MatrixKey(N, r, c);
            l.Cell(name.c_str());
        }
    }
}

// The chain window builds its own lists.
void noItems(ItemLayout&) {}

const ImaParaTable tables[] = {
    {QEV_IMALOAD, kInput, {5, 4, L"图像载入参数"}, PARLET_RECORD(m_ImaLoadPara)},
    {QEV_ROICIRCLE, L"圆参数", {2, 4, L"输入圆参数"}, PARLET_RECORD(m_ROICirclePara)},
    {QEV_ROIRECT, L"矩阵参数", {3, 4, L"输入矩形参数"}, PARLET_RECORD(m_ROIRectPara)},
    {QEV_FORMAT, L"格式转换", {8, 4, L"输出文件信息"}, PARLET_RECORD(m_FormatPara)},
    {QEV_IMAPAIR, kInput, {14, 6, L"图像对参数"}, PARLET_RECORD(m_ImaPairPara)},
    {QEV_VOLUMEREC, kInput, {18, 6, L"重建参数"}, PARLET_RECORD(m_VolumeRecPara)},
    {QEV_FANSIM, kInput, {6, 4, L"扇束仿真参数"}, PARLET_RECORD(m_FanSimPara)},
    {QEV_SPIRALSIM, L"锥束成像仿真", {8, 4, L"螺旋锥束成像仿真参数"}, PARLET_RECORD(m_SipralSimPara)},
    {QEV_ROWDATA, kChain, {4, 4, L"提取正弦图"}, PARLET_RECORD(m_RowDataPara)},
    {QEV_WEIGHTEXTENT, kChain, {6, 4, L"探测器图像加权拓展"}, PARLET_RECORD(m_WeightAndExtentPara)},
    {QEV_FANREC, kInput, {11, 4, L"扇束重建参数"}, PARLET_RECORD(m_FanRecPara)},
    {QEV_GENERAL, kInput, {1, 2, nullptr}, PARLET_RECORD(m_GeneralPara)},
    {QEV_PROCESS, kChain, {10, 4, nullptr, 120}, &noItems, nullptr},
    {QEV_IMADIM, L"图像尺寸", {1, 4, L"输入图像大小"}, PARLET_RECORD(m_DimPara)},
    {QEV_MATRIXTHREE, L"输入矩阵", {3, 3, L"输入矩阵数据"}, &matrix<3>, nullptr},
    {QEV_MATRIXFOUR, L"输入矩阵", {4, 4, L"输入矩阵数据"}, &matrix<4>, nullptr},
    {QEV_MATRIXFIVE, L"输入矩阵", {5, 5, L"输入矩阵数据"}, &matrix<5>, nullptr},
    {QEV_TWOPOINTS, L"两点参数", {3, 4, L"输入和周期直线有关的参数"}, PARLET_RECORD(m_TwoPointsPara)},
};

#undef PARLET_RECORD

} // namespace

const ImaParaTable* TableOf(QEVImaParaType type)
{
    for (const ImaParaTable& table : tables)
        if (table.type == type)
            return &table;
    return nullptr;
}

bool ShapeOf(QEVImaParaType type, ImaParaShape& shape)
{
    const ImaParaTable* table = TableOf(type);
    if (table)
        shape = table->shape;
    return table != nullptr;
}

void FillImaParaItems(QEVImaParaType type, ItemLayout& layout)
{
    if (const ImaParaTable* table = TableOf(type))
        table->fillItems(layout);
}

const std::vector<const wchar_t*>& ProcessSteps()
{
    static const std::vector<const wchar_t*> steps = {
        L"数据类型转化为Uc", L"数据类型转化为Us", L"数据类型转化为Float", L"保存为8bit位图", L"保存为24bit位图",
        L"保存为32bit位图", L"保存为Jpg文件", L"数据类型转化为Float", L"裁剪", L"缩放", L"选择ROI", L"高斯平滑",
        L"中值滤波", L"LUT增强", L"小细节增强", L"中细节增强", L"大细节增强", L"整体增强", L"直方图均衡",
        L"视网膜增强", L"多尺度增强", L"均值模糊", L"锐化", L"腐蚀", L"膨胀", L"Sobel", L"Roberts", L"Prewitt",
        L"Canny", L"Log", L"开运算", L"闭运算", L"全局阈值分割", L"局部阈值分割", L"分水岭分割",
        L"从二值块计算坐标点", L"矩形表示坐标点", L"圆形表示坐标点", L"Radon变换", L"Hough变换", L"直线检测"};
    return steps;
}

} // namespace parlet
