#pragma once

#include "CString.h"

#include <vector>

// File and folder choosers and folder operations. A cancelled chooser returns
// the literal "NULL". Folder paths accept '/' and '\' as separators; paths
// composed here use '/'.
class OSDIR {
public:
    // Save-style choosers with the initial name "未命名": the chosen full path
    // or "NULL".
    static CString GetFile();
    static CString GetBmpFile();
    static CString GetRawFile();
    static CString GetBmpFileNoOverWritePrompt();
    static CString GetRawFileNoOverWritePrompt();
    // Open chooser with multiple selection; appends every chosen path and
    // returns true when there was at least one. The chooser has no fixed
    // result buffer, so bufferChars does not bound the selection.
    static bool GetMultiFile(std::vector<CString>& paths, int bufferChars);
    // Folder chooser titled "选择待处理文件的文件夹": the folder or "NULL".
    static CString GetDir();

    static bool IsDir(const CString& path);
    // True when the first match of path (which may hold a file mask) is a folder.
    static bool CheckFolderExist(const CString& path);
    // Appends dir + "/" + name for every file of dir matching pattern, in name
    // order, then, when recurse is set, does the same in every subfolder
    // (symbolic links to folders are not followed).
    static void FindFile(const wchar_t* dir, std::vector<CString>& out, bool recurse, const wchar_t* pattern);
    // Copies the folder tree src ("folder/*.*") into dst ("folder/*.*"),
    // creating folders and overwriting files. Stops at the first failure;
    // returns whether the last step succeeded. flags is accepted for callers
    // and not interpreted.
    static bool DirectoryOperate(CString src, CString dst, int flags = 0);

    // Path-list files: one UTF-8 path a line. Write creates or truncates and
    // returns false when the file cannot be written. Read appends every
    // non-blank line, trimmed, whatever its length; it appends nothing and
    // returns false, with the reason in why when given, for a missing file,
    // a folder, a file that cannot be read or one that is not UTF-8 text.
    static bool Write(const char* path, const std::vector<CString>& list);
    static bool Read(const char* path, std::vector<CString>& list, CString* why = nullptr);
};
