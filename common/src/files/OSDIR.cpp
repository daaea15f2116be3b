#include "pixorama/common/OSDIR.h"

#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

namespace {

const CString cancelled = L"NULL";

const wchar_t* const allFilesFilter =
    L"所有文件(*.*)|*.*|(*.raw) |*.raw|(*.bmp) |*.bmp|(*.jpg) |*.jpg|(*.gif) |*.gif|(*.tif) |*.tif||";
const wchar_t* const bitmapFilter = L"图像文件格式(*.bmp) |*.bmp|(*.jpg) |*.jpg|(*.gif) |*.gif|所有文件(*.*)|*.*||";
const wchar_t* const rawFilter = L"图像文件格式(*.raw) |*.raw|(*.hraw) |*.hraw|所有文件(*.*)|*.*||";
const wchar_t* const bitmapTiffFilter =
    L"图像文件格式(*.bmp) |*.bmp|(*.jpg) |*.jpg|(*.gif) |*.gif|(*.tiff) |*.tiff||";

// The flags every chooser of this class sets.
plat::FileDialogRequest chooserRequest(bool save, const wchar_t* extension, const wchar_t* filter)
{
    plat::FileDialogRequest request;
    request.save = save;
    request.hideReadOnly = true;
    request.noChangeDir = true;
    request.defaultExtension = extension;
    request.filter = filter;
    return request;
}

CString chooseSavePath(const wchar_t* extension, bool overwritePrompt, const wchar_t* filter)
{
    plat::FileDialogRequest request = chooserRequest(true, extension, filter);
    request.overwritePrompt = overwritePrompt;
    request.initialName = L"未命名";
    const std::vector<std::wstring> chosen = plat::fileDialog(request);
    return chosen.empty() || chosen.front().empty() ? cancelled : chosen.front();
}

} // namespace

CString OSDIR::GetFile()
{
    return chooseSavePath(L"bmp", false, allFilesFilter);
}

CString OSDIR::GetBmpFile()
{
    return chooseSavePath(L"bmp", true, bitmapFilter);
}

CString OSDIR::GetRawFile()
{
    return chooseSavePath(L"raw", true, rawFilter);
}

CString OSDIR::GetBmpFileNoOverWritePrompt()
{
    return chooseSavePath(L"bmp", false, bitmapTiffFilter);
}

CString OSDIR::GetRawFileNoOverWritePrompt()
{
    return chooseSavePath(L"raw", false, rawFilter);
}

bool OSDIR::GetMultiFile(std::vector<CString>& paths, int /*bufferChars*/)
{
    plat::FileDialogRequest request = chooserRequest(false, L"*.*", L"All files and folders(*.*)|*.*||");
    request.multiSelect = true;
    bool any = false;
    for (const std::wstring& path : plat::fileDialog(request)) {
        if (path.empty())
            continue;
        paths.push_back(path);
        any = true;
    }
    return any;
}

CString OSDIR::GetDir()
{
    const std::wstring folder = plat::folderDialog(L"选择待处理文件的文件夹");
    return folder.empty() ? cancelled : folder;
}

bool OSDIR::Write(const char* path, const std::vector<CString>& list)
{
    if (!path)
        return false;
    std::string text;
    for (const CString& entry : list)
        text.append(plat::toUtf8(entry)).push_back('\n');
    return plat::writeFileAtomically(path, text);
}

namespace {

// Whether bytes are UTF-8 text without NUL: what a path list holds.
bool isText(const std::string& bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == 0)
            return false;
        const std::size_t more = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 4;
        if (more == 4 || i + more >= bytes.size())
            return false;
        for (std::size_t k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 0x2)
                return false;
        i += more + 1;
    }
    return true;
}

} // namespace

bool OSDIR::Read(const char* path, std::vector<CString>& list, CString* why)
{
    const auto fail = [why](const wchar_t* reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (!path)
        return fail(L"文件不存在");
    std::error_code error;
    const std::filesystem::path file(path);
    if (std::filesystem::is_directory(file, error))
        return fail(L"这是文件夹，不是文件");
    if (!std::filesystem::exists(file, error))
        return fail(L"文件不存在");
    std::ifstream in(file, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof())
        return fail(L"无法读取文件");
    if (!isText(bytes))
        return fail(L"不是工程文件（工程文件每行一个路径）");
    constexpr const char* blanks = " \t\r\n\v\f";
    std::size_t from = 0;
    while (from < bytes.size()) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string_view line = std::string_view(bytes).substr(from, end - from);
        from = end + 1;
        const std::size_t first = line.find_first_not_of(blanks);
        if (first == std::string_view::npos)
            continue;
        const std::size_t last = line.find_last_not_of(blanks);
        list.push_back(plat::toWide(line.substr(first, last - first + 1)));
    }
    return true;
}
