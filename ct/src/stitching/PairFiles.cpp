#include "PairFiles.h"

#include "pixorama/common/RawFrame.h"

#include "pixorama/platform/Translation.h"
#include "pixorama/workbench/SequenceJob.h"

namespace pairfiles {

namespace {

RawLayout layoutOf(const tagQEVImaPairPara& para, int w, int h)
{
    return RawLayout{w, h, para.InImaPixelType, true};
}

bool checkSize(const tagQEVImaPairPara& para, const CString& path, int w, int h, SequenceJob& job)
{
    const std::int64_t size = RawFileBytes(path);
    if (size < 0) {
        job.Message(plat::tr(L"文件不存在：") + path);
        return false;
    }
    const std::int64_t need = layoutOf(para, w, h).FrameBytes();
    if (need == 0 || size < need) {
        job.Message(L"实际图像偏小");
        return false;
    }
    return true;
}

} // namespace

bool ReadProjection(const tagQEVImaPairPara& para, const CString& path, int w, int h, QEVFLOATDATA2D& image)
{
    return ReadRawFrame(path, layoutOf(para, w, h), image) == FrameStatus::Ok;
}

bool LoadCalibration(const tagQEVImaPairPara& para, Calibration& c, SequenceJob& job)
{
    const int w = para.ImaOneW;
    const int h = para.ImaOneH;
    if (ReadProjection(para, para.strLightOne, w, h, c.brightOne) && ReadProjection(para, para.strBlackOne, w, h, c.darkOne)
        && ReadProjection(para, para.strLightTwo, w, h, c.brightTwo)
        && ReadProjection(para, para.strBlackTwo, w, h, c.darkTwo))
        return true;
    job.Message(L"校正文件不完整");
    return false;
}

bool CheckPairSizes(const tagQEVImaPairPara& para, std::size_t k, SequenceJob& job)
{
    return checkSize(para, para.LeftFiles[k], para.ImaOneW, para.ImaOneH, job)
           && checkSize(para, para.RightFiles[k], para.ImaTwoW, para.ImaTwoH, job);
}

} // namespace pairfiles
