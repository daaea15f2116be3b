#include "RecordFields.h"

#include <string>
#include <type_traits>

namespace parlet {

namespace {

template <class R, class T>
Field<R> field(const wchar_t* name, T R::*member)
{
    Field<R> f;
    f.name = name;
    if constexpr (std::is_same_v<T, int>)
        f.integer = member;
    else if constexpr (std::is_same_v<T, float>)
        f.real = member;
    else
        f.text = member;
    return f;
}

template <class R>
Field<R> wholeNumber(const wchar_t* name, float R::*member)
{
    Field<R> f = field(name, member);
    f.wholeNumber = true;
    return f;
}

} // namespace

// A member is stored under its own name; spelling it once keeps the two equal.
#define PARLET_FIELD(R, member) field(L"" #member, &R::member)

const FieldList<tagQEVImaLoadPara>& FieldsOf(const tagQEVImaLoadPara&)
{
    using R = tagQEVImaLoadPara;
    static const FieldList<R> fields = {
        PARLET_FIELD(R, InImaW), PARLET_FIELD(R, InImaH), PARLET_FIELD(R, InImaPixelType),
        PARLET_FIELD(R, bLittleEndian), PARLET_FIELD(R, skipBytes), PARLET_FIELD(R, bUseMapRange),
        PARLET_FIELD(R, MapRangeLowIn), PARLET_FIELD(R, MapRangeHighIn), PARLET_FIELD(R, MapRangeLowOut),
        PARLET_FIELD(R, MapRangeHighOut)};
    return fields;
}

const FieldList<tagQEVImaROICirclePara>& FieldsOf(const tagQEVImaROICirclePara&)
{
    using R = tagQEVImaROICirclePara;
    static const FieldList<R> fields = {PARLET_FIELD(R, m_CircleX), PARLET_FIELD(R, m_CircleY),
                                        PARLET_FIELD(R, m_CircleZ), PARLET_FIELD(R, m_Radius)};
    return fields;
}

const FieldList<tagQEVImaROIRectPara>& FieldsOf(const tagQEVImaROIRectPara&)
{
    using R = tagQEVImaROIRectPara;
    static const FieldList<R> fields = {PARLET_FIELD(R, m_RectLeft), PARLET_FIELD(R, m_RectRight),
                                        PARLET_FIELD(R, m_RectTop),  PARLET_FIELD(R, m_RectBottom),
                                        PARLET_FIELD(R, m_RectBegin), PARLET_FIELD(R, m_RectEnd)};
    return fields;
}

const FieldList<tagQEVImaFormatPara>& FieldsOf(const tagQEVImaFormatPara&)
{
    using R = tagQEVImaFormatPara;
    static const FieldList<R> fields = {
        PARLET_FIELD(R, InImaW), PARLET_FIELD(R, InImaH), PARLET_FIELD(R, InImaPixelType),
        PARLET_FIELD(R, bLittleEndian), PARLET_FIELD(R, OutImaW), PARLET_FIELD(R, OutImaH),
        PARLET_FIELD(R, OutImaPixelType), PARLET_FIELD(R, OutImaIPType), PARLET_FIELD(R, OutImaStep),
        PARLET_FIELD(R, bUseMapRange), PARLET_FIELD(R, MapRangeLowIn), PARLET_FIELD(R, MapRangeHighIn),
        PARLET_FIELD(R, MapRangeLowOut), PARLET_FIELD(R, MapRangeHighOut), PARLET_FIELD(R, OutDir)};
    return fields;
}

const FieldList<tagQEVImaPairPara>& FieldsOf(const tagQEVImaPairPara&)
{
    using R = tagQEVImaPairPara;
    static const FieldList<R> fields = {
        PARLET_FIELD(R, ImaOneW), PARLET_FIELD(R, ImaOneH), PARLET_FIELD(R, ImaTwoW), PARLET_FIELD(R, ImaTwoH),
        PARLET_FIELD(R, ImaThreeW), PARLET_FIELD(R, ImaThreeH), PARLET_FIELD(R, InImaPixelType),
        PARLET_FIELD(R, OutImaPixelType), PARLET_FIELD(R, RotPara), PARLET_FIELD(R, VertPara),
        PARLET_FIELD(R, HoriPara), PARLET_FIELD(R, LeftCut), PARLET_FIELD(R, MidCut), PARLET_FIELD(R, RightCut),
        PARLET_FIELD(R, bRot), PARLET_FIELD(R, bVertical), PARLET_FIELD(R, bUseCalib),
        PARLET_FIELD(R, bOverlapBalance), PARLET_FIELD(R, bResize), PARLET_FIELD(R, OutImaIP),
        PARLET_FIELD(R, strBlackOne), PARLET_FIELD(R, strLightOne), PARLET_FIELD(R, strBlackTwo),
        PARLET_FIELD(R, strLightTwo), PARLET_FIELD(R, StorageMedium), PARLET_FIELD(R, StorageFileStartNum),
        PARLET_FIELD(R, InputFileStartIndex), PARLET_FIELD(R, InputFileEndIndex), PARLET_FIELD(R, InputFileStep)};
    return fields;
}

const FieldList<tagQEVImaVolumeRecPara>& FieldsOf(const tagQEVImaVolumeRecPara&)
{
    using R = tagQEVImaVolumeRecPara;
    static const FieldList<R> fields = {
        PARLET_FIELD(R, m_widthOri), PARLET_FIELD(R, m_heightOri), PARLET_FIELD(R, m_DRHCut),
        PARLET_FIELD(R, m_DRVCut), PARLET_FIELD(R, m_width), PARLET_FIELD(R, m_FilterType),
        PARLET_FIELD(R, m_CutOff), PARLET_FIELD(R, m_bUseLabel), PARLET_FIELD(R, m_LabelFile),
        PARLET_FIELD(R, m_DRPixelType), PARLET_FIELD(R, m_OutRecPixelType), PARLET_FIELD(R, m_BeamHardenType),
        PARLET_FIELD(R, m_viewnum), PARLET_FIELD(R, m_unitsize), PARLET_FIELD(R, m_Xoffset),
        PARLET_FIELD(R, m_Zoffset), PARLET_FIELD(R, m_RotatorOffset), PARLET_FIELD(R, m_SOD),
        PARLET_FIELD(R, m_SDD), PARLET_FIELD(R, m_Row_ToBeRe), PARLET_FIELD(R, m_bRecMulti),
        PARLET_FIELD(R, m_bUseLog), PARLET_FIELD(R, m_bUseStdRec),
        wholeNumber(L"m_ExtrapolationSize", &R::m_ExtrapolationSize), PARLET_FIELD(R, m_bClockWise),
        PARLET_FIELD(R, m_Row_ToBeReStart), PARLET_FIELD(R, m_Row_ToBeReEnd), PARLET_FIELD(R, m_ThreadNum),
        PARLET_FIELD(R, m_bPrjToMem), PARLET_FIELD(R, m_RecFileNrOnce), PARLET_FIELD(R, m_bRemoveRing),
        PARLET_FIELD(R, m_bRemoveSpeckle), PARLET_FIELD(R, m_LogProcessMethod), PARLET_FIELD(R, m_I0),
        PARLET_FIELD(R, m_bSpiral), PARLET_FIELD(R, m_SpiralAngleBegin), PARLET_FIELD(R, m_SpiralAngleEnd),
        PARLET_FIELD(R, m_SpiralPitch), PARLET_FIELD(R, m_SaveDir), PARLET_FIELD(R, m_RecType)};
    return fields;
}

const FieldList<tagQEVImaFanSimPara>& FieldsOf(const tagQEVImaFanSimPara&)
{
    using R = tagQEVImaFanSimPara;
    static const FieldList<R> fields = {
        PARLET_FIELD(R, m_width), PARLET_FIELD(R, m_viewnum), PARLET_FIELD(R, m_DrDataType),
        PARLET_FIELD(R, m_BeamHardenType), PARLET_FIELD(R, m_SOD), PARLET_FIELD(R, m_SDD),
        PARLET_FIELD(R, m_unitsize), PARLET_FIELD(R, m_Xoffset), PARLET_FIELD(R, m_RotatorOffset),
        PARLET_FIELD(R, m_bUseLog), PARLET_FIELD(R, m_bClockWise)};
    return fields;
}

const FieldList<tagQEVImaSipralSimPara>& FieldsOf(const tagQEVImaSipralSimPara&)
{
    using R = tagQEVImaSipralSimPara;
    static const FieldList<R> fields = {
        PARLET_FIELD(R, DetW), PARLET_FIELD(R, DetH), PARLET_FIELD(R, ViewNum), PARLET_FIELD(R, SOD),
        PARLET_FIELD(R, SDD), PARLET_FIELD(R, UnitSize), PARLET_FIELD(R, DetHoffset), PARLET_FIELD(R, DetVoffset),
        PARLET_FIELD(R, RotOffset), PARLET_FIELD(R, Pitch), PARLET_FIELD(R, PrjBegin), PARLET_FIELD(R, PrjEnd),
        PARLET_FIELD(R, bWG), PARLET_FIELD(R, m_ZBegin), PARLET_FIELD(R, m_SaveDir)};
    return fields;
}

const FieldList<tagQEVImaRowDataPara>& FieldsOf(const tagQEVImaRowDataPara&)
{
    using R = tagQEVImaRowDataPara;
    static const FieldList<R> fields = {PARLET_FIELD(R, m_width), PARLET_FIELD(R, m_height),
                                        PARLET_FIELD(R, m_PixelType), PARLET_FIELD(R, m_RowIndex),
                                        PARLET_FIELD(R, m_bAllRow)};
    return fields;
}

const FieldList<tagQEVImaWeightAndExtentPara>& FieldsOf(const tagQEVImaWeightAndExtentPara&)
{
    using R = tagQEVImaWeightAndExtentPara;
    static const FieldList<R> fields = {
        PARLET_FIELD(R, m_widthOri), PARLET_FIELD(R, m_heightOri), PARLET_FIELD(R, m_DRPixelType),
        PARLET_FIELD(R, m_viewnum), PARLET_FIELD(R, m_unitsize), PARLET_FIELD(R, m_Xoffset),
        PARLET_FIELD(R, m_Zoffset), PARLET_FIELD(R, m_RotatorOffset), PARLET_FIELD(R, m_SOD),
        PARLET_FIELD(R, m_SDD), PARLET_FIELD(R, m_SaveDir)};
    return fields;
}

const FieldList<tagQEVImaFanRecPara>& FieldsOf(const tagQEVImaFanRecPara&)
{
    using R = tagQEVImaFanRecPara;
    static const FieldList<R> fields = {
        PARLET_FIELD(R, m_width), PARLET_FIELD(R, m_viewnum), PARLET_FIELD(R, m_DrDataType),
        PARLET_FIELD(R, m_SOD), PARLET_FIELD(R, m_SDD), PARLET_FIELD(R, m_unitsize), PARLET_FIELD(R, m_Xoffset),
        PARLET_FIELD(R, m_RotatorOffset), PARLET_FIELD(R, m_RecWidth), PARLET_FIELD(R, m_RecType),
        PARLET_FIELD(R, m_BeamHardenType), PARLET_FIELD(R, m_bUseLog), PARLET_FIELD(R, m_bClockWise),
        PARLET_FIELD(R, m_bRingC), PARLET_FIELD(R, m_bWeighting), PARLET_FIELD(R, m_Filter),
        PARLET_FIELD(R, m_cutoff), PARLET_FIELD(R, m_Viewbegin), PARLET_FIELD(R, m_Viewgap),
        PARLET_FIELD(R, m_AccelType), PARLET_FIELD(R, m_ThreadNum), PARLET_FIELD(R, m_bUseStdRec)};
    return fields;
}

const FieldList<tagQEVImaGeneralPara>& FieldsOf(const tagQEVImaGeneralPara&)
{
    using R = tagQEVImaGeneralPara;
    static const FieldList<R> fields = {PARLET_FIELD(R, m_Content)};
    return fields;
}

const FieldList<tagQEVImaDimPara>& FieldsOf(const tagQEVImaDimPara&)
{
    using R = tagQEVImaDimPara;
    static const FieldList<R> fields = {PARLET_FIELD(R, ImaOneW), PARLET_FIELD(R, ImaOneH)};
    return fields;
}

const FieldList<tagQEVTwoPointsPara>& FieldsOf(const tagQEVTwoPointsPara&)
{
    using R = tagQEVTwoPointsPara;
    static const FieldList<R> fields = {PARLET_FIELD(R, XOne), PARLET_FIELD(R, YOne), PARLET_FIELD(R, XTwo),
                                        PARLET_FIELD(R, YTwo), PARLET_FIELD(R, AngleNr), PARLET_FIELD(R, Period)};
    return fields;
}

#undef PARLET_FIELD

CString MatrixKey(int n, int row, int column)
{
    return L"ImaMatrix" + std::to_wstring(n) + std::to_wstring(row) + std::to_wstring(column);
}

} // namespace parlet
