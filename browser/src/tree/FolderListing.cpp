#include "FolderListing.h"

#include <QString>

#include <algorithm>
#include <system_error>

namespace {

bool hasExtension(const std::filesystem::path& file, const std::wstring& extension)
{
    if (extension.empty())
        return true;
    const QString ext = QString::fromStdWString(file.extension().wstring());
    return ext.size() > 1 && ext.mid(1).compare(QString::fromStdWString(extension), Qt::CaseInsensitive) == 0;
}

} // namespace

FolderListing ListFolder(const std::filesystem::path& folder, const std::wstring& extension)
{
    FolderListing out;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, std::filesystem::directory_options::skip_permission_denied, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (path.filename().native().starts_with('.'))
            continue;
        std::error_code typeError;
        if (it->is_directory(typeError))
            out.folders.push_back(path);
        else if (hasExtension(path, extension))
            out.files.push_back(path);
    }
    std::sort(out.folders.begin(), out.folders.end());
    std::sort(out.files.begin(), out.files.end());
    return out;
}
