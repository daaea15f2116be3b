// The pair batch: checks, the worker over the index range, and the entry
// points gFilesConcatenate and gFileConcatenate.
#include "pixorama/platform/Translation.h"
#include "pixorama/workbench/ProjectionStitch.h"
#include "pixorama/workbench/ProgressBarFeedback.h"
#include "pixorama/workbench/SequenceJob.h"

#include "PairFiles.h"
#include "pixorama/common/RawFrame.h"

#include "FileList.h"

#include "pixorama/common/OSCString.h"
#include "pixorama/platform/Strings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

const QEVFLOATDATA2D& noImage()
{
    static const QEVFLOATDATA2D empty;
    return empty;
}

// Copies the result into a w x h destination: what the result lacks stays
// zero, what it has beyond is left out.
void copyInto(const QEVFLOATDATA2D& result, int w, int h, float* const* rows)
{
    const int cw = std::clamp(result.width, 0, w);
    for (int y = 0; y < h; ++y) {
        float* out = rows[y];
        if (y < result.height) {
            std::memcpy(out, result.rows[y], std::size_t(cw) * sizeof(float));
            std::fill(out + cw, out + w, 0.0f);
        } else {
            std::fill(out, out + w, 0.0f);
        }
    }
}

bool sameLength(const tagQEVImaPairPara& para, SequenceJob& job)
{
    if (para.LeftFiles.size() == para.RightFiles.size())
        return true;
    job.Message(L"左右图像个数不一样");
    return false;
}

// One pair through the pipeline into result; false when a file could not be read.
bool processPair(const tagQEVImaPairPara& para, std::size_t k, const pairfiles::Calibration* calibration,
                 QEVFLOATDATA2D& result)
{
    QEVFLOATDATA2D left;
    QEVFLOATDATA2D right;
    if (!pairfiles::ReadProjection(para, para.LeftFiles[k], para.ImaOneW, para.ImaOneH, left)
        || !pairfiles::ReadProjection(para, para.RightFiles[k], para.ImaTwoW, para.ImaTwoH, right))
        return false;
    if (calibration != nullptr)
        ProcessImagePair(para, left, right, calibration->brightOne, calibration->darkOne, calibration->brightTwo,
                         calibration->darkTwo, result);
    else
        ProcessImagePair(para, left, right, noImage(), noImage(), noImage(), noImage(), result);
    return true;
}

// Where pair k goes: a file in m_SaveDir or the caller's image k.
bool storePair(const tagQEVImaPairPara& para, int k, const CString& extension, const QEVFLOATDATA2D& result,
               FileList& unwritten)
{
    if (para.MemDest != nullptr) {
        if (para.MemDest[k] != nullptr)
            copyInto(result, para.ImaThreeW, para.ImaThreeH, para.MemDest[k]);
        return true;
    }
    const CString path = para.m_SaveDir + L"/" + PairOutputName(para, k, extension);
    const RawLayout out{result.width, result.height, para.OutImaPixelType == 0 ? 0 : 1, true};
    if (WriteRawFrame(plat::toPath(path), result, out))
        return true;
    unwritten.Add(path);
    return false;
}

} // namespace

CString PairOutputName(const tagQEVImaPairPara& para, int index, const CString& extension)
{
    wchar_t number[32];
    std::swprintf(number, 32, L"%5d.", index + para.StorageFileStartNum);
    return number + extension;
}

bool CheckPairBatch(const tagQEVImaPairPara& para, SequenceJob& job)
{
    if (!sameLength(para, job))
        return false;
    for (std::size_t k = 0; k < para.LeftFiles.size(); ++k) {
        if (!pairfiles::CheckPairSizes(para, k, job))
            return false;
        if (OSCString::GetExt(para.LeftFiles[k]) != OSCString::GetExt(para.RightFiles[k])) {
            job.Message(L"左右两幅图像的扩展名不一样");
            return false;
        }
    }
    if (para.bUseCalib != 0) {
        for (const CString* file : {&para.strLightOne, &para.strLightTwo, &para.strBlackOne, &para.strBlackTwo}) {
            if (RawFileBytes(*file) < 0) {
                job.Message(L"校正文件不完整");
                return false;
            }
        }
    }
    return true;
}

bool RunPairBatch(tagQEVImaPairPara& para, SequenceJob& job)
{
    if (!sameLength(para, job))
        return false;
    if (para.MemDest == nullptr && (para.m_SaveDir.empty() || para.m_SaveDir == L"NULL")) {
        job.Message(L"没有选择文件保存目录");
        return false;
    }
    const int n = int(para.LeftFiles.size());
    const CString extension = n > 0 ? OSCString::GetExt(para.LeftFiles[0]) : CString(L"raw");
    job.SetRange(std::max(0, n - 1));
    job.SetPosition(0);
    FileList unreadable, unwritten;
    bool finished = true;
    try {
        pairfiles::Calibration calibration;
        if (para.bUseCalib != 0 && !pairfiles::LoadCalibration(para, calibration, job))
            return false;
        const int step = std::max(1, para.InputFileStep);
        const int end = std::min(n, para.InputFileEndIndex);
        QEVFLOATDATA2D result;
        for (int k = std::max(0, para.InputFileStartIndex); k < end; k += step) {
            if (job.Cancelled()) {
                finished = false;
                break;
            }
            if (!processPair(para, std::size_t(k), para.bUseCalib != 0 ? &calibration : nullptr, result))
                unreadable.Add(para.LeftFiles[std::size_t(k)]);
            else
                storePair(para, k, extension, result, unwritten);
            job.SetPosition(k);
        }
    } catch (const std::bad_alloc&) {
        job.Message(L"内存不足，拼接停止");
        finished = false;
    }
    if (!unreadable.Empty())
        job.Message(unreadable.Text(L"以下图像对未能读取，未拼接："));
    if (!unwritten.Empty())
        job.Message(unwritten.Text(plat::trArgs(L"%1 个输出文件无法写入：", {std::to_wstring(unwritten.Count())})));
    if (finished)
        job.Message(L"拼接完成");
    job.SetPosition(0);
    return finished && unreadable.Empty() && unwritten.Empty();
}

bool gFilesConcatenate(tagQEVImaPairPara& para)
{
    ProgressBarFeedback feedback(nullptr);
    SequenceJob check(feedback);
    if (!CheckPairBatch(para, check))
        return false;
    para.CancelFlag = 0;
    StartSequenceJob(
        std::make_unique<ProgressBarFeedback>(para.ProgressCtrl), [&para](SequenceJob& job) { RunPairBatch(para, job); },
        &para.CancelFlag);
    return true;
}

bool gFileConcatenate(tagQEVImaPairPara& para, float* out)
{
    if (para.LeftFiles.size() != 1 || para.RightFiles.size() != 1 || out == nullptr)
        return false;
    ProgressBarFeedback feedback(nullptr);
    SequenceJob job(feedback);
    if (!pairfiles::CheckPairSizes(para, 0, job) || para.ImaThreeW <= 0 || para.ImaThreeH <= 0)
        return false;
    try {
        pairfiles::Calibration calibration;
        if (para.bUseCalib != 0 && !pairfiles::LoadCalibration(para, calibration, job))
            return false;
        QEVFLOATDATA2D result;
        if (!processPair(para, 0, para.bUseCalib != 0 ? &calibration : nullptr, result))
            return false;
        std::vector<float*> rows(std::size_t(para.ImaThreeH));
        for (int y = 0; y < para.ImaThreeH; ++y)
            rows[std::size_t(y)] = out + std::size_t(y) * std::size_t(para.ImaThreeW);
        copyInto(result, para.ImaThreeW, para.ImaThreeH, rows.data());
    } catch (const std::bad_alloc&) {
        job.Message(L"内存不足，拼接停止");
        return false;
    }
    return true;
}
