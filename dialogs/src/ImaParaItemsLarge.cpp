// The three largest layouts: image pair, cone-beam and fan-beam reconstruction.
#include "ImaParaItems.h"

#include "pixorama/parlet/ParletMessages.h"

namespace parlet {

void FillImaPairItems(ItemLayout& l)
{
    l.Heading(L"图像拼接的基本参数");
    l.Edit(L"图像一宽度", L"ImaOneW");
    l.Edit(L"图像一高度", L"ImaOneH");
    l.Combo(L"输入数据类型", L"InImaPixelType", {L"ushort", L"float"});
    l.Edit(L"图像二宽度", L"ImaTwoW");
    l.Edit(L"图像二高度", L"ImaTwoH");
    l.Combo(L"输出数据类型", L"OutImaPixelType", {L"ushort", L"float"});
    l.Edit(L"图像三宽度", L"ImaThreeW");
    l.Edit(L"图像三高度", L"ImaThreeH");
    l.Check(L"是否缩放", L"bResize", L"缩放");
    l.Edit(L"垂直重叠方向位移", L"VertPara");
    l.Edit(L"重叠区域宽度", L"HoriPara");
    l.Check(L"操作方向", L"bVertical", L"垂直方向");
    l.Edit(L"图像一左(上)切除", L"LeftCut");
    l.Edit(L"图像二右(下)切除", L"RightCut");
    l.Edit(L"中间切除", L"MidCut");
    l.Check(L"图像二旋转", L"bRot", L"需要旋转");
    l.Edit(L"旋转参数", L"RotPara");
    l.Check(L"重叠区域处理", L"bOverlapBalance", L"灰度一致性均衡");
    l.Heading(L"探测器校正参数(针对两组数据未做校正的情况)");
    l.Check(L"拼接前数据校正", L"bUseCalib", L"探测器校正");
    l.Edit(L"暗场校正文件1", L"strBlackOne");
    l.Edit(L"亮场校正文件1", L"strLightOne");
    l.Edit(L"暗场校正文件2", L"strBlackTwo");
    l.Edit(L"亮场校正文件2", L"strLightTwo");
    l.Heading(L"输出结果相关的参数");
    l.Combo(L"原始拼接缩放后操作", L"OutImaIP", {L"直接输出", L"Binning|去除极值取平均", L"投影行高斯平滑"});
    l.Combo(L"拼接结果存放介质", L"StorageMedium", {L"输出到硬盘", L"存放在内存"});
    l.Edit(L"输入文件开始序号", L"InputFileStartIndex");
    l.Edit(L"输入文件结束序号", L"InputFileEndIndex");
    l.Edit(L"输入文件步长", L"InputFileStep");
    l.Edit(L"保存文件开始序号", L"StorageFileStartNum");
    l.Button(L"计算图像三大小", IDC_COMPUTE_PAIR_SIZE);
    l.Browse(L"拼接文件保存目录", IDC_BROWSE_PAIR, L"m_SaveDir");
}

void FillVolumeRecItems(ItemLayout& l)
{
    l.Heading(L"重建的基本参数");
    l.Edit(L"初始DR图像宽度", L"m_widthOri");
    l.Edit(L"初始DR图像高度", L"m_heightOri");
    l.Combo(L"输入数据类型", L"m_DRPixelType", {L"ushort", L"float"});
    l.Edit(L"DR图像左右切除", L"m_DRHCut");
    l.Edit(L"DR图像上下切除", L"m_DRVCut");
    l.Edit(L"投影角度数", L"m_viewnum");
    l.Edit(L"重建图像宽度", L"m_width");
    l.Combo(L"输出重建图像的类型", L"m_OutRecPixelType", {L"ushort", L"float"});
    l.Combo(L"硬化校正类型", L"m_BeamHardenType", {L"无", L"弱强度", L"中等强度", L"高强度"});
    l.Edit(L"像元尺寸(mm)", L"m_unitsize");
    l.Edit(L"光源探测器距离(mm)", L"m_SDD");
    l.Edit(L"光源转台距离(mm)", L"m_SOD");
    l.Edit(L"探测器横向偏移(du)", L"m_Xoffset");
    l.Edit(L"探测器纵向偏移(du)", L"m_Zoffset");
    l.Edit(L"转台横向偏移(du)", L"m_RotatorOffset");
    l.Check(L"旋转方向", L"m_bClockWise", L"顺时针");
    l.Check(L"投影全部载入内存", L"m_bPrjToMem", L"载入内存");
    l.Check(L"是否去除环状伪影", L"m_bRemoveRing", L"去除环状伪影");
    l.Check(L"是否去除极值点", L"m_bRemoveSpeckle", L"去除极值点");
    l.Combo(L"取对数方式", L"m_LogProcessMethod", {L"行极大值作为I0", L"图像极大值作为I0", L"设定固定值"});
    l.Edit(L"固定的I0值", L"m_I0");
    l.Heading(L"重建的高级参数");
    l.Check(L"是否采用标准重建", L"m_bUseStdRec", L"采用标准重建");
    l.Combo(L"滤波核函数", L"m_FilterType", {L"R-L", L"S-L"});
    l.Edit(L"截止频率", L"m_CutOff");
    l.Check(L"是否启用标记图像", L"m_bUseLabel", L"启用");
    l.Edit(L"标记图像", L"m_LabelFile");
    l.Check(L"是否取对数", L"m_bUseLog", L"取对数");
    l.Combo(L"重建方式", L"m_RecType", {L"CPU重建(多核)", L"CUDA重建"});
    l.Check(L"是否重建多层", L"m_bRecMulti", L"重建多层");
    l.Edit(L"重建单张图像位置", L"m_Row_ToBeRe");
    l.Edit(L"重建图像开始位置", L"m_Row_ToBeReStart");
    l.Edit(L"重建图像结束位置", L"m_Row_ToBeReEnd");
    l.Edit(L"CPU线程数目", L"m_ThreadNum");
    l.Edit(L"ROI重建投影拓展", L"m_ExtrapolationSize");
    l.Edit(L"CUDA每次重建图像数目", L"m_RecFileNrOnce");
    l.Heading(L"螺旋重建的基本参数");
    l.Check(L"是否螺旋重建", L"m_bSpiral", L"螺旋重建");
    l.Edit(L"投影开始角度", L"m_SpiralAngleBegin");
    l.Edit(L"投影结束角度", L"m_SpiralAngleEnd");
    l.Edit(L"旋转一周前进距离", L"m_SpiralPitch");
    l.Browse(L"选择保存文件目录", IDC_BROWSE_RECONSTRUCTION, L"m_SaveDir");
}

void FillFanRecItems(ItemLayout& l)
{
    l.Edit(L"投影宽度", L"m_width");
    l.Edit(L"投影角度数", L"m_viewnum");
    l.Combo(L"投影数据类型", L"m_DrDataType", {L"float", L"ushort", L"double"});
    l.Edit(L"光源探测器距离", L"m_SDD");
    l.Edit(L"光源转台距离", L"m_SOD");
    l.Edit(L"像元尺寸", L"m_unitsize");
    l.Edit(L"探测器横向偏移", L"m_Xoffset");
    l.Edit(L"转台横向偏移", L"m_RotatorOffset");
    l.Edit(L"重建图像大小", L"m_RecWidth");
    l.Combo(L"重建图像数据类型", L"m_RecType", {L"float", L"ushort", L"double"});
    l.Combo(L"硬化类型", L"m_BeamHardenType", {L"无", L"弱强度", L"中等强度", L"高强度"});
    l.Check(L"是否取对数", L"m_bUseLog", L"取对数");
    l.Check(L"旋转方向", L"m_bClockWise", L"顺时针");
    l.Check(L"环状伪影", L"m_bRingC", L"校正");
    l.Check(L"数据加权", L"m_bWeighting", L"加权");
    l.Edit(L"线程个数", L"m_ThreadNum");
    l.Combo(L"滤波器类型", L"m_Filter", {L"Ramp"});
    l.Edit(L"截止频率", L"m_cutoff");
    l.Edit(L"起始角度", L"m_Viewbegin");
    l.Edit(L"角度步长", L"m_Viewgap");
    l.Combo(L"加速方式", L"m_AccelType", {L"CPU", L"CUDA 1", L"CUDA 2", L"CUDA 3", L"CUDA 4"});
    l.Check(L"是否采用标准重建", L"m_bUseStdRec", L"采用标准重建");
}

} // namespace parlet
