#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The files a monkey run opens: small good pictures of every format the
// program reads, raws (a sequence of equal ones among them), and hostile
// files (truncated, lying about their size, random bytes under a picture's
// name, empty). Extra folders add their files as they are.
class MonkeyCorpus {
public:
    // Writes the generated files into folder.
    explicit MonkeyCorpus(const std::filesystem::path& folder);
    void AddFolder(const std::filesystem::path& folder);

    const std::filesystem::path& Folder() const { return folder; }
    const std::vector<std::wstring>& Files() const { return files; }

private:
    void writeGood();
    void writeHostile();
    void add(const std::filesystem::path& path);

    std::filesystem::path folder;
    std::vector<std::wstring> files;
};
