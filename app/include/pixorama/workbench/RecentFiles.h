#pragma once

#include <string>
#include <vector>

// The pictures opened last, newest first, at most four, kept in
// "recent-files.ini" of the writable folder (section "Recent File List",
// keys File1..File4).
class RecentFiles {
public:
    static constexpr int capacity = 4;

    static std::vector<std::wstring> Load();
    // Puts path first; an entry already in the list moves up, the oldest
    // beyond four drops off.
    static void Add(const std::wstring& path);
    static void Remove(const std::wstring& path);

private:
    static void Store(const std::vector<std::wstring>& paths);
};
