#pragma once

#include "CString.h"

// Path-string helpers. '/' and '\' both count as separators, so Windows-style
// texts ("C:\a\b.raw") and POSIX paths give the same pieces. Every helper
// returns a new string.
class OSCString {
public:
    // Up to and including the last separator; empty when there is none.
    static CString GetDir(const CString& path);
    // The parent of GetDir(path), with its trailing separator.
    static CString GetNextDir(const CString& path);
    // The path without its extension (the last "." of the file name, at index
    // 3 or later); "notfile" for a folder and "nul" otherwise when there is no
    // such dot. Without keepDir only what follows the last separator is kept.
    static CString GetName(const CString& path, bool keepDir);
    // The extension in lower case; "notfile" for a folder, "nul" for a path
    // whose file name has no ".".
    static CString GetExt(const CString& path);
    // The path with its extension replaced by ext (or ext appended).
    static CString ChangeExt(const CString& path, const CString& ext);
};
