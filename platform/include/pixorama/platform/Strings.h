#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The system's wide strings are std::wstring; its 8-bit strings are UTF-8.
namespace plat {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// Paths are byte strings on Linux; these convert through UTF-8 so that a
// wide path never depends on the process locale.
std::filesystem::path toPath(std::wstring_view wide);
std::wstring fromPath(const std::filesystem::path& path);

} // namespace plat
