#include "pixorama/workbench/SFThread.h"

#include <functional>
#include <system_error>

SFThread::~SFThread()
{
    Join();
}

void SFThread::Run()
{
    if (!started.load())
        return;
    if (target)
        target->Run();
    started.store(false);
}

bool SFThread::Start()
{
    if (handle.joinable())
        return false;
    started.store(true);
    try {
        handle = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        started.store(false);
        return false;
    }
    id = static_cast<unsigned>(std::hash<std::thread::id>{}(handle.get_id()));
    return true;
}

void SFThread::Join()
{
    if (handle.joinable())
        handle.join();
}
