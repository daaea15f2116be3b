#include "EachRawFrame.h"

bool ForEachRawFrame(const std::vector<CString>& files, const RawLayout& layout, SequenceJob& job,
                     FileList& unreadable, const std::function<void(std::size_t, const ClassData2DIO<float>&)>& use)
{
    ClassData2DIO<float> frame;
    job.SetRange(int(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (job.Cancelled())
            return false;
        if (ReadRawFrame(files[i], layout, frame) != FrameStatus::Ok) {
            unreadable.Add(files[i]);
            continue;
        }
        use(i, frame);
        job.SetPosition(int(i));
    }
    job.SetPosition(0);
    return true;
}
