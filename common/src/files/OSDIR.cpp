#include "pixorama/common/OSDIR.h"

#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <fstream>

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

bool OSDIR::Read(const char* path, std::vector<CString>& list)
{
    if (!path)
        return false;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    constexpr const char* blanks = " \t\r\n\v\f";
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t first = line.find_first_not_of(blanks);
        if (first == std::string::npos)
            continue;
        const std::size_t last = line.find_last_not_of(blanks);
        list.push_back(plat::toWide(std::string_view(line).substr(first, last - first + 1)));
    }
    return true;
}
