#include "pixorama/platform/System.h"

#include "UiCallQueue.h"

#include <QCoreApplication>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <thread>
#include <malloc.h>
#include <unistd.h>

namespace plat {

namespace {

std::filesystem::path environmentPath(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return {};
    return std::filesystem::path(value);
}

} // namespace

int processorCount()
{
    const unsigned count = std::thread::hardware_concurrency();
    return count == 0 ? 1 : int(count);
}

std::int64_t performanceCounter()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t performanceFrequency()
{
    return 1'000'000'000;
}

std::filesystem::path programFolder()
{
    if (QCoreApplication::instance() != nullptr)
        return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path(error);
    return exe.parent_path();
}

std::filesystem::path dataFolder(const std::filesystem::path& name)
{
    // Beside the program in the build tree; in an install, share/pixorama
    // beside bin wherever the install was put, then where it was meant to go.
    const auto program = programFolder();
    const std::filesystem::path candidates[] = {
        program / name,
        program.parent_path() / "share" / "pixorama" / name,
        std::filesystem::path(PIXORAMA_INSTALL_DATADIR) / name,
    };
    std::error_code error;
    for (const auto& candidate : candidates)
        if (std::filesystem::is_directory(candidate, error))
            return candidate;
    return candidates[0];
}

namespace {

// What the program writes, as older versions kept it beside the program.
const char* const carriedOver[] = {"ImaPInitPara", "recent-files.ini"};

// Settings left beside the program are copied once into the new folder;
// what the new folder already has wins.
void carryOverOldSettings(const std::filesystem::path& folder)
{
    const auto old = programFolder();
    std::error_code error;
    if (std::filesystem::equivalent(old, folder, error))
        return;
    for (const char* entry : carriedOver) {
        const auto from = old / entry;
        const auto to = folder / entry;
        if (std::filesystem::exists(from, error) && !std::filesystem::exists(to, error))
            std::filesystem::copy(from, to, std::filesystem::copy_options::recursive, error);
    }
}

} // namespace

std::filesystem::path writableFolder()
{
    std::error_code error;
    const auto home = environmentPath("PIXORAMA_HOME");
    if (!home.empty()) {
        std::filesystem::create_directories(home, error);
        return home;
    }
    const auto program = programFolder();
    if (std::filesystem::exists(program / portableMarker, error))
        return program;
    auto config = environmentPath("XDG_CONFIG_HOME");
    if (config.empty()) {
        const auto userHome = environmentPath("HOME");
        config = (userHome.empty() ? std::filesystem::temp_directory_path(error) : userHome) / ".config";
    }
    const auto folder = config / "pixorama";
    std::filesystem::create_directories(folder, error);
    static std::once_flag carried;
    std::call_once(carried, [&] { carryOverOldSettings(folder); });
    return folder;
}

const char* projectVersion()
{
    return PIXORAMA_VERSION;
}

void keepLargeBlocksForReuse()
{
    constexpr int oneGiB = 1 << 30;
    mallopt(M_MMAP_THRESHOLD, oneGiB);
    mallopt(M_TRIM_THRESHOLD, oneGiB);
}

bool isUiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

void runOnUiThread(const std::function<void()>& fn)
{
    if (isUiThread()) {
        fn();
        return;
    }
    // The caller waits under a std::mutex, which the thread checker sees.
    // An exception thrown on the UI thread is carried back to the caller
    // instead of unwinding through Qt's event loop.
    std::mutex lock;
    std::condition_variable ran;
    bool done = false;
    std::exception_ptr failure;
    UiCallQueue::Instance().Post([&] {
        try {
            fn();
        } catch (...) {
            failure = std::current_exception();
        }
        // Notified under the lock: the caller cannot return and take the
        // lock and the condition with it before this is done.
        const std::lock_guard<std::mutex> held(lock);
        done = true;
        ran.notify_one();
    });
    std::unique_lock<std::mutex> waiting(lock);
    ran.wait(waiting, [&] { return done; });
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace plat
