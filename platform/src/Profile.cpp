#include "pixorama/platform/Profile.h"

#include "IniDocument.h"
#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Strings.h"

#include <atomic>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <optional>
#include <sys/stat.h>

namespace plat {

namespace {

// One writer at a time, so two threads updating the same file cannot lose
// each other's key.
std::mutex& profileMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Only regular files are read: a folder or a pipe under the name is no profile.
std::optional<std::string> readFile(const std::wstring& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(toPath(file), error))
        return std::nullopt;
    std::ifstream in(toPath(file), std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool hasBreak(std::wstring_view text)
{
    return text.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring_view::npos;
}

// Names and values that would change the file's structure when written.
bool storable(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    if (key.empty() || hasBreak(section) || hasBreak(key) || hasBreak(value))
        return false;
    return key.front() != L'[' && key.find(L'=') == std::wstring::npos;
}

// The file keeps names trimmed, so callers' names are trimmed to match.
std::wstring trimmed(const std::wstring& name)
{
    const std::size_t first = name.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return {};
    return name.substr(first, name.find_last_not_of(L" \t") - first + 1);
}

// What identifies one version of a file on disk: a rewrite in place changes
// the size or the times, a replacement the inode.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileStamp& o) const
    {
        return device == o.device && inode == o.inode && size == o.size && same(modified, o.modified)
               && same(changed, o.changed);
    }
    static bool same(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }
};

std::optional<FileStamp> stampOf(const std::wstring& file)
{
    struct stat info {};
    if (::stat(toPath(file).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FileStamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

// Parsed files, kept while they stay as they were on disk. Guarded by
// profileMutex().
struct ParsedProfile {
    FileStamp stamp;
    IniDocument::Index values;
};
constexpr std::size_t maxParsedProfiles = 32;

std::map<std::wstring, ParsedProfile>& parsedProfiles()
{
    static std::map<std::wstring, ParsedProfile> parsed;
    return parsed;
}

std::atomic<long long> profileReads{0};

std::optional<std::wstring> lookUp(const std::wstring& section, const std::wstring& key, const std::wstring& file)
{
    std::lock_guard lock(profileMutex());
    auto& parsed = parsedProfiles();
    const auto stamp = stampOf(file);
    if (!stamp) {
        parsed.erase(file);
        return std::nullopt;
    }
    auto found = parsed.find(file);
    if (found == parsed.end() || !(found->second.stamp == *stamp)) {
        // Stamped before reading: a change made meanwhile is seen next time.
        const auto bytes = readFile(file);
        if (!bytes) {
            parsed.erase(file);
            return std::nullopt;
        }
        ++profileReads;
        if (found == parsed.end() && parsed.size() >= maxParsedProfiles)
            parsed.clear();
        found = parsed.insert_or_assign(file, ParsedProfile{*stamp, IniDocument(*bytes).index()}).first;
    }
    const auto value = found->second.values.find(IniDocument::indexKey(trimmed(section), trimmed(key)));
    if (value == found->second.values.end())
        return std::nullopt;
    return value->second;
}

// Decimal, or hexadecimal after "0x"; stops at the first other character and
// saturates at the int range.
int parseInt(std::wstring_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
        negative = text[i++] == L'-';
    int base = 10;
    if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        int digit = -1;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (base == 16 && c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (base == 16 && c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        if (digit < 0)
            break;
        magnitude = magnitude * base + digit;
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            magnitude = static_cast<long long>(INT_MAX) + 1;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    return signedValue > INT_MAX ? INT_MAX : static_cast<int>(signedValue);
}

} // namespace

long long profileReadsForTesting()
{
    return profileReads.load();
}

std::wstring getProfileString(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue,
                              const std::wstring& file)
{
    return lookUp(section, key, file).value_or(defaultValue);
}

int getProfileInt(const std::wstring& section, const std::wstring& key, int defaultValue, const std::wstring& file)
{
    const auto found = lookUp(section, key, file);
    if (!found || found->empty())
        return defaultValue;
    return parseInt(*found);
}

bool writeProfileString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                        const std::wstring& file)
{
    if (file.empty() || !storable(trimmed(section), trimmed(key), value))
        return false;
    std::lock_guard lock(profileMutex());
    const std::filesystem::path path = toPath(file);
    std::error_code ignored;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), ignored);

    std::string bytes;
    if (std::filesystem::exists(path, ignored)) {
        auto existing = readFile(file);
        if (!existing)
            return false; // present but unreadable: never replace it blindly
        bytes = std::move(*existing);
    }
    IniDocument document(bytes);
    document.setValue(trimmed(section), trimmed(key), value);
    const std::string out = document.bytes();

    // A failed write leaves the old file whole.
    parsedProfiles().erase(file);
    return writeFileAtomically(path, out);
}

} // namespace plat
