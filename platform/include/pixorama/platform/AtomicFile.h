#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace plat {

// Every file the project writes goes through this: the bytes go to a
// uniquely named temporary in the target's folder, created exclusively and
// without following links, and only a complete, flushed file is renamed over
// the target. On any failure (or when the object dies uncommitted) the
// temporary is removed and an existing target is left as it was. A target
// that exists and is not a regular file (a folder, a device, a pipe) is
// refused; a symbolic link is kept and the file it points to is replaced.
//
//     plat::AtomicFile out(path);
//     if (!out.write(header, 54) || !out.write(pixels, n) || !out.commit())
//         ... say so; the old file is intact
class AtomicFile {
public:
    explicit AtomicFile(const std::filesystem::path& named);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False once anything has failed (the temporary could not be created,
    // a write fell short).
    bool ok() const { return fd >= 0 && !failed; }
    bool write(const void* bytes, std::size_t size);
    // Flushes to the disk and renames over the target; false on failure,
    // leaving the target untouched. A second commit returns false.
    bool commit();
    // Drops the temporary; the target stays as it was.
    void discard();

    // The file replaced: the named one, or the one its link points to.
    const std::filesystem::path& target() const { return path; }
    // The temporary's path while it exists; empty otherwise.
    const std::filesystem::path& temporary() const { return temp; }
    // Why the file cannot be written, in one line; empty when nothing is known.
    const std::wstring& problem() const { return why; }

private:
    std::filesystem::path path;
    std::filesystem::path temp;
    int fd = -1;
    bool failed = false;
    std::wstring why;
};

// The whole file in one call.
bool writeFileAtomically(const std::filesystem::path& target, const void* bytes, std::size_t size);
bool writeFileAtomically(const std::filesystem::path& target, const std::string& bytes);

// Test hook: when set, the write that would take the file past this many
// bytes fails as a full disk would. Negative (the default) turns it off.
void setAtomicWriteLimitForTesting(long long bytes);

} // namespace plat
