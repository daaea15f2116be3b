#pragma once

#include "QEVImaParaRecords.h"

#include "pixorama/common/CString.h"

// One modal parameter dialog per call. True when the user confirmed: the
// members the dialog shows have then been copied into the record (the
// caller's own members are left as they were). False when the dialog was
// cancelled or closed, or cannot be shown (no widget application): the
// record is unchanged. Safe to call from a worker thread; the dialog runs
// on the user-interface thread. The V2 forms keep their values in section
// of fileName inside the parameter folder instead of the type's own file.

bool gDlgGetImaLoadPara(tagQEVImaLoadPara& para);
bool gDlgGetImaLoadParaV2(tagQEVImaLoadPara& para, const CString& section, const CString& fileName);
bool gDlgGetImaROICirclePara(tagQEVImaROICirclePara& para);
bool gDlgGetImaROIRectPara(tagQEVImaROIRectPara& para);
bool gDlgGetImaFormatPara(tagQEVImaFormatPara& para);
bool gDlgGetImaFormatParaV2(tagQEVImaFormatPara& para, const CString& section, const CString& fileName);
bool gDlgGetImaPairPara(tagQEVImaPairPara& para);
bool gDlgGetImaPairParaV2(tagQEVImaPairPara& para, const CString& section, const CString& fileName);
bool gDlgGetFDKRecPara(tagQEVImaVolumeRecPara& para);
bool gDlgGetFDKRecParaV2(tagQEVImaVolumeRecPara& para, const CString& section, const CString& fileName);
bool gDlgGetFanSimPara(tagQEVImaFanSimPara& para);
bool gDlgGetSipralSimPara(tagQEVImaSipralSimPara& para);
bool gDlgGetImaRowDataPara(tagQEVImaRowDataPara& para);
bool gDlgGetImaWeightAndExtentPara(tagQEVImaWeightAndExtentPara& para);
bool gDlgGetFanRecPara(tagQEVImaFanRecPara& para);
bool gDlgGetImaGeneralPara(tagQEVImaGeneralPara& para);
bool gDlgGetImaGeneralParaV2(tagQEVImaGeneralPara& para, const CString& section, const CString& fileName);
// The chosen steps replace the list, header line first.
bool gDlgGetImaProcessSetPara(tagQEVImaProcessPara& para);
bool gDlgGetImaDimPara(tagQEVImaDimPara& para);
// Each fills its own matrix only.
bool gDlgGetImaMatrixThreePara(tagQEVImaMatrixPara& para);
bool gDlgGetImaMatrixFourPara(tagQEVImaMatrixPara& para);
bool gDlgGetImaMatrixFivePara(tagQEVImaMatrixPara& para);
bool gDlgGetTwoPtPara(tagQEVTwoPointsPara& para);
// The two-page wizard; true only when it was finished with "完成".
bool gDlgGetLargeFovPara(tagQEVImaPairPara& pair, tagQEVImaVolumeRecPara& reconstruction);
