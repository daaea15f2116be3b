#pragma once

#include <string>

// Private profile (INI) strings with Windows semantics: one file holds
// sections of key=value lines; a missing file, section or key gives the
// caller's default. Files are read and written as UTF-8. Section and key
// names compare case-insensitively, as on Windows.
namespace plat {

std::wstring getProfileString(const std::wstring& section, const std::wstring& key,
                              const std::wstring& defaultValue, const std::wstring& file);
int getProfileInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                  const std::wstring& file);
// Writes or replaces one key, creating the file and section as needed.
// False when the file cannot be written.
bool writeProfileString(const std::wstring& section, const std::wstring& key,
                        const std::wstring& value, const std::wstring& file);

} // namespace plat
