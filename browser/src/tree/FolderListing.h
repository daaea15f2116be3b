#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What a folder item of the tree shows: its subfolders, then its files,
// each in name order. Hidden entries (names beginning with a dot) are left
// out; entries that cannot be read are skipped.
struct FolderListing {
    std::vector<std::filesystem::path> folders;
    std::vector<std::filesystem::path> files;
};

// extension without the dot, compared without case; empty lists every file.
FolderListing ListFolder(const std::filesystem::path& folder, const std::wstring& extension);
