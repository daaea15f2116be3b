#include "pixorama/platform/Profile.h"

#include "IniDocument.h"
#include "pixorama/platform/Strings.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>

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

std::optional<std::wstring> lookUp(const std::wstring& section, const std::wstring& key, const std::wstring& file)
{
    std::lock_guard lock(profileMutex());
    const auto bytes = readFile(file);
    if (!bytes)
        return std::nullopt;
    return IniDocument(*bytes).value(trimmed(section), trimmed(key));
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

    // Written beside the file and renamed over it, so a failed write leaves
    // the old file whole.
    QSaveFile saver(QString::fromStdString(path.string()));
    if (!saver.open(QIODevice::WriteOnly))
        return false;
    if (saver.write(out.data(), qint64(out.size())) != qint64(out.size())) {
        saver.cancelWriting();
        return false;
    }
    return saver.commit();
}

} // namespace plat
