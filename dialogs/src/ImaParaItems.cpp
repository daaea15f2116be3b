#include "ImaParaItems.h"
#include "RecordFields.h"

#include "pixorama/parlet/ParletMessages.h"


namespace parlet {

const wchar_t* const kProcessHeader = L"以下为将要进行的操作";

bool ShapeOf(QEVImaParaType type, ImaParaShape& shape)
{
    switch (type) {
    case QEV_IMALOAD: shape = {5, 4, L"图像载入参数"}; return true;
    case QEV_ROICIRCLE: shape = {2, 4, L"输入圆参数"}; return true;
    case QEV_ROIRECT: shape = {3, 4, L"输入矩形参数"}; return true;
    case QEV_FORMAT: shape = {8, 4, L"输出文件信息"}; return true;
    case QEV_IMAPAIR: shape = {14, 6, L"图像对参数"}; return true;
    case QEV_VOLUMEREC: shape = {18, 6, L"重建参数"}; return true;
    case QEV_FANSIM: shape = {6, 4, L"扇束仿真参数"}; return true;
    case QEV_SPIRALSIM: shape = {8, 4, L"螺旋锥束成像仿真参数"}; return true;
    case QEV_ROWDATA: shape = {4, 4, L"提取正弦图"}; return true;
    case QEV_WEIGHTEXTENT: shape = {6, 4, L"探测器图像加权拓展"}; return true;
    case QEV_FANREC: shape = {11, 4, L"扇束重建参数"}; return true;
    case QEV_GENERAL: shape = {1, 2, nullptr}; return true;
    case QEV_PROCESS: shape = {10, 4, nullptr, 120}; return true;
    case QEV_IMADIM: shape = {1, 4, L"输入图像大小"}; return true;
    case QEV_MATRIXTHREE: shape = {3, 3, L"输入矩阵数据"}; return true;
    case QEV_MATRIXFOUR: shape = {4, 4, L"输入矩阵数据"}; return true;
    case QEV_MATRIXFIVE: shape = {5, 5, L"输入矩阵数据"}; return true;
    case QEV_TWOPOINTS: shape = {3, 4, L"输入和周期直线有关的参数"}; return true;
    default: return false;
    }
}

namespace {

void mapRangeEdits(ItemLayout& l)
{
    l.Edit(L"输入映射范围下限", L"MapRangeLowIn");
    l.Edit(L"输入映射范围上限", L"MapRangeHighIn");
    l.Edit(L"输出映射范围下限", L"MapRangeLowOut");
    l.Edit(L"输出映射范围上限", L"MapRangeHighOut");
}

void imaLoad(ItemLayout& l)
{
    l.Edit(L"图像宽度", L"InImaW");
    l.Edit(L"图像高度", L"InImaH");
    l.Combo(L"像素类型", L"InImaPixelType", {L"ushort", L"float", L"short", L"uchar", L"int", L"double"});
    l.Check(L"大端小端", L"bLittleEndian", L"Little Endian");
    l.Edit(L"跳过字节", L"skipBytes");
    l.Check(L"显示是否采用映射", L"bUseMapRange", L"采用映射");
    mapRangeEdits(l);
}

void format(ItemLayout& l)
{
    l.Edit(L"宽度", L"InImaW");
    l.Edit(L"高度", L"InImaH");
    l.Combo(L"数据类型", L"InImaPixelType", {L"ushort", L"float"});
    l.Check(L"字节顺序", L"bLittleEndian", L"Little Endian");
    l.Edit(L"出图宽度", L"OutImaW");
    l.Edit(L"出图高度", L"OutImaH");
    l.Combo(L"出图类型", L"OutImaPixelType", {L"ushort", L"float", L"bmp", L"jpg"});
    l.Combo(L"出图处理", L"OutImaIPType", {L"当前显示窗宽窗位", L"细节增强", L"负片&&细节增强"});
    l.Edit(L"图像间隔", L"OutImaStep");
    l.Check(L"显示是否采用映射", L"bUseMapRange", L"采用映射(出图处理失效)");
    mapRangeEdits(l);
    l.Browse(L"文件保存目录", IDC_BROWSE_FORMAT, L"OutDir");
}

void fanSim(ItemLayout& l)
{
    l.Edit(L"投影宽度", L"m_width");
    l.Edit(L"投影角度数", L"m_viewnum");
    l.Combo(L"投影数据类型", L"m_DrDataType", {L"float", L"ushort", L"double"});
    l.Combo(L"硬化类型", L"m_BeamHardenType", {L"无", L"弱强度", L"中等强度", L"高强度"});
    l.Edit(L"光源探测器距离", L"m_SDD");
    l.Edit(L"光源转台距离", L"m_SOD");
    l.Edit(L"像元尺寸", L"m_unitsize");
    l.Check(L"是否取对数", L"m_bUseLog", L"取对数");
    l.Edit(L"探测器横向偏移", L"m_Xoffset");
    l.Edit(L"转台横向偏移", L"m_RotatorOffset");
    l.Check(L"旋转方向", L"m_bClockWise", L"顺时针");
}

void spiralSim(ItemLayout& l)
{
    l.Edit(L"探测器宽度", L"DetW");
    l.Edit(L"探测器高度", L"DetH");
    l.Edit(L"探测器水平偏移(探元)", L"DetHoffset");
    l.Edit(L"探测器竖直偏移(探元)", L"DetVoffset");
    l.Edit(L"转台偏移", L"RotOffset");
    l.Edit(L"旋转一周投影角度", L"ViewNum");
    l.Edit(L"光源转台距离", L"SOD");
    l.Edit(L"光源探测器距离", L"SDD");
    l.Edit(L"探元大小", L"UnitSize");
    l.Edit(L"旋转一周前进距离", L"Pitch");
    l.Edit(L"开始角度", L"PrjBegin");
    l.Edit(L"结束角度", L"PrjEnd");
    l.Check(L"探测器偏移加权", L"bWG", L"是");
    l.Edit(L"螺旋方向开始位置", L"m_ZBegin");
    l.Browse(L"选择保存文件目录", IDC_BROWSE_SPIRAL, L"m_SaveDir");
}

void rowData(ItemLayout& l)
{
    l.Edit(L"图像宽度", L"m_width");
    l.Edit(L"图像高度", L"m_height");
    l.Combo(L"输入数据类型", L"m_PixelType", {L"ushort", L"float"});
    l.Edit(L"行数据位置", L"m_RowIndex");
    l.Check(L"是否抽取所有行", L"m_bAllRow", L"抽取所有行");
    l.Browse(L"选择保存文件目录", IDC_BROWSE_ROWDATA, L"m_SaveDir");
}

void weightExtent(ItemLayout& l)
{
    l.Edit(L"图像宽度", L"m_widthOri");
    l.Edit(L"图像高度", L"m_heightOri");
    l.Combo(L"输入数据类型", L"m_DRPixelType", {L"ushort", L"float"});
    l.Edit(L"采样角度数目", L"m_viewnum");
    l.Edit(L"探元尺寸", L"m_unitsize");
    l.Edit(L"光源转台距离", L"m_SOD");
    l.Edit(L"光源探测器距离", L"m_SDD");
    l.Edit(L"探测器横向偏移量(du)", L"m_Xoffset");
    l.Edit(L"探测器纵向偏移量(du)", L"m_Zoffset");
    l.Edit(L"转台偏移量(du)", L"m_RotatorOffset");
    l.Browse(L"选择保存文件目录", IDC_BROWSE_WEIGHT, L"m_SaveDir");
}

void matrix(ItemLayout& l, int n)
{
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            const CString name = MatrixKey(n, r, c);
            l.Cell(name.c_str());
        }
    }
}

} // namespace

void FillImaParaItems(QEVImaParaType type, ItemLayout& l)
{
    switch (type) {
    case QEV_IMALOAD: imaLoad(l); break;
    case QEV_ROICIRCLE:
        l.Edit(L"X坐标", L"m_CircleX");
        l.Edit(L"Y坐标", L"m_CircleY");
        l.Edit(L"Z坐标", L"m_CircleZ");
        l.Edit(L"半径", L"m_Radius");
        break;
    case QEV_ROIRECT:
        l.Edit(L"左边", L"m_RectLeft");
        l.Edit(L"右边", L"m_RectRight");
        l.Edit(L"上边", L"m_RectTop");
        l.Edit(L"下边", L"m_RectBottom");
        l.Edit(L"前边", L"m_RectBegin");
        l.Edit(L"后边", L"m_RectEnd");
        break;
    case QEV_FORMAT: format(l); break;
    case QEV_IMAPAIR: FillImaPairItems(l); break;
    case QEV_VOLUMEREC: FillVolumeRecItems(l); break;
    case QEV_FANSIM: fanSim(l); break;
    case QEV_SPIRALSIM: spiralSim(l); break;
    case QEV_ROWDATA: rowData(l); break;
    case QEV_WEIGHTEXTENT: weightExtent(l); break;
    case QEV_FANREC: FillFanRecItems(l); break;
    case QEV_GENERAL: l.Edit(L"输入参数", L"m_Content"); break;
    case QEV_IMADIM:
        l.Edit(L"图像宽度", L"ImaOneW");
        l.Edit(L"图像高度", L"ImaOneH");
        break;
    case QEV_MATRIXTHREE: matrix(l, 3); break;
    case QEV_MATRIXFOUR: matrix(l, 4); break;
    case QEV_MATRIXFIVE: matrix(l, 5); break;
    case QEV_TWOPOINTS:
        l.Edit(L"X1坐标", L"XOne");
        l.Edit(L"Y1坐标", L"YOne");
        l.Edit(L"X2坐标", L"XTwo");
        l.Edit(L"Y2坐标", L"YTwo");
        l.Edit(L"角度数", L"AngleNr");
        l.Edit(L"周期", L"Period");
        break;
    default: break;
    }
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
