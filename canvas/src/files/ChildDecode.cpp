#include "ChildDecode.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fstream>
#include <new>
#include <type_traits>

#if defined(__SANITIZE_ADDRESS__)
#define PIXORAMA_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PIXORAMA_ADDRESS_SANITIZER
#endif
#endif

namespace {

// The fixed part of a picture on the wire; vectors and texts follow.
struct Header {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t pages = 1;
    std::uint8_t hasWindow = 0;
    std::uint8_t inverted = 0;
    double pixelSpacing = 0;
    double windowCentre = 0;
    double windowWidth = 0;
    std::uint64_t values = 0;
    std::uint64_t grey = 0;
    std::uint64_t colour = 0;
    std::uint32_t warnings = 0;
};

// Calls copy(wire field, picture field) for each scalar the header carries,
// in both directions: the one list of what crosses the pipe.
template <typename Wire, typename Picture, typename Copy>
void pairScalars(Wire& h, Picture& p, Copy copy)
{
    copy(h.width, p.width);
    copy(h.height, p.height);
    copy(h.pages, p.pages);
    copy(h.hasWindow, p.hasWindow);
    copy(h.inverted, p.inverted);
    copy(h.pixelSpacing, p.pixelSpacing);
    copy(h.windowCentre, p.windowCentre);
    copy(h.windowWidth, p.windowWidth);
}

// Moves size bytes through the pipe with ::read or ::write, whatever
// pieces they take.
template <typename Bytes, typename Io>
bool transfer(int fd, Bytes* data, std::size_t size, Io io)
{
    auto* p = reinterpret_cast<std::conditional_t<std::is_const_v<Bytes>, const char, char>*>(data);
    while (size > 0) {
        const ssize_t n = io(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= std::size_t(n);
    }
    return true;
}

bool writeAll(int fd, const void* data, std::size_t size)
{
    return transfer(fd, data, size, ::write);
}

bool readAll(int fd, void* data, std::size_t size)
{
    return transfer(fd, data, size, ::read);
}

bool writeText(int fd, const CString& text)
{
    const std::uint32_t length = std::uint32_t(text.size());
    return writeAll(fd, &length, sizeof length) && writeAll(fd, text.data(), length * sizeof(wchar_t));
}

bool readText(int fd, CString& text)
{
    std::uint32_t length = 0;
    if (!readAll(fd, &length, sizeof length) || length > 65536)
        return false;
    text.resize(length);
    return readAll(fd, text.data(), length * sizeof(wchar_t));
}

bool send(int fd, const DecodedPicture& p)
{
    Header h;
    pairScalars(h, p, [](auto& wire, const auto& own) { wire = std::remove_reference_t<decltype(wire)>(own); });
    h.values = p.values.size();
    h.grey = p.grey.size();
    h.colour = p.colour.size();
    h.warnings = std::uint32_t(p.warnings.size());
    bool ok = writeAll(fd, &h, sizeof h) && writeText(fd, p.message);
    for (const CString& w : p.warnings)
        ok = ok && writeText(fd, w);
    return ok && writeAll(fd, p.values.data(), p.values.size() * sizeof(float))
           && writeAll(fd, p.grey.data(), p.grey.size()) && writeAll(fd, p.colour.data(), p.colour.size() * 4);
}

bool receive(int fd, DecodedPicture& p)
{
    Header h;
    if (!readAll(fd, &h, sizeof h) || !readText(fd, p.message) || h.warnings > 64)
        return false;
    p.warnings.resize(h.warnings);
    for (CString& w : p.warnings)
        if (!readText(fd, w))
            return false;
    // The child checked the size against the memory before decoding; the
    // counts must still agree with the stated size.
    const std::uint64_t pixels = std::uint64_t(std::max(h.width, 0)) * std::uint64_t(std::max(h.height, 0));
    for (const std::uint64_t n : {h.values, h.grey, h.colour})
        if (n != 0 && n != pixels)
            return false;
    pairScalars(h, p, [](const auto& wire, auto& own) { own = std::remove_reference_t<decltype(own)>(wire); });
    p.values.resize(h.values);
    p.grey.resize(h.grey);
    p.colour.resize(h.colour);
    return readAll(fd, p.values.data(), p.values.size() * sizeof(float)) && readAll(fd, p.grey.data(), p.grey.size())
           && readAll(fd, p.colour.data(), p.colour.size() * 4);
}

// Caps this process's address space at what it uses now plus budget.
// AddressSanitizer reserves terabytes of shadow memory, so its builds go
// without the cap.
void limitAddressSpace([[maybe_unused]] std::uint64_t budget)
{
#ifndef PIXORAMA_ADDRESS_SANITIZER
    std::uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t cap = rlim_t(pages * std::uint64_t(::sysconf(_SC_PAGESIZE)) + budget);
    const rlimit limit{cap, cap};
    ::setrlimit(RLIMIT_AS, &limit);
#endif
}

} // namespace

DecodedPicture ChildDecode::Run(const std::function<DecodedPicture()>& decode, const CString& failure,
                                std::uint64_t budget)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return DecodedPicture::Failed(failure);
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return DecodedPicture::Failed(failure);
    }
    if (child == 0) {
        ::close(fds[0]);
        // A failing child just dies: crash reporters installed in the
        // parent have nothing to report about it.
        for (const int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
            std::signal(signal, SIG_DFL);
        limitAddressSpace(budget);
        bool sent = false;
        try {
            sent = send(fds[1], decode());
        } catch (...) {
        }
        ::_exit(sent ? 0 : 1);
    }
    ::close(fds[1]);
    DecodedPicture picture;
    bool ok = false;
    try {
        ok = receive(fds[0], picture);
    } catch (const std::bad_alloc&) {
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return DecodedPicture::Failed(failure);
    return picture;
}
