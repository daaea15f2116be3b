#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/common/QEVFLOATDATA2D.h"
#include "pixorama/parlet/QEVImaParaRecords.h"

class SequenceJob;

// Projection pairs of a large-field detector: a left and a right half,
// corrected, stitched, cropped, resized and post-processed into one
// projection. Sizes, cuts and flags come from the pair record.

// The pair pipeline. left and right are float images of ImaOneW x ImaOneH
// and ImaTwoW x ImaTwoH; the four calibration images (used with bUseCalib)
// are ImaOneW x ImaOneH. left and right are changed in place; result
// receives the processed projection with its origWidth and origHeight.
void ProcessImagePair(const tagQEVImaPairPara& para, QEVFLOATDATA2D& left, QEVFLOATDATA2D& right,
                      const QEVFLOATDATA2D& brightOne, const QEVFLOATDATA2D& darkOne,
                      const QEVFLOATDATA2D& brightTwo, const QEVFLOATDATA2D& darkTwo, QEVFLOATDATA2D& result);

// One pair (LeftFiles[0], RightFiles[0]) into out, ImaThreeW x ImaThreeH
// floats row by row; a smaller result leaves the rest of out zero. With
// bUseCalib the four calibration files are loaded. True when out was
// filled; false, with a message, otherwise.
bool gFileConcatenate(tagQEVImaPairPara& para, float* out);

// Checks the lists and calibration files, resets CancelFlag and starts the
// batch on a worker (progress to ProgressCtrl); true when it started. The
// record must outlive the worker; setting CancelFlag to 1 stops it before
// its next pair.
bool gFilesConcatenate(tagQEVImaPairPara& para);

// The checks of gFilesConcatenate, with their messages; true when a batch may start.
bool CheckPairBatch(const tagQEVImaPairPara& para, SequenceJob& job);
// The batch itself in the caller's thread: pairs InputFileStartIndex,
// + InputFileStep, ... below InputFileEndIndex, to numbered files in
// m_SaveDir or to MemDest. False when it did not run to the end.
bool RunPairBatch(tagQEVImaPairPara& para, SequenceJob& job);

// The output file name of pair index k: "%5d." of k + StorageFileStartNum
// and the extension.
CString PairOutputName(const tagQEVImaPairPara& para, int index, const CString& extension);
