#include "pixorama/common/FileHelpers.h"

#include "PathPattern.h"

#include "pixorama/platform/Strings.h"

#include <sys/stat.h>

unsigned int cFileSize(FILE* file)
{
    if (!file)
        return 0xFFFFFFFFu;
    const long saved = std::ftell(file);
    std::fseek(file, 0, SEEK_END);
    const long end = std::ftell(file);
    std::fseek(file, saved < 0 ? 0 : saved, SEEK_SET);
    return end < 0 ? 0xFFFFFFFFu : static_cast<unsigned int>(end);
}

unsigned int cFileSize(const char* path)
{
    // A folder opens for reading on Linux, but it is no file.
    struct stat info {};
    if (!path || ::stat(path, &info) != 0 || S_ISDIR(info.st_mode))
        return 0xFFFFFFFFu;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return 0xFFFFFFFFu;
    const unsigned int size = cFileSize(file);
    std::fclose(file);
    return size;
}

bool cFileExist(const char* path)
{
    struct stat info {};
    return path && ::stat(path, &info) == 0;
}

bool cDirExist(const char* path)
{
    return cFileExist(path);
}

bool OSGetFileListFromDir(std::string pattern, std::vector<std::string>& names)
{
    names.clear();
    for (const pixpath::FolderEntry& entry : pixpath::listMatches(plat::toWide(pattern)))
        if (!entry.isDir)
            names.push_back(entry.name);
    return !names.empty();
}
