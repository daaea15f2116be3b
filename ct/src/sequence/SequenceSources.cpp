// What the sequence commands take from the frame and the browser.
#include "pixorama/workbench/SequenceOps.h"

#include "pixorama/common/OSDIR.h"

#include <mutex>

namespace {

struct Sources {
    std::mutex mutex;
    std::function<std::vector<CString>()> files;
    std::function<DisplayWindow()> window;
    DetailEnhancer enhancer;
};

Sources& sources()
{
    static Sources s;
    return s;
}

} // namespace

void SetSequenceFileSource(std::function<std::vector<CString>()> source)
{
    std::lock_guard lock(sources().mutex);
    sources().files = std::move(source);
}

std::vector<CString> SequenceFiles()
{
    std::function<std::vector<CString>()> source;
    {
        std::lock_guard lock(sources().mutex);
        source = sources().files;
    }
    if (source)
        return source();
    std::vector<CString> files;
    OSDIR::GetMultiFile(files, 1 << 16);
    return files;
}

void SetDisplayWindowSource(std::function<DisplayWindow()> source)
{
    std::lock_guard lock(sources().mutex);
    sources().window = std::move(source);
}

DisplayWindow CurrentDisplayWindow()
{
    std::function<DisplayWindow()> source;
    {
        std::lock_guard lock(sources().mutex);
        source = sources().window;
    }
    return source ? source() : DisplayWindow{};
}

void SetBatchDetailEnhancer(DetailEnhancer enhancer)
{
    std::lock_guard lock(sources().mutex);
    sources().enhancer = std::move(enhancer);
}

DetailEnhancer BatchDetailEnhancer()
{
    std::lock_guard lock(sources().mutex);
    return sources().enhancer;
}
