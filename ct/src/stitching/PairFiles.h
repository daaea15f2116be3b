#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/common/QEVFLOATDATA2D.h"
#include "pixorama/parlet/QEVImaParaRecords.h"

class SequenceJob;

// Reading the files of a pair record: projections and calibration images,
// unsigned 16-bit or float as InImaPixelType says, in the machine's order.
namespace pairfiles {

// The four calibration images at ImaOneW x ImaOneH. False, with the message
// "校正文件不完整", when one is missing or short.
struct Calibration {
    QEVFLOATDATA2D brightOne, darkOne, brightTwo, darkTwo;
};
bool LoadCalibration(const tagQEVImaPairPara& para, Calibration& calibration, SequenceJob& job);

// Reads a w x h projection; false when it is missing or short.
bool ReadProjection(const tagQEVImaPairPara& para, const CString& path, int w, int h, QEVFLOATDATA2D& image);

// True when both files of pair k hold at least their expected bytes; else
// the message "实际图像偏小" ("文件不存在" for a file that is not there).
bool CheckPairSizes(const tagQEVImaPairPara& para, std::size_t k, SequenceJob& job);

} // namespace pairfiles
