#include "FileList.h"

#include "pixorama/platform/Translation.h"

#include <string>

namespace {
constexpr std::size_t shownFiles = 20;
}

CString FileList::Text(const CString& title) const
{
    CString text = plat::tr(title);
    for (std::size_t i = 0; i < files.size() && i < shownFiles; ++i)
        text += L"\n" + files[i];
    if (files.size() > shownFiles)
        text += L"\n… " + plat::trArgs(L"%1 个", {std::to_wstring(files.size() - shownFiles)});
    return text;
}
