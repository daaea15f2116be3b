#include "pixorama/common/OSDIR.h"

#include "PathPattern.h"

#include "pixorama/platform/Strings.h"

#include <filesystem>

// The folder walks of OSDIR.

namespace fs = std::filesystem;

namespace {

std::string joined(const std::string& folder, const std::string& name)
{
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// "folder/*.*" -> folder and mask; a path without a mask is the folder itself.
pixpath::SplitPattern folderAndMask(const CString& path)
{
    const std::size_t sep = pixpath::lastSeparator(std::wstring_view(path));
    const std::wstring_view last = sep == CString::npos ? std::wstring_view(path) : std::wstring_view(path).substr(sep + 1);
    if (pixpath::hasWildcard(last))
        return pixpath::splitPattern(path);
    return {plat::toUtf8(path), L"*"};
}

bool samePlace(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

bool copyTree(const std::string& from, const std::string& to, const std::wstring& mask, const fs::path& root)
{
    bool ok = true;
    for (const pixpath::FolderEntry& entry : pixpath::listFolder(from)) {
        if (!pixpath::maskMatches(mask, plat::toWide(entry.name)))
            continue;
        const std::string source = joined(from, entry.name);
        const std::string target = joined(to, entry.name);
        std::error_code ec;
        if (entry.isDir && entry.isLink) {
            fs::remove(target, ec);
            fs::copy_symlink(source, target, ec);
            ok = !ec;
        } else if (entry.isDir) {
            // Copying a folder into itself would otherwise never end.
            if (samePlace(source, root))
                continue;
            fs::create_directory(target, ec);
            ok = !ec && fs::is_directory(target, ec) && copyTree(source, target, mask, root);
        } else {
            ok = fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec) && !ec;
        }
        if (!ok)
            break;
    }
    return ok;
}

} // namespace

bool OSDIR::IsDir(const CString& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(plat::toPath(path), ec);
}

bool OSDIR::CheckFolderExist(const CString& path)
{
    const std::size_t sep = pixpath::lastSeparator(std::wstring_view(path));
    const std::wstring_view last = sep == CString::npos ? std::wstring_view(path) : std::wstring_view(path).substr(sep + 1);
    if (!pixpath::hasWildcard(last))
        return IsDir(path);
    const std::vector<pixpath::FolderEntry> matches = pixpath::listMatches(path);
    return !matches.empty() && matches.front().isDir;
}

void OSDIR::FindFile(const wchar_t* dir, std::vector<CString>& out, bool recurse, const wchar_t* pattern)
{
    if (!dir || !pattern)
        return;
    const std::string folder = plat::toUtf8(dir);
    const std::vector<pixpath::FolderEntry> entries = pixpath::listFolder(folder);
    const CString prefix = CString(dir) + L"/";
    for (const pixpath::FolderEntry& entry : entries) {
        const std::wstring name = plat::toWide(entry.name);
        if (!entry.isDir && pixpath::maskMatches(pattern, name))
            out.push_back(prefix + name);
    }
    if (!recurse)
        return;
    for (const pixpath::FolderEntry& entry : entries)
        if (entry.isDir && !entry.isLink)
            FindFile((prefix + plat::toWide(entry.name)).c_str(), out, true, pattern);
}

bool OSDIR::DirectoryOperate(CString src, CString dst, int /*flags*/)
{
    const pixpath::SplitPattern from = folderAndMask(src);
    const pixpath::SplitPattern to = folderAndMask(dst);
    std::error_code ec;
    if (!fs::is_directory(from.folder, ec))
        return false;
    fs::create_directories(to.folder, ec);
    if (!fs::is_directory(to.folder, ec))
        return false;
    return copyTree(from.folder, to.folder, from.mask, fs::path(to.folder));
}
