#include "pixorama/workbench/SequenceJob.h"
#include "pixorama/workbench/SequenceOps.h"

#include "FileList.h"
#include "pixorama/common/RawFrame.h"

#include "pixorama/common/OSCString.h"
#include "pixorama/common/QEVFLOATDATA2D.h"
#include "pixorama/common/QEVRECT.h"
#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/Translation.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <new>

namespace {

CString cutOutputPath(const CString& input, int index)
{
    return OSCString::GetDir(input) + std::to_wstring(index + 10000) + L".raw";
}

// Where each file of the sequence lies, to find an output that would
// replace one of them.
class InputPlaces {
public:
    explicit InputPlaces(const std::vector<CString>& files)
    {
        for (std::size_t i = 0; i < files.size(); ++i)
            last[place(files[i])] = int(i);
    }
    // Index of the last file of the sequence at path, or -1.
    int IndexOf(const CString& path) const
    {
        const auto found = last.find(place(path));
        return found == last.end() ? -1 : found->second;
    }

private:
    static std::filesystem::path place(const CString& path)
    {
        std::error_code error;
        const std::filesystem::path p = std::filesystem::weakly_canonical(plat::toPath(path), error);
        return error ? plat::toPath(path) : p;
    }
    std::map<std::filesystem::path, int> last;
};

// Outputs waiting for an input of that index to be read before they replace it.
class HeldOutputs {
public:
    void Hold(int blocker, std::unique_ptr<plat::AtomicFile> file) { held.emplace(blocker, std::move(file)); }
    // Commits every output whose input has now been read.
    void Release(int readUpTo, FileList& unwritten)
    {
        while (!held.empty() && held.begin()->first <= readUpTo) {
            if (!held.begin()->second->commit())
                unwritten.Add(plat::fromPath(held.begin()->second->target()));
            held.erase(held.begin());
        }
    }
    // A stopped run: the inputs stay as they are, the outputs are dropped.
    void Drop(FileList& unwritten)
    {
        for (const auto& [blocker, file] : held)
            unwritten.Add(plat::fromPath(file->target()));
        held.clear();
    }

private:
    std::multimap<int, std::unique_ptr<plat::AtomicFile>> held;
};

} // namespace

bool CutSequence(const std::vector<CString>& files, const tagQEVImaLoadPara& load, const tagQEVImaROIRectPara& rect,
                 const IndexRange& range, SequenceJob& job)
{
    if (files.empty())
        return false;
    const RawLayout layout{load.InImaW, load.InImaH, load.InImaPixelType, load.bLittleEndian != 0};
    // Another pixel type writes nothing.
    if (layout.FrameBytes() == 0)
        return false;
    if (rect.m_RectRight < rect.m_RectLeft || rect.m_RectBottom < rect.m_RectTop) {
        job.Message(L"剪切矩形无效");
        return false;
    }
    if (!job.MemoryFits(4.0 * double(layout.width) * layout.height))
        return false;
    const int n = int(files.size());
    const int step = std::max(1, range.step);
    const int end = std::min(n, range.end);
    QEVFLOATDATA2D frame;
    FileList unreadable, unwritten;
    HeldOutputs held;
    const InputPlaces places(files);
    job.SetRange(n - 1);
    job.SetPosition(0);
    const int first = std::max(0, range.first);
    for (int i = first; i < end; i += step) {
        if (job.Cancelled())
            break;
        try {
            if (ReadRawFrame(files[std::size_t(i)], layout, frame) != FrameStatus::Ok) {
                unreadable.Add(files[std::size_t(i)]);
            } else {
                QEVRECT box(rect.m_RectLeft, rect.m_RectRight, rect.m_RectTop, rect.m_RectBottom);
                frame.Crop(box);
                const CString path = cutOutputPath(files[std::size_t(i)], i);
                auto out = std::make_unique<plat::AtomicFile>(plat::toPath(path));
                const RawLayout cut{frame.width, frame.height, layout.pixelType, layout.littleEndian};
                const int blocker = places.IndexOf(path);
                // An input this run never reads (another slice's) is never replaced.
                const bool ours = blocker >= first && blocker < end && (blocker - first) % step == 0;
                if ((blocker >= 0 && !ours) || !WriteRawFrame(*out, frame, cut))
                    unwritten.Add(path);
                else if (blocker > i)
                    held.Hold(blocker, std::move(out));
                else if (!out->commit())
                    unwritten.Add(path);
            }
        } catch (const std::bad_alloc&) {
            job.Message(L"内存不足，剪切停止");
            held.Drop(unwritten);
            return false;
        }
        held.Release(i, unwritten);
        job.SetPosition(i);
    }
    held.Drop(unwritten);
    job.SetPosition(0);
    if (!unreadable.Empty())
        job.Message(unreadable.Text(L"文件不存在或长度不足，未剪切："));
    if (!unwritten.Empty())
        job.Message(unwritten.Text(plat::trArgs(L"%1 个输出文件无法写入：", {std::to_wstring(unwritten.Count())})));
    return !job.Cancelled() && unreadable.Empty() && unwritten.Empty();
}
