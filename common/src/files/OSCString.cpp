#include "pixorama/common/OSCString.h"

#include "PathPattern.h"

#include "pixorama/platform/Strings.h"

#include <filesystem>

namespace {

constexpr std::size_t npos = CString::npos;

// The last "." of the file name. A dot in a folder name is no extension.
std::size_t extensionDot(const CString& path)
{
    const std::size_t dot = path.rfind(L'.');
    if (dot == npos)
        return npos;
    const std::size_t sep = pixpath::lastSeparator(std::wstring_view(path));
    return sep != npos && sep > dot ? npos : dot;
}

bool isFolder(const CString& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(plat::toPath(path), ec);
}

CString noFileName(const CString& path)
{
    return isFolder(path) ? L"notfile" : L"nul";
}

CString afterLastSeparator(const CString& path)
{
    const std::size_t sep = pixpath::lastSeparator(std::wstring_view(path));
    return sep == npos ? path : path.substr(sep + 1);
}

} // namespace

CString OSCString::GetDir(const CString& path)
{
    const std::size_t sep = pixpath::lastSeparator(std::wstring_view(path));
    return sep == npos ? CString() : path.substr(0, sep + 1);
}

CString OSCString::GetNextDir(const CString& path)
{
    CString dir = GetDir(path);
    if (!dir.empty())
        dir.pop_back();
    return GetDir(dir);
}

CString OSCString::GetName(const CString& path, bool keepDir)
{
    const std::size_t dot = extensionDot(path);
    CString name = dot != npos && dot >= 3 ? path.substr(0, dot) : noFileName(path);
    return keepDir ? name : afterLastSeparator(name);
}

CString OSCString::GetExt(const CString& path)
{
    const std::size_t dot = extensionDot(path);
    if (dot == npos)
        return noFileName(path);
    CString ext = path.substr(dot + 1);
    for (wchar_t& c : ext)
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
    return ext;
}

CString OSCString::ChangeExt(const CString& path, const CString& ext)
{
    const std::size_t dot = extensionDot(path);
    const CString stem = GetExt(path) != L"nul" && dot != npos ? path.substr(0, dot) : path;
    return stem + L"." + ext;
}
