#pragma once

#include "QEVImaParaRecords.h"

// The records a parameter window fills, one per parameter type.
struct ImaParaRecordSet {
    tagQEVImaLoadPara m_ImaLoadPara;
    tagQEVImaROICirclePara m_ROICirclePara;
    tagQEVImaROIRectPara m_ROIRectPara;
    tagQEVImaFormatPara m_FormatPara;
    tagQEVImaPairPara m_ImaPairPara;
    tagQEVImaVolumeRecPara m_VolumeRecPara;
    tagQEVImaFanSimPara m_FanSimPara;
    tagQEVImaSipralSimPara m_SipralSimPara;
    tagQEVImaRowDataPara m_RowDataPara;
    tagQEVImaWeightAndExtentPara m_WeightAndExtentPara;
    tagQEVImaFanRecPara m_FanRecPara;
    tagQEVImaGeneralPara m_GeneralPara;
    tagQEVImaDimPara m_DimPara;
    tagQEVImaMatrixPara m_MatrixPara[3]; // 3 x 3, 4 x 4, 5 x 5
    tagQEVTwoPointsPara m_TwoPointsPara;
    tagQEVImaProcessPara m_ProcessPara;
};
