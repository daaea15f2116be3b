// The three largest layouts: image pair, cone-beam and fan-beam reconstruction.
#include "ImaParaItems.h"
#include "RecordItems.h"

#include "pixorama/parlet/ParletMessages.h"

namespace parlet {

void Describe(RecordItems<tagQEVImaPairPara>& l)
{
    using R = tagQEVImaPairPara;
    l.Heading(L"图像拼接的基本参数");
    l.Edits(L"图像一宽度", PARLET_KEY(ImaOneW), L"图像一高度", PARLET_KEY(ImaOneH));
    l.Combo(L"输入数据类型", PARLET_KEY(InImaPixelType), {L"ushort", L"float"});
    l.Edits(L"图像二宽度", PARLET_KEY(ImaTwoW), L"图像二高度", PARLET_KEY(ImaTwoH));
    l.Combo(L"输出数据类型", PARLET_KEY(OutImaPixelType), {L"ushort", L"float"});
    l.Edits(L"图像三宽度", PARLET_KEY(ImaThreeW), L"图像三高度", PARLET_KEY(ImaThreeH));
    l.Check(L"是否缩放", PARLET_KEY(bResize), L"缩放");
    l.Edits(L"垂直重叠方向位移", PARLET_KEY(VertPara), L"重叠区域宽度", PARLET_KEY(HoriPara));
    l.Check(L"操作方向", PARLET_KEY(bVertical), L"垂直方向");
    l.Edits(L"图像一左(上)切除", PARLET_KEY(LeftCut), L"图像二右(下)切除", PARLET_KEY(RightCut), L"中间切除", PARLET_KEY(MidCut));
    l.Check(L"图像二旋转", PARLET_KEY(bRot), L"需要旋转");
    l.Edit(L"旋转参数", PARLET_KEY(RotPara));
    l.Check(L"重叠区域处理", PARLET_KEY(bOverlapBalance), L"灰度一致性均衡");
    l.Heading(L"探测器校正参数(针对两组数据未做校正的情况)");
    l.Check(L"拼接前数据校正", PARLET_KEY(bUseCalib), L"探测器校正");
    l.Edits(L"暗场校正文件1", PARLET_KEY(strBlackOne), L"亮场校正文件1", PARLET_KEY(strLightOne),
            L"暗场校正文件2", PARLET_KEY(strBlackTwo), L"亮场校正文件2", PARLET_KEY(strLightTwo));
    l.Heading(L"输出结果相关的参数");
    l.Combo(L"原始拼接缩放后操作", PARLET_KEY(OutImaIP), {L"直接输出", L"Binning|去除极值取平均", L"投影行高斯平滑"});
    l.Combo(L"拼接结果存放介质", PARLET_KEY(StorageMedium), {L"输出到硬盘", L"存放在内存"});
    l.Edits(L"输入文件开始序号", PARLET_KEY(InputFileStartIndex), L"输入文件结束序号", PARLET_KEY(InputFileEndIndex),
            L"输入文件步长", PARLET_KEY(InputFileStep), L"保存文件开始序号", PARLET_KEY(StorageFileStartNum));
    l.Button(L"计算图像三大小", IDC_COMPUTE_PAIR_SIZE);
    l.Browse(L"拼接文件保存目录", IDC_BROWSE_PAIR, L"m_SaveDir");
}

void Describe(RecordItems<tagQEVImaVolumeRecPara>& l)
{
    using R = tagQEVImaVolumeRecPara;
    l.Heading(L"重建的基本参数");
    l.Edits(L"初始DR图像宽度", PARLET_KEY(m_widthOri), L"初始DR图像高度", PARLET_KEY(m_heightOri));
    l.Combo(L"输入数据类型", PARLET_KEY(m_DRPixelType), {L"ushort", L"float"});
    l.Edits(L"DR图像左右切除", PARLET_KEY(m_DRHCut), L"DR图像上下切除", PARLET_KEY(m_DRVCut),
            L"投影角度数", PARLET_KEY(m_viewnum), L"重建图像宽度", PARLET_KEY(m_width));
    l.Combo(L"输出重建图像的类型", PARLET_KEY(m_OutRecPixelType), {L"ushort", L"float"});
    l.Combo(L"硬化校正类型", PARLET_KEY(m_BeamHardenType), {L"无", L"弱强度", L"中等强度", L"高强度"});
    l.Edits(L"像元尺寸(mm)", PARLET_KEY(m_unitsize), L"光源探测器距离(mm)", PARLET_KEY(m_SDD),
            L"光源转台距离(mm)", PARLET_KEY(m_SOD), L"探测器横向偏移(du)", PARLET_KEY(m_Xoffset),
            L"探测器纵向偏移(du)", PARLET_KEY(m_Zoffset), L"转台横向偏移(du)", PARLET_KEY(m_RotatorOffset));
    l.Check(L"旋转方向", PARLET_KEY(m_bClockWise), L"顺时针");
    l.Check(L"投影全部载入内存", PARLET_KEY(m_bPrjToMem), L"载入内存");
    l.Check(L"是否去除环状伪影", PARLET_KEY(m_bRemoveRing), L"去除环状伪影");
    l.Check(L"是否去除极值点", PARLET_KEY(m_bRemoveSpeckle), L"去除极值点");
    l.Combo(L"取对数方式", PARLET_KEY(m_LogProcessMethod), {L"行极大值作为I0", L"图像极大值作为I0", L"设定固定值"});
    l.Edit(L"固定的I0值", PARLET_KEY(m_I0));
    l.Heading(L"重建的高级参数");
    l.Check(L"是否采用标准重建", PARLET_KEY(m_bUseStdRec), L"采用标准重建");
    l.Combo(L"滤波核函数", PARLET_KEY(m_FilterType), {L"R-L", L"S-L"});
    l.Edit(L"截止频率", PARLET_KEY(m_CutOff));
    l.Check(L"是否启用标记图像", PARLET_KEY(m_bUseLabel), L"启用");
    l.Edit(L"标记图像", PARLET_KEY(m_LabelFile));
    l.Check(L"是否取对数", PARLET_KEY(m_bUseLog), L"取对数");
    l.Combo(L"重建方式", PARLET_KEY(m_RecType), {L"CPU重建(多核)", L"CUDA重建"});
    l.Check(L"是否重建多层", PARLET_KEY(m_bRecMulti), L"重建多层");
    l.Edits(L"重建单张图像位置", PARLET_KEY(m_Row_ToBeRe), L"重建图像开始位置", PARLET_KEY(m_Row_ToBeReStart),
            L"重建图像结束位置", PARLET_KEY(m_Row_ToBeReEnd), L"CPU线程数目", PARLET_KEY(m_ThreadNum));
    l.WholeNumber(L"ROI重建投影拓展", PARLET_KEY(m_ExtrapolationSize));
    l.Edit(L"CUDA每次重建图像数目", PARLET_KEY(m_RecFileNrOnce));
    l.Heading(L"螺旋重建的基本参数");
    l.Check(L"是否螺旋重建", PARLET_KEY(m_bSpiral), L"螺旋重建");
    l.Edits(L"投影开始角度", PARLET_KEY(m_SpiralAngleBegin), L"投影结束角度", PARLET_KEY(m_SpiralAngleEnd),
            L"旋转一周前进距离", PARLET_KEY(m_SpiralPitch));
    l.Browse(L"选择保存文件目录", IDC_BROWSE_RECONSTRUCTION, PARLET_KEY(m_SaveDir));
}

void Describe(RecordItems<tagQEVImaFanRecPara>& l)
{
    using R = tagQEVImaFanRecPara;
    l.Edits(L"投影宽度", PARLET_KEY(m_width), L"投影角度数", PARLET_KEY(m_viewnum));
    l.Combo(L"投影数据类型", PARLET_KEY(m_DrDataType), {L"float", L"ushort", L"double"});
    l.Edits(L"光源探测器距离", PARLET_KEY(m_SDD), L"光源转台距离", PARLET_KEY(m_SOD), L"像元尺寸", PARLET_KEY(m_unitsize),
            L"探测器横向偏移", PARLET_KEY(m_Xoffset), L"转台横向偏移", PARLET_KEY(m_RotatorOffset),
            L"重建图像大小", PARLET_KEY(m_RecWidth));
    l.Combo(L"重建图像数据类型", PARLET_KEY(m_RecType), {L"float", L"ushort", L"double"});
    l.Combo(L"硬化类型", PARLET_KEY(m_BeamHardenType), {L"无", L"弱强度", L"中等强度", L"高强度"});
    l.Check(L"是否取对数", PARLET_KEY(m_bUseLog), L"取对数");
    l.Check(L"旋转方向", PARLET_KEY(m_bClockWise), L"顺时针");
    l.Check(L"环状伪影", PARLET_KEY(m_bRingC), L"校正");
    l.Check(L"数据加权", PARLET_KEY(m_bWeighting), L"加权");
    l.Edit(L"线程个数", PARLET_KEY(m_ThreadNum));
    l.Combo(L"滤波器类型", PARLET_KEY(m_Filter), {L"Ramp"});
    l.Edits(L"截止频率", PARLET_KEY(m_cutoff), L"起始角度", PARLET_KEY(m_Viewbegin), L"角度步长", PARLET_KEY(m_Viewgap));
    l.Combo(L"加速方式", PARLET_KEY(m_AccelType), {L"CPU", L"CUDA 1", L"CUDA 2", L"CUDA 3", L"CUDA 4"});
    l.Check(L"是否采用标准重建", PARLET_KEY(m_bUseStdRec), L"采用标准重建");
}

} // namespace parlet
