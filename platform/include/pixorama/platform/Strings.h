#pragma once

#include <string>
#include <string_view>

// The system's wide strings are std::wstring; its 8-bit strings are UTF-8.
namespace plat {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

} // namespace plat
