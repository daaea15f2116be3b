#include "pixorama/platform/System.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <chrono>
#include <cstdlib>
#include <exception>
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
    const auto home = environmentPath("PIXORAMA_HOME");
    if (!home.empty())
        return home / name;
    std::error_code error;
    const auto beside = programFolder() / name;
    if (std::filesystem::is_directory(beside, error))
        return beside;
    const auto installed = std::filesystem::path(PIXORAMA_INSTALL_DATADIR) / name;
    if (std::filesystem::is_directory(installed, error))
        return installed;
    return beside;
}

std::filesystem::path writableFolder()
{
    std::error_code error;
    const auto home = environmentPath("PIXORAMA_HOME");
    if (!home.empty()) {
        std::filesystem::create_directories(home, error);
        return home;
    }
    const auto program = programFolder();
    if (::access(program.c_str(), W_OK) == 0)
        return program;
    auto config = environmentPath("XDG_CONFIG_HOME");
    if (config.empty()) {
        const auto userHome = environmentPath("HOME");
        config = (userHome.empty() ? std::filesystem::temp_directory_path(error) : userHome) / ".config";
    }
    const auto folder = config / "pixorama";
    std::filesystem::create_directories(folder, error);
    return folder;
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
    // An exception thrown on the UI thread is carried back to the caller
    // instead of unwinding through Qt's event loop.
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
            try {
                fn();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace plat
