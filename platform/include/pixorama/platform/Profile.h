#pragma once

#include <string>

// Private profile (INI) strings with Windows semantics: one file holds
// sections of key=value lines; a missing file, section or key gives the
// caller's default. Files are read and written as UTF-8. Section and key
// names compare case-insensitively, as on Windows. A file is parsed once and
// read again only when it changed on disk (size, times or inode).
namespace plat {

std::wstring getProfileString(const std::wstring& section, const std::wstring& key,
                              const std::wstring& defaultValue, const std::wstring& file);
int getProfileInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                  const std::wstring& file);
// Writes or replaces one key, creating the file, its folder and the section
// as needed; every other byte of the file stays as it was. False, with the
// file untouched, when it cannot be written or when a name or value would
// change the file's structure (a line break, an empty key, '=' in the key).
bool writeProfileString(const std::wstring& section, const std::wstring& key,
                        const std::wstring& value, const std::wstring& file);

// Test hook: how many times a lookup has read and parsed a file.
long long profileReadsForTesting();

} // namespace plat
