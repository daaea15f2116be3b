#pragma once

#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace plat {
class AtomicFile;
}

// A text file of one parameter a line: key, " = ", value. Reading strips
// digits, blanks and "=" to get the key and letters, blanks and "=" to get the
// value, so keys hold no digits and values no letters ("threshold = 0.85"
// reads as key "threshold." and value "0.85"); the first line of a key wins.
// Stream failures stay in the streams' state. Paths are UTF-8.
//
// The writer fills a temporary beside the file; CloseWrite (or the
// destructor) puts it in place when every write succeeded, so the file on
// disk is always either the old one or the complete new one.
class QEVIODisk {
public:
    std::map<std::string, std::string> values;
    std::ofstream writer;
    std::ifstream reader;

    QEVIODisk();
    ~QEVIODisk();
    QEVIODisk(QEVIODisk&&) noexcept;
    QEVIODisk& operator=(QEVIODisk&&) noexcept;

    // Appends to the file: the new text follows the old.
    void OpenWrite(const char* path);
    // Replaces the file.
    void OpenWriteEmpty(const char* path);
    void OpenRead(const char* path);

    // type 0: value points at an int; type 1: at a float; other types write nothing.
    void WritePara(const char* key, const void* value, int type);
    void WriteString(std::string s);
    void WriteChar(const char* s);
    // Ends the line and flushes.
    void NextLine();

    // Reads reader to its end into values; lines may be of any length.
    void ReadMap();
    // The value read for key, 0 when the key is absent.
    int ReadInt(const char* key);
    float ReadFlt(const char* key);

    void CloseRead();
    // Puts the written file in place; the writer fails when that cannot be
    // done, and the old file is then left as it was.
    void CloseWrite();

    // Appends height = 45 and sod = 89 to "IODisk.ini" in the current folder,
    // reads the file back and prints every pair as key=value.
    void Test();

private:
    void OpenWriter(const char* path, bool append);

    std::unique_ptr<plat::AtomicFile> pending;
};
