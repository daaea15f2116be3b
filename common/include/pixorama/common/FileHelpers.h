#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Small file queries. Paths are UTF-8.

// Size of an open file, found by seeking to its end and back; 0xFFFFFFFF for
// a null stream.
unsigned int cFileSize(FILE* file);
// Size of the file at path, or 0xFFFFFFFF when it cannot be opened.
unsigned int cFileSize(const char* path);
// True when the path exists, file or directory alike.
bool cFileExist(const char* path);
bool cDirExist(const char* path);

// Clears names and fills it with the bare names of the files (not folders)
// matching pattern, a folder followed by a file mask ("/data/*.raw"; '\' is
// accepted as the separator too). Names come in name order. False when
// nothing matches.
bool OSGetFileListFromDir(std::string pattern, std::vector<std::string>& names);
