#include "pixorama/platform/AtomicFile.h"

#include "pixorama/platform/Strings.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <random>
#include <unistd.h>

namespace plat {

namespace {

std::atomic<long long> writeLimit{-1};

std::string randomSuffix()
{
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    const unsigned long long bits =
        (static_cast<unsigned long long>(device()) << 32) ^ device() ^ (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull);
    char text[24];
    std::snprintf(text, sizeof text, "%016llx", bits ^ static_cast<unsigned long long>(::getpid()));
    return text;
}

} // namespace

void setAtomicWriteLimitForTesting(long long bytes)
{
    writeLimit = bytes;
}

namespace {

// A link is written through: the file it names is replaced and the link
// stays, as editors do. Chains of links are followed to their end.
std::filesystem::path linkedFile(const std::filesystem::path& target)
{
    std::error_code error;
    std::filesystem::path at = target;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(std::filesystem::symlink_status(at, error)); ++hops) {
        const std::filesystem::path next = std::filesystem::read_symlink(at, error);
        if (error)
            break;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return at;
}

// Devices, pipes, sockets and folders are never replaced by a file.
std::wstring notAFile(const std::filesystem::path& target)
{
    std::error_code error;
    const auto status = std::filesystem::status(target, error);
    if (error || !std::filesystem::exists(status) || std::filesystem::is_regular_file(status))
        return {};
    const std::wstring name = fromPath(target);
    if (std::filesystem::is_directory(status))
        return L"这是文件夹，不能用文件替换：" + name;
    return L"这不是普通文件（设备、管道或套接字），不能用文件替换：" + name;
}

} // namespace

AtomicFile::AtomicFile(const std::filesystem::path& named)
    : path(linkedFile(named))
{
    why = notAFile(path);
    if (!why.empty()) {
        failed = true;
        return;
    }
    const std::filesystem::path& target = path;
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string stem(1, '.');
    stem.append(target.filename().string()).push_back('.');
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        std::filesystem::path candidate = folder / (stem + randomSuffix() + ".tmp");
        fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0)
            temp = candidate;
        else if (errno != EEXIST)
            break;
    }
    // Keep the target's permissions when it exists.
    if (fd >= 0) {
        std::error_code error;
        const auto status = std::filesystem::status(target, error);
        if (!error && std::filesystem::is_regular_file(status))
            ::fchmod(fd, static_cast<mode_t>(status.permissions()) & 07777);
    }
}

AtomicFile::~AtomicFile()
{
    discard();
}

bool AtomicFile::write(const void* bytes, std::size_t size)
{
    if (!ok())
        return false;
    const char* p = static_cast<const char*>(bytes);
    const long long limit = writeLimit.load();
    std::size_t allowed = size;
    if (limit >= 0) {
        const off_t at = ::lseek(fd, 0, SEEK_CUR);
        allowed = at >= limit ? 0 : std::min<std::size_t>(size, static_cast<std::size_t>(limit - at));
    }
    std::size_t done = 0;
    while (done < allowed) {
        const ssize_t n = ::write(fd, p + done, allowed - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    if (done < size)
        failed = true;
    return !failed;
}

bool AtomicFile::commit()
{
    if (!ok()) {
        discard();
        return false;
    }
    bool good = ::fsync(fd) == 0;
    good = ::close(fd) == 0 && good;
    fd = -1;
    if (good)
        good = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!good) {
        ::unlink(temp.c_str());
        failed = true;
    }
    temp.clear();
    return good;
}

void AtomicFile::discard()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
    if (!temp.empty())
        ::unlink(temp.c_str());
    temp.clear();
}

bool writeFileAtomically(const std::filesystem::path& target, const void* bytes, std::size_t size)
{
    AtomicFile out(target);
    return out.write(bytes, size) && out.commit();
}

bool writeFileAtomically(const std::filesystem::path& target, const std::string& bytes)
{
    return writeFileAtomically(target, bytes.data(), bytes.size());
}

} // namespace plat
