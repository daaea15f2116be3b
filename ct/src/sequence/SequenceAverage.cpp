#include "pixorama/workbench/SequenceJob.h"
#include "pixorama/workbench/SequenceOps.h"

#include "EachRawFrame.h"

#include <new>
#include <vector>

bool AverageSequence(const std::vector<CString>& files, const tagQEVImaLoadPara& load, ClassData2DIO<float>& mean,
                     SequenceJob& job)
{
    if (files.size() < 2) {
        job.Message(L"没有两个以上的图像");
        return false;
    }
    const RawLayout layout{load.InImaW, load.InImaH, load.InImaPixelType, load.bLittleEndian != 0};
    if (layout.width <= 0 || layout.height <= 0) {
        job.Message(L"图像尺寸无效");
        return false;
    }
    // The running sums in double, a frame and the mean.
    if (!job.MemoryFits(16.0 * double(layout.width) * layout.height))
        return false;
    std::vector<double> sum;
    FileList skipped;
    int read = 0;
    try {
        sum.assign(std::size_t(layout.width) * std::size_t(layout.height), 0.0);
        const auto add = [&](std::size_t, const ClassData2DIO<float>& frame) {
            for (std::size_t p = 0; p < sum.size(); ++p)
                sum[p] += frame.data[p];
            ++read;
        };
        if (!ForEachRawFrame(files, layout, job, skipped, add))
            return false;
        if (!skipped.Empty())
            job.Message(skipped.Text(L"以下文件未能读取，未计入平均："));
        if (read == 0)
            return false;
        mean.SetDim(layout.width, layout.height);
    } catch (const std::bad_alloc&) {
        job.Message(L"内存不足，无法计算平均");
        return false;
    }
    for (std::size_t p = 0; p < sum.size(); ++p)
        mean.data[p] = float(sum[p] / read);
    return skipped.Empty();
}
