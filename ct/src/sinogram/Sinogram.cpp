#include "pixorama/workbench/Sinogram.h"
#include "pixorama/workbench/ProgressBarFeedback.h"
#include "pixorama/workbench/SequenceJob.h"

#include "FileList.h"
#include "pixorama/common/RawFrame.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/platform/System.h"
#include "pixorama/tilemo/Tilemo.h"

#include <limits>
#include <memory>
#include <new>

bool ExtractSinogram(const tagQEVImaRowDataPara& para, ClassData2DIO<float>& sinogram, SequenceJob& job)
{
    const int n = int(para.Files.size());
    if (n < 2)
        return false;
    const RawLayout layout{para.m_width, 1, para.m_PixelType, true};
    if (layout.FrameBytes() == 0 || para.m_RowIndex < 0) {
        job.Message(L"图像宽度、行号或像素类型无效");
        return false;
    }
    if (!job.MemoryFits(4.0 * double(para.m_width) * n))
        return false;
    try {
        sinogram.SetDim(para.m_width, n);
    } catch (const std::bad_alloc&) {
        job.Message(L"内存不足，无法提取正弦图");
        return false;
    }
    FileList unreadable;
    const std::int64_t first = std::int64_t(para.m_RowIndex) * para.m_width;
    job.SetRange(n);
    job.SetPosition(0);
    for (int i = 0; i < n; ++i) {
        if (job.Cancelled())
            return false;
        if (ReadRawSpan(para.Files[std::size_t(i)], layout, first, sinogram.rows[i], para.m_width) != FrameStatus::Ok)
            unreadable.Add(para.Files[std::size_t(i)]);
        job.SetPosition(i);
    }
    job.SetPosition(0);
    if (!unreadable.Empty())
        job.Message(unreadable.Text(L"以下文件不存在或长度不足，正弦图中为零行："));
    return unreadable.Empty();
}

bool gExtractSinogram(tagQEVImaRowDataPara& para)
{
    if (para.Files.size() < 2)
        return false;
    StartSequenceJob(std::make_unique<ProgressBarFeedback>(para.ProgressCtrl), [&para](SequenceJob& job) {
        auto sinogram = std::make_shared<ClassData2DIO<float>>();
        // Missing files are zero rows of a sinogram that is still shown.
        if (!ExtractSinogram(para, *sinogram, job) && (job.Cancelled() || sinogram->IsEmpty()))
            return;
        // The canvas belongs to the user-interface thread.
        plat::runOnUiThread([sinogram] {
            gCVSShowRawFloat(4, *sinogram, true, true);
            gCTERRefreshAllView();
        });
    });
    return true;
}
