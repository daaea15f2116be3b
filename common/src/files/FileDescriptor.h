#pragma once

#include <cstddef>
#include <cstdint>

// A POSIX file descriptor that closes itself. Bulk pixel I/O goes through
// plain read() so data lands straight in the (page-aligned) image
// buffers without a stdio copy in between.
class FileDescriptor {
public:
    FileDescriptor() = default;
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    // Files are only read through this; writing goes through plat::AtomicFile.
    static FileDescriptor openRead(const char* path);

    bool valid() const { return fd >= 0; }
    // Size from fstat; -1 when unknown.
    std::int64_t size() const;
    // Reads until bytes are in, the file ends or an error occurs; returns the
    // number of bytes read.
    std::size_t readUpTo(void* dst, std::size_t bytes);
    bool close();

private:
    explicit FileDescriptor(int descriptor) : fd(descriptor) {}
    int fd = -1;
};
