#include "PathPattern.h"

#include "pixorama/platform/Strings.h"

#include <algorithm>
#include <filesystem>

namespace pixpath {

namespace {

wchar_t foldCase(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c;
}

} // namespace

bool hasWildcard(std::wstring_view text)
{
    return text.find_first_of(L"*?") != std::wstring_view::npos;
}

bool maskMatches(std::wstring_view mask, std::wstring_view name)
{
    if (mask == L"*.*")
        mask = L"*";
    // Greedy match with one backtrack point: linear in practice, never
    // exponential whatever the mask.
    std::size_t m = 0;
    std::size_t n = 0;
    std::size_t starMask = std::wstring_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == L'*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == L'?' || foldCase(mask[m]) == foldCase(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::wstring_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == L'*')
        ++m;
    return m == mask.size();
}

SplitPattern splitPattern(std::wstring_view pattern)
{
    const std::size_t sep = lastSeparator(pattern);
    if (sep == std::wstring_view::npos)
        return {".", std::wstring(pattern)};
    std::string folder = sep == 0 ? std::string("/") : plat::toUtf8(pattern.substr(0, sep));
    return {std::move(folder), std::wstring(pattern.substr(sep + 1))};
}

std::vector<FolderEntry> listFolder(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<FolderEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), ec);
    if (ec)
        return entries;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        FolderEntry entry;
        entry.name = it->path().filename().string();
        std::error_code statEc;
        entry.isDir = it->is_directory(statEc);
        entry.isLink = it->is_symlink(statEc);
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

std::vector<FolderEntry> listMatches(std::wstring_view pattern)
{
    const SplitPattern split = splitPattern(pattern);
    std::vector<FolderEntry> entries = listFolder(split.folder);
    std::erase_if(entries, [&](const FolderEntry& e) { return !maskMatches(split.mask, plat::toWide(e.name)); });
    return entries;
}

} // namespace pixpath
