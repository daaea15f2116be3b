#pragma once

#include "QEVImaParaRecords.h"

#include "pixorama/common/CString.h"

// Reads the values a dialog last confirmed, without showing it: the
// dialog's own parameter file in the parameter folder ("ImaPInitPara"),
// or file (any path) when given; the section is the dialog's own. True when
// the file exists; members without a stored value are left as they were,
// except the byte order, which is then the machine's own (hand-written files
// leave it out).
// Of the caller's own members only m_SaveDir is read (the pair and sinogram
// dialogs store their save folder there); the others are never touched.
bool gReadImaParaFile(tagQEVImaLoadPara& para, const CString& file = {});
bool gReadImaParaFile(tagQEVImaROIRectPara& para, const CString& file = {});
bool gReadImaParaFile(tagQEVImaFormatPara& para, const CString& file = {});
bool gReadImaParaFile(tagQEVImaPairPara& para, const CString& file = {});
bool gReadImaParaFile(tagQEVImaRowDataPara& para, const CString& file = {});
bool gReadImaParaFile(tagQEVImaVolumeRecPara& para, const CString& file = {});
bool gReadImaParaFile(tagQEVImaFanRecPara& para, const CString& file = {});
