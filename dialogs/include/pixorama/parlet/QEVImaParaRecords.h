#pragma once

#include "pixorama/common/CString.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class QProgressBar;

// The records the parameter dialogs fill. Each field is stored in the
// parameter file under its own name. Flags hold 1 or 0; "Combo" fields hold
// the index of the chosen option. Members after a "caller's" comment belong
// to the callers: the dialogs never read or change them.

// The views, the detector pixel, the offsets and the distances of a
// cone-beam scan, in the order both cone-beam records store them.
#define QEV_CONE_SCAN_FIELDS   \
    int m_viewnum = 0;         \
    float m_unitsize = 0;      \
    float m_Xoffset = 0;       \
    float m_Zoffset = 0;       \
    float m_RotatorOffset = 0; \
    float m_SOD = 0;           \
    float m_SDD = 0;

struct tagQEVImaLoadPara {
    int InImaW = 0;
    int InImaH = 0;
    int InImaPixelType = 0; // ushort, float, short, uchar, int, double
    int bLittleEndian = 0;
    int skipBytes = 0;
    int bUseMapRange = 0;
    float MapRangeLowIn = 0;
    float MapRangeHighIn = 0;
    float MapRangeLowOut = 0;
    float MapRangeHighOut = 0;
};

struct tagQEVImaPairPara {
    int ImaOneW = 0;
    int ImaOneH = 0;
    int ImaTwoW = 0;
    int ImaTwoH = 0;
    int ImaThreeW = 0;
    int ImaThreeH = 0;
    int InImaPixelType = 0;
    int OutImaPixelType = 0;
    float RotPara = 0;
    int VertPara = 0;
    int HoriPara = 0;
    int LeftCut = 0;
    int MidCut = 0;
    int RightCut = 0;
    int bRot = 0;
    int bVertical = 0;
    int bUseCalib = 0;
    int bOverlapBalance = 0;
    int bResize = 0;
    int OutImaIP = 0;
    CString strBlackOne;
    CString strLightOne;
    CString strBlackTwo;
    CString strLightTwo;
    int StorageMedium = 0;
    int StorageFileStartNum = 0;
    int InputFileStartIndex = 0;
    int InputFileEndIndex = 0;
    int InputFileStep = 0;
    // caller's: set and read by the stitching routines
    int CancelFlag = 0;
    float*** MemDest = nullptr; // per file index, a caller-owned image as a row table
    CString m_SaveDir;
    std::vector<CString> LeftFiles;
    std::vector<CString> RightFiles;
    QProgressBar* ProgressCtrl = nullptr;
};

struct tagQEVImaROIRectPara {
    int m_RectLeft = 0;
    int m_RectRight = 0;
    int m_RectTop = 0;
    int m_RectBottom = 0;
    int m_RectBegin = 0;
    int m_RectEnd = 0;
};

struct tagQEVImaROICirclePara {
    int m_CircleX = 0;
    int m_CircleY = 0;
    int m_CircleZ = 0;
    int m_Radius = 0;
};

struct tagQEVImaFormatPara {
    int InImaW = 0;
    int InImaH = 0;
    int InImaPixelType = 0;
    int bLittleEndian = 0;
    int OutImaW = 0;
    int OutImaH = 0;
    int OutImaPixelType = 0;
    int OutImaIPType = 0;
    int OutImaStep = 0;
    int bUseMapRange = 0;
    float MapRangeLowIn = 0;
    float MapRangeHighIn = 0;
    float MapRangeLowOut = 0;
    float MapRangeHighOut = 0;
    CString OutDir;
    // caller's
    std::vector<CString> Files;
    QProgressBar* ProgressCtrl = nullptr;
};

struct tagQEVImaVolumeRecPara {
    int m_widthOri = 0;
    int m_heightOri = 0;
    int m_DRHCut = 0;
    int m_DRVCut = 0;
    int m_width = 0;
    int m_FilterType = 0;
    float m_CutOff = 0;
    int m_bUseLabel = 0;
    CString m_LabelFile;
    CString m_DRPixelType;     // option index as decimal text
    CString m_OutRecPixelType; // option index as decimal text
    CString m_BeamHardenType;  // option index as decimal text
    QEV_CONE_SCAN_FIELDS
    int m_Row_ToBeRe = 0;
    int m_bRecMulti = 0;
    int m_bUseLog = 0;
    int m_bUseStdRec = 0;
    float m_ExtrapolationSize = 0; // entered as an integer
    int m_bClockWise = 0;
    int m_Row_ToBeReStart = 0;
    int m_Row_ToBeReEnd = 0;
    int m_ThreadNum = 0;
    int m_bPrjToMem = 0;
    int m_RecFileNrOnce = 0;
    int m_bRemoveRing = 0;
    int m_bRemoveSpeckle = 0;
    int m_LogProcessMethod = 0;
    int m_I0 = 0;
    int m_bSpiral = 0;
    float m_SpiralAngleBegin = 0;
    float m_SpiralAngleEnd = 0;
    float m_SpiralPitch = 0;
    CString m_SaveDir;
    CString m_RecType; // option index as decimal text
    // caller's
    std::uint8_t m_Reserved[32] = {};
};

struct tagQEVImaGeneralPara {
    CString m_Content;
};

struct tagQEVImaDimPara {
    int ImaOneW = 0;
    int ImaOneH = 0;
};

// Row-major matrices; each matrix dialog fills only its own size.
struct tagQEVImaMatrixPara {
    float m_Matrix3[3][3] = {};
    float m_Matrix4[4][4] = {};
    float m_Matrix5[5][5] = {};
    // caller's
    std::int64_t m_Reserved = 0;
};

struct tagQEVImaFanSimPara {
    int m_width = 0;
    int m_viewnum = 0;
    int m_DrDataType = 0;
    int m_BeamHardenType = 0;
    float m_SOD = 0;
    float m_SDD = 0;
    float m_unitsize = 0;
    float m_Xoffset = 0;
    float m_RotatorOffset = 0;
    int m_bUseLog = 0;
    int m_bClockWise = 0;
};

struct tagQEVImaFanRecPara {
    int m_width = 0;
    int m_viewnum = 0;
    int m_DrDataType = 0;
    float m_SOD = 0;
    float m_SDD = 0;
    float m_unitsize = 0;
    float m_Xoffset = 0;
    float m_RotatorOffset = 0;
    int m_RecWidth = 0;
    int m_RecType = 0;
    int m_BeamHardenType = 0;
    int m_bUseLog = 0;
    int m_bClockWise = 0;
    int m_bRingC = 0;
    int m_bWeighting = 0;
    int m_Filter = 0;
    float m_cutoff = 0;
    int m_Viewbegin = 0;
    int m_Viewgap = 0;
    int m_AccelType = 0;
    int m_ThreadNum = 0;
    int m_bUseStdRec = 0;
};

struct tagQEVTwoPointsPara {
    int XOne = 0;
    int YOne = 0;
    int XTwo = 0;
    int YTwo = 0;
    int AngleNr = 0;
    int Period = 0;
};

struct tagQEVImaSipralSimPara {
    int DetW = 0;
    int DetH = 0;
    int ViewNum = 0;
    float SOD = 0;
    float SDD = 0;
    float UnitSize = 0;
    float DetHoffset = 0;
    float DetVoffset = 0;
    float RotOffset = 0;
    float Pitch = 0;
    int PrjBegin = 0;
    int PrjEnd = 0;
    int bWG = 0;
    float m_ZBegin = 0;
    CString m_SaveDir;
};

struct tagQEVImaRowDataPara {
    int m_width = 0;
    int m_height = 0;
    int m_PixelType = 0;
    int m_RowIndex = 0;
    int m_bAllRow = 0;
    // caller's
    CString m_SaveDir;
    std::vector<CString> Files; // projection files in acquisition order
    QProgressBar* ProgressCtrl = nullptr;
    void* m_Reserved = nullptr;
};

struct tagQEVImaWeightAndExtentPara {
    int m_widthOri = 0;
    int m_heightOri = 0;
    int m_DRPixelType = 0;
    QEV_CONE_SCAN_FIELDS
    CString m_SaveDir;
    // caller's
    std::vector<CString> Files;
    QProgressBar* ProgressCtrl = nullptr;
};

struct tagQEVImaProcessPara {
    std::vector<CString> m_ProcessList; // chosen steps, in the user's order
};

// The shared run stays where each record always had it.
#define QEV_FOLLOWS(record, earlier, later, type) \
    static_assert(offsetof(record, later) == offsetof(record, earlier) + sizeof(type))
QEV_FOLLOWS(tagQEVImaVolumeRecPara, m_BeamHardenType, m_viewnum, CString);
QEV_FOLLOWS(tagQEVImaVolumeRecPara, m_SDD, m_Row_ToBeRe, float);
QEV_FOLLOWS(tagQEVImaWeightAndExtentPara, m_DRPixelType, m_viewnum, int);
QEV_FOLLOWS(tagQEVImaWeightAndExtentPara, m_SDD, m_SaveDir, float);
#undef QEV_FOLLOWS
