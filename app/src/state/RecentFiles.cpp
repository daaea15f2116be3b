#include "pixorama/workbench/RecentFiles.h"

#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"

#include <algorithm>

namespace {

const std::wstring section = L"Recent File List";

std::wstring listFile()
{
    return plat::fromPath(plat::writableFolder() / "recent-files.ini");
}

std::wstring key(int i)
{
    return L"File" + std::to_wstring(i + 1);
}

} // namespace

std::vector<std::wstring> RecentFiles::Load()
{
    const std::wstring file = listFile();
    std::vector<std::wstring> paths;
    for (int i = 0; i < capacity; ++i) {
        std::wstring path = plat::getProfileString(section, key(i), L"", file);
        if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(std::move(path));
    }
    return paths;
}

void RecentFiles::Add(const std::wstring& path)
{
    if (path.empty())
        return;
    std::vector<std::wstring> paths = Load();
    std::erase(paths, path);
    paths.insert(paths.begin(), path);
    if (paths.size() > std::size_t(capacity))
        paths.resize(std::size_t(capacity));
    Store(paths);
}

void RecentFiles::Remove(const std::wstring& path)
{
    std::vector<std::wstring> paths = Load();
    if (std::erase(paths, path) > 0)
        Store(paths);
}

void RecentFiles::Store(const std::vector<std::wstring>& paths)
{
    const std::wstring file = listFile();
    for (int i = 0; i < capacity; ++i)
        plat::writeProfileString(section, key(i), std::size_t(i) < paths.size() ? paths[std::size_t(i)] : L"", file);
}
