#include "FileList.h"

#include <string>

namespace {
constexpr std::size_t shownFiles = 20;
}

CString FileList::Text(const CString& title) const
{
    CString text = title;
    for (std::size_t i = 0; i < files.size() && i < shownFiles; ++i)
        text += L"\n" + files[i];
    if (files.size() > shownFiles)
        text += L"\n… " + std::to_wstring(files.size() - shownFiles) + L" 个";
    return text;
}
