#include "ImaParaItems.h"
#include "RecordItems.h"

#include "pixorama/parlet/ParletMessages.h"
#include "pixorama/parlet/QEVBasicImaParaWnd.h"

namespace parlet {

const wchar_t* const kProcessHeader = L"以下为将要进行的操作";

namespace {

template <class R>
void mapRangeEdits(RecordItems<R>& l)
{
    l.Edit(L"输入映射范围下限", PARLET_KEY(MapRangeLowIn));
    l.Edit(L"输入映射范围上限", PARLET_KEY(MapRangeHighIn));
    l.Edit(L"输出映射范围下限", PARLET_KEY(MapRangeLowOut));
    l.Edit(L"输出映射范围上限", PARLET_KEY(MapRangeHighOut));
}

} // namespace

void Describe(RecordItems<tagQEVImaLoadPara>& l)
{
    using R = tagQEVImaLoadPara;
    l.Edit(L"图像宽度", PARLET_KEY(InImaW));
    l.Edit(L"图像高度", PARLET_KEY(InImaH));
    l.Combo(L"像素类型", PARLET_KEY(InImaPixelType), {L"ushort", L"float", L"short", L"uchar", L"int", L"double"});
    l.Check(L"大端小端", PARLET_KEY(bLittleEndian), L"Little Endian");
    l.Edit(L"跳过字节", PARLET_KEY(skipBytes));
    l.Check(L"显示是否采用映射", PARLET_KEY(bUseMapRange), L"采用映射");
    mapRangeEdits(l);
}

void Describe(RecordItems<tagQEVImaFormatPara>& l)
{
    using R = tagQEVImaFormatPara;
    l.Edit(L"宽度", PARLET_KEY(InImaW));
    l.Edit(L"高度", PARLET_KEY(InImaH));
    l.Combo(L"数据类型", PARLET_KEY(InImaPixelType), {L"ushort", L"float"});
    l.Check(L"字节顺序", PARLET_KEY(bLittleEndian), L"Little Endian");
    l.Edit(L"出图宽度", PARLET_KEY(OutImaW));
    l.Edit(L"出图高度", PARLET_KEY(OutImaH));
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
    l.Edit(L"投影宽度", PARLET_KEY(m_width));
    l.Edit(L"投影角度数", PARLET_KEY(m_viewnum));
    l.Combo(L"投影数据类型", PARLET_KEY(m_DrDataType), {L"float", L"ushort", L"double"});
    l.Combo(L"硬化类型", PARLET_KEY(m_BeamHardenType), {L"无", L"弱强度", L"中等强度", L"高强度"});
    l.Edit(L"光源探测器距离", PARLET_KEY(m_SDD));
    l.Edit(L"光源转台距离", PARLET_KEY(m_SOD));
    l.Edit(L"像元尺寸", PARLET_KEY(m_unitsize));
    l.Check(L"是否取对数", PARLET_KEY(m_bUseLog), L"取对数");
    l.Edit(L"探测器横向偏移", PARLET_KEY(m_Xoffset));
    l.Edit(L"转台横向偏移", PARLET_KEY(m_RotatorOffset));
    l.Check(L"旋转方向", PARLET_KEY(m_bClockWise), L"顺时针");
}

void Describe(RecordItems<tagQEVImaSipralSimPara>& l)
{
    using R = tagQEVImaSipralSimPara;
    l.Edit(L"探测器宽度", PARLET_KEY(DetW));
    l.Edit(L"探测器高度", PARLET_KEY(DetH));
    l.Edit(L"探测器水平偏移(探元)", PARLET_KEY(DetHoffset));
    l.Edit(L"探测器竖直偏移(探元)", PARLET_KEY(DetVoffset));
    l.Edit(L"转台偏移", PARLET_KEY(RotOffset));
    l.Edit(L"旋转一周投影角度", PARLET_KEY(ViewNum));
    l.Edit(L"光源转台距离", PARLET_KEY(SOD));
    l.Edit(L"光源探测器距离", PARLET_KEY(SDD));
    l.Edit(L"探元大小", PARLET_KEY(UnitSize));
    l.Edit(L"旋转一周前进距离", PARLET_KEY(Pitch));
    l.Edit(L"开始角度", PARLET_KEY(PrjBegin));
    l.Edit(L"结束角度", PARLET_KEY(PrjEnd));
    l.Check(L"探测器偏移加权", PARLET_KEY(bWG), L"是");
    l.Edit(L"螺旋方向开始位置", PARLET_KEY(m_ZBegin));
    l.Browse(L"选择保存文件目录", IDC_BROWSE_SPIRAL, PARLET_KEY(m_SaveDir));
}

void Describe(RecordItems<tagQEVImaRowDataPara>& l)
{
    using R = tagQEVImaRowDataPara;
    l.Edit(L"图像宽度", PARLET_KEY(m_width));
    l.Edit(L"图像高度", PARLET_KEY(m_height));
    l.Combo(L"输入数据类型", PARLET_KEY(m_PixelType), {L"ushort", L"float"});
    l.Edit(L"行数据位置", PARLET_KEY(m_RowIndex));
    l.Check(L"是否抽取所有行", PARLET_KEY(m_bAllRow), L"抽取所有行");
    l.Browse(L"选择保存文件目录", IDC_BROWSE_ROWDATA, L"m_SaveDir");
}

void Describe(RecordItems<tagQEVImaWeightAndExtentPara>& l)
{
    using R = tagQEVImaWeightAndExtentPara;
    l.Edit(L"图像宽度", PARLET_KEY(m_widthOri));
    l.Edit(L"图像高度", PARLET_KEY(m_heightOri));
    l.Combo(L"输入数据类型", PARLET_KEY(m_DRPixelType), {L"ushort", L"float"});
    l.Edit(L"采样角度数目", PARLET_KEY(m_viewnum));
    l.Edit(L"探元尺寸", PARLET_KEY(m_unitsize));
    l.Edit(L"光源转台距离", PARLET_KEY(m_SOD));
    l.Edit(L"光源探测器距离", PARLET_KEY(m_SDD));
    l.Edit(L"探测器横向偏移量(du)", PARLET_KEY(m_Xoffset));
    l.Edit(L"探测器纵向偏移量(du)", PARLET_KEY(m_Zoffset));
    l.Edit(L"转台偏移量(du)", PARLET_KEY(m_RotatorOffset));
    l.Browse(L"选择保存文件目录", IDC_BROWSE_WEIGHT, PARLET_KEY(m_SaveDir));
}

void Describe(RecordItems<tagQEVImaROICirclePara>& l)
{
    using R = tagQEVImaROICirclePara;
    l.Edit(L"X坐标", PARLET_KEY(m_CircleX));
    l.Edit(L"Y坐标", PARLET_KEY(m_CircleY));
    l.Edit(L"Z坐标", PARLET_KEY(m_CircleZ));
    l.Edit(L"半径", PARLET_KEY(m_Radius));
}

void Describe(RecordItems<tagQEVImaROIRectPara>& l)
{
    using R = tagQEVImaROIRectPara;
    l.Edit(L"左边", PARLET_KEY(m_RectLeft));
    l.Edit(L"右边", PARLET_KEY(m_RectRight));
    l.Edit(L"上边", PARLET_KEY(m_RectTop));
    l.Edit(L"下边", PARLET_KEY(m_RectBottom));
    l.Edit(L"前边", PARLET_KEY(m_RectBegin));
    l.Edit(L"后边", PARLET_KEY(m_RectEnd));
}

void Describe(RecordItems<tagQEVImaGeneralPara>& l)
{
    using R = tagQEVImaGeneralPara;
    l.Edit(L"输入参数", PARLET_KEY(m_Content));
}

void Describe(RecordItems<tagQEVImaDimPara>& l)
{
    using R = tagQEVImaDimPara;
    l.Edit(L"图像宽度", PARLET_KEY(ImaOneW));
    l.Edit(L"图像高度", PARLET_KEY(ImaOneH));
}

void Describe(RecordItems<tagQEVTwoPointsPara>& l)
{
    using R = tagQEVTwoPointsPara;
    l.Edit(L"X1坐标", PARLET_KEY(XOne));
    l.Edit(L"Y1坐标", PARLET_KEY(YOne));
    l.Edit(L"X2坐标", PARLET_KEY(XTwo));
    l.Edit(L"Y2坐标", PARLET_KEY(YTwo));
    l.Edit(L"角度数", PARLET_KEY(AngleNr));
    l.Edit(L"周期", PARLET_KEY(Period));
}

namespace {

const wchar_t* const kInput = L"参数输入";
const wchar_t* const kChain = L"数据处理组合选择";

template <class R>
void fillFrom(ItemLayout& layout)
{
    RecordItems<R> items(&layout, nullptr);
    Describe(items);
}

template <auto hosted>
void readInto(QEVBasicImaParaWnd& window, const ValueSource& values)
{
    ReadFields(window.*hosted, FieldsOf(window.*hosted), values);
}

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
    {QEV_IMALOAD, kInput, {5, 4, L"图像载入参数"},
      &fillFrom<tagQEVImaLoadPara>, &readInto<&QEVBasicImaParaWnd::m_ImaLoadPara>},
    {QEV_ROICIRCLE, L"圆参数", {2, 4, L"输入圆参数"},
      &fillFrom<tagQEVImaROICirclePara>, &readInto<&QEVBasicImaParaWnd::m_ROICirclePara>},
    {QEV_ROIRECT, L"矩阵参数", {3, 4, L"输入矩形参数"},
      &fillFrom<tagQEVImaROIRectPara>, &readInto<&QEVBasicImaParaWnd::m_ROIRectPara>},
    {QEV_FORMAT, L"格式转换", {8, 4, L"输出文件信息"},
      &fillFrom<tagQEVImaFormatPara>, &readInto<&QEVBasicImaParaWnd::m_FormatPara>},
    {QEV_IMAPAIR, kInput, {14, 6, L"图像对参数"},
      &fillFrom<tagQEVImaPairPara>, &readInto<&QEVBasicImaParaWnd::m_ImaPairPara>},
    {QEV_VOLUMEREC, kInput, {18, 6, L"重建参数"},
      &fillFrom<tagQEVImaVolumeRecPara>, &readInto<&QEVBasicImaParaWnd::m_VolumeRecPara>},
    {QEV_FANSIM, kInput, {6, 4, L"扇束仿真参数"},
      &fillFrom<tagQEVImaFanSimPara>, &readInto<&QEVBasicImaParaWnd::m_FanSimPara>},
    {QEV_SPIRALSIM, L"锥束成像仿真", {8, 4, L"螺旋锥束成像仿真参数"},
      &fillFrom<tagQEVImaSipralSimPara>, &readInto<&QEVBasicImaParaWnd::m_SipralSimPara>},
    {QEV_ROWDATA, kChain, {4, 4, L"提取正弦图"},
      &fillFrom<tagQEVImaRowDataPara>, &readInto<&QEVBasicImaParaWnd::m_RowDataPara>},
    {QEV_WEIGHTEXTENT, kChain, {6, 4, L"探测器图像加权拓展"},
      &fillFrom<tagQEVImaWeightAndExtentPara>, &readInto<&QEVBasicImaParaWnd::m_WeightAndExtentPara>},
    {QEV_FANREC, kInput, {11, 4, L"扇束重建参数"},
      &fillFrom<tagQEVImaFanRecPara>, &readInto<&QEVBasicImaParaWnd::m_FanRecPara>},
    {QEV_GENERAL, kInput, {1, 2, nullptr},
      &fillFrom<tagQEVImaGeneralPara>, &readInto<&QEVBasicImaParaWnd::m_GeneralPara>},
    {QEV_PROCESS, kChain, {10, 4, nullptr, 120}, &noItems, nullptr},
    {QEV_IMADIM, L"图像尺寸", {1, 4, L"输入图像大小"}, &fillFrom<tagQEVImaDimPara>, &readInto<&QEVBasicImaParaWnd::m_DimPara>},
    {QEV_MATRIXTHREE, L"输入矩阵", {3, 3, L"输入矩阵数据"}, &matrix<3>, nullptr},
    {QEV_MATRIXFOUR, L"输入矩阵", {4, 4, L"输入矩阵数据"}, &matrix<4>, nullptr},
    {QEV_MATRIXFIVE, L"输入矩阵", {5, 5, L"输入矩阵数据"}, &matrix<5>, nullptr},
    {QEV_TWOPOINTS, L"两点参数", {3, 4, L"输入和周期直线有关的参数"},
      &fillFrom<tagQEVTwoPointsPara>, &readInto<&QEVBasicImaParaWnd::m_TwoPointsPara>},
};

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
