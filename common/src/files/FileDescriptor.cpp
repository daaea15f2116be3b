#include "FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Linux transfers at most this much in one call.
constexpr std::size_t maxTransfer = 0x7ffff000;
} // namespace

FileDescriptor::~FileDescriptor()
{
    close();
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept : fd(other.fd)
{
    other.fd = -1;
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        close();
        fd = other.fd;
        other.fd = -1;
    }
    return *this;
}

FileDescriptor FileDescriptor::openRead(const char* path)
{
    if (!path)
        return {};
    return FileDescriptor(::open(path, O_RDONLY | O_CLOEXEC));
}

std::int64_t FileDescriptor::size() const
{
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0)
        return -1;
    return std::int64_t(info.st_size);
}

std::size_t FileDescriptor::readUpTo(void* dst, std::size_t bytes)
{
    if (fd < 0)
        return 0;
    auto* out = static_cast<unsigned char*>(dst);
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t got = ::read(fd, out + done, std::min(bytes - done, maxTransfer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += std::size_t(got);
    }
    return done;
}

bool FileDescriptor::close()
{
    if (fd < 0)
        return true;
    const int result = ::close(fd);
    fd = -1;
    return result == 0;
}
