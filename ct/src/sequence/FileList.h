#pragma once

#include "pixorama/common/CString.h"

#include <vector>

// Files a job could not handle, named in one message at its end.
class FileList {
public:
    void Add(const CString& path) { files.push_back(path); }
    bool Empty() const { return files.empty(); }
    int Count() const { return int(files.size()); }
    // title, then one file a line (the first 20 and how many more).
    CString Text(const CString& title) const;

private:
    std::vector<CString> files;
};
