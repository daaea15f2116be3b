#pragma once

#include <string>
#include <string_view>
#include <vector>

// Path text shared by the file helpers and the choosers. Paths are POSIX
// paths, but '\' is accepted as a separator too; file masks follow the
// Windows rules ('*', '?', letters compared without case, "*.*" = any name).
namespace pixpath {

inline bool isSeparator(wchar_t c)
{
    return c == L'/' || c == L'\\';
}

// Index of the last '/' or '\', or npos.
template <typename Char>
std::size_t lastSeparator(std::basic_string_view<Char> path)
{
    for (std::size_t i = path.size(); i-- > 0;)
        if (path[i] == Char('/') || path[i] == Char('\\'))
            return i;
    return std::basic_string_view<Char>::npos;
}

bool hasWildcard(std::wstring_view text);
bool maskMatches(std::wstring_view mask, std::wstring_view name);

// A "folder<sep>mask" pattern split in two; the folder is "." when the
// pattern has no separator and "/" when it sits at the root.
struct SplitPattern {
    std::string folder;
    std::wstring mask;
};
SplitPattern splitPattern(std::wstring_view pattern);

struct FolderEntry {
    std::string name;    // UTF-8, as stored by the file system
    bool isDir = false;  // follows symbolic links
    bool isLink = false;
};
// Entries of a folder sorted by name, without "." and "..": a stable order
// whatever the file system returns. Empty when the folder cannot be read.
std::vector<FolderEntry> listFolder(const std::string& folder);

// Entries of the pattern's folder whose names match its mask.
std::vector<FolderEntry> listMatches(std::wstring_view pattern);

} // namespace pixpath
